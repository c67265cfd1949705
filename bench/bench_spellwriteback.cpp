// The spelling test's write-back of 500 answered words against the same updates made raw: the same
// six keyed statements per word (five on the word list, one on TempTable), prepared once, in one
// transaction. Counter layer_over_raw is the ratio of the two times (asked: within 3).

#include "vocab/bankvocab.h"
#include "core/datamodule.h"
#include "logfold.h"
#include "support/bankfixture.h"
#include "support/scripteddialogs.h"
#include "tools/testresults.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <sqlite3.h>

namespace {

constexpr int kListWords = 5000;
constexpr int kAnswered = 500;

QString wordAt(int i) { return QStringLiteral("word%1").arg(i); }

struct WriteBackBank {
    QTemporaryDir dir;
    ScriptedDialogs quiet;
    std::unique_ptr<TPdatamodule> dm;

    WriteBackBank()
    {
        const QString path = dir.path() + QStringLiteral("/EnglishWord.lxb");
        BankFixture::makeBank(path);
        dm = std::make_unique<TPdatamodule>(dir.path() + QLatin1Char('/'), QStringList{path});
        JetTransaction t(dm->PConnection);
        for (int i = 0; i < kListWords; ++i) {
            dm->PInsertOneRecordToTable(Tbl::WordTable, Col::Word, wordAt(i));
            if (i < kAnswered)
                dm->PInsertOneRecordToTable(Tbl::TempTable, Col::Word, wordAt(i));
        }
        t.commit();
    }
};

const QStringList &fields()
{
    static const QStringList f{Col::TimesDone, Col::TimesWrong, Col::Experience, Col::LastRight, Col::LastTested};
    return f;
}

QList<TPAnsweredWord> answered(int round)
{
    QList<TPAnsweredWord> out;
    for (int i = 0; i < kAnswered; ++i)
        out << TPAnsweredWord{wordAt(i),
                              {QString::number(round), QStringLiteral("0"), QStringLiteral("9"), Code::Right,
                               QStringLiteral("2026-12-07")},
                              Code::Right};
    return out;
}

// The same statements straight to SQLite: 500 x (5 + 1) keyed updates, prepared once.
bool rawWriteBack(sqlite3 *db, const QList<TPAnsweredWord> &words)
{
    bool ok = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
    QList<sqlite3_stmt *> list;
    for (const QString &f : fields()) {
        const QByteArray sql = "UPDATE WordTable SET " + f.toUtf8() + "=? WHERE 单词=?";
        sqlite3_stmt *st = nullptr;
        ok = ok && sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) == SQLITE_OK;
        list << st;
    }
    sqlite3_stmt *temp = nullptr;
    ok = ok && sqlite3_prepare_v2(db, "UPDATE TempTable SET 上次是否做对=? WHERE 单词=?", -1, &temp, nullptr) == SQLITE_OK;
    auto run = [&](sqlite3_stmt *st, const QByteArray &v, const QByteArray &w) {
        sqlite3_bind_text(st, 1, v.constData(), v.size(), SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, w.constData(), w.size(), SQLITE_TRANSIENT);
        ok = ok && sqlite3_step(st) == SQLITE_DONE && sqlite3_changes(db) == 1;
        sqlite3_reset(st);
    };
    for (const TPAnsweredWord &a : words) {
        const QByteArray w = a.word.toUtf8();
        for (int f = 0; f < list.size(); ++f)
            run(list[f], a.values[f].toUtf8(), w);
        run(temp, a.lastRight.toUtf8(), w);
    }
    for (sqlite3_stmt *st : list)
        sqlite3_finalize(st);
    sqlite3_finalize(temp);
    return sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK && ok;
}

int rowsDoneAt(TPdatamodule &dm, int round)
{
    return dm.PGetCountFromTableWhere(Tbl::WordTable, Col::TimesDone, QString::number(round));
}

void BM_SpellWriteBack500_LayerOverRaw(benchmark::State &state)
{
    WriteBackBank bank;
    sqlite3 *db = bank.dm->PConnection.handle();
    double layer = 0, raw = 0;
    int round = 0;
    using Clock = std::chrono::steady_clock;
    TPLogFoldsOutsideTheClock log(db);
    for (auto _ : state) {
        const QList<TPAnsweredWord> a = answered(++round), b = answered(++round);
        const auto t0 = Clock::now();
        const bool layerOk = PWriteAnsweredWords(Tbl::WordTable, fields(), a);
        const auto t1 = Clock::now();
        const bool layerRows = rowsDoneAt(*bank.dm, round - 1) == kAnswered;
        const auto t2 = Clock::now();
        const bool rawOk = rawWriteBack(db, b);
        const auto t3 = Clock::now();
        if (!layerOk || !layerRows || !rawOk || rowsDoneAt(*bank.dm, round) != kAnswered) {
            state.SkipWithError("a write-back did not change every answered word");
            break;
        }
        layer += std::chrono::duration<double>(t1 - t0).count();
        raw += std::chrono::duration<double>(t3 - t2).count();
        log.fold();
    }
    state.counters["layer_ms"] = benchmark::Counter(layer * 1000 / double(state.iterations()));
    state.counters["raw_ms"] = benchmark::Counter(raw * 1000 / double(state.iterations()));
    state.counters["layer_over_raw"] = raw > 0 ? layer / raw : 0;
}
BENCHMARK(BM_SpellWriteBack500_LayerOverRaw)->Unit(benchmark::kMillisecond);

}  // namespace
