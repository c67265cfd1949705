// Crazy spell's session without a window: which rows a rule keeps, the phases, what a right or a
// wrong answer does to the words left, the marks a wrong answer stores, and the clock's end.

#include "sessions/crazyspellsession.h"

#include "rules/queuedrandom.h"
#include "support/qstringprinter.h"
#include "vocab/bankvocab.h"

#include <gtest/gtest.h>

namespace {

using Phase = TPCrazySpellSession::Phase;
const QString kToday = QStringLiteral("2026-12-07");

TPWordRecords rows()
{
    TPWordRecords out;
    for (auto [w, m, d] : {std::tuple{"alpha", "11", "2026-12-07"}, std::tuple{"beta", "00", "2026-12-07"},
                           std::tuple{"gamma", "01", "2026-12-01"}}) {
        TPWordRecord r;
        r.word = QString::fromLatin1(w);
        r.explanation = r.word + QStringLiteral("的意思");
        r.masterType = QString::fromLatin1(m);
        r.lastTested = QString::fromLatin1(d);
        out << r;
    }
    return out;
}

QStringList words(const TPCrazySpellSession &s)
{
    QStringList out;
    for (const TPWordRecord &r : s.words())
        out << r.word;
    return out;
}

struct RuleCase {
    const char *table;
    const char *rule;
    QStringList kept;
};
void PrintTo(const RuleCase &c, std::ostream *os) { PrintCase(os, c.table, c.rule); }

class CrazySessionRules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(CrazySessionRules, KeepTheRowsOfTheRuleAndBudgetEightSecondsAWord)
{
    const RuleCase &c = GetParam();
    TPCrazySpellSession s;
    s.load(rows(), QString::fromUtf8(c.table), QString::fromUtf8(c.rule), kToday);
    EXPECT_EQ(words(s), c.kept);
    EXPECT_EQ(s.phase(), Phase::Ready);
    EXPECT_EQ(s.current(), -1);
    EXPECT_EQ(s.game().budget(), 8 * int(c.kept.size()) + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CrazySessionRules,
    ::testing::Values(RuleCase{"WordTable", "今日学过的单词", {"alpha", "beta"}},
                      RuleCase{"WordTable", "已掌握的单词", {"alpha"}},
                      RuleCase{"WordTable", "未掌握的单词", {"beta", "gamma"}},
                      RuleCase{"WordTable", "本词表内全部单词", {"alpha", "beta", "gamma"}},
                      RuleCase{"TempTable", "已掌握的单词", {"alpha", "beta", "gamma"}}));

TEST(CrazySession, AWrongWordComesBackTwiceIsMarkedAndAllRightWins)
{
    TPCrazySpellSession s;
    s.load(rows(), Tbl::WordTable, QStringLiteral("未掌握的单词"), kToday);  // beta, gamma: 17 s
    QueuedRandom random({1, 2, 0, 0});
    EXPECT_EQ(s.answer(QStringLiteral("beta"), QStringLiteral("Hard"), random).word, QString()) << "not started";
    s.start(random);
    ASSERT_EQ(s.phase(), Phase::Playing);
    ASSERT_EQ(s.currentWord().word, QStringLiteral("gamma"));

    TPCrazySpellSession::Answer a = s.answer(QStringLiteral("Gamma"), QStringLiteral("Hard"), random);
    EXPECT_FALSE(a.right) << "letter case counts";
    EXPECT_EQ(a.effect, QStringLiteral("wrong"));
    ASSERT_EQ(a.write.words.size(), 1);
    const TPWordWrite &w = a.write.words.first();
    EXPECT_EQ(w.table, QStringLiteral("Hard"));
    EXPECT_EQ(w.keyField, Col::Word);
    EXPECT_EQ(w.keyValue, QStringLiteral("gamma"));
    EXPECT_EQ(w.fields, (TPFieldValues{{Col::MasterType, Code::Master00}, {Col::LastRight, Code::Wrong}}));
    EXPECT_EQ(words(s), (QStringList{"beta", "gamma", "gamma"}));
    EXPECT_EQ(s.currentWord().word, QStringLiteral("gamma")) << "the same word may come straight back";

    a = s.answer(QStringLiteral("gamma"), QStringLiteral("Hard"), random);
    EXPECT_TRUE(a.right);
    EXPECT_EQ(a.effect, QStringLiteral("right"));
    EXPECT_TRUE(a.write.words.isEmpty());
    EXPECT_EQ(words(s), (QStringList{"beta", "gamma"}));
    EXPECT_EQ(s.game().budget(), 20);
    s.answer(QStringLiteral("beta"), QString(), random);
    for (int i = 0; i < 5; ++i)
        s.tick();
    a = s.answer(QStringLiteral("gamma"), QString(), random);
    EXPECT_EQ(a.effect, QStringLiteral("victory"));
    EXPECT_EQ(s.phase(), Phase::Over);
    EXPECT_EQ(s.game().record(), 23 - 5) << "the last word's 3 seconds come after the record";
    EXPECT_EQ(s.game().budget(), 26);
    EXPECT_EQ(s.current(), -1);
    EXPECT_FALSE(s.tick()) << "the clock is off";
}

TEST(CrazySession, TimeRunsOutOnAnEmptyTableAfterOneSecond)
{
    TPCrazySpellSession s;
    s.load(rows(), Tbl::WordTable, QStringLiteral("今日学过的单词"), QStringLiteral("2027-01-01"));
    QueuedRandom random;
    s.start(random);
    EXPECT_EQ(s.current(), -1);
    EXPECT_TRUE(s.answer(QStringLiteral("alpha"), QString(), random).effect.isEmpty());
    EXPECT_TRUE(s.tick());
    EXPECT_EQ(s.phase(), Phase::Over);
    EXPECT_EQ(s.game().record(), 0);
}

}  // namespace
