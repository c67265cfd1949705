// The typing tests' rules: answer comparison, a word's statistics and the lesson's experience,
// levels, the summary, and crazy spell's clock, record and word choice.

#include "rules/answercheck.h"
#include "rules/crazyspellgame.h"
#include "rules/experience.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

const QString kToday = QStringLiteral("2026-12-07");

struct MatchCase {
    const char *typed;
    const char *word;
    bool right;
};
void PrintTo(const MatchCase &c, std::ostream *os) { PrintCase(os, c.typed, c.word); }

class SpellingMatch : public ::testing::TestWithParam<MatchCase> {};

TEST_P(SpellingMatch, FoldsOnlyAsciiLettersAndTrimsNothing)
{
    const MatchCase &c = GetParam();
    EXPECT_EQ(PSpellingMatches(QString::fromUtf8(c.typed), QString::fromUtf8(c.word)), c.right)
        << c.typed << " / " << c.word;
}

INSTANTIATE_TEST_SUITE_P(Cases, SpellingMatch,
                         ::testing::Values(MatchCase{"apple", "apple", true}, MatchCase{"Apple", "apple", true},
                                           MatchCase{"APPLE", "apple", true}, MatchCase{"apple", "Apple", true},
                                           MatchCase{" apple", "apple", false}, MatchCase{"apple ", "apple", false},
                                           MatchCase{"appl", "apple", false}, MatchCase{"", "apple", false},
                                           MatchCase{"", "", true}, MatchCase{"ice-cream", "Ice-Cream", true},
                                           MatchCase{"CAFÉ", "café", false}, MatchCase{"ＡＢ", "ａｂ", false},
                                           MatchCase{"[", "{", false}));

struct AnswerCase {
    const char *done, *wrong, *points;  // before
    bool right;
    qint64 lessonDelta;
    const char *doneAfter, *wrongAfter, *pointsAfter, *lastAfter;
};
void PrintTo(const AnswerCase &c, std::ostream *os) { PrintCase(os, c.done, c.wrong, c.points, c.right, c.lessonDelta); }

