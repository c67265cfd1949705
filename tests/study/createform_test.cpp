#include "study/createform.h"

#include "core/listviews.h"
#include "core/grouptransfer.h"
#include "core/studycounters.h"
#include "study/studyfixture.h"
#include "support/columnfit.h"
#include "study/studytoolselectform.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QKeySequence>
#include <QTest>
#include <QTreeWidget>
#include <QHeaderView>
#include <QStyle>

namespace {


QStringList captions(const QTreeWidget *v)
{
    QStringList out;
    for (int i = 0; i < PItemCount(v); ++i)
        out << PCaption(PItemAt(v, i));
    return out;
}

class Builder : public StudyFixture {
protected:
    void SetUp() override
    {
        StudyFixture::SetUp();
        toolChoice = std::make_unique<TPStudyToolSelectForm>();
        form = std::make_unique<TPCreateForm>();
    }
    void TearDown() override
    {
        form.reset();
        toolChoice.reset();
        StudyFixture::TearDown();
    }
    // Shows the builder as the tool choice does; its lists are rebuilt from the bank.
    void show()
    {
        handOverTo(form.get());
        dialogs->clear();
    }
    // Selects items of a list view by index and moves them over as a double-click does.
    void select(QTreeWidget *v, const QList<int> &rows)
    {
        v->clearSelection();
        for (int r : rows)
            PItemAt(v, r)->setSelected(true);
    }
    void choose(int count)
    {
        QList<int> rows;
        for (int i = 0; i < count; ++i)
            rows << i;
        select(form->PLV1, rows);
        form->PLV1DblClick();
    }
    QAction *action(QMenu *menu, const QString &caption)
    {
        for (QAction *a : menu->actions())
            if (a->text() == caption)
                return a;
        ADD_FAILURE() << caption.toStdString();
        return nullptr;
    }

