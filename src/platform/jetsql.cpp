#include "platform/jetsql.h"

#include "platform/jetdb.h"

#include <QRegularExpression>

namespace {

const QString kCounterType = QStringLiteral("COUNTER_INTEGER");

bool isIdentChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c.unicode() >= 0x80;
}

QString quoteIdent(const QString &name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

// Double-quoted texts become SQLite string literals; ":name" becomes a positional parameter.
JetStatement rewriteLiteralsAndParams(const QString &in)
{
    JetStatement out;
    QString &s = out.sql;
    s.reserve(in.size() + 8);
    for (int i = 0; i < in.size(); ++i) {
        const QChar c = in.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            int j = i + 1;
            QString body;
            for (; j < in.size(); ++j) {
                if (in.at(j) == c) {
                    if (j + 1 < in.size() && in.at(j + 1) == c) {
                        body += c;
                        ++j;
                        continue;
                    }
                    break;
                }
                body += in.at(j);
            }
            if (j >= in.size())
                throw EngineError(QStringLiteral("语法错误：引号不成对。"));
            s += QLatin1Char('\'') + body.replace(QLatin1Char('\''), QLatin1String("''")) +
                 QLatin1Char('\'');
            i = j;
        } else if (c == QLatin1Char(':') && i + 1 < in.size() && isIdentChar(in.at(i + 1))) {
            int j = i + 1;
            while (j < in.size() && isIdentChar(in.at(j)))
                ++j;
            out.paramNames << in.mid(i + 1, j - i - 1);
            s += QLatin1Char('?');
            i = j - 1;
        } else {
            s += c;
        }
    }
    return out;
}

QString columnDefinition(const JetColumn &col)
{
    const QString name = quoteIdent(col.name);
    if (col.declType == kCounterType)
        return name + QLatin1Char(' ') + kCounterType;
    if (col.declType == QLatin1String("INTEGER"))
        return name + QStringLiteral(" INTEGER CHECK(typeof(") + name +
               QStringLiteral(") IN ('integer','null'))");
    return name + QLatin1Char(' ') + col.declType + QStringLiteral(" COLLATE NOCASE");
}

// The table, its counter numbering and the indexes that keyed updates want.
std::vector<JetStatement> tableStatements(const QString &table, const std::vector<JetColumn> &cols)
{
    QStringList defs;
    for (const auto &c : cols)
        defs << columnDefinition(c);
    std::vector<JetStatement> out;
    const QString t = quoteIdent(table);
    out.push_back({QStringLiteral("CREATE TABLE ") + t + QLatin1String(" (") +
                       defs.join(QLatin1Char(',')) + QLatin1Char(')'),
                   {}});
    for (const auto &c : cols) {
        const QString col = quoteIdent(c.name);
        if (c.declType == kCounterType) {
            out.push_back({QStringLiteral("CREATE INDEX ") + quoteIdent(table + "__" + c.name) +
                               QLatin1String(" ON ") + t + QLatin1Char('(') + col + QLatin1Char(')'),
                           {}});
            out.push_back(
                {QStringLiteral("CREATE TRIGGER ") + quoteIdent(table + "__" + c.name + "_counter") +
                     QLatin1String(" AFTER INSERT ON ") + t + QLatin1String(" WHEN NEW.") + col +
                     QLatin1String(" IS NULL BEGIN UPDATE ") + t + QLatin1String(" SET ") + col +
                     QLatin1String("=(SELECT IFNULL(MAX(") + col + QLatin1String("),0)+1 FROM ") + t +
                     QLatin1String(") WHERE rowid=NEW.rowid; END"),
                 {}});
        } else if (c.name == QStringLiteral("单词")) {
            out.push_back({QStringLiteral("CREATE INDEX ") + quoteIdent(table + "__" + c.name) +
                               QLatin1String(" ON ") + t + QLatin1Char('(') + col + QLatin1Char(')'),
                           {}});
        }
    }
    return out;
}

