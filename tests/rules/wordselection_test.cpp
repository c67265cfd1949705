#include "rules/random.h"
#include "rules/wordselection.h"

#include "support/qstringprinter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace {

// Lists compare as one line of text, readable when they differ.
std::string line(const QStringList &l) { return l.join(QLatin1Char(' ')).toStdString(); }

// A word of a "createform" list: ID, 做过次数, 做错次数, 上次是否做对, 最近测试时间, 掌握类型.
TPWordRecord row(const QString &id, qint64 done, qint64 wrong, const QString &last = QStringLiteral("未做"),
                 const QString &date = QStringLiteral("2000-01-01"), const QString &master = QStringLiteral("00"))
{
    TPWordRecord r;
    r.id = id;
    r.word = QStringLiteral("w") + id;
    r.timesDone = QString::number(done);
    r.timesWrong = QString::number(wrong);
    r.category = QStringLiteral("基本词");
    r.lastRight = last;
    r.lastTested = date;
    r.masterType = master;
    return r;
}

TPBuilderRows rowsOf(const TPWordRecords &records)
{
    return TPBuilderRows(records.begin(), records.end());
}

TPWordRecords plain(const QStringList &ids)
{
    TPWordRecords out;
    for (const QString &id : ids)
        out << row(id, 0, 0);
    return out;
}

class ScriptedRandom : public TPRandom {
public:
    explicit ScriptedRandom(QVector<int> draws) : m_draws(std::move(draws)) {}
    int below(int n) override
    {
        const int v = m_next < m_draws.size() ? m_draws[m_next++] : 0;
        EXPECT_LT(v, n);
        return v;
    }

private:
    QVector<int> m_draws;
    int m_next = 0;
};

const QString kToday = QStringLiteral("2026-12-07");
const QString kYesterday = QStringLiteral("2026-12-06");
const QDateTime kNow(QDate(2026, 12, 7), QTime(10, 0));

// The bank's rows ordered by 最近测试时间 as a select would return them (ties in table order).
TPWordRecords ordered(TPWordRecords rows, bool descending)
{
    std::stable_sort(rows.begin(), rows.end(), [descending](const TPWordRecord &a, const TPWordRecord &b) {
        return descending ? a.lastTested > b.lastTested : a.lastTested < b.lastTested;
    });
    return rows;
}

// Replays the moves an observer reports on bare captions, as the builder's list views follow them.
struct Mirror {
    QStringList sides[2];
    explicit Mirror(const TPGroupLists &lists) : sides{lists.ids(SideCandidates), lists.ids(SideChosen)} {}
    void attach(TPGroupLists &lists)
    {
        lists.setObserver([this](TPSide from, int index) { sides[1 - from] << sides[from].takeAt(index); });
    }
};

struct ModeCase {
    const char *name;
    QString mode;
    int n;
    TPWordRecords candidates;
    QStringList chosenBefore;
    QStringList expectedChosen;  // in order
    QString refusal;
    QVector<int> draws = {};
    TPWordRecords bank = {};  // the whole current list, for the modes that reload
};

void PrintTo(const ModeCase &c, std::ostream *os) { *os << c.name; }

class SelectionModes : public ::testing::TestWithParam<ModeCase> {};

