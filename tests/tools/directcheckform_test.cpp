// Tick-to-memorise on a driven date: marks written at once for every row of a word, the filter,
// the status line, the commands on ticked words and the hand-overs.

#include "services/handovers.h"
#include "tools/directcheckform.h"

#include "core/listviews.h"
#include "platform/inifile.h"
#include "selfreviewfixture.h"
#include "support/banksnapshot.h"
#include "support/qstringprinter.h"
#include "tools/crazyspellform.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <sqlite3.h>

namespace {

namespace DC = ModeCol::DirectCheckForm;

const QString kHard = QStringLiteral("Hard");

class DirectCheck : public SelfReviewFixture {
protected:
    void SetUp() override
    {
        SelfReviewFixture::SetUp();
        // apple is stored twice; pear and fig are mastered.
        word(QStringLiteral("apple"), Code::Master00);
        word(QStringLiteral("pear"), Code::Master11, kEarlier);
        word(QStringLiteral("plum"), QString());
        word(QStringLiteral("fig"), Code::Master11, kEarlier);
        word(QStringLiteral("kiwi"), Code::Master01, kEarlier);
        word(QStringLiteral("apple"), Code::Master00);
        dm->PCreateNewWordTable(W, kHard, QStringLiteral("addname"));
        dm->PDeleteAllFromTable(kHard);
        form = std::make_unique<TPDirectCheckForm>();
    }
    void TearDown() override
    {
        form.reset();
        SelfReviewFixture::TearDown();
    }
    void open()
    {
        form->Show();
        PSettleEvents();
        Sound::clearRequests();
        EXPECT_TRUE(dialogs->texts().isEmpty()) << dialogs->texts().join(QLatin1Char('|')).toStdString();
    }
    QTreeView *list() const { return form->PLVdc; }
    int count() const { return list()->model()->rowCount(); }
    QModelIndex cell(int row, int column = DC::Word) const { return list()->model()->index(row, column); }
    QString text(int row, int column) const { return cell(row, column).data().toString(); }
    // The list as shown: "word master date" per row, a trailing "*" for a tick.
    QStringList shown() const
    {
        QStringList out;
        for (int i = 0; i < count(); ++i)
            out << text(i, DC::Word) + QLatin1Char(' ') + text(i, DC::MasterType) + QLatin1Char(' ') +
                       text(i, DC::LastTested) +
                       (cell(i).data(Qt::CheckStateRole).toInt() == Qt::Checked ? QStringLiteral("*") : QString());
        return out;
    }
    // The session's rows as shown() gives the list's.
    QStringList held() const
    {
        QStringList out;
        const TPDirectCheckSession &s = form->session();
        for (int i = 0; i < s.count(); ++i)
            out << s.word(i).word + QLatin1Char(' ') + s.word(i).masterType + QLatin1Char(' ') + s.word(i).lastTested +
                       (s.isTicked(i) ? QStringLiteral("*") : QString());
        return out;
    }
    QStringList meanings() const
    {
        QStringList out;
        for (int i = 0; i < count(); ++i)
            out << text(i, DC::Meaning);
        return out;
    }
    // As the box's delegate passes on a tick the learner sets.
    void tick(const QList<int> &rows)
    {
        for (int i : rows)
            ASSERT_TRUE(list()->model()->setData(cell(i), int(Qt::Checked), Qt::CheckStateRole));
    }
    // A click on the row's box, where the style draws it.
    void clickBox(int row)
    {
        QStyleOptionViewItem o;
        o.initFrom(list());
        o.rect = list()->visualRect(cell(row));
        o.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        o.text = text(row, DC::Word);
        o.index = cell(row);
        const QRect box = list()->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &o, list());
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, box.center());
    }
    QPoint centre(int row) const { return list()->visualRect(cell(row, DC::MasterType)).center(); }
    void select(int row) { QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, centre(row)); }
    void doubleClick(int row)
    {
        select(row);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, centre(row));
    }
    void rightClick(int row) { QTest::mouseClick(list()->viewport(), Qt::RightButton, {}, centre(row)); }
    void chooseFilter(int index)
    {
        form->CBBrowseMode->setCurrentIndex(index);
        emit form->CBBrowseMode->activated(index);
    }
    QString status() const { return form->LBHint->text(); }

    std::unique_ptr<TPDirectCheckForm> form;
};

