#include "sessions/groupbuildersession.h"

#include "rules/random.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>

namespace {

const QString kToday = QStringLiteral("2026-12-07");
const QDateTime kNow(QDate(2026, 12, 7), QTime(10, 0));

TPWordRecord row(const QString &id, int done, const QString &date = QStringLiteral("2026-12-01"),
                 const QString &last = QStringLiteral("对"), const QString &category = QStringLiteral("基本词"))
{
    TPWordRecord r;
    r.id = id;
    r.word = QStringLiteral("w") + id;
    r.timesDone = QString::number(done);
    r.timesWrong = QStringLiteral("0");
    r.category = category;
    r.lastRight = last;
    r.lastTested = date;
    r.masterType = QStringLiteral("01");
    return r;
}

class FirstDraw : public TPRandom {
public:
    int below(int) override { return 0; }
};

QString ids(const TPGroupBuilderSession &s, TPSide side)
{
    QStringList out;
    for (int i = 0; i < s.count(side); ++i)
        out << s.at(side, i).string(TPBuilderRow::Id);
    return out.join(QLatin1Char(' '));
}

// The two lists a window shows, followed move by move as the session reports them.
struct Drawn {
    QStringList sides[2];
    explicit Drawn(const TPGroupBuilderSession &s)
    {
        for (int side = 0; side < 2; ++side)
            for (int i = 0; i < s.count(TPSide(side)); ++i)
                sides[side] << s.at(TPSide(side), i).string(TPBuilderRow::Id);
    }
    void follow(const QList<TPGroupMove> &moves)
    {
        for (const TPGroupMove &m : moves)
            sides[1 - m.from] << sides[m.from].takeAt(m.index);
    }
    QString text(TPSide side) const { return sides[side].join(QLatin1Char(' ')); }
};

struct AutoCase {
    const char *name;
    const char *mode;
    int n;
    int chosenBefore;  // the first candidates picked by hand before the run
    const char *chosen, *candidates, *message;
    bool reloaded, error;
};

void PrintTo(const AutoCase &c, std::ostream *os) { *os << c.name; }

class GroupBuilderAuto : public ::testing::TestWithParam<AutoCase> {};

// Candidates a..f in table order; the bank, when a mode reloads, holds them with these dates.
TEST_P(GroupBuilderAuto, RunsTheModeAndReportsWhatTheWindowMustDraw)
{
    const AutoCase &c = GetParam();
    TPGroupBuilderSession s;
    s.setSettings({QStringLiteral("传统拼写"), c.n, QString::fromUtf8(c.mode)});
    TPWordRecords list = {row("a", 1, "2026-12-03"), row("b", 9, "2026-12-07"), row("c", 2, "2026-12-05"),
                          row("d", 7, "2026-11-01", "错"), row("e", 3, ""), row("f", 4, "2026-12-06", "错")};
    if (QString::fromUtf8(c.name) == QLatin1String("NoIntegerStopsKeepingTheMoves"))
        list[0].timesDone = QStringLiteral("x");
    s.load(TPBuilderRows(list.begin(), list.end()));
    QList<int> picks;
    for (int i = 0; i < c.chosenBefore; ++i)
        picks << i;
    s.moveSelected(SideCandidates, picks);
    Drawn drawn(s);
    int reloads = 0;
    FirstDraw random;
    const TPAutoCreateOutcome out = s.autoCreate(kToday, kNow, random, [&](bool descending) {
        ++reloads;
        TPWordRecords sorted = list;
        std::stable_sort(sorted.begin(), sorted.end(), [&](const TPWordRecord &x, const TPWordRecord &y) {
            return descending ? x.lastTested > y.lastTested : x.lastTested < y.lastTested;
        });
        return TPBuilderRows(sorted.begin(), sorted.end());
    });
    EXPECT_EQ(out.message, QString::fromUtf8(c.message));
    EXPECT_EQ(out.error, c.error);
    EXPECT_EQ(out.reloaded, c.reloaded);
    EXPECT_EQ(reloads, c.reloaded ? 1 : 0);
    EXPECT_EQ(ids(s, SideChosen), QString::fromUtf8(c.chosen));
    EXPECT_EQ(ids(s, SideCandidates), QString::fromUtf8(c.candidates));
    if (out.reloaded)
        return;  // the window draws both lists anew
    drawn.follow(out.moves);
    EXPECT_EQ(drawn.text(SideChosen), ids(s, SideChosen));
    EXPECT_EQ(drawn.text(SideCandidates), ids(s, SideCandidates));
}

INSTANTIATE_TEST_SUITE_P(
    Session, GroupBuilderAuto,
    ::testing::Values(
        AutoCase{"RandomDrawsFollowedMoveByMove", "随机产生", 3, 0, "a b c", "d e f", "", false, false},
        AutoCase{"ManualPicksStayInAKeepingMode", "随机产生", 3, 2, "b a c", "d e f", "", false, false},
        // Most recent first, skipping today's word b; the manual pick is dropped.
        AutoCase{"RecentFirstReloads", "最近优先", 3, 1, "f c a", "e d b", "", true, false},
        AutoCase{"OldestFirstReloads", "最远优先", 2, 0, "e d", "b f c a", "", true, false},
        AutoCase{"ErrorFirstReloads", "错误优先", 2, 0, "f d", "e a c b", "", true, false},
        AutoCase{"GroupFullIsRefused", "最近优先", 2, 2, "b a", "c d e f", "选中单词已超2个,无法使用自动产词", false,
                 false},
        AutoCase{"TooFewCandidatesIsRefused", "最远优先", 5, 2, "b a", "c d e f", "备选单词不足5个,无法使用自动产词",
                 false, false},
        // Rolling takes f (4), e (3), c (2) below 5, then stops at a's count that is no integer.
        AutoCase{"NoIntegerStopsKeepingTheMoves", "滚动产生", 4, 0, "f e c", "a b d",
                 "单词“wa”的做过次数“x”不是有效的整数", false, true}),
    [](const ::testing::TestParamInfo<AutoCase> &info) { return std::string(info.param.name); });

TEST(GroupBuilderSession, HandMovesAndColumnClicksAreFollowedExactly)
{
    TPGroupBuilderSession s;
    s.load({row("a", 1, "2026-12-01", "对", "动词"), row("b", 12), row("c", 3, "2026-12-02"),
            row("d", 2, "2026-12-01", "对", "动词"), row("e", 20)});
    Drawn drawn(s);
    drawn.follow(s.moveSelected(SideCandidates, {3, 0}));
    EXPECT_EQ(ids(s, SideChosen), QStringLiteral("d a"));
    drawn.follow(s.moveSameColumn({0}, 6));   // date of b: 2026-12-01 is e's too
    drawn.follow(s.moveSameColumn({0, 1}, 4));  // two selected: nothing
    EXPECT_EQ(ids(s, SideChosen), QStringLiteral("d a e b"));
    drawn.follow(s.moveSelected(SideChosen, {1}));
    EXPECT_EQ(ids(s, SideCandidates), QStringLiteral("c a"));
    EXPECT_EQ(drawn.text(SideCandidates), ids(s, SideCandidates));
    EXPECT_EQ(drawn.text(SideChosen), ids(s, SideChosen));

    // The first click on a column sorts descending, the next ascending, numbers as text; the
    // order holds across a reload of the list.
    s.load({row("a", 1), row("b", 12), row("c", 3), row("d", 2)});
    EXPECT_EQ(s.sortByColumn(SideCandidates, 2), QList<int>({2, 3, 1, 0}));
    EXPECT_EQ(ids(s, SideCandidates), QStringLiteral("c d b a"));
    EXPECT_EQ(s.sortByColumn(SideCandidates, 2), QList<int>({3, 2, 1, 0}));
    EXPECT_EQ(ids(s, SideCandidates), QStringLiteral("a b d c"));
    s.load({row("a", 1), row("b", 12), row("c", 3), row("d", 2)});
    s.sortByColumn(SideCandidates, 1);
    EXPECT_EQ(ids(s, SideCandidates), QStringLiteral("d c b a"));
    s.sortByColumn(SideChosen, 1);  // the other list keeps its own order flag
    EXPECT_TRUE(s.sortByColumn(SideCandidates, 8).isEmpty());

    s.noteSelected(4);
    EXPECT_EQ(s.selectFlagText(), QStringLiteral("第5项"));
}

TEST(GroupBuilderSession, ListCommandsChangeOnlyTheRowsTheyActedOn)
{
    TPGroupBuilderSession s;
    s.load({row("a", 1), row("b", 2), row("c", 3), row("d", 4)});
    s.moveSelected(SideCandidates, {3});
    s.setField(SideCandidates, {0, 2, 7}, Col::Category, QStringLiteral("未知"));
    const auto category = [&s](TPSide side, int i) { return s.at(side, i).record().category; };
    EXPECT_EQ(category(SideCandidates, 0), QStringLiteral("未知"));
    EXPECT_EQ(category(SideCandidates, 1), QStringLiteral("基本词"));
    EXPECT_EQ(category(SideCandidates, 2), QStringLiteral("未知"));
    EXPECT_EQ(category(SideChosen, 0), QStringLiteral("基本词"));
    // The other fields of a changed row stay as they were.
    const auto texts = [](const TPBuilderRow &r) {
        QStringList out;
        for (int c = 0; c < TPBuilderRow::Columns; ++c)
            out << r.string(c);
        return out;
    };
    TPWordRecord changed = row("c", 3);
    changed.category = QStringLiteral("未知");
    EXPECT_EQ(texts(s.at(SideCandidates, 2)), texts(changed));
    s.removeRows(SideCandidates, {1});
    EXPECT_EQ(ids(s, SideCandidates), QStringLiteral("a c"));
    EXPECT_EQ(s.chosen().size(), 1);
    EXPECT_EQ(s.chosen().at(0).id, QStringLiteral("d"));
}

TEST(GroupBuilderSession, TheGroupGoesOnlyWithinItsLimitsAndToItsToolsTest)
{
    struct {
        const char *tool;
        int chosen;
        const char *refusal;
        TPGroupBuilderSession::Test test;
    } const table[] = {
        {"传统拼写", 5, "至少要选6个单词", TPGroupBuilderSession::Test::Spell},
        {"传统拼写", 6, "", TPGroupBuilderSession::Test::Spell},
        {"传统拼写", 101, "", TPGroupBuilderSession::Test::Spell},
        {"单项选择", 0, "至少要选6个单词", TPGroupBuilderSession::Test::MultipleChoice},
        {"单项选择", 100, "", TPGroupBuilderSession::Test::MultipleChoice},
        {"单项选择", 101, "本学习器至多允许选100个单词", TPGroupBuilderSession::Test::MultipleChoice},
        {"快速回忆", 6, "", TPGroupBuilderSession::Test::None},
    };
    for (const auto &t : table) {
        TPGroupBuilderSession s;
        s.setSettings({QString::fromUtf8(t.tool), 15, QString()});
        TPBuilderRows rows;
        QList<int> all;
        for (int i = 0; i < t.chosen; ++i) {
            rows << row(QString::number(i), 0);
            all << i;
        }
        s.load(rows);
        s.moveSelected(SideCandidates, all);
        EXPECT_EQ(s.groupRefusal(), QString::fromUtf8(t.refusal)) << t.tool << " " << t.chosen;
        EXPECT_EQ(s.test(), t.test) << t.tool;
    }
}

}  // namespace
