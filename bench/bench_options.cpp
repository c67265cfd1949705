// Building OptionTable for a 100-word group with 6 options, the group taken from a list of 1,000 or
// 100,000 words, against the most careful raw SQLite code for the same build: statements prepared
// once outside the clock, one transaction; count and read the group, empty the table, one insert
// per question with its six options. The sides take turns and must store the same rows.

#include "vocab/bankvocab.h"
#include "core/datamodule.h"
#include "logfold.h"
#include "pairclock.h"
#include "platform/inifile.h"
#include "support/bankfixture.h"
#include "support/scripteddialogs.h"
#include "tools/createtestunit.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int kGroup = 100;

struct Bank {
    QTemporaryDir dir;
    std::unique_ptr<ScriptedDialogs> quiet = std::make_unique<ScriptedDialogs>();
    std::unique_ptr<TPdatamodule> dm;

    explicit Bank(int Words)
    {
        const QString path = dir.path() + QStringLiteral("/EnglishWord.lxb");
        BankFixture::makeBank(path);
        dm = std::make_unique<TPdatamodule>(dir.path() + QLatin1Char('/'), QStringList{path});
        sqlite3 *db = dm->PConnection.handle();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO WordTable(单词,解释,掌握类型) VALUES(?,?,'01')", -1, &st, nullptr);
        for (int i = 0; i < Words; ++i) {
            const QByteArray w = QByteArray("word") + QByteArray::number(i);
            const QByteArray m = QByteArray("n. 释义") + QByteArray::number(i);
            sqlite3_bind_text(st, 1, w.constData(), int(w.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 2, m.constData(), int(m.size()), SQLITE_TRANSIENT);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        const QByteArray group = "INSERT INTO TempTable SELECT * FROM WordTable WHERE ID % " +
                                 QByteArray::number(Words / kGroup) + " = 1";
        sqlite3_exec(db, group.constData(), nullptr, nullptr, nullptr);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        PConfigIni->WriteString(Ini::Main, Ini::Tool, ToolName::MultipleChoice);
        PConfigIni->WriteString(Ini::VovaDereridu, Ini::TestType, TestType::EnToCn);
        PConfigIni->WriteInteger(Ini::VovaDereridu, Ini::OptionCount, 6);
    }
};

int count(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    const int n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
    sqlite3_finalize(st);
    return n;
}

// The raw build's statements, prepared once.
struct RawBuild {
    sqlite3 *db;
    sqlite3_stmt *begin = nullptr, *commit = nullptr, *countGroup = nullptr, *read = nullptr, *empty = nullptr,
                 *insert = nullptr;
    explicit RawBuild(sqlite3 *Db) : db(Db)
    {
        sqlite3_prepare_v2(db, "BEGIN", -1, &begin, nullptr);
        sqlite3_prepare_v2(db, "COMMIT", -1, &commit, nullptr);
        sqlite3_prepare_v2(db, "SELECT count(*) FROM TempTable", -1, &countGroup, nullptr);
        sqlite3_prepare_v2(db, "SELECT ID,单词,解释,掌握类型 FROM TempTable ORDER BY 上次是否做对", -1, &read, nullptr);
        sqlite3_prepare_v2(db, "DELETE FROM OptionTable", -1, &empty, nullptr);
        sqlite3_prepare_v2(db,
                           "INSERT INTO OptionTable(ID,单词,解释,掌握类型,POpt1,POpt2,POpt3,POpt4,POpt5,POpt6) "
                           "VALUES(?,?,?,?,?,?,?,?,?,?)",
                           -1, &insert, nullptr);
    }
    ~RawBuild()
    {
        for (sqlite3_stmt *st : {begin, commit, countGroup, read, empty, insert})
            sqlite3_finalize(st);
    }
    static bool done(sqlite3_stmt *st)
    {
        const bool ok = sqlite3_step(st) == SQLITE_DONE;
        sqlite3_reset(st);
        return ok;
    }

    // The group's rows, each question with its own answer and those of the next five rows.
    int run()
    {
        struct Row {
            QByteArray id, word, meaning, master;
        };
        bool ok = done(begin);
        sqlite3_step(countGroup);
        const int groupSize = sqlite3_column_int(countGroup, 0);
        sqlite3_reset(countGroup);
        std::vector<Row> rows;
        rows.reserve(size_t(groupSize));
        auto text = [&](int c) {
            return QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(read, c)), sqlite3_column_bytes(read, c));
        };
        while (sqlite3_step(read) == SQLITE_ROW)
            rows.push_back({text(0), text(1), text(2), text(3)});
        sqlite3_reset(read);
        ok = done(empty) && ok;
        int stored = 0;
        const size_t n = rows.size();
        for (size_t i = 0; i < n; ++i) {
            const Row &r = rows[i];
            const QByteArray *cols[4] = {&r.id, &r.word, &r.meaning, &r.master};
            for (int c = 0; c < 4; ++c)
                sqlite3_bind_text(insert, c + 1, cols[c]->constData(), int(cols[c]->size()), SQLITE_STATIC);
            for (size_t j = 0; j < 6; ++j) {
                const QByteArray &v = rows[(i + j) % n].meaning;
                sqlite3_bind_text(insert, 5 + int(j), v.constData(), int(v.size()), SQLITE_STATIC);
            }
            stored += done(insert);
        }
        ok = done(commit) && ok;
        return ok ? stored : -1;
    }
};

// Questions stored with all six options.
int builtRows(sqlite3 *db) { return count(db, "SELECT count(*) FROM OptionTable WHERE POpt6 IS NOT NULL"); }

void BM_Pair_OptionTable(benchmark::State &state)
{
    state.counters["goal"] = 1.5;
    Bank bank(int(state.range(0)));
    sqlite3 *db = bank.dm->PConnection.handle();
    if (count(db, "SELECT count(*) FROM TempTable") != kGroup) {
        state.SkipWithError("the group is not 100 words");
        return;
    }
    RawBuild raw(db);
    TPLogFoldsOutsideTheClock log(db);
    TPPairClock pair(state);
    for (auto _ : state) {
        const bool same = pair.run(
            [&] {
                PCreateOptionTable();
                return builtRows(db);
            },
            [&] {
                const int stored = raw.run();
                return stored == builtRows(db) ? stored : -1;
            });
        log.fold();
        if (!same)
            break;
    }
}
BENCHMARK(BM_Pair_OptionTable)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
