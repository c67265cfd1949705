// Quick recall's session without a window: the phases an answer leads to, whether closing asks to
// save, and exactly what the save writes (both fields of a word in one write, queue order).

#include "sessions/recallsession.h"

#include "support/qstringprinter.h"
#include "vocab/bankvocab.h"

#include <gtest/gtest.h>

namespace {

using Phase = TPRecallSession::Phase;
const QString kToday = QStringLiteral("2026-12-07");
const QString kOld = QStringLiteral("2026-12-01");

TPWordRecord rec(const char *word, const char *master, const QString &date = kOld)
{
    TPWordRecord r;
    r.word = QString::fromUtf8(word);
    r.explanation = r.word + QStringLiteral("的解释");
    r.masterType = QString::fromUtf8(master);
    r.lastTested = date;
    return r;
}

// Answers, one letter per word shown: r = "是" then "【正确】"; n = "否" then "继续"; w = "是",
// "【错误】", "继续".
void play(TPRecallSession &s, const char *answers)
{
    for (const char *a = answers; *a; ++a) {
        ASSERT_EQ(s.phase(), Phase::Asking) << a;
        if (*a == 'r') {
            s.yes();
            ASSERT_EQ(s.phase(), Phase::Judging);
            s.right();
        } else {
            if (*a == 'w') {
                s.yes();
                ASSERT_EQ(s.phase(), Phase::Judging);
            }
            s.no();
            ASSERT_EQ(s.phase(), Phase::Told);
            s.next();
        }
    }
}

// "word lastTested masterType" of every write, with its fields in order.
QStringList writes(const TPWriteBack &w)
{
    QStringList out;
    for (const TPWordWrite &x : w.words) {
        EXPECT_EQ(x.table, Tbl::WordTable);
        EXPECT_EQ(x.keyField, Col::Word);
        QStringList fields;
        for (const auto &f : x.fields)
            fields << f.first + QLatin1Char('=') + f.second;
        out << x.keyValue + QLatin1Char(' ') + fields.join(QLatin1Char(' '));
    }
    EXPECT_TRUE(w.learnerAdds.isEmpty());
    return out;
}

QString write(const char *word, const QString &date, const char *master)
{
    return QString::fromUtf8(word) + QStringLiteral(" 最近测试时间=") + date + QStringLiteral(" 掌握类型=") +
           QString::fromUtf8(master);
}

struct SaveCase {
    const char *name;
    TPWordRecords list;
    const char *answers;
    Phase after;
    bool asks;
    QStringList saved;
};
void PrintTo(const SaveCase &c, std::ostream *os) { PrintCase(os, c.name); }

class RecallSessionSave : public ::testing::TestWithParam<SaveCase> {};

TEST_P(RecallSessionSave, AsksAndWritesExactlyTheRowsAnsweredToday)
{
    const SaveCase &c = GetParam();
    TPRecallSession s;
    s.load(c.list, kToday);
    play(s, c.answers);
    EXPECT_EQ(s.phase(), c.after);
    EXPECT_EQ(s.hasResults(), c.asks);
    EXPECT_EQ(writes(s.writeBack(Tbl::WordTable)), c.saved);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecallSessionSave,
    ::testing::Values(
        // Never tested: an empty type becomes "1", "未知" becomes "知1"; both are answers of today.
        SaveCase{"NeverTested", {rec("a", ""), rec("b", "未知")}, "rr", Phase::Over, true,
                 {write("a", kToday, "1"), write("b", kToday, "知1")}},
        SaveCase{"FirstOnlyThenClosed", {rec("a", ""), rec("b", "00")}, "r", Phase::Asking, true,
                 {write("a", kToday, "1")}},
        SaveCase{"MasteredAndRecalled", {rec("a", "01"), rec("b", "10")}, "rr", Phase::Over, true,
                 {write("a", kToday, "11"), write("b", kToday, "01")}},
        // Only forgotten: nothing asked, nothing written.
        SaveCase{"AllForgotten", {rec("a", "00"), rec("b", "")}, "nw", Phase::Asking, false, {}},
        // A row dated today that nobody answered is written as it was, but asks nothing by itself.
        SaveCase{"DatedTodayUnanswered", {rec("a", "10", kToday), rec("b", "00")}, "", Phase::Asking, false,
                 {write("a", kToday, "10")}},
        SaveCase{"DatedTodayAndARightAnswer", {rec("a", "10", kToday), rec("b", "00")}, "rr", Phase::Over, true,
                 {write("a", kToday, "01"), write("b", kToday, "01")}},
        // A word of two rows: the first judged right gets no date while its twin is ahead.
        SaveCase{"TwinAhead", {rec("a", "10"), rec("b", "00"), rec("a", "00")}, "r", Phase::Asking, false, {}},
        SaveCase{"TwinAnsweredToo", {rec("a", "10"), rec("b", "00"), rec("a", "00")}, "rnr", Phase::Asking, true,
                 {write("a", kToday, "01")}},
        // Forgotten then recalled on every copy: only the last copy is dated, and it is written.
        SaveCase{"RecalledOnTheLastCopy", {rec("x", "01")}, "nrrrrr", Phase::Over, true,
                 {write("x", kToday, "01")}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(RecallSession, HoldsTheDueRowsWholeAndPutsCopiesOfAForgottenOneInTheQueue)
{
    TPWordRecords list;
    for (const char *w : {"w0", "w1", "w2", "w3", "w4", "w5", "w6", "w7", "w8", "w9"})
        list << rec(w, "00");
    list.prepend(rec("mastered", "11"));
    list.prepend(rec("recalled", "01", kToday));
    list[2].masterType = QStringLiteral("01");
    list[2].category = QStringLiteral("基本词");
    TPRecallSession s;
    s.load(list, kToday);
    ASSERT_EQ(s.count(), 10);
    EXPECT_EQ(s.current().word, QStringLiteral("w0"));
    EXPECT_EQ(s.progressMaximum(), 9);

    s.right();  // not judging yet: ignored
    s.next();
    EXPECT_EQ(s.phase(), Phase::Asking);
    EXPECT_EQ(s.index(), 0);
    s.no();
    EXPECT_EQ(s.phase(), Phase::Told);
    QStringList queue;
    for (const TPWordRecord &r : s.rows())
        queue << r.word + QLatin1Char(' ') + r.masterType;
    EXPECT_EQ(queue, (QStringList{"w0 ", "w1 00", "w0 10", "w2 00", "w3 00", "w4 00", "w0 10", "w5 00", "w6 00",
                                  "w7 00", "w8 00", "w9 00", "w0 10", "w0 10", "w0 10"}));
    EXPECT_EQ(s.rows().at(2).category, QStringLiteral("基本词")) << "a copy is the whole row";
    EXPECT_EQ(s.rows().at(2).explanation, QStringLiteral("w0的解释"));
    s.next();
    EXPECT_EQ(s.index(), 1);
    EXPECT_EQ(s.progressMaximum(), 14);
}

TEST(RecallSession, NothingDueIsEmptyAndTakesNoAnswer)
{
    TPRecallSession s;
    s.load({rec("m", "11"), rec("r", "01", kToday)}, kToday);
    EXPECT_EQ(s.phase(), Phase::Empty);
    s.yes();
    s.no();
    s.right();
    EXPECT_EQ(s.phase(), Phase::Empty);
    EXPECT_FALSE(s.hasResults());
    EXPECT_TRUE(s.writeBack(Tbl::WordTable).words.isEmpty());
}

}  // namespace