// Master types and dates repeat from row to row in many patterns; every row still shows its own,
// as the bank holds them.
TEST_F(DirectCheck, ShowsEachRowsOwnFieldsWhereTheyRepeat)
{
    const QStringList masters{Code::Master00, Code::Master01, Code::Master10, Code::Master11, QString(),
                              QStringLiteral("未知")};
    for (int i = 0; i < 60; ++i)
        word(QStringLiteral("w%1").arg(i), masters.at((i * 5) % masters.size()),
             QStringLiteral("2026-%1-01").arg(1 + (i * 7) % 13, 2, 10, QLatin1Char('0')));
    QStringList stored;
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(dm->PConnection.handle(), "SELECT 单词,掌握类型,最近测试时间 FROM WordTable ORDER BY rowid", -1,
                       &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
        QStringList fields;
        for (int c = 0; c < 3; ++c)
            fields << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c)));
        stored << fields.join(QLatin1Char(' '));
    }
    sqlite3_finalize(st);
    ASSERT_EQ(stored.size(), 66);
    open();
    EXPECT_EQ(shown(), stored);
}

// The list's scroll bar is there exactly when its rows overflow it, on every opening from the tool
// choice, whatever the list held before.
TEST_F(DirectCheck, ShowsAScrollBarOnlyForAListLongerThanItsView)
{
    QScrollBar *bar = list()->verticalScrollBar();
    TPForm caller;
    const auto reopen = [&] {
        form->hide();
        caller.Show();
        PSettleEvents();
        caller.hide();
        open();
    };
    open();
    EXPECT_FALSE(bar->isVisible()) << "six rows fit";
    for (int i = 0; i < 100; ++i)
        word(QStringLiteral("w%1").arg(i), Code::Master00);
    reopen();
    ASSERT_EQ(count(), 106);
    EXPECT_TRUE(bar->isVisible()) << "106 rows do not";
    dm->PDeleteAllFromTable(W);
    reopen();
    ASSERT_EQ(count(), 0);
    EXPECT_FALSE(bar->isVisible()) << "an empty list";
    word(QStringLiteral("w"), Code::Master00);
    reopen();
    ASSERT_EQ(count(), 1);
    EXPECT_FALSE(bar->isVisible()) << "one row";
}

TEST_F(DirectCheck, OpensOnTheCurrentListWithItsCounts)
{
    dm->PUpdateOneDataFromTable(W, Col::Word, Col::MasterType, QStringLiteral("apple"), Code::Master00);
    open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Tavisk打勾背单词 for LexorinV03 - Tavisk设计"));
    EXPECT_EQ(form->size(), QSize(640, 600));
    EXPECT_EQ(form->minimumSize(), QSize(575, 360));
    EXPECT_EQ(list()->objectName(), QStringLiteral("PLVdc"));
    const QStringList titles{"单词", "掌握类型", "解释", "掌握日期"};
    const QList<int> widths{160, 30, 300, 100};
    for (int c = 0; c < DC::Count; ++c) {
        EXPECT_EQ(list()->model()->headerData(c, Qt::Horizontal).toString(), titles.at(c));
        if (c != DC::Meaning) {
            EXPECT_GE(list()->columnWidth(c), widths.at(c)) << c;
        }
    }
    EXPECT_EQ(shown(), (QStringList{"apple 00 2000-01-01", "pear 11 2026-12-01", "plum  2000-01-01",
                                    "fig 11 2026-12-01", "kiwi 01 2026-12-01", "apple 00 2000-01-01"}));
    for (int i = 0; i < count(); ++i) {
        EXPECT_EQ(cell(i).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked)) << "every row has a box";
        EXPECT_TRUE(cell(i).flags() & Qt::ItemIsUserCheckable);
        EXPECT_FALSE(cell(i, DC::MasterType).data(Qt::CheckStateRole).isValid()) << "on the word alone";
    }
    EXPECT_EQ(meanings(), QStringList(6, QString()));
    EXPECT_EQ(form->CBWordTable->currentText(), W);
    EXPECT_EQ(form->CBWordTable->count(), 2);
    EXPECT_EQ(form->CBBrowseMode->currentText(), QStringLiteral("显示全部单词"));
    EXPECT_EQ(status(), QStringLiteral("共有6词，掌握2词，还剩4词，打勾0词。"));
    clickBox(0);
    clickBox(2);
    EXPECT_EQ(shown(), (QStringList{"apple 00 2000-01-01*", "pear 11 2026-12-01", "plum  2000-01-01*",
                                    "fig 11 2026-12-01", "kiwi 01 2026-12-01", "apple 00 2000-01-01"}));
    EXPECT_EQ(held(), shown());
    EXPECT_EQ(status(), QStringLiteral("共有6词，掌握2词，还剩4词，打勾0词。")) << "ticking does not count";
    form->SBRefresh->click();
    EXPECT_EQ(status(), QStringLiteral("共有6词，掌握2词，还剩4词，打勾2词。"));
}

