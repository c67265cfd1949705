#include "core/wordbookimport.h"

#include "vocab/bankvocab.h"
#include "core/datamodule.h"
#include "platform/inifile.h"
#include "platform/textcodec.h"
#include "platform/clock.h"
#include "core/phoneticfile.h"
#include "core/bankmaint.h"

#include <QHash>
#include <QSet>
#include <QTreeWidget>

const QString PWordBookLayoutKingsoft = QStringLiteral("金山词霸");
const QString PWordBookLayoutGoogle = QStringLiteral("谷歌金山词霸");

bool PImportWordBookText(QTreeWidget *ListView, TOpenDialog &OpenDialog)
{
    ListView->clear();
    const QString layout =
        PConfigIni->ReadString(Ini::DBTool, Ini::WordBookLayout, PWordBookLayoutKingsoft);
    const bool kingsoft = layout == PWordBookLayoutKingsoft;
    const bool google = layout == PWordBookLayoutGoogle;
    if (kingsoft) {
        OpenDialog.Title = QStringLiteral("打开金山词霸生词本文件");
        OpenDialog.Filter = QStringLiteral("金山词霸生词本导出文本(*.txt)|*.txt");
    } else if (google) {
        OpenDialog.Title = QStringLiteral("打开谷歌金山词霸生词本文件");
        OpenDialog.Filter = QStringLiteral("谷歌金山词霸生词本导出文本(*.txt)|*.txt");
    }
    if (!OpenDialog.Execute())
        return false;
    if (!kingsoft && !google)
        return false;

    const QString refusal = POpenBankFileRefusal(OpenDialog.FileName);
    if (!refusal.isEmpty())
        throw EngineError(refusal);
    QString text;
    if (!PReadTextFile(OpenDialog.FileName, text))
        throw EngineError(QStringLiteral("无法读取文件“") + OpenDialog.FileName + QStringLiteral("”。"));

    const QChar meaningMark = kingsoft ? QLatin1Char('\\') : QLatin1Char('#');
    QList<QTreeWidgetItem *> items;
    // Meaning and phonetic lines belong to the word line above them; before the first word line,
    // or after a word line with no word, there is no word to give them to.
    QTreeWidgetItem *last = nullptr;
    for (const QString &line : PSplitLines(text)) {
        if (line.isEmpty())
            continue;
        const QChar mark = line.at(0);
        if (mark == QLatin1Char('+')) {
            const QString word = line.mid(1);
            if (word.trimmed().isEmpty()) {
                last = nullptr;
                continue;
            }
            last = new QTreeWidgetItem(QStringList{word, QString(), QString()});
            if (google) {
                QString phonetic;
                PLookupPhonetic(word, phonetic);
                last->setText(2, phonetic);
            }
            items << last;
        } else if (mark == meaningMark) {
            if (last)
                last->setText(1, QString(line).remove(meaningMark));
        } else if (kingsoft && mark == QLatin1Char('&')) {
            if (last)
                last->setText(2, line.mid(1));
        }
    }
    ListView->addTopLevelItems(items);
    return true;
}

void PStoreImportedWords(QTreeWidget *ListView, const QString &T)
{
    PCheckName(T);
    const QString today = PTodayText();
    JetConnection &connection = Pdatamodule->PConnection;
    JetQuery &q = Pdatamodule->PQuery;
    // One transaction round the whole store keeps it fast; each word sits in a savepoint of its
    // own, so a failing word leaves nothing behind and the words before it are still committed.
    JetTransaction all(connection);
    // The words T may hold, folded beyond the bank's own comparison: a word whose folded form is
    // not here is surely new, and only the others are asked of the bank one by one.
    QSet<QString> maybeHeld;
    q.setSql(QStringLiteral("select 单词 from ") + T);
    q.open();
    for (; !q.eof(); q.next())
        maybeHeld.insert(q.fieldByName(Col::Word).toCaseFolded());
    q.close();
    for (int i = 0; i < ListView->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = ListView->topLevelItem(i);
        const QString word = item->text(0);
        const QString folded = word.toCaseFolded();
        try {
            JetTransaction one(connection);
            if (maybeHeld.contains(folded)) {
                Pdatamodule->PSelectFromTableWhere(T, Col::Word, word);
                q.open();
                const bool held = !q.eof();
                q.close();
                if (held)
                    continue;
            }
            // The whole record in one statement: the same row as an insert of the word followed
            // by updates keyed by it, at a fraction of the statements.
            q.setSql(QStringLiteral("insert into ") + T +
                     QStringLiteral("(单词,音标,解释,联想,详解,例句,所属类别,做过次数,做错次数,经验点数,"
                                    "上次是否做对,最近测试时间,掌握类型) values(:单词,:音标,:解释,:联想,:详解,"
                                    ":例句,:所属类别,:做过次数,:做错次数,:经验点数,:上次是否做对,"
                                    ":最近测试时间,:掌握类型)"));
            q.setParam(Col::Word, word);
            q.setParam(Col::Phonetic, item->text(2));
            q.setParam(Col::Explanation, item->text(1));
            q.setParam(Col::Association, QString());
            q.setParam(Col::Details, QString());
            q.setParam(Col::Example, QString());
            q.setParam(Col::Category, Code::Unknown);
            q.setParam(Col::TimesDone, QStringLiteral("0"));
            q.setParam(Col::TimesWrong, QStringLiteral("0"));
            q.setParam(Col::Experience, Code::NewWordExperience);
            q.setParam(Col::LastRight, QString());
            q.setParam(Col::LastTested, today);
            q.setParam(Col::MasterType, QString());
            q.execSql();
            one.commit();
            maybeHeld.insert(folded);
        } catch (...) {
            q.close();
            try {
                all.commit();
            } catch (...) {
                // The engine gave up the whole transaction; the first error is the one to report.
            }
            throw;
        }
    }
    all.commit();
}
