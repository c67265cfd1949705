#include "rules/browserules.h"

#include <gtest/gtest.h>

namespace {

struct StepCase {
    int index, count;
    int select, deselect, next;
};
void PrintTo(const StepCase &c, std::ostream *os) { PrintCase(os, c.index, c.count); }

class AutoBrowseStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(AutoBrowseStep, SelectsTheRowAtThePositionAndLetsGoOfThePreviousOne)
{
    const StepCase c = GetParam();
    const TPAutoBrowseStep s = PAutoBrowseStep(c.index, c.count);
    EXPECT_EQ(s.select, c.select);
    EXPECT_EQ(s.deselect, c.deselect);
    EXPECT_EQ(s.next, c.next);
}

INSTANTIATE_TEST_SUITE_P(Walk, AutoBrowseStep,
                         ::testing::Values(StepCase{0, 5, 0, 4, 1},   // the top follows the last row
                                           StepCase{1, 5, 1, 0, 2},
                                           StepCase{4, 5, 4, 3, 5},   // the last row
                                           StepCase{5, 5, -1, -1, 0},  // past the end: one tick to wrap
                                           StepCase{9, 5, -1, -1, 0},  // the list shrank meanwhile
                                           StepCase{-1, 5, -1, -1, 0},
                                           StepCase{0, 1, 0, 0, 1},   // one word: shown and let go at once
                                           StepCase{0, 0, -1, -1, 0}),  // an empty group
                         [](const ::testing::TestParamInfo<StepCase> &i) {
                             return "At" + std::to_string(i.index) + "_Pos" + std::to_string(i.param.index + 1) + "Of" +
                                    std::to_string(i.param.count);
                         });

TEST(BrowseModeLayout, OnlyTheThreeModesChangeAnything)
{
    EXPECT_EQ(PBrowseModes(), (QStringList{QStringLiteral("正常浏览"), QStringLiteral("词义回想"), QStringLiteral("单词回想")}));
    for (const QString &m : PBrowseModes()) {
        const auto l = PBrowseModeLayout(m);
        ASSERT_TRUE(l.has_value());
        EXPECT_EQ(l->wordWidth + l->meaningWidth, 449) << m.toStdString();
        for (const QString &f : l->shown)
            EXPECT_FALSE(l->hidden.contains(f)) << f.toStdString();
    }
    // ReSent is named by the normal mode alone; the recall modes leave it as it is.
    EXPECT_FALSE(PBrowseModeLayout(QStringLiteral("词义回想"))->hidden.contains(QStringLiteral("ReSent")));
    for (const char *other : {"", "正常", "正常浏览 ", "随机"})
        EXPECT_FALSE(PBrowseModeLayout(QString::fromUtf8(other)).has_value()) << other;
}

}  // namespace
