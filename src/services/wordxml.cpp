#include "services/wordxml.h"

#include "platform/http.h"
#include "services/addresses.h"
#include "services/webaccess.h"

#include <QDomDocument>
#include <QStringList>
#include <QTextCursor>
#include <QTextEdit>
#include <QUrl>

namespace {
// A missing element reads as an empty text.
QString childText(const QDomElement &parent, const QString &name)
{
    return parent.firstChildElement(name).text();
}

// Appends lines as plain text. An empty memo's one empty block becomes the first line, so the
// memo then holds exactly these lines.
void appendLines(QTextEdit *memo, const QStringList &lines)
{
    QTextCursor cursor(memo->document());
    cursor.movePosition(QTextCursor::End);
    bool newBlock = !memo->document()->isEmpty();
    for (const QString &line : lines) {
        if (newBlock)
            cursor.insertBlock();
        cursor.insertText(line);
        newBlock = true;
    }
}
}  // namespace

bool PLoadWordXml(QDomDocument &Doc, const QString &Word)
{
    Doc.clear();
    // "&", "#", "+" and "%" would cut or change the word on its way; blanks go as they are.
    const QString word = QString::fromLatin1(QUrl::toPercentEncoding(Word, " "));
    const QString url = Addr::WordServiceEndpoint() + QStringLiteral("ws.php?q=") + word;
    const HttpReply reply = HttpGet(url);
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    const QDomDocument::ParseResult parsed = Doc.setContent(reply.body);
    if (!parsed) {
        const QString why = parsed.errorMessage;
        const int line = int(parsed.errorLine);
        const int column = int(parsed.errorColumn);
#else
    QString why;
    int line = 0;
    int column = 0;
    if (!Doc.setContent(reply.body, &why, &line, &column)) {
#endif
        Doc.clear();
        throw WebError(QStringLiteral("词典服务的回应无法读取：") + why + QStringLiteral("（第 ") +
                       QString::number(line) + QStringLiteral(" 行第 ") + QString::number(column) +
                       QStringLiteral(" 列）"));
    }
    const QDomElement root = Doc.documentElement();
    const QDomElement first = root.firstChildElement();
    if (first.isNull() || first.tagName() == QLatin1String("def"))
        return false;
    // Anything else that parses (a web page, another service's answer) is no answer about a word.
    if (root.firstChildElement(QStringLiteral("key")).isNull() || root.firstChildElement(QStringLiteral("def")).isNull()) {
        Doc.clear();
        throw WebError(QStringLiteral("词典服务的回应无法读取：回应中没有单词条目"));
    }
    return true;
}

void PShowExampleSentences(QDomDocument &Doc, QTextEdit *Memo)
{
    QDomElement root = Doc.documentElement();
    QStringList lines;
    for (int pass = 1; pass <= 3; ++pass) {
        const QDomElement sent = root.firstChildElement(QStringLiteral("sent"));
        lines << childText(sent, QStringLiteral("orig")) << childText(sent, QStringLiteral("trans"));
        if (pass < 3 && !sent.isNull())
            root.removeChild(sent);
    }
    appendLines(Memo, lines);
}

bool PIsOnlineWaiting(HttpWaiter &Waiter)
{
    bool online = false;
    try {
        Waiter.run([&online] { online = PIsOnline(); });
    } catch (const WebError &e) {
        if (e.kind() != WebError::Cancelled)
            throw;
        // Not a sign that the site is down: the ask that follows says that it was given up.
        return true;
    }
    return online;
}

TPWordAnswer PAskWordService(QDomDocument &Doc, const QString &Word, HttpWaiter &Waiter)
{
    bool known = false;
    try {
        Waiter.run([&] { known = PLoadWordXml(Doc, Word); });
    } catch (const WebError &e) {
        switch (e.kind()) {
        case WebError::Unreachable:
            return TPWordAnswer::Unreachable;
        case WebError::NoAnswer:
            return TPWordAnswer::NoAnswer;
        case WebError::Failed:
            return TPWordAnswer::Failed;
        case WebError::Cancelled:
            return TPWordAnswer::Cancelled;
        }
    }
    return known ? TPWordAnswer::Known : TPWordAnswer::Unknown;
}

QString PWordServiceAsking() { return QStringLiteral("正在查询海词网站……"); }

QString PWordServiceTrouble(TPWordAnswer Answer)
{
    switch (Answer) {
    case TPWordAnswer::Unreachable:
        return QStringLiteral("无法连接海词网站，请检查网络连接");
    case TPWordAnswer::NoAnswer:
        return QStringLiteral("海词网站没有回应，请稍后再试");
    case TPWordAnswer::Failed:
        return QStringLiteral("海词网站的回应有误，请稍后再试");
    case TPWordAnswer::Cancelled:
        return QStringLiteral("查询已取消");
    case TPWordAnswer::Known:
    case TPWordAnswer::Unknown:
        break;
    }
    return QString();
}
