// Building OptionTable for a 100-word group with 6 options, taken from a 20,000-word list, beside
// the raw SQLite reads and inserts the same build needs (statements prepared once, one
// transaction). The counter "ratio" is build time over raw time; it should stay within 3.

#include "vocab/bankvocab.h"
#include "core/datamodule.h"
#include "platform/inifile.h"
#include "support/bankfixture.h"
#include "support/scripteddialogs.h"
#include "tools/createtestunit.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <sqlite3.h>

namespace {

constexpr int kWords = 20000;
constexpr int kGroup = 100;

struct Bank {
    QTemporaryDir dir;
    std::unique_ptr<ScriptedDialogs> quiet = std::make_unique<ScriptedDialogs>();
    std::unique_ptr<TPdatamodule> dm;

    Bank()
    {
        const QString path = dir.path() + QStringLiteral("/EnglishWord.lxb");
        BankFixture::makeBank(path);
        dm = std::make_unique<TPdatamodule>(dir.path() + QLatin1Char('/'), QStringList{path});
        sqlite3 *db = dm->PConnection.handle();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO WordTable(单词,解释,掌握类型) VALUES(?,?,'01')", -1, &st, nullptr);
        for (int i = 0; i < kWords; ++i) {
            const QByteArray w = QByteArray("word") + QByteArray::number(i);
            const QByteArray m = QByteArray("n. 释义") + QByteArray::number(i);
            sqlite3_bind_text(st, 1, w.constData(), int(w.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 2, m.constData(), int(m.size()), SQLITE_TRANSIENT);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        sqlite3_exec(db, "INSERT INTO TempTable SELECT * FROM WordTable WHERE ID % 200 = 7", nullptr, nullptr, nullptr);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        PConfigIni->WriteString(Ini::Main, Ini::Tool, ToolName::MultipleChoice);
        PConfigIni->WriteInteger(Ini::VovaDereridu, Ini::OptionCount, 6);
    }
};

Bank &bank()
{
    static Bank b;
    return b;
}

int count(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    const int n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
    sqlite3_finalize(st);
    return n;
}

// The floor: count and read the group, empty the table and insert one row per word with its six options
// (texts of the neighbouring rows), in one transaction with statements prepared once.
int rawBuild(sqlite3 *db)
{
    struct Row {
        QByteArray id, word, meaning, master;
    };
    QVector<Row> rows;
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    const int groupSize = count(db, "SELECT count(*) FROM TempTable");
    rows.reserve(groupSize);
    sqlite3_stmt *read = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM TempTable ORDER BY 上次是否做对", -1, &read, nullptr);
    while (sqlite3_step(read) == SQLITE_ROW) {
        auto text = [&](int c) { return QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(read, c))); };
        rows.append({text(0), text(1), text(3), text(13)});
    }
    sqlite3_finalize(read);
    sqlite3_exec(db, "DELETE FROM OptionTable", nullptr, nullptr, nullptr);
    sqlite3_stmt *ins = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO OptionTable(ID,单词,解释,掌握类型,POpt1,POpt2,POpt3,POpt4,POpt5,POpt6) "
                       "VALUES(?,?,?,?,?,?,?,?,?,?)",
                       -1, &ins, nullptr);
    int done = 0;
    for (int i = 0; i < rows.size(); ++i) {
        const Row &r = rows[i];
        for (int c = 0; c < 4; ++c) {
            const QByteArray &v = c == 0 ? r.id : c == 1 ? r.word : c == 2 ? r.meaning : r.master;
            sqlite3_bind_text(ins, c + 1, v.constData(), int(v.size()), SQLITE_TRANSIENT);
        }
        for (int j = 0; j < 6; ++j) {
            const QByteArray &v = rows[(i + j) % rows.size()].meaning;
            sqlite3_bind_text(ins, 5 + j, v.constData(), int(v.size()), SQLITE_TRANSIENT);
        }
        done += sqlite3_step(ins) == SQLITE_DONE;
        sqlite3_reset(ins);
    }
    sqlite3_finalize(ins);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    return done;
}

void BM_OptionTable_HundredWordsSixOptions_BuildOverRawWithin3x(benchmark::State &state)
{
    sqlite3 *db = bank().dm->PConnection.handle();
    if (count(db, "SELECT count(*) FROM TempTable") != kGroup) {
        state.SkipWithError("the group is not 100 words");
        return;
    }
    using Clock = std::chrono::steady_clock;
    double buildSecs = 0, rawSecs = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        PCreateOptionTable();
        const auto t1 = Clock::now();
        if (count(db, "SELECT count(*) FROM OptionTable WHERE POpt6 IS NOT NULL") != kGroup) {
            state.SkipWithError("the build left rows without six options");
            return;
        }
        const auto t2 = Clock::now();
        const int inserted = rawBuild(db);
        const auto t3 = Clock::now();
        if (inserted != kGroup) {
            state.SkipWithError("the raw build inserted too few rows");
            return;
        }
        buildSecs += std::chrono::duration<double>(t1 - t0).count();
        rawSecs += std::chrono::duration<double>(t3 - t2).count();
    }
    state.counters["build_ms"] = benchmark::Counter(buildSecs * 1000 / double(state.iterations()));
    state.counters["raw_ms"] = benchmark::Counter(rawSecs * 1000 / double(state.iterations()));
    state.counters["ratio"] = benchmark::Counter(rawSecs > 0 ? buildSecs / rawSecs : 0);
}
BENCHMARK(BM_OptionTable_HundredWordsSixOptions_BuildOverRawWithin3x)->Unit(benchmark::kMillisecond);

}  // namespace