TEST_P(SelectionModes, FillTheChosenListInTheirOrder)
{
    const ModeCase &c = GetParam();
    TPGroupLists lists(rowsOf(c.candidates), rowsOf(plain(c.chosenBefore)));
    ScriptedRandom random(c.draws);
    TPSelectionContext context;
    context.n = c.n;
    context.mode = c.mode;
    context.today = kToday;
    context.now = kNow;
    context.random = &random;
    int reloads = 0;
    context.reload = [&](bool descending) {
        ++reloads;
        return rowsOf(ordered(c.bank, descending));
    };
    const QStringList candidatesBefore = lists.ids(SideCandidates);
    Mirror mirror(lists);

    // A reload replaces what the views show; the mirror follows from the reloaded rows.
    const auto run = [&] {
        TPSelectionContext observed = context;
        observed.reload = [&](bool descending) {
            TPBuilderRows rows = context.reload(descending);
            mirror.sides[SideCandidates].clear();
            mirror.sides[SideChosen].clear();
            for (const TPBuilderRow &r : rows)
                mirror.sides[SideCandidates] << r.string(TPBuilderRow::Id);
            return rows;
        };
        mirror.attach(lists);
        return PAutoCreateGroup(lists, observed);
    };
    EXPECT_EQ(run(), c.refusal);
    if (!c.refusal.isEmpty()) {
        EXPECT_EQ(line(lists.ids(SideCandidates)), line(candidatesBefore));
        EXPECT_EQ(line(lists.ids(SideChosen)), line(c.chosenBefore));
        EXPECT_EQ(reloads, 0);
        return;
    }
    EXPECT_EQ(line(lists.ids(SideChosen)), line(c.expectedChosen));
    EXPECT_EQ(lists.count(SideChosen), c.n);
    EXPECT_EQ(line(mirror.sides[SideChosen]), line(lists.ids(SideChosen)));
    EXPECT_EQ(line(mirror.sides[SideCandidates]), line(lists.ids(SideCandidates)));
    // Every word is in exactly one list.
    QStringList all = lists.ids(SideCandidates) + lists.ids(SideChosen);
    QStringList expectedAll = c.bank.isEmpty() ? candidatesBefore + c.chosenBefore : QStringList();
    for (const TPWordRecord &r : c.bank)
        expectedAll << r.id;
    all.sort();
    expectedAll.sort();
    EXPECT_EQ(line(all), line(expectedAll));
}