std::vector<JetColumn> parseCreateColumns(const QString &body)
{
    static const QRegularExpression defRe(
        QStringLiteral("^\\s*(\\S+)\\s+(counter|integer|memo|string\\s*\\(\\s*(\\d+)\\s*\\))(.*)$"),
        QRegularExpression::CaseInsensitiveOption);
    std::vector<JetColumn> cols;
    for (const QString &def : body.split(QLatin1Char(','))) {
        const auto m = defRe.match(def.trimmed());
        if (!m.hasMatch() || !isPlainIdentifier(m.captured(1)))
            throw EngineError(QStringLiteral("字段定义中的语法错误：") + def.trimmed());
        const QString type = m.captured(2).toLower();
        JetColumn c{m.captured(1), {}};
        if (type == QLatin1String("counter"))
            c.declType = kCounterType;
        else if (type == QLatin1String("integer"))
            c.declType = QStringLiteral("INTEGER");
        else if (type == QLatin1String("memo"))
            c.declType = QStringLiteral("TEXT");
        else
            c.declType = QStringLiteral("VARCHAR(") + m.captured(3) + QLatin1Char(')');
        cols.push_back(c);
    }
    return cols;
}

// Looks at the statement outside its literals: a pattern may well hold the words "order by".
bool hasOrderBy(const QString &sql)
{
    static const QRegularExpression literal(QStringLiteral("'(?:[^']|'')*'"));
    static const QRegularExpression re(QStringLiteral("\\border\\s+by\\b"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re.match(QString(sql).replace(literal, QStringLiteral("''"))).hasMatch();
}

// Jet hands rows back in the order they were added; SQLite only promises that for rowid order.
QString withInsertionOrder(const QString &sql)
{
    if (hasOrderBy(sql))
        return sql + QLatin1String(", rowid");
    return sql + QLatin1String(" ORDER BY rowid");
}

}  // namespace

bool isPlainIdentifier(const QString &name)
{
    if (name.isEmpty() || name.size() > 64 || name.at(0).isDigit())
        return false;
    for (QChar c : name) {
        const ushort u = c.unicode();
        const bool ascii = (u < 0x80) && (c.isLetterOrNumber() || c == QLatin1Char('_'));
        const bool cjk = (u >= 0x3400 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF);
        if (!ascii && !cjk)
            return false;
    }
    return true;
}

JetTranslation translateJetSql(const QString &jetSql, const JetColumnLookup &columnsOf)
{
    const QString sql = jetSql.trimmed();
    JetTranslation tr;

    static const QRegularExpression createRe(
        QStringLiteral("^create\\s+table\\s+(\\S+?)\\s*\\((.*)\\)$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression selectIntoRe(
        QStringLiteral("^select\\s+\\*\\s+into\\s+(\\S+)\\s+from\\s+(\\S+)(.*)$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression insertSelectRe(
        QStringLiteral("^insert\\s+into\\s+\\S+\\s+select\\s"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression selectStarRe(QStringLiteral("^select\\s+\\*\\s+from\\s"),
                                                 QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression selectRe(QStringLiteral("^select\\s"),
                                             QRegularExpression::CaseInsensitiveOption);

    if (const auto m = createRe.match(sql); m.hasMatch()) {
        if (!isPlainIdentifier(m.captured(1)))
            throw EngineError(QStringLiteral("无效的表名：") + m.captured(1));
        tr.statements = tableStatements(m.captured(1), parseCreateColumns(m.captured(2)));
        return tr;
    }
    if (const auto m = selectIntoRe.match(sql); m.hasMatch()) {
        const QString dst = m.captured(1), src = m.captured(2);
        if (!isPlainIdentifier(dst) || !isPlainIdentifier(src))
            throw EngineError(QStringLiteral("无效的表名。"));
        const auto cols = columnsOf(src);
        if (cols.empty())
            throw EngineError(QStringLiteral("找不到输入表或查询“") + src + QStringLiteral("”。"));
        tr.statements = tableStatements(dst, cols);
        JetStatement copy = rewriteLiteralsAndParams(QStringLiteral("INSERT INTO ") +
                                                     quoteIdent(dst) + QStringLiteral(" SELECT * FROM ") +
                                                     quoteIdent(src) + m.captured(3));
        copy.sql = withInsertionOrder(copy.sql);
        tr.dataStatement = int(tr.statements.size());
        tr.statements.push_back(copy);
        return tr;
    }

    JetStatement st = rewriteLiteralsAndParams(sql);
    if (insertSelectRe.match(sql).hasMatch()) {
        st.sql = withInsertionOrder(st.sql);
    } else if (selectStarRe.match(sql).hasMatch()) {
        st.sql = withInsertionOrder(st.sql);
        tr.returnsRows = true;
    } else if (selectRe.match(sql).hasMatch()) {
        tr.returnsRows = true;
    }
    tr.statements.push_back(st);
    return tr;
}
