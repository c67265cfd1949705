// The end of a spelling test and of a multiple-choice test on a 100-word group of a 5,000-word list:
// the session's write-back through the gateway, against the most careful raw SQLite code for the
// same effect: statements prepared once outside the clock, one transaction, one multi-field update
// per word and one per group row, the learner's counter added by one set-based update. The sides
// take turns, each on a group of its own (the raw side on the next 100 words, which the group table
// holds too), and each writes values the rows do not hold yet. Inside the clocks each side reports
// the rows it changed; outside them, both must have written every word of their group.

#include "core/datamodule.h"
#include "core/writeback.h"
#include "logfold.h"
#include "pairclock.h"
#include "rules/random.h"
#include "sessions/choicesession.h"
#include "sessions/spellsession.h"
#include "support/bankfixture.h"
#include "support/scripteddialogs.h"
#include "vocab/bankvocab.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr int kListWords = 5000;
constexpr int kGroup = 100;
const QString kToday = QStringLiteral("2026-12-07");

QString wordAt(int i) { return QStringLiteral("word%1").arg(i); }

struct Bank {
    QTemporaryDir dir;
    ScriptedDialogs quiet;
    std::unique_ptr<TPdatamodule> dm;

    Bank()
    {
        const QString path = dir.path() + QStringLiteral("/EnglishWord.lxb");
        BankFixture::makeBank(path);
        dm = std::make_unique<TPdatamodule>(dir.path() + QLatin1Char('/'), QStringList{path});
        JetTransaction t(dm->PConnection);
        for (int i = 0; i < kListWords; ++i) {
            dm->PInsertOneRecordToTable(Tbl::WordTable, Col::Word, wordAt(i));
            if (i < 2 * kGroup)
                dm->PInsertOneRecordToTable(Tbl::TempTable, Col::Word, wordAt(i));
        }
        dm->PInsertOneRecordToTable(Tbl::UserTable, Col::UserExperience, QStringLiteral("0"));
        t.commit();
        sqlite3_exec(dm->PConnection.handle(), "UPDATE UserTable SET 掌握单词数='0'", nullptr, nullptr, nullptr);
    }
    sqlite3 *db() { return dm->PConnection.handle(); }
};

int count(sqlite3 *db, const QByteArray &sql)
{
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
    const int n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
    sqlite3_finalize(st);
    return n;
}

// The rows Write changed, or -1 when it failed.
template <class F>
long long changedBy(sqlite3 *db, F &&Write)
{
    const long long before = sqlite3_total_changes64(db);
    return Write() ? sqlite3_total_changes64(db) - before : -1;
}

// Every draw 0: the questions come in group order.
struct FirstDraw : TPRandom {
    int below(int) override { return 0; }
};

// A spelling test whose every word was done Done times before and is now answered right.
TPSpellSession answeredSpelling(qint64 Done)
{
    TPWordRecords group;
    for (int i = 0; i < kGroup; ++i) {
        TPWordRecord r;
        r.word = wordAt(i);
        r.timesDone = QString::number(Done);
        r.timesWrong = QStringLiteral("0");
        r.experience = QStringLiteral("10");
        group << r;
    }
    TPSpellSession s;
    s.load(group);
    FirstDraw draw;
    s.start(draw);
    while (const TPWordRecord *q = s.current())
        s.answer(q->word, kToday, draw);
    return s;
}

// A multiple-choice test on Date whose words held master type Old, answered right and wrong by turn.
TPChoiceSession answeredChoice(const QString &Old, const QString &Date)
{
    QList<TPChoiceRow> rows;
    for (int i = 0; i < kGroup; ++i) {
        TPChoiceRow r;
        r.record.word = wordAt(i);
        r.record.explanation = QStringLiteral("释") + wordAt(i);
        r.record.masterType = Old;
        r.options = {r.record.explanation, QStringLiteral("x"), QStringLiteral("y")};
        rows << r;
    }
    TPChoiceSession s;
    s.load(rows, kGroup);
    FirstDraw draw;
    s.start(draw);
    for (int i = 0; s.phase() == TPChoiceSession::Phase::Asking; ++i)
        s.choose(i % 2 ? QStringLiteral("x") : s.question().rightText, Date, draw);
    return s;
}

// Raw statements, prepared once.
struct RawStatements {
    sqlite3 *db;
    std::vector<sqlite3_stmt *> st;
    RawStatements(sqlite3 *Db, std::initializer_list<const char *> Sql) : db(Db)
    {
        for (const char *s : Sql) {
            sqlite3_stmt *p = nullptr;
            sqlite3_prepare_v2(db, s, -1, &p, nullptr);
            st.push_back(p);
        }
    }
    ~RawStatements()
    {
        for (sqlite3_stmt *p : st)
            sqlite3_finalize(p);
    }
    bool step(sqlite3_stmt *p)
    {
        const bool ok = sqlite3_step(p) == SQLITE_DONE;
        sqlite3_reset(p);
        return ok;
    }
};

void text(sqlite3_stmt *st, int i, const char *s) { sqlite3_bind_text(st, i, s, -1, SQLITE_STATIC); }