    std::unique_ptr<TPStudyToolSelectForm> toolChoice;
    std::unique_ptr<TPCreateForm> form;
};

TEST_F(Builder, ActivationRebuildsTheListsAndReadsTheSettingsWithTheirOwnDefaults)
{
    addWords(Tbl::WordTable, 8);
    show();
    EXPECT_EQ(form->tool(), QStringLiteral("传统拼写"));
    EXPECT_EQ(form->groupSize(), 15);
    EXPECT_EQ(form->mode(), QStringLiteral("随机产生"));
    choose(3);
    EXPECT_EQ(form->Label3WordCount->text(), QStringLiteral("（5词）"));
    EXPECT_EQ(form->Label4WordCount->text(), QStringLiteral("（3词）"));

    PConfigIni->WriteString(Ini::Main, Ini::Tool, QStringLiteral("单项选择"));
    PConfigIni->WriteInteger(Ini::Main, Ini::GroupSize, 6);
    PConfigIni->WriteString(Ini::Main, Ini::CreateMode, QStringLiteral("最远优先"));
    form->hide();
    show();
    EXPECT_EQ(captions(form->PLV1), column(Tbl::WordTable, Col::ID));
    EXPECT_EQ(PItemCount(form->PLV2), 0);
    EXPECT_EQ(form->Label3WordCount->text(), QStringLiteral("（8词）"));
    EXPECT_EQ(form->tool(), QStringLiteral("单项选择"));
    EXPECT_EQ(form->groupSize(), 6);
    EXPECT_EQ(form->mode(), QStringLiteral("最远优先"));
}

// Titles and the stored codes show whole: a five-digit ID, a standard category, "未做", "未知".
TEST_F(Builder, EveryColumnHoldsItsTitleAndCodesAndIsAtLeastAsWideAsGiven)
{
    const int given[] = {40, 80, 30, 30, 40, 25, 90, 30};
    addWords(Tbl::WordTable, 3);
    raw(QStringLiteral("UPDATE WordTable SET ID=ID+12344, 所属类别='生僻词', 上次是否做对='未做', 掌握类型='未知'"));
    show();
    choose(1);
    for (QTreeWidget *v : {form->PLV1, form->PLV2}) {
        PExpectCellsWhole(v, {0, 4, 5, 7});
        QHeaderView *h = v->header();
        const int margins = 2 * h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
        for (int c = 0; c < 8; ++c) {
            const int title = h->fontMetrics().horizontalAdvance(v->headerItem()->text(c));
            EXPECT_GE(v->columnWidth(c), given[c]) << c;
            EXPECT_GE(v->columnWidth(c), title + margins) << v->headerItem()->text(c).toStdString();
        }
    }
}

TEST_F(Builder, AutomaticGroupRebuildsFromTheBankDroppingManualPicks)
{
    // Ascending by date the rows stand 4 8 6 2 0 7 3 5 1; row 1 was tested today.
    const char *dates[] = {"2026-12-01", "2026-12-07", "2026-11-03", "2026-12-05", "2000-01-01",
                           "2026-12-06", "2026-10-09", "2026-12-02", "2026-09-01"};
    for (int i = 0; i < 9; ++i)
        addStudied(Tbl::WordTable, QStringLiteral("w%1").arg(i), 1, 0, i % 2 ? QStringLiteral("错") : QStringLiteral("对"),
                   QLatin1String(dates[i]), QStringLiteral("01"));
    const QStringList word = column(Tbl::WordTable, Col::Word), id = column(Tbl::WordTable, Col::ID);
    struct {
        const char *mode;
        QList<int> chosen, candidates;  // rows, in the lists' order
    } const table[] = {
        // Newest first, skipping today's.
        {"最近优先", {5, 3, 7, 0, 2, 6}, {4, 8, 1}},
        // Oldest first: the descending list taken from its end.
        {"最远优先", {4, 8, 6, 2, 0, 7}, {1, 5, 3}},
        // Newest wrong answers first, then from the end of what is left.
        {"错误优先", {1, 5, 3, 7, 0, 2}, {4, 8, 6}},
    };
    PConfigIni->WriteInteger(Ini::Main, Ini::GroupSize, 6);
    for (const auto &t : table) {
        SCOPED_TRACE(t.mode);
        PConfigIni->WriteString(Ini::Main, Ini::CreateMode, QString::fromUtf8(t.mode));
        form->hide();
        show();
        choose(2);
        form->Pcreatebutton->click();
        QStringList chosen, candidates;
        for (int i : t.chosen)
            chosen << id[i];
        for (int i : t.candidates)
            candidates << id[i];
        EXPECT_EQ(captions(form->PLV2), chosen);
        EXPECT_EQ(captions(form->PLV1), candidates);
        // Every column of a drawn row is its own.
        const QTreeWidgetItem *first = PItemAt(form->PLV2, 0);
        const int row = t.chosen.first();
        EXPECT_EQ(PSubItem(first, 0), word[row]);
        EXPECT_EQ(PSubItem(first, 4), row % 2 ? QStringLiteral("错") : QStringLiteral("对"));
        EXPECT_EQ(PSubItem(first, 5), QLatin1String(dates[row]));
        EXPECT_EQ(PSubItem(first, 6), QStringLiteral("01"));
        EXPECT_EQ(form->Label4WordCount->text(), QStringLiteral("（6词）"));
        EXPECT_TRUE(dialogs->shown().isEmpty());

        // A second run is refused: the group is full.
        form->Pcreatebutton->click();
        EXPECT_EQ(dialogs->texts(), QStringList({"选中单词已超6个,无法使用自动产词"}));
        EXPECT_EQ(captions(form->PLV2), chosen);
    }
}

TEST_F(Builder, StudyAndTestCheckTheGroupAndHandOverOnlyWhenItCanGo)
{
    addWords(Tbl::WordTable, 102);
    struct Case {
        const char *tool;
        int chosen;
        bool test;
        QStringList opened;
        QString message;
    };
    const Case cases[] = {
        {"传统拼写", 5, false, {}, "至少要选6个单词"},
        {"传统拼写", 5, true, {}, "至少要选6个单词"},
        {"传统拼写", 6, false, {"browse"}, ""},
        {"单项选择", 101, true, {}, "本学习器至多允许选100个单词"},
        {"单项选择", 101, false, {}, "本学习器至多允许选100个单词"},
        {"单项选择", 100, true, {"prepare", "select"}, ""},
        {"传统拼写", 101, true, {"prepare", "spell"}, ""},
        // A tool only a hand-edited file names: the builder stays and nothing changes.
        {"快速回忆", 6, true, {}, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.tool) + " " + std::to_string(c.chosen) + (c.test ? " 测试" : " 学习"));
        PConfigIni->WriteString(Ini::Main, Ini::Tool, QString::fromUtf8(c.tool));
        dm->PDeleteAllFromTable(Tbl::TempTable);
        form->hide();
        show();
        choose(c.chosen);
        const QStringList group = captions(form->PLV2);
        opened.clear();
        (c.test ? form->BtGotoTest : form->BtGotoBrowse)->click();
        EXPECT_EQ(opened, c.opened);
        EXPECT_EQ(dialogs->texts(), c.message.isEmpty() ? QStringList() : QStringList({c.message}));
        const bool went = !c.opened.isEmpty();
        EXPECT_EQ(form->isVisible(), !went);
        EXPECT_EQ(column(Tbl::TempTable, Col::ID), went ? group : QStringList());
        EXPECT_EQ(PItemCount(form->PLV2), went ? 0 : c.chosen);
        EXPECT_EQ(PItemCount(form->PLV1), went ? 0 : 102 - c.chosen);
    }
}

