#include "rules/answerhistory.h"
#include "rules/testsummary.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>

namespace {

struct Shift {
    const char *old;
    const char *afterRight;
    const char *afterWrong;
};
void PrintTo(const Shift &c, std::ostream *os) { PrintCase(os, c.old); }

class MasterTypeShift : public ::testing::TestWithParam<Shift> {};

TEST_P(MasterTypeShift, RightWrongAndRegret)
{
    const QString old = QString::fromUtf8(GetParam().old);
    const QString right = PShiftMasterType(old, true);
    EXPECT_EQ(right, QString::fromUtf8(GetParam().afterRight));
    EXPECT_EQ(PShiftMasterType(old, false), QString::fromUtf8(GetParam().afterWrong));
    // A regretted right answer ends where a wrong one would have.
    EXPECT_EQ(PRegretMasterType(right), QString::fromUtf8(GetParam().afterWrong));
}

INSTANTIATE_TEST_SUITE_P(Histories, MasterTypeShift,
                         ::testing::Values(Shift{"01", "11", "10"}, Shift{"10", "01", "00"}, Shift{"11", "11", "10"},
                                           Shift{"00", "01", "00"}, Shift{"", "1", "0"}, Shift{"1", "11", "10"},
                                           Shift{"未知", "知1", "知0"}, Shift{"1\U0001F600", "\U0001F6001", "\U0001F6000"}));

TEST(MasteredDelta, CountsNewlyRightMinusNewlyWrong)
{
    EXPECT_EQ(PMasteredDelta({"01", "11", "01", "10", "00", "01", "1"}), 2);
    EXPECT_EQ(PMasteredDelta({"10", "10"}), -2);
    EXPECT_EQ(PMasteredDelta({}), 0);
}

struct Percent {
    int part;
    int total;
    int percent;
};
void PrintTo(const Percent &c, std::ostream *os) { PrintCase(os, c.part, c.total); }

class WholePercent : public ::testing::TestWithParam<Percent> {};

TEST_P(WholePercent, TruncatesWithoutFloatingError)
{
    EXPECT_EQ(PPercent(GetParam().part, GetParam().total), GetParam().percent);
}

INSTANTIATE_TEST_SUITE_P(Counts, WholePercent,
                         ::testing::Values(Percent{29, 50, 58}, Percent{5, 7, 71}, Percent{4, 7, 57}, Percent{6, 6, 100},
                                           Percent{2, 3, 66}, Percent{57, 100, 57}, Percent{0, 0, 0}, Percent{3, 0, 0}));

TEST(SelectSummary, LinesInOrder)
{
    EXPECT_EQ(PSelectSummaryText(5, 1, 7, QStringLiteral("1分2秒"), QStringLiteral("40秒")),
              QStringLiteral("\n做对5题\n正确率 71%\n掌握率 57%\n浏览用时 1分2秒\n测试用时 40秒"));
    EXPECT_EQ(PSelectSummaryText(0, 0, 0, QStringLiteral("0秒"), QStringLiteral("0秒")),
              QStringLiteral("\n做对0题\n正确率 0%\n掌握率 0%\n浏览用时 0秒\n测试用时 0秒"));
}

}  // namespace
