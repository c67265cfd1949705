// The data layer against raw SQLite on a 20,000-word list: a keyed update, a new word record,
// and a whole list read to the end.

#include "core/datamodule.h"
#include "core/wordrecords.h"
#include "support/scripteddialogs.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr int kWords = 20000;

const char *const kWordTable =
    "create table WordTable (ID counter PRIMARY KEY UNIQUE not null,单词 string(100),音标 string(50),解释 "
    "string(250),联想 string(100),详解 memo,例句 memo,做过次数 integer,做错次数 integer,经验点数 "
    "integer,所属类别 string(250),上次是否做对 string(50),最近测试时间 string(50),掌握类型 string(50))";

QString wordAt(int i) { return QStringLiteral("word%1").arg(i); }

// One bank with a 20,000-word WordTable, made once for the whole run.
struct Bank {
    QTemporaryDir dir;
    QString path;
    std::unique_ptr<TPdatamodule> dm;

    Bank()
    {
        path = dir.path() + QStringLiteral("/EnglishWord.lxb");
        JetConnection::initialiseBankFile(path, QString::fromLatin1(LxbPassword));
        ScriptedDialogs quiet;
        dm = std::make_unique<TPdatamodule>(dir.path(), QStringList{path});
        dm->PQuery.setSql(QString::fromUtf8(kWordTable));
        dm->PQuery.execSql();
        JetTransaction t(dm->PConnection);
        for (int i = 0; i < kWords; ++i) {
            PInsertWordRecord(QStringLiteral("WordTable"), QStringLiteral("单词"), QStringLiteral("音标"),
                              QStringLiteral("解释"), QStringLiteral("联想"), QStringLiteral("详解"),
                              QStringLiteral("例句"), QStringLiteral("所属类别"), wordAt(i), QStringLiteral("/wɜːd/"),
                              QStringLiteral("n. 单词"), QString(), QString(), QString(), QStringLiteral("基本词"));
        }
        t.commit();
    }
};

Bank &bank()
{
    static Bank b;
    return b;
}

sqlite3 *raw() { return bank().dm->PConnection.handle(); }

void rawExec(sqlite3 *db, const char *sql, std::initializer_list<QByteArray> params)
{
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    int i = 1;
    for (const auto &p : params)
        sqlite3_bind_text(st, i++, p.constData(), p.size(), SQLITE_TRANSIENT);
    sqlite3_step(st);
    sqlite3_finalize(st);
}

void BM_Layer_UpdateOneDataKeyedBySpelling(benchmark::State &state)
{
    bank();
    int i = 0;
    for (auto _ : state) {
        bank().dm->PUpdateOneDataFromTable(QStringLiteral("WordTable"), QStringLiteral("单词"),
                                           QStringLiteral("做过次数"), wordAt(i++ % kWords), QStringLiteral("3"));
    }
}
BENCHMARK(BM_Layer_UpdateOneDataKeyedBySpelling);

void BM_Raw_UpdateOneDataKeyedBySpelling(benchmark::State &state)
{
    bank();
    int i = 0;
    for (auto _ : state)
        rawExec(raw(), "UPDATE WordTable SET 做过次数=? WHERE 单词=?",
                {QByteArray("3"), wordAt(i++ % kWords).toUtf8()});
}
BENCHMARK(BM_Raw_UpdateOneDataKeyedBySpelling);