struct ToggleCase {
    int row;
    int filter;  // 0 all, 1 mastered only, 2 unmastered only
    QStringList bankAfter;
    QString rowAfter;  // empty: the row left the view
    const char *status;
};
void PrintTo(const ToggleCase &c, std::ostream *os) { PrintCase(os, c.filter, c.row); }

class DirectCheckToggle : public DirectCheck, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(DirectCheckToggle, ADoubleClickMarksEveryRowOfTheWord)
{
    const ToggleCase &c = GetParam();
    open();
    chooseFilter(c.filter);
    const QStringList before = shown();
    const QString target = before.at(c.row);
    doubleClick(c.row);

    EXPECT_EQ(rows(), c.bankAfter);
    QStringList expected = before;
    if (c.rowAfter.isEmpty())
        expected.removeAt(c.row);
    else
        expected[c.row] = c.rowAfter;
    EXPECT_EQ(shown(), expected) << target.toStdString();
    EXPECT_EQ(status(), QString::fromUtf8(c.status));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DirectCheckToggle,
    ::testing::Values(
        // "00": mastered today, both rows of apple; the count rises by two.
        ToggleCase{0, 0,
                   {"apple 11 2026-12-07", "pear 11 2026-12-01", "plum  2000-01-01", "fig 11 2026-12-01",
                    "kiwi 01 2026-12-01", "apple 11 2026-12-07"},
                   "apple 11 2026-12-07",
                   "共有6词，掌握4词，还剩2词，打勾0词。"},
        // "11": not mastered, the date stays.
        ToggleCase{1, 0,
                   {"apple 00 2000-01-01", "pear 00 2026-12-01", "plum  2000-01-01", "fig 11 2026-12-01",
                    "kiwi 01 2026-12-01", "apple 00 2000-01-01"},
                   "pear 00 2026-12-01",
                   "共有6词，掌握1词，还剩5词，打勾0词。"},
        // Empty and "01" count as not mastered.
        ToggleCase{2, 0,
                   {"apple 00 2000-01-01", "pear 11 2026-12-01", "plum 11 2026-12-07", "fig 11 2026-12-01",
                    "kiwi 01 2026-12-01", "apple 00 2000-01-01"},
                   "plum 11 2026-12-07",
                   "共有6词，掌握3词，还剩3词，打勾0词。"},
        // Under a filter the row leaves the view at once: kiwi is the second unmastered row.
        ToggleCase{2, 2,
                   {"apple 00 2000-01-01", "pear 11 2026-12-01", "plum  2000-01-01", "fig 11 2026-12-01",
                    "kiwi 11 2026-12-07", "apple 00 2000-01-01"},
                   QString(),
                   "共有6词，掌握3词，还剩3词，打勾0词。"},
        ToggleCase{1, 1,
                   {"apple 00 2000-01-01", "pear 11 2026-12-01", "plum  2000-01-01", "fig 00 2026-12-01",
                    "kiwi 01 2026-12-01", "apple 00 2000-01-01"},
                   QString(),
                   "共有6词，掌握1词，还剩5词，打勾0词。"}));

// A sort reorders the rows the list shows; a double-click then acts on the row under the pointer
// in that order, and the row leaves the view when the filter no longer shows it.
struct SortCase {
    int filter;
    int column;
    int clicks;  // the first sort is descending, the next ascending
    QStringList sorted;
    int row;
    QStringList shownAfter;
    QStringList bankAfter;
};
void PrintTo(const SortCase &c, std::ostream *os) { PrintCase(os, c.filter, c.column, c.clicks, c.row); }

class DirectCheckSort : public DirectCheck, public ::testing::WithParamInterface<SortCase> {};