TPWordRecords curveRows()
{
    return {
        row("r4y", 4, 0, "对", kYesterday),    // due: 3-5 right, 1 day
        row("r6y", 6, 0, "对", kYesterday),    // not due: needs 7 days
        row("r2t", 2, 0, "对", kToday),        // due: 1-2 right, tested today
        row("r3t", 3, 0, "对", kToday),        // not due
        row("wt", 3, 2, "错", kToday),         // wrong today: pass 1
        row("r13", 13, 0, "对", "2026-08-20"), // 109 days: due
        row("r13b", 13, 0, "对", "2026-08-21"),// 108 days
        row("r0", 0, 0, "对", "2020-01-01"),   // right count 0 never due
        row("never", 0, 0, "未做", ""),        // pass 3
        row("wy", 2, 1, "错", kYesterday),     // pass 3
        row("nt", 0, 0, "未做", kToday),       // untested but dated today (added today): not pass 3
    };
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SelectionModes,
    ::testing::Values(
        ModeCase{"ChosenFull", "随机产生", 3, plain({"a", "b", "c", "d"}), {"x", "y", "z"}, {},
                 "选中单词已超3个,无法使用自动产词"},
        // The check looks at the candidates alone, though both lists hold enough words together.
        ModeCase{"TooFewCandidates", "随机产生", 15, plain({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11",
                                                            "12", "13", "14"}),
                 {"x", "y", "z"}, {}, "备选单词不足15个,无法使用自动产词"},
        ModeCase{"RandomTakesTheDrawnIndex", "随机产生", 4, plain({"a", "b", "c", "d", "e", "f"}), {},
                 {"c", "a", "f", "e"}, "", {2, 0, 3, 2}},
        ModeCase{"RandomExactlyN", "随机产生", 3, plain({"a", "b", "c"}), {}, {"c", "b", "a"}, "", {2, 1, 0}},
        ModeCase{"RandomStopsAtN", "随机产生", 3, plain({"a", "b", "c", "d"}), {"x"}, {"x", "a", "b"}, "", {0, 0, 0}},
        // Below-average step: right counts 2, 0, 1, 0 average 0 (3/4 truncated); none is below,
        // so the end of the list fills the group.
        ModeCase{"ManualModeUsesStepsBAndC", "手动选择", 2,
                 {row("a", 2, 0), row("b", 0, 0), row("c", 1, 0), row("d", 0, 0)}, {}, {"d", "c"}, ""},
        // Equal right counts: none is below the average, so the end of the list fills the group.
        ModeCase{"EqualCountsFallToTheEnd", "", 2, {row("a", 3, 0), row("b", 3, 0), row("c", 3, 0)}, {}, {"c", "b"}, ""},
        // A negative sum truncates toward zero: -1/3 gives 0, so only the word below 0 moves first.
        ModeCase{"AverageTruncatesTowardZero", "", 2, {row("a", 1, 2), row("b", 0, 0), row("c", 0, 0)}, {}, {"a", "c"},
                 ""},
        ModeCase{"SmartByMasterType", "智能产生", 4,
                 {row("a", 0, 0, "对", kToday, "00"), row("b", 0, 0, "对", kToday, "01"),
                  row("c", 0, 0, "对", kToday, "11"), row("d", 0, 0, "对", kToday, "10"),
                  row("e", 0, 0, "对", kToday, "01")},
                 {}, {"e", "b", "d", "a"}, ""},
        ModeCase{"SmartAllMasteredFilledByStepsBAndC", "智能产生", 2,
                 {row("a", 3, 0, "对", kToday, "11"), row("b", 1, 0, "对", kToday, "11"),
                  row("c", 5, 0, "对", kToday, "11")},
                 {}, {"b", "c"}, ""},
        ModeCase{"RollingWidensItsLimit", "滚动产生", 3,
                 {row("a", 9, 0), row("b", 4, 0), row("c", 12, 0), row("d", 7, 0), row("e", 6, 1)}, {},
                 {"b", "e", "d"}, ""},
        ModeCase{"ForgettingCurvePasses", "遗忘曲线", 6, curveRows(), {}, {"wt", "r13", "r2t", "r4y", "wy", "never"},
                 ""},
        // Manual picks go back: the group is rebuilt from the whole list.
        ModeCase{"RecentFirstSkipsToday", "最近优先", 3, plain({"t", "old", "y2", "e"}), {"y1"}, {"y2", "y1", "old"}, "",
                 {},
                 {row("y1", 1, 0, "对", kYesterday), row("t", 1, 0, "对", kToday), row("old", 1, 0, "对", "2026-01-01"),
                  row("y2", 1, 0, "对", kYesterday), row("e", 1, 0, "未做", "")}},
        ModeCase{"ErrorFirstNewestWrongFirst", "错误优先", 3, plain({"w1", "r1", "w2", "r2", "w0"}), {}, {"w2", "w1", "w0"}, "", {},
                 {row("w1", 2, 1, "错", "2026-11-01"), row("r1", 0, 0, "对", "2026-11-02"),
                  row("w2", 2, 1, "错", "2026-12-01"), row("r2", 9, 0, "对", "2026-12-05"),
                  row("w0", 2, 1, "错", "")}},
        // Oldest first on a list of exactly n: empty dates, then the reset date (equal dates from the
    // end of the bank's order), then real ones.
        ModeCase{"OldestFirstEmptyAndResetDatesFirst", "最远优先", 4, plain({"d", "z1", "z2", "e"}), {}, {"e", "z2", "z1", "d"}, "",
                 {},
                 {row("d", 1, 0, "对", "2026-03-01"), row("z1", 1, 0, "对", "2000-01-01"),
                  row("z2", 1, 0, "对", "2000-01-01"), row("e", 1, 0, "未做", "")}}),
    [](const ::testing::TestParamInfo<ModeCase> &info) { return std::string(info.param.name); });

