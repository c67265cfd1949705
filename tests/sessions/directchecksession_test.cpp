// Tick-to-memorise's session without a window: the filter, a toggle and what it stores, marks of
// ticked rows, ticks, sorting, and the remembered row.

#include "sessions/directchecksession.h"

#include "support/qstringprinter.h"
#include "vocab/bankvocab.h"

#include <gtest/gtest.h>

namespace {

using Filter = TPDirectCheckSession::Filter;
const QString kToday = QStringLiteral("2026-12-07");
const QString T = QStringLiteral("Hard");

TPTickWords list()
{
    TPTickWords out;
    for (auto [w, m, d] : {std::tuple{"apple", "00", "2000-01-01"}, std::tuple{"pear", "11", "2026-12-01"},
                           std::tuple{"plum", "", "2000-01-02"}, std::tuple{"fig", "11", "2026-12-02"},
                           std::tuple{"kiwi", "01", "2026-12-03"}})
        out << TPTickWord{QString::fromLatin1(w), QString::fromLatin1(m), QString::fromLatin1(d)};
    return out;
}

QStringList shown(const TPDirectCheckSession &s)
{
    QStringList out;
    for (int i = 0; i < s.count(); ++i)
        out << s.word(i).word + QLatin1Char(' ') + s.word(i).masterType + QLatin1Char(' ') + s.word(i).lastTested +
                   (s.isTicked(i) ? QStringLiteral("*") : QString()) +
                   (s.meaning(i).isEmpty() ? QString() : QLatin1Char(' ') + s.meaning(i));
    return out;
}

QStringList writes(const TPWriteBack &w)
{
    QStringList out;
    for (const TPWordWrite &x : w.words) {
        QString line = x.table + QLatin1Char(':') + x.keyField + QLatin1Char('=') + x.keyValue;
        for (const auto &f : x.fields)
            line += QLatin1Char(' ') + f.first + QLatin1Char('=') + f.second;
        out << line;
    }
    return out;
}

struct FilterCase {
    const char *text;
    QStringList words;
};
void PrintTo(const FilterCase &c, std::ostream *os) { PrintCase(os, c.text); }

class DirectCheckSessionFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(DirectCheckSessionFilter, KeepsTheRowsTheFilterShows)
{
    TPDirectCheckSession s;
    s.load(list(), TPDirectCheckSession::filterOf(QString::fromUtf8(GetParam().text)));
    QStringList words;
    for (int i = 0; i < s.count(); ++i)
        words << s.word(i).word;
    EXPECT_EQ(words, GetParam().words);
    EXPECT_EQ(s.checkIndex(), 0);
}

INSTANTIATE_TEST_SUITE_P(Filters, DirectCheckSessionFilter,
                         ::testing::Values(FilterCase{"显示全部单词", {"apple", "pear", "plum", "fig", "kiwi"}},
                                           FilterCase{"只显示已掌握的", {"pear", "fig"}},
                                           FilterCase{"只显示未掌握的", {"apple", "plum", "kiwi"}},
                                           FilterCase{"其它", {"apple", "pear", "plum", "fig", "kiwi"}}));

struct ToggleCase {
    Filter filter;
    int row;
    QStringList stored;
    QStringList after;
    bool leaves = false;
};
void PrintTo(const ToggleCase &c, std::ostream *os) { PrintCase(os, c.filter, c.row); }

class DirectCheckSessionToggle : public ::testing::TestWithParam<ToggleCase> {};

TEST_P(DirectCheckSessionToggle, StoresTheMarkAndLeavesTheFilterTrue)
{
    const ToggleCase &c = GetParam();
    TPDirectCheckSession s;
    s.load(list(), c.filter);
    s.setTicked(s.count() - 1, true);  // the tick stays with its word when a row before it leaves
    EXPECT_EQ(writes(s.toggleWrite(T, c.row, kToday)), c.stored);
    const bool left = s.toggled(c.row, kToday);
    EXPECT_EQ(shown(s), c.after);
    EXPECT_EQ(left, c.leaves);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DirectCheckSessionToggle,
    ::testing::Values(
        ToggleCase{Filter::All, 2, {"Hard:单词=plum 最近测试时间=2026-12-07 掌握类型=11"},
                   {"apple 00 2000-01-01", "pear 11 2026-12-01", "plum 11 2026-12-07", "fig 11 2026-12-02",
                    "kiwi 01 2026-12-03*"}},
        ToggleCase{Filter::All, 1, {"Hard:单词=pear 掌握类型=00"},
                   {"apple 00 2000-01-01", "pear 00 2026-12-01", "plum  2000-01-02", "fig 11 2026-12-02",
                    "kiwi 01 2026-12-03*"}},
        ToggleCase{Filter::Mastered, 0, {"Hard:单词=pear 掌握类型=00"}, {"fig 11 2026-12-02*"}, true},
        ToggleCase{Filter::Unmastered, 2, {"Hard:单词=kiwi 最近测试时间=2026-12-07 掌握类型=11"},
                   {"apple 00 2000-01-01", "plum  2000-01-02"}, true},
        // No row under the pointer, or past the end: nothing stored, nothing changed.
        ToggleCase{Filter::Mastered, -1, {}, {"pear 11 2026-12-01", "fig 11 2026-12-02*"}},
        ToggleCase{Filter::Mastered, 2, {}, {"pear 11 2026-12-01", "fig 11 2026-12-02*"}}));

TEST(DirectCheckSession, MarksTicksAndForgetsTheRememberedRowOnAReloadOrSort)
{
    TPDirectCheckSession s;
    s.load(list(), Filter::All);
    s.setTicked(0, true);
    s.setTicked(2, true);
    s.setTicked(9, true);  // no such row
    EXPECT_EQ(s.tickedWords(), (QStringList{"apple", "plum"}));
    EXPECT_EQ(writes(s.markWrite(T, Code::Master11, kToday)),
              (QStringList{"Hard:单词=apple 掌握类型=11 最近测试时间=2026-12-07",
                           "Hard:单词=plum 掌握类型=11 最近测试时间=2026-12-07"}));
    EXPECT_EQ(writes(s.markWrite(T, Code::Master00, kToday)),
              (QStringList{"Hard:单词=apple 掌握类型=00", "Hard:单词=plum 掌握类型=00"}));
    s.marked(Code::Master11, kToday);
    EXPECT_EQ(shown(s), (QStringList{"apple 11 2026-12-07*", "pear 11 2026-12-01", "plum 11 2026-12-07*",
                                     "fig 11 2026-12-02", "kiwi 01 2026-12-03"}))
        << "the filter is not applied again";

    s.invertTicks();
    EXPECT_EQ(s.tickedWords(), (QStringList{"pear", "fig", "kiwi"}));
    s.tickMastered();
    EXPECT_EQ(s.tickedWords(), (QStringList{"apple", "pear", "plum", "fig"}));
    s.tickAll();
    EXPECT_EQ(s.tickedCount(), 5);

    s.select(4);
    s.showMeaning(4, QStringLiteral("n. 猕猴桃"));
    s.sortBy(2);  // by the meaning shown, descending first
    EXPECT_EQ(s.checkIndex(), 0);
    EXPECT_EQ(shown(s).first(), QStringLiteral("kiwi 01 2026-12-03* n. 猕猴桃")) << "tick and meaning move with the row";
    s.sortBy(0);
    EXPECT_EQ(shown(s).first(), QStringLiteral("apple 11 2026-12-07*")) << "then ascending";
    EXPECT_EQ(shown(s).last(), QStringLiteral("plum 11 2026-12-07*"));

    s.select(3);
    s.setTicked(0, false);
    s.removeTicked();
    EXPECT_EQ(shown(s), QStringList{QStringLiteral("apple 11 2026-12-07")});
    EXPECT_EQ(s.checkIndex(), -1) << "the remembered row left with the others";
    s.load(list(), Filter::Unmastered);
    EXPECT_EQ(s.checkIndex(), 0);
    EXPECT_EQ(s.tickedCount(), 0);
}

}  // namespace