TEST_P(DirectCheckSort, ADoubleClickAfterASortActsOnTheRowShownThere)
{
    const SortCase &c = GetParam();
    open();
    chooseFilter(c.filter);
    for (int i = 0; i < c.clicks; ++i)
        emit list()->header()->sectionClicked(c.column);
    EXPECT_EQ(shown(), c.sorted);
    doubleClick(c.row);
    EXPECT_EQ(shown(), c.shownAfter);
    EXPECT_EQ(held(), c.shownAfter);
    EXPECT_EQ(rows(), c.bankAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DirectCheckSort,
    ::testing::Values(
        SortCase{0, DC::Word, 1,
                 {"plum  2000-01-01", "pear 11 2026-12-01", "kiwi 01 2026-12-01", "fig 11 2026-12-01",
                  "apple 00 2000-01-01", "apple 00 2000-01-01"},
                 1,
                 {"plum  2000-01-01", "pear 00 2026-12-01", "kiwi 01 2026-12-01", "fig 11 2026-12-01",
                  "apple 00 2000-01-01", "apple 00 2000-01-01"},
                 {"apple 00 2000-01-01", "pear 00 2026-12-01", "plum  2000-01-01", "fig 11 2026-12-01",
                  "kiwi 01 2026-12-01", "apple 00 2000-01-01"}},
        SortCase{0, DC::MasterType, 2,
                 {"plum  2000-01-01", "apple 00 2000-01-01", "apple 00 2000-01-01", "kiwi 01 2026-12-01",
                  "pear 11 2026-12-01", "fig 11 2026-12-01"},
                 3,
                 {"plum  2000-01-01", "apple 00 2000-01-01", "apple 00 2000-01-01", "kiwi 11 2026-12-07",
                  "pear 11 2026-12-01", "fig 11 2026-12-01"},
                 {"apple 00 2000-01-01", "pear 11 2026-12-01", "plum  2000-01-01", "fig 11 2026-12-01",
                  "kiwi 11 2026-12-07", "apple 00 2000-01-01"}},
        SortCase{2, DC::LastTested, 1,
                 {"kiwi 01 2026-12-01", "apple 00 2000-01-01", "plum  2000-01-01", "apple 00 2000-01-01"},
                 2,
                 {"kiwi 01 2026-12-01", "apple 00 2000-01-01", "apple 00 2000-01-01"},
                 {"apple 00 2000-01-01", "pear 11 2026-12-01", "plum 11 2026-12-07", "fig 11 2026-12-01",
                  "kiwi 01 2026-12-01", "apple 00 2000-01-01"}}));

TEST_F(DirectCheck, TheFilterAndTheListChooserReloadTheList)
{
    open();
    chooseFilter(1);
    EXPECT_EQ(shown(), (QStringList{"pear 11 2026-12-01", "fig 11 2026-12-01"}));
    chooseFilter(2);
    EXPECT_EQ(shown().size(), 4);
    chooseFilter(0);
    EXPECT_EQ(shown().size(), 6);

    word(QStringLiteral("hardone"), Code::Master11, kEarlier, kHard);
    word(QStringLiteral("hardtwo"), Code::Master10, kEarlier, kHard);
    chooseFilter(2);
    form->CBWordTable->setCurrentText(kHard);
    emit form->CBWordTable->activated(form->CBWordTable->currentIndex());
    EXPECT_EQ(PCurrentTable, kHard);
    EXPECT_EQ(column(Tbl::UserTable, Col::CurrentList), QStringList{kHard}) << "the whole program's current list";
    EXPECT_EQ(shown(), QStringList{QStringLiteral("hardtwo 10 2026-12-01")}) << "the filter still applies";
    EXPECT_EQ(status(), QStringLiteral("共有2词，掌握1词，还剩1词，打勾0词。"));
}

// A list whose rows cannot be read shows none and says so once; the next reading goes as before.
TEST_F(DirectCheck, AListThatCannotBeReadShowsNoRowsAndSaysSo)
{
    open();
    dm->PQuery.setSql(QStringLiteral("create table Odd (ID counter PRIMARY KEY UNIQUE not null,单词 string(100))"));
    dm->PQuery.execSql();
    PCurrentTable = QStringLiteral("Odd");
    chooseFilter(0);
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("词库刷新出错")});
    PCurrentTable = W;
    chooseFilter(1);
    EXPECT_EQ(shown(), (QStringList{"pear 11 2026-12-01", "fig 11 2026-12-01"}));
    EXPECT_EQ(dialogs->texts().size(), 1);
}