void BM_Pair_SpellWriteBack100(benchmark::State &state)
{
    state.counters["goal"] = 1.3;
    Bank bank;
    TPLogFoldsOutsideTheClock log(bank.db());
    RawStatements raw(bank.db(), {"BEGIN", "COMMIT",
                                  "UPDATE WordTable SET 做过次数=?1, 做错次数=?2, 经验点数=?3, 上次是否做对=?4, "
                                  "最近测试时间=?5 WHERE 单词=?6",
                                  "UPDATE TempTable SET 上次是否做对=?1 WHERE 单词=?2",
                                  "UPDATE UserTable SET 经验值=CAST((SELECT 经验值 FROM UserTable LIMIT 1) AS INTEGER)+?1"});
    const QByteArray today = kToday.toUtf8();
    const QByteArray right = Code::Right.toUtf8();
    std::vector<QByteArray> words;
    for (int i = 0; i < kGroup; ++i)
        words.push_back(wordAt(kGroup + i).toUtf8());
    TPPairClock pair(state);
    qint64 round = 0;
    for (auto _ : state) {
        // Each side writes a count no row holds yet.
        const qint64 mine = ++round, theirs = ++round;
        const TPSpellSession session = answeredSpelling(mine - 1);
        const bool same = pair.run(
            [&] { return changedBy(bank.db(), [&] { return PWriteBack(session.writeBack(Tbl::WordTable)); }); },
            [&] {
                return changedBy(bank.db(), [&] {
                    bool ok = raw.step(raw.st[0]);
                    char done[24];
                    std::snprintf(done, sizeof done, "%lld", theirs);
                    sqlite3_stmt *list = raw.st[2], *group = raw.st[3], *user = raw.st[4];
                    for (const QByteArray &w : words) {
                        text(list, 1, done);
                        text(list, 2, "0");
                        text(list, 3, "9");
                        text(list, 4, right.constData());
                        text(list, 5, today.constData());
                        text(list, 6, w.constData());
                        ok = raw.step(list) && sqlite3_changes(bank.db()) == 1 && ok;
                        text(group, 1, right.constData());
                        text(group, 2, w.constData());
                        ok = raw.step(group) && ok;
                    }
                    sqlite3_bind_int64(user, 1, 10 * kGroup);
                    return raw.step(user) && raw.step(raw.st[1]) && ok;
                });
            });
        log.fold();
        const auto done = [&](qint64 n) {
            return count(bank.db(), "SELECT count(*) FROM WordTable WHERE 做过次数='" + QByteArray::number(n) + "'");
        };
        if (!same || done(mine) != kGroup || done(theirs) != kGroup) {
            state.SkipWithError("a side did not write back every word");
            break;
        }
    }
    // Both sides added the same experience each round.
    if (count(bank.db(), "SELECT CAST(经验值 AS INTEGER) FROM UserTable") != 2 * 10 * kGroup * int(state.iterations()))
        state.SkipWithError("the learner's experience was not added by both sides");
}
BENCHMARK(BM_Pair_SpellWriteBack100)->Unit(benchmark::kMillisecond);

void BM_Pair_ChoiceWriteBack100(benchmark::State &state)
{
    state.counters["goal"] = 1.3;
    Bank bank;
    TPLogFoldsOutsideTheClock log(bank.db());
    RawStatements raw(bank.db(), {"BEGIN", "COMMIT",
                                  "UPDATE WordTable SET 上次是否做对=?1, 最近测试时间=?2, 掌握类型=?3 WHERE 单词=?4",
                                  "UPDATE TempTable SET 上次是否做对=?1 WHERE 单词=?2",
                                  "UPDATE UserTable SET 掌握单词数=CAST((SELECT 掌握单词数 FROM UserTable LIMIT 1) AS INTEGER)+?1"});
    std::vector<QByteArray> words;
    for (int i = 0; i < kGroup; ++i)
        words.push_back(wordAt(kGroup + i).toUtf8());
    const QByteArray right = Code::Right.toUtf8(), wrong = Code::Wrong.toUtf8();
    TPPairClock pair(state);
    qint64 round = 0;
    for (auto _ : state) {
        // Each side stamps a date no row holds yet.
        const QString mineDate = QStringLiteral("2026-%1").arg(++round), theirDate = QStringLiteral("2026-%1").arg(++round);
        const TPChoiceSession session = answeredChoice(round % 4 == 2 ? QStringLiteral("1") : QStringLiteral("0"), mineDate);
        const QByteArray theirs = theirDate.toUtf8();
        const bool same = pair.run(
            [&] { return changedBy(bank.db(), [&] { return PWriteBack(session.writeBack(Tbl::WordTable)); }); },
            [&] {
                return changedBy(bank.db(), [&] {
                    bool ok = raw.step(raw.st[0]);
                    sqlite3_stmt *list = raw.st[2], *group = raw.st[3], *user = raw.st[4];
                    qint64 delta = 0;
                    for (int i = 0; i < kGroup; ++i) {
                        // Right and wrong by turn, as the program's session answered.
                        const bool r = i % 2 == 0;
                        const char *master = r ? "01" : "10";
                        delta += r ? 1 : -1;
                        text(list, 1, r ? right.constData() : wrong.constData());
                        text(list, 2, theirs.constData());
                        text(list, 3, master);
                        text(list, 4, words[size_t(i)].constData());
                        ok = raw.step(list) && sqlite3_changes(bank.db()) == 1 && ok;
                        text(group, 1, r ? right.constData() : wrong.constData());
                        text(group, 2, words[size_t(i)].constData());
                        ok = raw.step(group) && ok;
                    }
                    sqlite3_bind_int64(user, 1, delta);
                    return raw.step(user) && raw.step(raw.st[1]) && ok;
                });
            });
        log.fold();
        const auto stamped = [&](const QByteArray &date) {
            return count(bank.db(), "SELECT count(*) FROM WordTable WHERE 最近测试时间='" + date + "'");
        };
        if (!same || stamped(mineDate.toUtf8()) != kGroup || stamped(theirs) != kGroup) {
            state.SkipWithError("a side did not write back every word");
            break;
        }
    }
}
BENCHMARK(BM_Pair_ChoiceWriteBack100)->Unit(benchmark::kMillisecond);

}  // namespace
