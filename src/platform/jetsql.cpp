#include "platform/jetsql.h"

#include "platform/jetcase.h"
#include "platform/jetdb.h"

#include <QRegularExpression>
#include <QSet>

namespace {

const QString kCounterType = QStringLiteral("COUNTER_INTEGER");

bool isIdentChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c.unicode() >= 0x80;
}

}  // namespace

const char *const JetCounterTable = "lxb_counters";

QString textLiteral(const QString &text)
{
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

QString quoteIdent(const QString &name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

QString createdName(const QString &sqliteSql)
{
    for (const QLatin1String head : {QLatin1String("CREATE TABLE \""), QLatin1String("CREATE INDEX \""),
                                     QLatin1String("CREATE TRIGGER \"")}) {
        if (!sqliteSql.startsWith(head))
            continue;
        QString name;
        for (qsizetype i = head.size(); i < sqliteSql.size(); ++i) {
            if (sqliteSql.at(i) != QLatin1Char('"'))
                name += sqliteSql.at(i);
            else if (i + 1 < sqliteSql.size() && sqliteSql.at(i + 1) == QLatin1Char('"'))
                name += sqliteSql.at(++i);
            else
                return name;
        }
    }
    return QString();
}

namespace {

// Words the statements use as their own grammar; every other bare word names a table or field.
bool isKeyword(const QString &upper)
{
    static const QSet<QString> words{
        QStringLiteral("SELECT"), QStringLiteral("FROM"),   QStringLiteral("WHERE"),  QStringLiteral("AND"),
        QStringLiteral("OR"),     QStringLiteral("NOT"),    QStringLiteral("LIKE"),   QStringLiteral("INTO"),
        QStringLiteral("INSERT"), QStringLiteral("VALUES"), QStringLiteral("UPDATE"), QStringLiteral("SET"),
        QStringLiteral("DELETE"), QStringLiteral("DROP"),   QStringLiteral("TABLE"),  QStringLiteral("ORDER"),
        QStringLiteral("BY"),     QStringLiteral("DESC"),   QStringLiteral("ASC"),    QStringLiteral("AS"),
        QStringLiteral("IS"),     QStringLiteral("NULL"),   QStringLiteral("IN"),     QStringLiteral("BETWEEN"),
        QStringLiteral("DISTINCT"), QStringLiteral("GROUP"), QStringLiteral("HAVING"), QStringLiteral("JOIN"),
        QStringLiteral("ON"),     QStringLiteral("INNER"),  QStringLiteral("LEFT"),   QStringLiteral("RIGHT"),
        QStringLiteral("OUTER"),  QStringLiteral("UNION"),  QStringLiteral("ALL"),    QStringLiteral("EXISTS"),
        QStringLiteral("CASE"),   QStringLiteral("WHEN"),   QStringLiteral("THEN"),   QStringLiteral("ELSE"),
        QStringLiteral("END"),    QStringLiteral("ESCAPE"), QStringLiteral("LIMIT"),  QStringLiteral("ROWID"),
        QStringLiteral("COLLATE")};
    return words.contains(upper);
}

bool isFunction(const QString &upper)
{
    static const QSet<QString> names{QStringLiteral("COUNT"), QStringLiteral("SUM"),   QStringLiteral("MAX"),
                                     QStringLiteral("MIN"),   QStringLiteral("AVG"),   QStringLiteral("LENGTH"),
                                     QStringLiteral("ABS"),   QStringLiteral("ROUND"), QStringLiteral("TRIM"),
                                     QStringLiteral("IFNULL"), QStringLiteral("UPPER"), QStringLiteral("LOWER")};
    return names.contains(upper);
}

// After these a word is a table name, whatever it spells.
bool takesTableName(const QString &upperKeyword)
{
    return upperKeyword == QLatin1String("FROM") || upperKeyword == QLatin1String("INTO") ||
           upperKeyword == QLatin1String("UPDATE") || upperKeyword == QLatin1String("TABLE") ||
           upperKeyword == QLatin1String("JOIN");
}

// Double-quoted texts become SQLite string literals; ":name" becomes a positional parameter;
// table and field names are quoted, so a list called "Order" works like any other.
JetStatement rewriteLiteralsAndParams(const QString &in)
{
    JetStatement out;
    QString &s = out.sql;
    s.reserve(in.size() + 16);
    QString lastKeyword;  // the previous token when it was a keyword, else empty
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
            lastKeyword.clear();
        } else if (c == QLatin1Char('[')) {
            // A bracketed name: whatever it holds up to the closing bracket is one name.
            const int j = in.indexOf(QLatin1Char(']'), i + 1);
            if (j < 0)
                throw EngineError(QStringLiteral("语法错误：方括号不成对。"));
            s += quoteIdent(in.mid(i + 1, j - i - 1));
            i = j;
            lastKeyword.clear();
        } else if (c == QLatin1Char(':') && i + 1 < in.size() && isIdentChar(in.at(i + 1))) {
            int j = i + 1;
            while (j < in.size() && isIdentChar(in.at(j)))
                ++j;
            out.paramNames << in.mid(i + 1, j - i - 1);
            s += QLatin1Char('?');
            i = j - 1;
            lastKeyword.clear();
        } else if (isIdentChar(c) && !c.isDigit()) {
            int j = i + 1;
            while (j < in.size() && isIdentChar(in.at(j)))
                ++j;
            const QString word = in.mid(i, j - i);
            const QString upper = word.toUpper();
            int k = j;
            while (k < in.size() && in.at(k).isSpace())
                ++k;
            const bool call = k < in.size() && in.at(k) == QLatin1Char('(');
            if (takesTableName(lastKeyword)) {
                s += quoteIdent(word);
                lastKeyword.clear();
            } else if (lastKeyword == QLatin1String("COLLATE")) {
                // A collation's name, not a column's.
                s += word;
                lastKeyword.clear();
            } else if (isKeyword(upper)) {
                s += word;
                lastKeyword = upper;
            } else if (call && isFunction(upper)) {
                s += word;
                lastKeyword.clear();
            } else {
                s += quoteIdent(word);
                lastKeyword.clear();
            }
            i = j - 1;
        } else {
            if (!c.isSpace())
                lastKeyword.clear();
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
    return name + QLatin1Char(' ') + col.declType + QStringLiteral(" COLLATE ") +
           QLatin1String(JetCaseCollation);
}

QString seedOf(const QString &table)
{
    return QStringLiteral("(SELECT seed FROM ") + QLatin1String(JetCounterTable) + QStringLiteral(" WHERE tbl=") +
           textLiteral(table) + QLatin1Char(')');
}

}  // namespace

// A counter never hands a number out twice in a table: the last one given is kept in the bank,
// rows added without a number get the next, and a row copied in with a higher one moves it on.
std::vector<JetStatement> counterStatements(const QString &table, const QString &column)
{
    const QString t = quoteIdent(table), col = quoteIdent(column);
    const QString counters = QLatin1String(JetCounterTable);
    std::vector<JetStatement> out;
    out.push_back({QStringLiteral("CREATE INDEX ") + quoteIdent(table + "__" + column) + QLatin1String(" ON ") + t +
                       QLatin1Char('(') + col + QLatin1Char(')'),
                   {}});
    out.push_back({QStringLiteral("INSERT OR REPLACE INTO ") + counters + QStringLiteral("(tbl,seed) SELECT ") +
                       textLiteral(table) + QStringLiteral(", IFNULL(MAX(") + col + QStringLiteral("),0) FROM ") + t,
                   {}});
    out.push_back({QStringLiteral("CREATE TRIGGER ") + quoteIdent(table + "__" + column + "_number") +
                       QLatin1String(" AFTER INSERT ON ") + t + QLatin1String(" WHEN NEW.") + col +
                       QLatin1String(" IS NULL BEGIN UPDATE ") + counters +
                       QStringLiteral(" SET seed=seed+1 WHERE tbl=") + textLiteral(table) +
                       QLatin1String("; UPDATE ") + t + QLatin1String(" SET ") + col + QLatin1Char('=') +
                       seedOf(table) + QLatin1String(" WHERE rowid=NEW.rowid; END"),
                   {}});
    out.push_back({QStringLiteral("CREATE TRIGGER ") + quoteIdent(table + "__" + column + "_seed") +
                       QLatin1String(" AFTER INSERT ON ") + t + QLatin1String(" WHEN NEW.") + col + QLatin1String(" > ") +
                       seedOf(table) + QLatin1String(" BEGIN UPDATE ") + counters + QStringLiteral(" SET seed=NEW.") +
                       col + QStringLiteral(" WHERE tbl=") + textLiteral(table) + QLatin1String("; END"),
                   {}});
    return out;
}

std::vector<JetStatement> tableStatements(const QString &table, const std::vector<JetColumn> &cols)
{
    QStringList defs;
    for (const auto &c : cols)
        defs << columnDefinition(c);
    std::vector<JetStatement> out;
    const QString t = quoteIdent(table);
    out.push_back({QStringLiteral("CREATE TABLE ") + t + QLatin1String(" (") + defs.join(QLatin1Char(',')) +
                       QLatin1Char(')'),
                   {}});
    for (const auto &c : cols) {
        if (c.declType == kCounterType) {
            for (auto &st : counterStatements(table, c.name))
                out.push_back(st);
        } else if (c.name == QStringLiteral("单词")) {
            out.push_back({QStringLiteral("CREATE INDEX ") + quoteIdent(table + "__" + c.name) +
                               QLatin1String(" ON ") + t + QLatin1Char('(') + quoteIdent(c.name) + QLatin1Char(')'),
                           {}});
        }
    }
    return out;
}

namespace {

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

// Where "order by" starts outside literals and quoted names (a pattern may well hold the words),
// or -1.
int orderByAt(const QString &sql)
{
    static const QRegularExpression quoted(QStringLiteral("'(?:[^']|'')*'|\"(?:[^\"]|\"\")*\""));
    static const QRegularExpression re(QStringLiteral("\\border\\s+by\\b"),
                                       QRegularExpression::CaseInsensitiveOption);
    QString blanked = sql;
    auto it = quoted.globalMatch(sql);
    while (it.hasNext()) {
        const auto m = it.next();
        blanked.replace(m.capturedStart(), m.capturedLength(), QString(m.capturedLength(), QLatin1Char('_')));
    }
    const auto m = re.match(blanked);
    return m.hasMatch() ? int(m.capturedStart()) : -1;
}

// The program reads unordered rows in the order they were added; SQLite only promises that for
// rowid order.
QString withInsertionOrder(const QString &sql)
{
    if (orderByAt(sql) >= 0)
        return sql + QLatin1String(", rowid");
    return sql + QLatin1String(" ORDER BY rowid");
}

// "SELECT * FROM t WHERE ..." counted the way SQLite counts fastest: without reading the rows.
QString countingStatement(const QString &selectStar)
{
    static const QRegularExpression head(QStringLiteral("^SELECT\\s+\\*\\s+FROM\\s"),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto m = head.match(selectStar);
    if (!m.hasMatch())
        return QString();
    QString rest = selectStar.mid(m.capturedEnd());
    const int order = orderByAt(rest);
    if (order >= 0) {
        // Parameters after the order would be lost with it.
        if (rest.indexOf(QLatin1Char('?'), order) >= 0)
            return QString();
        rest.truncate(order);
    }
    return QStringLiteral("SELECT count(*) FROM ") + rest;
}

// A table name as the statement patterns capture it: a bracketed name or a run of other characters.
const QString kName = QStringLiteral("(\\[[^\\]]*\\]|[^\\s\\[\\]()]+)");

// The name a captured table reference stands for, brackets off.
QString tableOf(const QString &ref)
{
    if (ref.size() >= 2 && ref.front() == QLatin1Char('[') && ref.back() == QLatin1Char(']'))
        return ref.mid(1, ref.size() - 2);
    return ref;
}

}  // namespace

QString jetTableNameRefusal(const QString &name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("名称不能为空");
    if (name.at(0).isSpace())
        return QStringLiteral("名称不能以空格开头");
    if (name.size() > 64)
        return QStringLiteral("名称不能超过64个字符");
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("名称不能含有控制字符");
        if (QStringView(u".!`[]").contains(c))
            return QStringLiteral("名称不能含有“") + c + QStringLiteral("”");
    }
    // SQLite keeps such names for itself.
    if (name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive))
        return QStringLiteral("名称不能以“sqlite_”开头");
    return QString();
}

QString jetTableRef(const QString &name)
{
    return isPlainIdentifier(name) ? name : QLatin1Char('[') + name + QLatin1Char(']');
}

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
        QStringLiteral("^create\\s+table\\s+") + kName + QStringLiteral("\\s*\\((.*)\\)$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression selectIntoRe(
        QStringLiteral("^select\\s+\\*\\s+into\\s+") + kName + QStringLiteral("\\s+from\\s+") + kName +
            QStringLiteral("(.*)$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression dropRe(QStringLiteral("^drop\\s+table\\s+") + kName + QStringLiteral("$"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression insertValuesRe(
        QStringLiteral("^insert\\s+into\\s+") + kName +
            QStringLiteral("\\s*\\(([^()]*)\\)\\s*values\\s*\\((.*)\\)$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression insertSelectRe(
        QStringLiteral("^insert\\s+into\\s+") + kName + QStringLiteral("\\s+select\\s"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression selectStarRe(QStringLiteral("^select\\s+\\*\\s+from\\s"),
                                                 QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression selectRe(QStringLiteral("^select\\s"),
                                             QRegularExpression::CaseInsensitiveOption);

    if (const auto m = createRe.match(sql); m.hasMatch()) {
        const QString table = tableOf(m.captured(1));
        if (!jetTableNameRefusal(table).isEmpty())
            throw EngineError(QStringLiteral("无效的表名：") + table);
        tr.statements = tableStatements(table, parseCreateColumns(m.captured(2)));
        tr.changesSchema = true;
        return tr;
    }
    if (const auto m = selectIntoRe.match(sql); m.hasMatch()) {
        const QString dst = tableOf(m.captured(1)), src = tableOf(m.captured(2));
        if (!jetTableNameRefusal(dst).isEmpty() || !jetTableNameRefusal(src).isEmpty())
            throw EngineError(QStringLiteral("无效的表名。"));
        const auto cols = columnsOf(src);
        if (cols.empty())
            throw EngineError(QStringLiteral("找不到输入表或查询“") + src + QStringLiteral("”。"));
        tr.statements = tableStatements(dst, cols);
        JetStatement copy = rewriteLiteralsAndParams(QStringLiteral("INSERT INTO [") + dst +
                                                     QStringLiteral("] SELECT * FROM [") + src +
                                                     QLatin1Char(']') + m.captured(3));
        copy.sql = withInsertionOrder(copy.sql);
        tr.dataStatement = int(tr.statements.size());
        tr.statements.push_back(copy);
        tr.changesSchema = true;
        return tr;
    }
    if (const auto m = dropRe.match(sql); m.hasMatch()) {
        tr.statements.push_back(rewriteLiteralsAndParams(sql));
        tr.statements.push_back({QStringLiteral("DELETE FROM ") + QLatin1String(JetCounterTable) +
                                     QStringLiteral(" WHERE tbl=") + textLiteral(tableOf(m.captured(1))),
                                 {}});
        tr.changesSchema = true;
        return tr;
    }

    JetStatement st = rewriteLiteralsAndParams(sql);
    if (const auto m = insertValuesRe.match(sql); m.hasMatch()) {
        // A new row takes its number in the statement itself: cheaper than numbering it afterwards.
        const QString table = tableOf(m.captured(1));
        QString counter;
        for (const auto &c : columnsOf(table))
            if (c.declType == kCounterType)
                counter = c.name;
        bool listed = false;
        for (const QString &f : m.captured(2).split(QLatin1Char(',')))
            listed = listed || f.trimmed().compare(counter, Qt::CaseInsensitive) == 0;
        if (!counter.isEmpty() && !listed) {
            st = rewriteLiteralsAndParams(QStringLiteral("insert into ") + m.captured(1) + QLatin1Char('(') + counter +
                                          QLatin1Char(',') + m.captured(2) + QStringLiteral(") values(") +
                                          QStringLiteral("\x01,") + m.captured(3) + QLatin1Char(')'));
            st.sql.replace(QStringLiteral("\x01"), QLatin1Char('(') + seedOf(table) + QStringLiteral("+1)"));
        }
    } else if (insertSelectRe.match(sql).hasMatch()) {
        st.sql = withInsertionOrder(st.sql);
    } else if (selectStarRe.match(sql).hasMatch()) {
        tr.countSql = countingStatement(st.sql);
        st.sql = withInsertionOrder(st.sql);
        tr.returnsRows = true;
    } else if (selectRe.match(sql).hasMatch()) {
        tr.returnsRows = true;
    }
    tr.statements.push_back(st);
    return tr;
}
