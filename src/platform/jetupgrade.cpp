#include "platform/jetupgrade.h"

#include "platform/jetdb.h"

#include <sqlite3.h>

namespace {

QString text(sqlite3_stmt *st, int col)
{
    const unsigned char *t = sqlite3_column_text(st, col);
    return t ? QString::fromUtf8(reinterpret_cast<const char *>(t)) : QString();
}

QStringList strings(sqlite3 *db, const QString &sql)
{
    QStringList out;
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK)
        while (sqlite3_step(st) == SQLITE_ROW)
            out << text(st, 0);
    sqlite3_finalize(st);
    return out;
}

void exec(sqlite3 *db, const QString &sql)
{
    char *err = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err ? err : "");
        sqlite3_free(err);
        throw EngineError(QStringLiteral("无法更新词库的结构：") + msg);
    }
}

void execAll(sqlite3 *db, const std::vector<JetStatement> &statements)
{
    for (const auto &st : statements)
        exec(db, st.sql);
}

QString counterColumn(const std::vector<JetColumn> &cols)
{
    for (const auto &c : cols)
        if (c.declType == QLatin1String("COUNTER_INTEGER"))
            return c.name;
    return QString();
}

// The table made again with today's column rules, rows in their order, numbers kept.
void rebuild(sqlite3 *db, const QString &table, const std::vector<JetColumn> &cols)
{
    const QString old = table + QStringLiteral("__old");
    for (const char *type : {"trigger", "index"}) {
        const QString kind = QString::fromLatin1(type);
        for (const QString &name : strings(db, QStringLiteral("SELECT name FROM sqlite_master WHERE sql IS NOT NULL "
                                                              "AND type='") +
                                                   kind + QStringLiteral("' AND tbl_name=") + textLiteral(table)))
            exec(db, QStringLiteral("DROP ") + kind + QLatin1Char(' ') + quoteIdent(name));
    }
    exec(db, QStringLiteral("ALTER TABLE ") + quoteIdent(table) + QStringLiteral(" RENAME TO ") + quoteIdent(old));
    execAll(db, tableStatements(table, cols));
    exec(db, QStringLiteral("INSERT INTO ") + quoteIdent(table) + QStringLiteral(" SELECT * FROM ") +
                 quoteIdent(old) + QStringLiteral(" ORDER BY rowid"));
    exec(db, QStringLiteral("DROP TABLE ") + quoteIdent(old));
}

}  // namespace

std::vector<JetColumn> jetTableColumns(sqlite3 *db, const QString &table)
{
    std::vector<JetColumn> cols;
    if (!jetTableNameRefusal(table).isEmpty())
        return cols;
    sqlite3_stmt *st = nullptr;
    const QByteArray sql = ("PRAGMA table_info(" + quoteIdent(table) + ")").toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) != SQLITE_OK)
        return cols;
    while (sqlite3_step(st) == SQLITE_ROW)
        cols.push_back({text(st, 1), text(st, 2)});
    sqlite3_finalize(st);
    return cols;
}

void upgradeJetBank(sqlite3 *db)
{
    const QString counters = QLatin1String(JetCounterTable);
    struct Work {
        QString table;
        bool rebuild;
    };
    std::vector<Work> work;
    const bool haveCounters = !strings(db, QStringLiteral("SELECT name FROM sqlite_master WHERE name='") +
                                               counters + QLatin1Char('\''))
                                   .isEmpty();
    const QStringList tables = strings(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND "
                                                          "name NOT LIKE 'sqlite%' AND name<>'") +
                                               counters + QStringLiteral("' ORDER BY rowid"));
    for (const QString &t : tables) {
        const QString sql =
            strings(db, QStringLiteral("SELECT sql FROM sqlite_master WHERE type='table' AND name=") +
                            textLiteral(t))
                .value(0);
        const bool oldText = sql.contains(QLatin1String("COLLATE NOCASE"), Qt::CaseInsensitive);
        const QString counter = counterColumn(jetTableColumns(db, t));
        const bool oldCounter =
            !counter.isEmpty() &&
            strings(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type='trigger' AND name=") +
                            textLiteral(t + "__" + counter + "_seed"))
                .isEmpty();
        if (oldText || oldCounter)
            work.push_back({t, oldText});
    }
    if (haveCounters && work.empty())
        return;
    exec(db, QStringLiteral("BEGIN IMMEDIATE"));
    try {
        exec(db, QStringLiteral("CREATE TABLE IF NOT EXISTS ") + counters +
                     QStringLiteral("(tbl TEXT PRIMARY KEY COLLATE NOCASE, seed INTEGER NOT NULL) WITHOUT ROWID"));
        for (const Work &w : work) {
            const auto cols = jetTableColumns(db, w.table);
            if (w.rebuild) {
                rebuild(db, w.table, cols);
            } else {
                const QString counter = counterColumn(cols);
                exec(db, QStringLiteral("DROP TRIGGER IF EXISTS ") + quoteIdent(w.table + "__" + counter + "_counter"));
                exec(db, QStringLiteral("DROP INDEX IF EXISTS ") + quoteIdent(w.table + "__" + counter));
                execAll(db, counterStatements(w.table, counter));
            }
        }
        exec(db, QStringLiteral("COMMIT"));
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}