TEST(SelectionRules, ForgettingCurveDaysAndCountBoundaries)
{
    EXPECT_EQ(PDaysSince(kToday, kNow), 0);
    EXPECT_EQ(PDaysSince(kYesterday, kNow), 1);
    EXPECT_EQ(PDaysSince(QStringLiteral("2026-12-6"), kNow), 1);
    EXPECT_EQ(PDaysSince(QStringLiteral("2026-08-20"), kNow), 109);
    EXPECT_EQ(PDaysSince(QString(), kNow), 0);
    EXPECT_EQ(PDaysSince(QStringLiteral("未做"), kNow), 0);
    EXPECT_EQ(PDaysSince(QStringLiteral("2026-12-08"), kNow), 0);  // a future date truncates toward zero
    struct {
        int right, days;
        bool due;
    } const table[] = {{1, 0, true},  {2, 1, false},  {3, 0, false},  {5, 1, true},    {6, 6, false},
                       {7, 7, true},  {8, 18, false}, {9, 19, true},  {10, 36, false}, {12, 37, true},
                       {13, 108, false}, {13, 109, true}, {14, 150, false}, {40, 151, true}, {0, 500, false},
                       {-2, 500, false}};
    for (const auto &t : table) {
        TPGroupLists lists({row("w", t.right < 0 ? 0 : t.right, t.right < 0 ? -t.right : 0, "对",
                                kNow.date().addDays(-t.days).toString(QStringLiteral("yyyy-MM-dd")))},
                           {});
        TPSelectionContext c;
        c.n = 1;
        c.today = kToday;
        c.now = kNow;
        PCreateForgettingCurve(lists, c);
        EXPECT_EQ(lists.count(SideChosen), t.due ? 1 : 0) << t.right << " right, " << t.days << " days";
    }
}

TEST(SelectionRules, CountThatIsNoIntegerStopsTheRunKeepingWhatMoved)
{
    // The message names the word, the field and the text found.
    struct {
        const char *done, *wrong, *message;
    } const table[] = {{"abc", "0", "单词“wbad”的做过次数“abc”不是有效的整数"},
                       {"", "0", "单词“wbad”的做过次数“”不是有效的整数"},
                       {"3", "x1", "单词“wbad”的做错次数“x1”不是有效的整数"},
                       {"3", "", "单词“wbad”的做错次数“”不是有效的整数"}};
    for (const auto &t : table) {
        TPWordRecord bad = row("bad", 0, 0);
        bad.timesDone = QString::fromUtf8(t.done);
        bad.timesWrong = QString::fromUtf8(t.wrong);
        TPGroupLists lists({bad, row("b", 1, 0), row("c", 0, 0)}, {});
        TPSelectionContext c;
        c.n = 3;
        c.mode = QStringLiteral("滚动产生");
        try {
            PAutoCreateGroup(lists, c);
            ADD_FAILURE() << t.done << " " << t.wrong;
        } catch (const TPRuleError &e) {
            EXPECT_EQ(e.message(), QString::fromUtf8(t.message));
        }
        EXPECT_EQ(line(lists.ids(SideChosen)), line(QStringList({"c", "b"})));
        EXPECT_EQ(line(lists.ids(SideCandidates)), line(QStringList({"bad"})));
    }
}

TEST(SelectionRules, RightCountsAreSixtyFourBitAndNeverWrap)
{
    const qint64 max = std::numeric_limits<qint64>::max(), min = std::numeric_limits<qint64>::min();
    struct {
        const char *done, *wrong;
        qint64 right;
    } const table[] = {{"2147483648", "0", 2147483648LL},
                       {"4294967296", "1", 4294967295LL},
                       {" 12 ", "20", -8},
                       {"9223372036854775807", "-1", max},
                       {"-9223372036854775808", "1", min},
                       {"-5", "9223372036854775807", min},
                       {"9223372036854775808", "0", max},     // 19 digits, one past the top
                       {"9999999999999999999", "0", max},     // 19 digits, far past it
                       {"99999999999999999999", "-1", max}};  // beyond 64 bits: as many as can be
    for (const auto &t : table) {
        TPWordRecord r = row("r", 0, 0);
        r.timesDone = QLatin1String(t.done);
        r.timesWrong = QLatin1String(t.wrong);
        EXPECT_EQ(PRightCount(r), t.right) << t.done << " - " << t.wrong;
    }
    // Below the candidates' average of right answers first; the average itself is past 2^31.
    {
        TPWordRecord many = row("many", 0, 0), most = row("most", 0, 0), none = row("none", 0, 0);
        many.timesDone = QStringLiteral("3000000000");
        most.timesDone = QStringLiteral("99999999999999999999");
        most.timesWrong = QStringLiteral("-1");
        TPGroupLists lists({many, most, none}, {});
        TPSelectionContext c;
        c.n = 2;
        c.mode = QStringLiteral("no such mode");
        EXPECT_EQ(PAutoCreateGroup(lists, c), QString());
        EXPECT_EQ(line(lists.ids(SideChosen)), line(QStringList({"none", "many"})));
    }
    // A count past 2^32 is not taken as small: rolling leaves it to the end of the list.
    TPGroupLists lists({row("big", 4294967296LL, 0), row("a", 9, 0), row("small", 1, 0)}, {});
    TPSelectionContext c;
    c.n = 2;
    c.mode = QStringLiteral("滚动产生");
    EXPECT_EQ(PAutoCreateGroup(lists, c), QString());
    EXPECT_EQ(line(lists.ids(SideChosen)), line(QStringList({"small", "a"})));
}

