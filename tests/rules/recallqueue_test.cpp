// Quick recall's queue: which words are due, how a result shifts the master type, where the
// copies of a forgotten word land, and what is worth saving.

#include "rules/recallqueue.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>

namespace {

const QString kToday = QStringLiteral("2026-12-07");
const QString kEarlier = QStringLiteral("2026-12-06");

TPRecallRow row(const QString &word, const char *master = "00", const QString &date = QStringLiteral("2000-01-01"))
{
    return {word, word + QStringLiteral("的意思"), date, QString::fromUtf8(master)};
}

QVector<TPRecallRow> words(int n)
{
    QVector<TPRecallRow> rows;
    for (int i = 0; i < n; ++i)
        rows << row(QStringLiteral("w%1").arg(i));
    return rows;
}

QStringList wordsOf(const TPRecallQueue &q)
{
    QStringList out;
    for (const TPRecallRow &r : q.rows())
        out << r.word;
    return out;
}

struct DueCase {
    const char *master;
    const char *date;
    bool due;
};
void PrintTo(const DueCase &c, std::ostream *os) { PrintCase(os, c.master, c.date); }

class RecallDue : public ::testing::TestWithParam<DueCase> {};

TEST_P(RecallDue, LeavesOutMasteredAndRecalledToday)
{
    const DueCase &c = GetParam();
    const TPRecallRow r = row(QStringLiteral("w"), c.master, QString::fromUtf8(c.date));
    EXPECT_EQ(PRecallIsDue(r, kToday), c.due) << c.master << " " << c.date;
    TPRecallQueue q;
    q.load({row(QStringLiteral("before")), r, row(QStringLiteral("after"))}, kToday);
    const QStringList expected = c.due ? QStringList{"before", "w", "after"} : QStringList{"before", "after"};
    EXPECT_EQ(wordsOf(q), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecallDue,
    ::testing::Values(DueCase{"11", "2026-12-07", false}, DueCase{"11", "2000-01-01", false},
                      DueCase{"01", "2026-12-07", false}, DueCase{"01", "2000-01-01", true},
                      DueCase{"01", "2026-12-06", true}, DueCase{"10", "2026-12-07", true},
                      DueCase{"00", "2026-12-07", true}, DueCase{"", "2026-12-07", true},
                      DueCase{"未知", "2026-12-07", true}, DueCase{"01", "2026-12-7", true}));

struct ShiftCase {
    const char *before;
    bool remembered;
    const char *after;
};
void PrintTo(const ShiftCase &c, std::ostream *os) { PrintCase(os, c.before, c.remembered); }

class RecallShift : public ::testing::TestWithParam<ShiftCase> {};

TEST_P(RecallShift, KeepsTheLastResultAndAddsTheNew)
{
    const ShiftCase &c = GetParam();
    EXPECT_EQ(PRecallShift(QString::fromUtf8(c.before), c.remembered), QString::fromUtf8(c.after));
}

INSTANTIATE_TEST_SUITE_P(Cases, RecallShift,
                         ::testing::Values(ShiftCase{"01", true, "11"}, ShiftCase{"01", false, "10"},
                                           ShiftCase{"10", true, "01"}, ShiftCase{"00", false, "00"},
                                           ShiftCase{"", true, "1"}, ShiftCase{"", false, "0"},
                                           ShiftCase{"未知", true, "知1"}, ShiftCase{"未知", false, "知0"},
                                           // a character beyond the first plane is kept whole
                                           ShiftCase{"0\U0001F600", true, "\U0001F6001"},
                                           ShiftCase{"\U00020BB7", false, "\U00020BB70"}));

struct GapCase {
    int words;
    int index;
    QVector<int> placed;
};
void PrintTo(const GapCase &c, std::ostream *os) { PrintCase(os, c.words, c.index); }

class RecallRepeats : public ::testing::TestWithParam<GapCase> {};

TEST_P(RecallRepeats, CopiesLandAtTheGapsOrAtTheEnd)
{
    const GapCase &c = GetParam();
    TPRecallQueue q;
    QVector<TPRecallRow> rows = words(c.words);
    rows[c.index].masterType = QStringLiteral("01");
    q.load(rows, kToday);
    for (int i = 0; i < c.index; ++i)
        q.next();
    const QString word = q.row(c.index).word;

    EXPECT_EQ(q.forgotten(), c.placed);
    ASSERT_EQ(q.count(), c.words + 5);
    EXPECT_EQ(q.index(), c.index) << "the forgotten word stays current until 继续";
    EXPECT_EQ(q.row(c.index).masterType, QString()) << "the row itself keeps no result";
    QVector<int> copies;
    for (int i = 0; i < q.count(); ++i) {
        if (i != c.index && q.row(i).word == word) {
            copies << i;
            EXPECT_EQ(q.row(i).masterType, QStringLiteral("10"));
            EXPECT_EQ(q.row(i).meaning, word + QStringLiteral("的意思"));
        }
    }
    EXPECT_EQ(copies, c.placed);
    // The other words keep their order.
    QStringList others = wordsOf(q);
    others.removeAll(word);
    QStringList expected;
    for (const TPRecallRow &r : rows)
        if (r.word != word)
            expected << r.word;
    EXPECT_EQ(others, expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, RecallRepeats,
                         ::testing::Values(GapCase{200, 0, {2, 6, 13, 49, 120}}, GapCase{10, 0, {2, 6, 12, 13, 14}},
                                           GapCase{1, 0, {1, 2, 3, 4, 5}}, GapCase{10, 7, {9, 11, 12, 13, 14}},
                                           GapCase{10, 9, {10, 11, 12, 13, 14}},
                                           GapCase{130, 10, {12, 16, 23, 59, 130}}));

TEST(RecallQueue, AForgottenWordRecalledOnItsLastCopyIsDatedOnlyThere)
{
    QVector<TPRecallRow> rows = words(3);
    rows[0].masterType = QStringLiteral("01");
    rows[0].testDate = kEarlier;
    TPRecallQueue q;
    q.load(rows, kToday);
    q.forgotten();  // w0 w1 w0 w2 w0 w0 w0 w0
    ASSERT_EQ(wordsOf(q), (QStringList{"w0", "w1", "w0", "w2", "w0", "w0", "w0", "w0"}));
    q.next();
    EXPECT_FALSE(q.hasResults(kToday)) << "only 否 so far";
    EXPECT_TRUE(q.resultsToSave(kToday).isEmpty());

    q.remembered(kToday);  // w1: "00" -> "01", dated
    EXPECT_EQ(q.row(1).masterType, QStringLiteral("01"));
    EXPECT_EQ(q.row(1).testDate, kToday);
    q.remembered(kToday);  // a copy of w0 with more ahead: no date
    EXPECT_EQ(q.row(2).masterType, QStringLiteral("01"));
    EXPECT_EQ(q.row(2).testDate, kEarlier);
    while (q.index() < q.count() - 1)
        q.remembered(kToday);
    EXPECT_EQ(q.row(q.count() - 2).testDate, kEarlier);
    q.remembered(kToday);
    EXPECT_TRUE(q.atEnd());
    EXPECT_EQ(q.row(q.count() - 1).masterType, QStringLiteral("01"));
    EXPECT_EQ(q.row(q.count() - 1).testDate, kToday);

    const QVector<TPRecallRow> saved = q.resultsToSave(kToday);
    ASSERT_EQ(saved.size(), 3);
    EXPECT_EQ(saved[0].word, QStringLiteral("w1"));
    EXPECT_EQ(saved[1].word, QStringLiteral("w2"));
    EXPECT_EQ(saved[2].word, QStringLiteral("w0"));
    EXPECT_EQ(saved[2].masterType, QStringLiteral("01"));
}

TEST(RecallQueue, AsksToSaveOnlyForAMasteredRowOrOneRecalledToday)
{
    struct Case {
        const char *master;
        QString date;
        bool remember;  // else forgotten
        bool asks;
    };
    // The first of two rows of one word is answered, so it is never dated: only "11" asks then.
    for (const Case &c : {Case{"01", kEarlier, true, true}, Case{"00", kEarlier, true, false},
                          Case{"00", kEarlier, false, false}, Case{"10", kToday, false, false}}) {
        TPRecallQueue q;
        q.load({row(QStringLiteral("b"), c.master, c.date), row(QStringLiteral("b"), c.master, c.date)}, kToday);
        if (c.remember)
            q.remembered(kToday);
        else
            q.forgotten();
        EXPECT_EQ(q.row(0).testDate, c.date);
        EXPECT_EQ(q.hasResults(kToday), c.asks) << c.master << " " << c.remember;
    }
    TPRecallQueue q;
    q.load({row(QStringLiteral("a"), "10", kToday), row(QStringLiteral("b"), "00", kEarlier)}, kToday);
    EXPECT_FALSE(q.hasResults(kToday)) << "nothing answered yet";
    q.next();
    q.remembered(kToday);
    EXPECT_TRUE(q.hasResults(kToday)) << "b: 01 dated today";
    ASSERT_EQ(q.resultsToSave(kToday).size(), 2) << "a was dated today already and is rewritten unchanged";
    EXPECT_EQ(q.resultsToSave(kToday)[0].masterType, QStringLiteral("10"));
}

TEST(RecallQueue, EmptyAndOneWordQueuesAreSafe)
{
    TPRecallQueue q;
    q.load({row(QStringLiteral("m"), "11")}, kToday);
    EXPECT_TRUE(q.isEmpty());
    EXPECT_TRUE(q.atEnd());
    EXPECT_TRUE(q.forgotten().isEmpty());
    q.remembered(kToday);
    EXPECT_EQ(q.count(), 0);
    EXPECT_GT(q.progressMaximum(), 0);

    q.load({row(QStringLiteral("one"))}, kToday);
    EXPECT_EQ(q.progressMaximum(), 1) << "0 to 0 would show a busy bar";
    q.remembered(kToday);
    EXPECT_TRUE(q.atEnd());
    q.load(words(5), kToday);
    EXPECT_EQ(q.progressMaximum(), 4);
}

}  // namespace