class SpellAnswer : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(SpellAnswer, ChangesTheRowAndTheLesson)
{
    const AnswerCase &c = GetParam();
    TPSpellRow row{QStringLiteral("7"), QStringLiteral("apple"), QString::fromUtf8(c.done),
                   QString::fromUtf8(c.wrong), QString::fromUtf8(c.points), QStringLiteral("未做"),
                   QStringLiteral("2000-01-01")};
    EXPECT_EQ(PApplySpellAnswer(row, c.right, kToday), c.lessonDelta);
    EXPECT_EQ(row.done, QString::fromUtf8(c.doneAfter));
    EXPECT_EQ(row.wrong, QString::fromUtf8(c.wrongAfter));
    EXPECT_EQ(row.points, QString::fromUtf8(c.pointsAfter));
    EXPECT_EQ(row.last, QString::fromUtf8(c.lastAfter));
    EXPECT_EQ(row.date, kToday);
    EXPECT_EQ(row.id, QStringLiteral("7"));
    EXPECT_EQ(row.word, QStringLiteral("apple"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpellAnswer,
    ::testing::Values(AnswerCase{"0", "0", "10", true, 10, "1", "0", "9", "对"},
                      AnswerCase{"4", "1", "2", true, 2, "5", "1", "1", "对"},
                      AnswerCase{"4", "1", "1", true, 1, "5", "1", "1", "对"},
                      AnswerCase{"4", "1", "0", true, 0, "5", "1", "0", "对"},
                      AnswerCase{"4", "1", "-3", true, -3, "5", "1", "-3", "对"},
                      AnswerCase{"3", "2", "10", false, -5, "4", "3", "10", "错"},
                      AnswerCase{"3", "2", "1", false, -5, "4", "3", "1", "错"},
                      // counters left empty or spoiled read as 0 and never abort the test
                      AnswerCase{"", "", "", false, -5, "1", "1", "0", "错"},
                      AnswerCase{"x", "", "abc", true, 0, "1", "0", "0", "对"},
                      // 64 bits from reading to writing, held at the top instead of wrapping
                      AnswerCase{"2147483647", "2147483647", "2147483648", false, -5, "2147483648", "2147483648",
                                 "2147483648", "错"},
                      AnswerCase{"1", "0", "3000000000", true, 3000000000LL, "2", "0", "2999999999", "对"},
                      AnswerCase{"9223372036854775807", "9223372036854775807", "5", false, -5, "9223372036854775807",
                                 "9223372036854775807", "5", "错"},
                      AnswerCase{" 99999999999999999999", "0", "-99999999999999999999", true,
                                 std::numeric_limits<qint64>::min(), "9223372036854775807", "0",
                                 "-9223372036854775808", "对"}));

TEST(SpellRegret, TurnsOnlyARightAnswerAndOnlyOnce)
{
    TPSpellRow row{QStringLiteral("1"), QStringLiteral("pear"), QStringLiteral("2"), QStringLiteral("0"),
                   QStringLiteral("10"), QString(), QString()};
    const int delta = PApplySpellAnswer(row, true, kToday);
    EXPECT_EQ(delta, 10);
    ASSERT_TRUE(PApplyRegret(row));
    EXPECT_EQ(row.last, QStringLiteral("错"));
    EXPECT_EQ(row.wrong, QStringLiteral("1"));
    EXPECT_EQ(row.points, QStringLiteral("9")) << "the word's points are not given back";
    EXPECT_EQ(row.done, QStringLiteral("3"));
    const TPSpellRow once = row;
    EXPECT_FALSE(PApplyRegret(row));
    EXPECT_EQ(row.wrong, once.wrong);
    EXPECT_EQ(row.last, once.last);

    TPSpellRow full{QStringLiteral("2"), QStringLiteral("fig"), QStringLiteral("3000000000"),
                    QStringLiteral("9223372036854775807"), QStringLiteral("10"), QStringLiteral("对"), QString()};
    ASSERT_TRUE(PApplyRegret(full));
    EXPECT_EQ(full.wrong, QStringLiteral("9223372036854775807"));
}

struct LevelCase {
    qint64 total, level, next;
};
void PrintTo(const LevelCase &c, std::ostream *os) { PrintCase(os, c.total); }
class Levels : public ::testing::TestWithParam<LevelCase> {};

TEST_P(Levels, AtTheirBoundaries)
{
    const TPLevel l = PLevelOf(GetParam().total);
    EXPECT_EQ(l.level, GetParam().level) << GetParam().total;
    EXPECT_EQ(l.nextLevelAt, GetParam().next) << GetParam().total;
}

INSTANTIATE_TEST_SUITE_P(Cases, Levels,
                         ::testing::Values(LevelCase{0, 0, 2500}, LevelCase{2499, 0, 2500}, LevelCase{2500, 1, 5000},
                                           LevelCase{7400, 2, 7500}, LevelCase{7500, 3, 10000},
                                           LevelCase{-20, 0, 2500}, LevelCase{-2500, -1, 0},
                                           LevelCase{5000000000LL, 2000000, 5000002500LL},
                                           LevelCase{std::numeric_limits<qint64>::max(), 3689348814741910LL,
                                                     std::numeric_limits<qint64>::max()}));

TEST(SpellSummary, LinesAndNumbersAsShown)
{
    EXPECT_EQ(PSpellSummaryText(5, 1, 37, 7400),
              QStringLiteral("\n本次做对题数 4\n本次获得经验 37\n\n目前总经验值 7400\n目前等级 2\n下一等级经验值 7500\n\n"
                             "提示：经验等级仅代表您对单词拼写的熟悉程度。"));
    EXPECT_TRUE(PSpellSummaryText(0, 0, -30, -20).contains(QStringLiteral("\n本次获得经验 -30\n\n目前总经验值 -20\n目前等级 0\n下一等级经验值 2500\n")));
}

struct KeepCase {
    const char *rule, *date, *master;
    bool kept;
};
void PrintTo(const KeepCase &c, std::ostream *os) { PrintCase(os, c.rule, c.date, c.master); }
class CrazyRule : public ::testing::TestWithParam<KeepCase> {};

TEST_P(CrazyRule, KeepsTheRowsOfItsRule)
{
    const KeepCase &c = GetParam();
    EXPECT_EQ(PCrazyKeepsRow(QString::fromUtf8(c.rule), QString::fromUtf8(c.date), QString::fromUtf8(c.master), kToday),
              c.kept)
        << c.rule << " " << c.date << " " << c.master;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CrazyRule,
    ::testing::Values(KeepCase{"今日学过的单词", "2026-12-07", "00", true},
                      KeepCase{"今日学过的单词", "2026-12-06", "11", false},
                      KeepCase{"今日学过的单词", "2026-12-7", "11", false},
                      KeepCase{"已掌握的单词", "2000-01-01", "11", true}, KeepCase{"已掌握的单词", "", "10", false},
                      KeepCase{"已掌握的单词", "", "", false}, KeepCase{"未掌握的单词", "", "11", false},
                      KeepCase{"未掌握的单词", "", "", true}, KeepCase{"未掌握的单词", "", "未知", true},
                      KeepCase{"本词表内全部单词", "", "11", true}, KeepCase{"别的规则", "", "00", true}));

TEST(CrazyGame, TenWordsGiveEightyOneSecondsAndRightWordsThreeMore)
{
    TPCrazyGame g;
    g.prepare(10);
    EXPECT_EQ(g.budget(), 81);
    EXPECT_FALSE(g.tick());
    EXPECT_EQ(g.secondsLeft(), 80);
    g.rightAnswer();
    EXPECT_EQ(g.secondsLeft(), 83);
}

TEST(CrazyGame, ClockRunsOutAtTheBudgetTurningRedBelowSix)
{
    TPCrazyGame g;
    g.prepare(1);  // 9 s
    for (int i = 0; i < 3; ++i)
        ASSERT_FALSE(g.tick());
    EXPECT_FALSE(g.lowOnTime()) << g.secondsLeft();
    ASSERT_FALSE(g.tick());
    EXPECT_TRUE(g.lowOnTime()) << g.secondsLeft();
    for (int i = 0; i < 4; ++i)
        ASSERT_FALSE(g.tick());
    EXPECT_TRUE(g.tick());
    EXPECT_EQ(g.secondsLeft(), 0);
}

TEST(CrazyGame, EmptyListIsLostAfterOneSecondWithRecordZero)
{
    TPCrazyGame g;
    g.prepare(0);
    EXPECT_EQ(g.budget(), 1);
    EXPECT_TRUE(g.tick());
    g.gameOver();
    EXPECT_EQ(g.record(), 0);
}

TEST(CrazyGame, ALostGameNeverLowersTheRecordAndANewGameKeepsIt)
{
    TPCrazyGame g;
    g.prepare(3);  // 25 s
    for (int i = 0; i < 8; ++i)
        g.tick();
    g.gameOver();  // won with 17 left
    EXPECT_EQ(g.record(), 17);
    g.prepare(1);
    while (!g.tick()) {
    }
    g.gameOver();
    EXPECT_EQ(g.record(), 17);
    g.resetRecord();
    EXPECT_EQ(g.record(), 0);
}

TEST(CrazyGame, SharedEffectCounterStopsAtTheFirstTickPastTen)
{
    TPCrazyGame g;
    g.restartEffects();
    int ticks = 0;
    while (!g.effectTickEnds())
        ++ticks;
    EXPECT_EQ(ticks, 10);
    g.restartEffects();
    for (int i = 0; i < 6; ++i)
        g.effectTickEnds();  // another animation's ticks count too
    int more = 0;
    while (!g.effectTickEnds())
        ++more;
    EXPECT_EQ(more, 4);
}

}  // namespace