TEST_F(Builder, AFailedCopyOrAFailingToolBringsTheBuilderBack)
{
    addWords(Tbl::WordTable, 6);
    show();
    choose(6);
    raw(QStringLiteral("create trigger stop before insert on TempTable begin select raise(abort, 'disk full'); end"));
    form->BtGotoBrowse->click();
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(dialogs->texts(), QStringList({"词库刷新出错！"}));

    raw(QStringLiteral("drop trigger stop"));
    PHandOvers().prepareTest = [] { throw EngineError(QStringLiteral("no options")); };
    dialogs->clear();
    const QStringList group = captions(form->PLV2);
    form->BtGotoTest->click();  // the group is still there
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(dialogs->texts(), QStringList({"no options"}));
    EXPECT_EQ(column(Tbl::TempTable, Col::ID), group);
    EXPECT_EQ(PItemCount(form->PLV1), 6);  // the lists it had emptied are whole again
    EXPECT_EQ(PItemCount(form->PLV2), 0);
}

TEST_F(Builder, MenusChangeTheBankOnlyAsAsked)
{
    for (int i = 0; i < 6; ++i)
        addStudied(Tbl::WordTable, QStringLiteral("w%1").arg(i), 2, i % 2, i % 2 ? QStringLiteral("错") : QStringLiteral("对"),
                   i < 3 ? QStringLiteral("2026-12-01") : QStringLiteral("2026-12-02"), QStringLiteral("01"));
    show();
    const QStringList ids = column(Tbl::WordTable, Col::ID);

    // Category: Cancel keeps every category; an answer changes the selected words only.
    select(form->PLV1, {1, 4});
    dialogs->cancelInput();
    action(form->PopupMenu1, QStringLiteral("更改所选单词类别"))->trigger();
    EXPECT_EQ(column(Tbl::WordTable, Col::Category), QStringList(6, QStringLiteral("基本词")));
    dialogs->answerInput(QStringLiteral("动词"));
    action(form->PopupMenu1, QStringLiteral("更改所选单词类别"))->trigger();
    EXPECT_EQ(column(Tbl::WordTable, Col::Category),
              QStringList({"基本词", "动词", "基本词", "基本词", "动词", "基本词"}));
    EXPECT_EQ(dialogs->shown().at(0).title, QStringLiteral("请输入新类别"));

    // Same date as the one selected candidate, though a chosen word was clicked last.
    select(form->PLV1, {5});
    form->PLV1DblClick();
    select(form->PLV1, {1});
    form->PLV1->setCurrentItem(PItemAt(form->PLV1, 1));
    form->PLV2->setCurrentItem(nullptr);
    form->PLV2->setCurrentItem(PItemAt(form->PLV2, 0));
    EXPECT_EQ(form->LBSelectflag->text(), QStringLiteral("第1项"));
    action(form->PopupMenu1, QStringLiteral("选“日期”相同"))->trigger();
    EXPECT_EQ(captions(form->PLV2), QStringList({ids[5], ids[2], ids[1], ids[0]}));

    // Deleting asks nothing and leaves the other words.
    select(form->PLV1, {0});
    action(form->PopupMenu1, QStringLiteral("永久删除所选单词"))->trigger();
    EXPECT_EQ(column(Tbl::WordTable, Col::ID), QStringList({ids[0], ids[1], ids[2], ids[4], ids[5]}));
    EXPECT_EQ(form->Label3WordCount->text(), QStringLiteral("（1词）"));
    EXPECT_EQ(dialogs->shown().size(), 2);

    // The shuffle keeps every row and rebuilds both lists.
    action(form->PopupMenu1, QStringLiteral("词表乱序"))->trigger();
    QStringList after = column(Tbl::WordTable, Col::ID);
    after.sort();
    EXPECT_EQ(after, QStringList({ids[0], ids[1], ids[2], ids[4], ids[5]}));
    EXPECT_EQ(PItemCount(form->PLV1), 5);
    EXPECT_EQ(PItemCount(form->PLV2), 0);
}