void BM_Floor_HundredKeyedUpdatesInOneTransaction(benchmark::State &state)
{
    bank();
    int i = 0;
    for (auto _ : state) {
        sqlite3 *db = raw();
        sqlite3_stmt *st = nullptr;
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_prepare_v2(db, "UPDATE WordTable SET 做过次数=? WHERE 单词=?", -1, &st, nullptr);
        for (int k = 0; k < 100; ++k) {
            const QByteArray w = wordAt(i++ % kWords).toUtf8();
            sqlite3_bind_text(st, 1, "3", 1, SQLITE_STATIC);
            sqlite3_bind_text(st, 2, w.constData(), w.size(), SQLITE_TRANSIENT);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_Floor_HundredKeyedUpdatesInOneTransaction);

void layerWriteWord(const QString &w)
{
    const QString T = QStringLiteral("WordTable"), K = QStringLiteral("单词");
    PInsertWordRecord(T, K, QStringLiteral("音标"), QStringLiteral("解释"), QStringLiteral("联想"),
                      QStringLiteral("详解"), QStringLiteral("例句"), QStringLiteral("所属类别"), w,
                      QStringLiteral("/njuː/"), QStringLiteral("adj. 新的"), QString(), QString(), QString(),
                      QStringLiteral("基本词"));
    PUpdateWordRecord3(T, K, QStringLiteral("做过次数"), QStringLiteral("做错次数"), QStringLiteral("经验点数"), w,
                       QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("10"));
    PUpdateWordRecord3(T, K, QStringLiteral("上次是否做对"), QStringLiteral("最近测试时间"), QStringLiteral("掌握类型"),
                       w, QString(), QStringLiteral("2026-12-07"), QStringLiteral("00"));
}

void rawWriteWord(sqlite3 *db, const QByteArray &w)
{
    rawExec(db, "INSERT INTO WordTable(单词) VALUES(?)", {w});
    const char *fields[] = {"音标", "解释", "联想", "详解", "例句", "所属类别", "做过次数", "做错次数",
                            "经验点数", "上次是否做对", "最近测试时间", "掌握类型"};
    const QByteArray values[] = {"/njuː/", "adj. 新的", "", "", "", "基本词", "0", "0", "10", "", "2026-12-07", "00"};
    for (int f = 0; f < 12; ++f) {
        const QByteArray sql = QByteArray("UPDATE WordTable SET ") + fields[f] + "=? WHERE 单词=?";
        rawExec(db, sql.constData(), {values[f], w});
    }
}

void BM_Layer_NewWordRecord(benchmark::State &state)
{
    bank();
    int i = 0;
    for (auto _ : state)
        layerWriteWord(QStringLiteral("fresh%1").arg(i++));
    bank().dm->PDeleteOneRecordFromTable(QStringLiteral("WordTable"), QStringLiteral("最近测试时间"),
                                         QStringLiteral("2026-12-07"));
}
BENCHMARK(BM_Layer_NewWordRecord);

void BM_Raw_NewWordRecord(benchmark::State &state)
{
    bank();
    int i = 0;
    for (auto _ : state) {
        sqlite3 *db = raw();
        // The layer writes a word all or none; raw SQLite does the same with a savepoint.
        sqlite3_exec(db, "SAVEPOINT w", nullptr, nullptr, nullptr);
        rawWriteWord(db, QStringLiteral("fresh%1").arg(i++).toUtf8());
        sqlite3_exec(db, "RELEASE w", nullptr, nullptr, nullptr);
    }
    sqlite3_exec(raw(), "DELETE FROM WordTable WHERE 最近测试时间='2026-12-07'", nullptr, nullptr, nullptr);
}
BENCHMARK(BM_Raw_NewWordRecord);

void BM_Floor_HundredNewWordsInOneTransaction(benchmark::State &state)
{
    bank();
    int i = 0;
    for (auto _ : state) {
        sqlite3 *db = raw();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        for (int k = 0; k < 100; ++k)
            rawWriteWord(db, QStringLiteral("floor%1").arg(i++).toUtf8());
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    state.SetItemsProcessed(state.iterations() * 100);
    sqlite3_exec(raw(), "DELETE FROM WordTable WHERE 最近测试时间='2026-12-07'", nullptr, nullptr, nullptr);
}
BENCHMARK(BM_Floor_HundredNewWordsInOneTransaction);

void BM_Layer_SelectAllReadToEnd(benchmark::State &state)
{
    bank();
    for (auto _ : state) {
        TPdatamodule &dm = *bank().dm;
        dm.PSelectAllFromTable(QStringLiteral("WordTable"));
        dm.PQuery.open();
        qsizetype chars = 0;
        for (; !dm.PQuery.eof(); dm.PQuery.next())
            chars += dm.PQuery.fieldByName(QStringLiteral("单词")).size() +
                     dm.PQuery.fieldByName(QStringLiteral("解释")).size();
        dm.PQuery.close();
        benchmark::DoNotOptimize(chars);
    }
}
BENCHMARK(BM_Layer_SelectAllReadToEnd)->Unit(benchmark::kMillisecond);

void BM_Raw_SelectAllReadToEnd(benchmark::State &state)
{
    bank();
    for (auto _ : state) {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(raw(), "SELECT * FROM WordTable ORDER BY rowid", -1, &st, nullptr);
        qsizetype chars = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            chars += QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 1))).size();
            chars += QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 3))).size();
        }
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(chars);
    }
}
BENCHMARK(BM_Raw_SelectAllReadToEnd)->Unit(benchmark::kMillisecond);

}  // namespace