TEST_F(DirectCheck, TheRightButtonShowsAndHidesTheMeaning)
{
    open();
    rightClick(3);
    EXPECT_EQ(meanings(), (QStringList{"", "", "", "fig的解释", "", ""}));
    rightClick(3);
    EXPECT_EQ(meanings(), QStringList(6, QString()));
    tick({0, 4});
    form->N5->trigger();
    EXPECT_EQ(meanings(), (QStringList{"apple的解释", "", "", "", "kiwi的解释", ""}));
    tick({3});
    form->N7->trigger();
    EXPECT_EQ(meanings(), QStringList(6, QString()));
}

TEST_F(DirectCheck, MarkingTickedWordsWritesThemAllAndLeavesTheCounts)
{
    open();
    chooseFilter(2);  // apple plum kiwi apple
    tick({0, 1, 2});
    const QString counts = status();
    form->N1->trigger();
    EXPECT_EQ(rows(), (QStringList{"apple 11 2026-12-07", "pear 11 2026-12-01", "plum 11 2026-12-07",
                                   "fig 11 2026-12-01", "kiwi 11 2026-12-07", "apple 11 2026-12-07"}));
    EXPECT_EQ(shown(), (QStringList{"apple 11 2026-12-07*", "plum 11 2026-12-07*", "kiwi 11 2026-12-07*",
                                    "apple 00 2000-01-01"}))
        << "the filter is not applied again, and the untouched item of apple keeps what it showed";
    EXPECT_EQ(status(), counts);

    form->N2->trigger();
    EXPECT_EQ(rows(), (QStringList{"apple 00 2026-12-07", "pear 11 2026-12-01", "plum 00 2026-12-07",
                                   "fig 11 2026-12-01", "kiwi 00 2026-12-07", "apple 00 2026-12-07"}));
    EXPECT_EQ(shown().first(), QStringLiteral("apple 00 2026-12-07*"));
}

// The bank refuses the first, a middle or the last ticked word: no word is marked, in the bank or
// in the list, and one error report says so; a refused delete likewise deletes nothing.
class DirectCheckRefused : public DirectCheck, public ::testing::WithParamInterface<const char *> {};

TEST_P(DirectCheckRefused, ARefusedMarkChangesNothingAtAll)
{
    open();
    refuseChangesTo(QString::fromLatin1(GetParam()));
    tick({0, 2, 4});  // apple, plum, kiwi
    const QStringList bank = bankSnapshot(dm->PConnection.handle()), view = shown();
    ASSERT_EQ(held(), view);
    form->N1->trigger();
    EXPECT_EQ(dialogs->shown().size(), 1);
    EXPECT_EQ(dialogs->shown().value(0).icon, Dialogs::Critical);
    EXPECT_EQ(bankSnapshot(dm->PConnection.handle()), bank);
    EXPECT_EQ(shown(), view);
    EXPECT_EQ(held(), view);
    form->N8->trigger();
    EXPECT_EQ(dialogs->shown().size(), 2);
    EXPECT_EQ(bankSnapshot(dm->PConnection.handle()), bank) << "nor does a refused delete";
    EXPECT_EQ(shown(), view);
    EXPECT_EQ(held(), view);
}

INSTANTIATE_TEST_SUITE_P(Words, DirectCheckRefused, ::testing::Values("apple", "plum", "kiwi"));

TEST_F(DirectCheck, TickMenuTicksAllInvertsAndPicksTheMastered)
{
    open();
    tick({0, 2});
    form->N6->trigger();
    EXPECT_EQ(shown(), (QStringList{"apple 00 2000-01-01", "pear 11 2026-12-01*", "plum  2000-01-01",
                                    "fig 11 2026-12-01*", "kiwi 01 2026-12-01", "apple 00 2000-01-01"}));
    form->MenuItem2->trigger();
    EXPECT_EQ(shown(), (QStringList{"apple 00 2000-01-01*", "pear 11 2026-12-01", "plum  2000-01-01*",
                                    "fig 11 2026-12-01", "kiwi 01 2026-12-01*", "apple 00 2000-01-01*"}));
    form->MenuItem2->trigger();
    form->MenuItem1->trigger();
    for (const QString &r : shown())
        EXPECT_TRUE(r.endsWith(QLatin1Char('*'))) << r.toStdString();
}