TEST_F(Builder, ClosingLogsTheLessonAndShowsTheToolChoiceEvenWhenTheLogFails)
{
    addWords(Tbl::WordTable, 6);
    ASSERT_TRUE(PLogLesson());
    dm->PDeleteAllFromTable(Tbl::LogTable);
    show();
    PStudyCounters().experience += 5;
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(toolChoice->isVisible());
    EXPECT_EQ(column(Tbl::LogTable, Col::LogExperience), QStringList({"5"}));

    toolChoice->hide();
    show();
    dm->PConnection.execute(QStringLiteral("drop table LogTable"));
    form->close();
    EXPECT_TRUE(toolChoice->isVisible());
    ASSERT_EQ(dialogs->shown().size(), 1);
    EXPECT_EQ(dialogs->shown().at(0).icon, Dialogs::Critical);
}

TEST_F(Builder, RollingReadsItsLimitsAtEachRunWithItsOwnDefaults)
{
    const int right[] = {1, 4, 6, 7};
    for (int i = 0; i < 4; ++i)
        addStudied(Tbl::WordTable, QStringLiteral("w%1").arg(i), right[i], 0, QStringLiteral("对"),
                   QStringLiteral("2026-12-01"), QStringLiteral("01"));
    PConfigIni->WriteString(Ini::Main, Ini::CreateMode, QStringLiteral("滚动产生"));
    PConfigIni->WriteInteger(Ini::Main, Ini::GroupSize, 4);
    const auto run = [this] {
        form->hide();
        show();
        form->Pcreatebutton->click();
        QStringList words;
        for (int i = 0; i < PItemCount(form->PLV2); ++i)
            words << PSubItem(PItemAt(form->PLV2, i), 0);
        return words;
    };
    // No keys: below 5, then below 8 (the tool choice would show 3, 2, 1).
    EXPECT_EQ(run(), QStringList({"w1", "w0", "w3", "w2"}));
    for (const auto &[key, value] : {std::pair{Ini::RollRound1, "2"}, std::pair{Ini::RollRound2, "3"},
                                     std::pair{Ini::RollRound3, "2"}})
        PConfigIni->WriteString(Ini::RollRule, key, QLatin1String(value));
    EXPECT_EQ(run(), QStringList({"w0", "w1", "w2", "w3"}));
}

TEST_F(Builder, EnterTwiceBuildsTheGroupFromTheSortedListAndOpensTheBrowser)
{
    for (const char *w : {"delta", "Alpha", "echo", "charlie", "Bravo", "golf", "foxtrot", "hotel"})
        addWord(Tbl::WordTable, QLatin1String(w));
    PConfigIni->WriteString(Ini::Main, Ini::CreateMode, QStringLiteral("手动选择"));
    PConfigIni->WriteInteger(Ini::Main, Ini::GroupSize, 6);
    show();
    // A click on the word column sorts descending without regard to case; the group is then taken
    // from the bottom of what the learner sees.
    emit form->PLV1->header()->sectionClicked(1);
    ASSERT_EQ(QApplication::activeWindow(), form.get());
    ASSERT_EQ(QApplication::focusWidget(), form->Pcreatebutton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QStringList words;
    for (int i = 0; i < PItemCount(form->PLV2); ++i)
        words << PSubItem(PItemAt(form->PLV2, i), 0);
    EXPECT_EQ(words, QStringList({"Alpha", "Bravo", "charlie", "delta", "echo", "foxtrot"}));
    EXPECT_TRUE(opened.isEmpty());
    ASSERT_EQ(QApplication::focusWidget(), form->BtGotoBrowse);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(opened, QStringList({"browse"}));
    EXPECT_EQ(column(Tbl::TempTable, Col::Word), words);
    EXPECT_EQ(QKeySequence::mnemonic(form->Pcreatebutton->text()), QKeySequence(Qt::ALT | Qt::Key_C));
}

}  // namespace
