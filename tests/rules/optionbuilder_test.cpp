#include "rules/optionbuilder.h"
#include "rules/queuedrandom.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

QVector<TPGroupRow> group(int n)
{
    QVector<TPGroupRow> g;
    for (int i = 0; i < n; ++i)
        g.append({QString::number(100 + i), QStringLiteral("w%1").arg(i), QStringLiteral("释%1").arg(i), "01"});
    return g;
}

struct Clamp {
    int count;
    int groupSize;
    int clamped;
};
void PrintTo(const Clamp &c, std::ostream *os) { PrintCase(os, c.count, c.groupSize); }

class OptionCount : public ::testing::TestWithParam<Clamp> {};

TEST_P(OptionCount, ClampedToWhatTheGroupAllows)
{
    EXPECT_EQ(PClampOptionCount(GetParam().count, GetParam().groupSize), GetParam().clamped);
    // The build gives every question exactly that many options.
    QueuedRandom random;
    for (const TPOptionRow &q : PBuildOptionRows(group(GetParam().groupSize), TestType::EnToCn, GetParam().count, random))
        EXPECT_EQ(q.options.size(), GetParam().clamped);
}

INSTANTIATE_TEST_SUITE_P(Counts, OptionCount,
                         ::testing::Values(Clamp{4, 10, 4}, Clamp{9, 20, 6}, Clamp{2, 20, 3}, Clamp{0, 8, 3},
                                           Clamp{6, 4, 4}, Clamp{6, 6, 6}, Clamp{3, 0, 0}));

TEST(TestTypes, UnknownTypeAsksTheMeaning)
{
    const TPGroupRow row{"1", "apple", "苹果", ""};
    EXPECT_EQ(PAnswerText(row, TestType::CnToEn), "apple");
    EXPECT_EQ(PAnswerText(row, TestType::EnToCn), "苹果");
    EXPECT_EQ(PAnswerText(row, TestType::ListenToCn), "苹果");
    for (const char *type : {"汉译英", "", "看英文选中文 "})
        EXPECT_EQ(PNormalTestType(QString::fromUtf8(type)), TestType::EnToCn) << type;
    EXPECT_EQ(PNormalTestType(TestType::CnToEn), TestType::CnToEn);
    EXPECT_EQ(PNormalTestType(TestType::ListenToCn), TestType::ListenToCn);
}

// Whatever the draws, every question offers its own answer once and distinct other rows.
TEST(DrawOptions, OwnRowOnceOthersDistinct)
{
    const QVector<TPGroupRow> g = group(9);
    for (quint32 seed = 1; seed <= 40; ++seed) {
        PSeedRandom(seed);
        const QVector<TPOptionRow> rows = PBuildOptionRows(g, TestType::CnToEn, 5, PRandom());
        ASSERT_EQ(rows.size(), g.size());
        for (int i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].row.id, g[i].id);
            EXPECT_EQ(rows[i].options.count(g[i].word), 1);
            EXPECT_EQ(QSet<QString>(rows[i].options.begin(), rows[i].options.end()).size(), 5);
        }
    }
}

TEST(DrawOptions, ScriptedDrawsPickFromThePoolWithoutTheQuestion)
{
    // Question 0 draws from rows 1,2,3: 2 takes row 3, then 0 takes row 1.
    QueuedRandom random({2, 0});
    const QVector<TPOptionRow> rows = PDrawOptions(group(4), TestType::EnToCn, 3, random);
    EXPECT_EQ(rows[0].options, QStringList({"释0", "释3", "释1"}));
    EXPECT_EQ(random.ranges.mid(0, 4), QList<int>({3, 2, 3, 2}));
}

TEST(ShuffleRightOption, SwapsTheRightAnswerToTheDrawnPosition)
{
    QVector<TPOptionRow> rows{{{}, {"a", "b", "c", "d"}}, {{}, {"e", "f", "g", "h"}}, {{}, {"i", "j", "k", "l"}}};
    QueuedRandom random({3, 0, 1});
    PShuffleRightOption(rows, 4, random);
    EXPECT_EQ(rows[0].options, QStringList({"d", "b", "c", "a"}));
    EXPECT_EQ(rows[1].options, QStringList({"e", "f", "g", "h"}));
    EXPECT_EQ(rows[2].options, QStringList({"j", "i", "k", "l"}));
    EXPECT_EQ(random.ranges, QList<int>({4, 4, 4}));
}

TEST(ShuffleRightOption, EveryPositionAboutEquallyOften)
{
    PSeedRandom(7);
    const QVector<TPGroupRow> g = group(10);
    QVector<int> at(4, 0);
    for (int build = 0; build < 400; ++build) {
        for (const TPOptionRow &q : PBuildOptionRows(g, TestType::EnToCn, 4, PRandom()))
            ++at[int(q.options.indexOf(q.row.explanation))];
    }
    for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(at[k], 1000, 100) << "position " << k + 1;
}

}  // namespace