TEST(ItemOperations, SelectedAndSameColumnMovesArriveLastFirstAndMirrorExactly)
{
    TPWordRecords cands;
    for (int i = 1; i <= 8; ++i) {
        cands << row(QString::number(i), 0, 0, i % 2 ? QStringLiteral("对") : QStringLiteral("错"),
                     i % 3 ? kToday : kYesterday);
    }
    TPGroupLists lists(rowsOf(cands), rowsOf(plain({"x"})));
    Mirror mirror(lists);
    mirror.attach(lists);

    lists.PMoveSameColumnItems(SideCandidates, {1, 4, 6}, Col::LastRight);  // three selected: nothing
    lists.PMoveSameColumnItems(SideCandidates, {}, Col::LastRight);         // none: nothing
    lists.PMoveSameColumnItems(SideCandidates, {8}, Col::LastRight);        // beyond the end: nothing
    lists.PMoveSameColumnItems(SideCandidates, {1}, QStringLiteral("Nope")); // no such field: nothing
    EXPECT_EQ(lists.count(SideChosen), 1);
    lists.PMoveSelectedItems(SideCandidates, {4, 1, 6});  // items 2, 5, 7
    EXPECT_EQ(line(lists.ids(SideChosen)), line(QStringList({"x", "7", "5", "2"})));
    lists.PMoveSelectedItems(SideCandidates, {});
    EXPECT_EQ(lists.count(SideChosen), 4);

    // One selected candidate: every candidate with its date, itself included, last first.
    ASSERT_EQ(lists.at(SideCandidates, 1).string(TPBuilderRow::Id), QStringLiteral("3"));  // item 3, yesterday
    lists.PMoveSameColumnItems(SideCandidates, {1}, Col::LastTested);
    EXPECT_EQ(line(lists.ids(SideChosen)), line(QStringList({"x", "7", "5", "2", "6", "3"})));
    EXPECT_EQ(line(lists.ids(SideCandidates)), line(QStringList({"1", "4", "8"})));
    EXPECT_EQ(line(mirror.sides[SideChosen]), line(lists.ids(SideChosen)));
    EXPECT_EQ(line(mirror.sides[SideCandidates]), line(lists.ids(SideCandidates)));

    lists.PMoveListItem(SideChosen, 0);
    lists.PMoveListItem(SideChosen, 99);  // beyond the end: nothing
    EXPECT_EQ(line(lists.ids(SideCandidates)), line(QStringList({"1", "4", "8", "x"})));
    EXPECT_EQ(line(mirror.sides[SideCandidates]), line(lists.ids(SideCandidates)));

    // A list command took rows out: indices in any order, repeated or beyond the end.
    lists.remove(SideCandidates, {0, 3, 0, 42});
    EXPECT_EQ(line(lists.ids(SideCandidates)), line(QStringList({"4", "8"})));
}

}  // namespace