TEST_F(DirectCheck, DeletingATickedWordDeletesEachOfItsRows)
{
    open();
    tick({2, 5});  // plum, and the second item of apple
    form->N8->trigger();
    EXPECT_EQ(rows(), (QStringList{"pear 11 2026-12-01", "fig 11 2026-12-01", "kiwi 01 2026-12-01"}));
    EXPECT_EQ(shown(), (QStringList{"apple 00 2000-01-01", "pear 11 2026-12-01", "fig 11 2026-12-01",
                                    "kiwi 01 2026-12-01"}));
    EXPECT_TRUE(dialogs->texts().isEmpty()) << "no confirmation";
}

TEST_F(DirectCheck, CrazySpellNeedsThreeTicks)
{
    open();
    tick({1, 3});
    const int activations = form->activationCount();
    form->N3->trigger();
    EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("请至少勾3个单词")});
    EXPECT_EQ(shown(), (QStringList{"apple 00 2000-01-01", "pear 11 2026-12-01*", "plum  2000-01-01",
                                    "fig 11 2026-12-01*", "kiwi 01 2026-12-01", "apple 00 2000-01-01"}));
    EXPECT_EQ(column(Tbl::TempTable, Col::Word), QStringList());
    EXPECT_EQ(form->activationCount(), activations);
}

TEST_F(DirectCheck, CrazySpellPlaysExactlyTheTickedWordsThroughTheStudyGroup)
{
    TPCrazySpellForm crazy;
    open();
    PConfigIni->WriteString(Ini::CrazySpeller, Ini::CrazyTable, W);
    tick({0, 2, 3});
    QStringList group, played;
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        PSettleEvents();  // the game loads its words when it is activated
        group = column(Tbl::TempTable, Col::Word);
        for (const TPWordRecord &r : crazy.session().words())
            played << r.word;
        wasModal = crazy.isModalShowing();
        crazy.close();
    });
    const QStringList bank = rows();
    const int activations = form->activationCount();
    form->SpeedButton8->click();
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(group, (QStringList{"apple", "apple", "plum", "fig"})) << "every row of a ticked word";
    EXPECT_EQ(played, group);
    EXPECT_EQ(PConfigIni->ReadString(Ini::CrazySpeller, Ini::CrazyTable, QString()), Tbl::TempTable);
    EXPECT_EQ(column(Tbl::TempTable, Col::Word), QStringList()) << "emptied after the game";
    EXPECT_EQ(rows(), bank);
    EXPECT_EQ(shown()[0], QStringLiteral("apple 00 2000-01-01*")) << "ticks survive the game";
    EXPECT_EQ(shown()[3], QStringLiteral("fig 11 2026-12-01*"));
    EXPECT_EQ(form->activationCount(), activations);
}

TEST_F(DirectCheck, MovingTickedWordsTakesEveryRowToTheChosenList)
{
    open();
    select(4);
    tick({0, 4});
    auto answerChooser = [](const char *button) {
        QTimer::singleShot(0, [button] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("PChooseForm") && w->isVisible())
                    w->findChild<QPushButton *>(QLatin1String(button))->click();
        });
    };
    const QStringList bank = rows();
    answerChooser("PChooseCancel");
    form->N4->trigger();
    EXPECT_EQ(rows(), bank);
    EXPECT_EQ(form->PCheckIndex(), 4);

    answerChooser("PChooseOK");
    form->N4->trigger();
    EXPECT_EQ(rows(), (QStringList{"pear 11 2026-12-01", "plum  2000-01-01", "fig 11 2026-12-01"}));
    EXPECT_EQ(rows(kHard), (QStringList{"kiwi 01 2026-12-01", "apple 00 2000-01-01", "apple 00 2000-01-01"}));
    EXPECT_EQ(form->PCheckIndex(), 0);
}

TEST_F(DirectCheck, LookUpAndSpeechActOnTheRememberedRowUntilTheListChanges)
{
    open();
    select(3);
    form->SpeedButton13->click();
    form->SpeedButton12->click();
    EXPECT_EQ(handOvers, QStringList{QStringLiteral("dict:fig")});
    EXPECT_EQ(spoken(), QStringList{QStringLiteral("fig")});

    // A filter change forgets the remembered row: the first row again, as on opening.
    select(5);
    chooseFilter(1);  // pear, fig
    EXPECT_EQ(form->PCheckIndex(), 0);
    form->SpeedButton12->click();
    EXPECT_EQ(spoken().last(), QStringLiteral("pear"));
    // So does a sort.
    select(1);
    form->PLVdc->header()->sectionClicked(0);
    EXPECT_EQ(form->PCheckIndex(), 0);
    EXPECT_EQ(shown(), (QStringList{"pear 11 2026-12-01", "fig 11 2026-12-01"})) << "the first sort is descending";
    form->PLVdc->header()->sectionClicked(0);
    EXPECT_EQ(shown(), (QStringList{"fig 11 2026-12-01", "pear 11 2026-12-01"}));

    // An empty list: nothing happens, nothing fails.
    form->CBWordTable->setCurrentText(kHard);
    emit form->CBWordTable->activated(form->CBWordTable->currentIndex());
    ASSERT_EQ(count(), 0);
    EXPECT_EQ(form->PCheckIndex(), -1);
    form->SpeedButton13->click();
    form->SpeedButton12->click();
    EXPECT_EQ(handOvers.size(), 1);
    EXPECT_EQ(spoken().size(), 2);
    EXPECT_EQ(status(), QStringLiteral("共有0词，掌握0词，还剩0词，打勾0词。"));
}

// Below the rows there is no word: a double-click or a right-click there changes nothing, whatever
// row was chosen before the filter changed.
TEST_F(DirectCheck, ClicksBelowTheRowsDoNothing)
{
    open();
    select(1);        // pear
    chooseFilter(1);  // pear, fig: the old position 1 now holds fig
    const QStringList bank = bankSnapshot(dm->PConnection.handle()), view = shown();
    const QPoint below(centre(1).x(), list()->visualRect(cell(1)).bottom() + 40);
    ASSERT_FALSE(list()->indexAt(below).isValid());
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, below);
    QTest::mouseClick(list()->viewport(), Qt::RightButton, {}, below);
    EXPECT_EQ(bankSnapshot(dm->PConnection.handle()), bank);
    EXPECT_EQ(shown(), view);
    EXPECT_EQ(meanings(), QStringList(2, QString()));

    // On a row they act on that row, whichever row was chosen before.
    select(0);
    QTest::mouseClick(list()->viewport(), Qt::RightButton, {}, centre(1));
    EXPECT_EQ(meanings(), (QStringList{"", "fig的解释"}));
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, centre(1));
    EXPECT_EQ(shown(), QStringList{QStringLiteral("pear 11 2026-12-01")});
    EXPECT_EQ(column(W, Col::MasterType).at(3), Code::Master00);
}

TEST_F(DirectCheck, WantMenuWindowsReloadAfterwardsAndClosingReturns)
{
    const auto savedTB = PHandOvers().manageFormTB;
    PHandOvers().manageFormTB = [this] {
        handOvers << QStringLiteral("manageTB");
        word(QStringLiteral("new"), Code::Master00);
    };
    open();
    tick({1});
    chooseFilter(1);
    form->N11->trigger();
    PHandOvers().manageFormTB = savedTB;
    EXPECT_EQ(handOvers, QStringList{QStringLiteral("manageTB")});
    EXPECT_EQ(form->CBBrowseMode->currentIndex(), 0);
    EXPECT_EQ(shown().size(), 7);
    EXPECT_EQ(status(), QStringLiteral("共有7词，掌握2词，还剩5词，打勾0词。"));

    // Each menu opens just below the pointer.
    for (auto [button, menu] : {std::pair{form->Button1, form->PopupMenu1}, std::pair{form->Button2, form->PopupMenu2},
                                std::pair{form->Button3, form->PopupMenu3}}) {
        const QPoint pointer = QCursor::pos();
        button->click();
        EXPECT_TRUE(menu->isVisible()) << menu->objectName().toStdString();
        EXPECT_EQ(menu->pos(), pointer + QPoint(0, 10));
        menu->hide();
    }

    form->MenuItem3->trigger();
    EXPECT_EQ(browser.opened().size(), 1);
    EXPECT_TRUE(browser.last().endsWith(QStringLiteral("banks/")));
    EXPECT_FALSE(form->N10->isEnabled());
    EXPECT_FALSE(form->N13->isEnabled());

    tick({0});
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(handOvers.last(), QStringLiteral("toolchoice"));

    // Shown again, the window reads the list anew: no tick is left over.
    word(QStringLiteral("newer"), Code::Master11);
    open();
    ASSERT_EQ(shown().size(), 8);
    EXPECT_EQ(shown().first(), QStringLiteral("apple 00 2000-01-01"));
    EXPECT_EQ(held(), shown());
}

}  // namespace
