#include "support/qstringprinter.h"
#include "wordlists/manageformtb.h"

#include "core/currentlist.h"
#include "wordlists/wordlistwindows.h"

#include <QAction>
#include <QTreeWidget>

namespace {
const QString W = QStringLiteral("WordTable");
using Rows = QList<QStringList>;
}  // namespace

class ManageFormTB : public WordListWindows {
protected:
    void SetUp() override
    {
        WordListWindows::SetUp();
        form = std::make_unique<TPManageFormTB>();
    }
    void TearDown() override
    {
        form.reset();
        WordListWindows::TearDown();
    }
    // Adds word to T with the given statistics.
    void word(const QString &T, const QString &w, const QString &experience, const QString &master,
              const QString &date)
    {
        addWord(T, w);
        dm->PUpdateOneDataFromTable(T, QStringLiteral("单词"), QStringLiteral("经验点数"), w, experience);
        dm->PUpdateOneDataFromTable(T, QStringLiteral("单词"), QStringLiteral("掌握类型"), w, master);
        dm->PUpdateOneDataFromTable(T, QStringLiteral("单词"), QStringLiteral("最近测试时间"), w, date);
    }
    void select(const QString &caption)
    {
        for (QTreeWidgetItem *item : form->ListView1->findItems(caption, Qt::MatchExactly))
            item->setSelected(true);
    }
    Rows shownRows()
    {
        Rows out;
        EXPECT_TRUE(whileShown(form.get(), [&] { out = rows(form->ListView1); }));
        return out;
    }
    std::unique_ptr<TPManageFormTB> form;
};

TEST_F(ManageFormTB, ABankWithoutListsShowsWordTableAnEmptyRowAndItsTotals)
{
    word(W, QStringLiteral("apple"), QStringLiteral("12"), QStringLiteral("11"), QStringLiteral("2009-03-01"));
    word(W, QStringLiteral("pear"), QStringLiteral("-2"), QStringLiteral("01"), QStringLiteral("2008-12-30"));
    word(W, QStringLiteral("plum"), QStringLiteral("7"), QStringLiteral("11"), QStringLiteral("2009-10-02"));
    EXPECT_EQ(shownRows(), (Rows{{"WordTable", "3", "17", "2", "2009-10-02", "2008-12-30"},
                                 {""},
                                 {"合计", "3", "17", "2", "", ""}}));
    EXPECT_TRUE(dialogs->shown().isEmpty());
}

TEST_F(ManageFormTB, RegisteredListsComeFirstAndEmptyOrPointlessListsAddNothing)
{
    newList(QStringLiteral("L1"));
    newList(QStringLiteral("L2"));
    newList(QStringLiteral("L3"));
    word(QStringLiteral("L1"), QStringLiteral("go"), QStringLiteral("10"), QStringLiteral("00"), QStringLiteral("2009-01-05"));
    word(QStringLiteral("L1"), QStringLiteral("went"), QStringLiteral("30"), QStringLiteral("11"), QStringLiteral("2009-01-04"));
    // Words with no experience at all (as an old import leaves them): an empty sum counts 0.
    dm->PInsertOneRecordToTable(QStringLiteral("L3"), QStringLiteral("单词"), QStringLiteral("bare"));
    dm->PInsertOneRecordToTable(QStringLiteral("L3"), QStringLiteral("单词"), QStringLiteral("naked"));
    word(W, QStringLiteral("sun"), QStringLiteral("5"), QStringLiteral("11"), QStringLiteral("2009-02-01"));
    EXPECT_EQ(shownRows(), (Rows{{"L1", "2", "40", "1", "2009-01-05", "2009-01-04"},
                                 {"L2", "0", "0", "0", "unknown", "unknown"},
                                 {"L3", "2", "0", "0", "", ""},
                                 {"WordTable", "1", "5", "1", "2009-02-01", "2009-02-01"},
                                 {""},
                                 {"合计", "5", "45", "2", "", ""}}));
    EXPECT_TRUE(dialogs->shown().isEmpty()) << dialogs->texts().join(QLatin1Char('|')).toStdString();
}

TEST_F(ManageFormTB, NewListIsCreatedAndShownAndABadNameChangesNothing)
{
    newList(QStringLiteral("Old"));
    dialogs->answerInput(QStringLiteral("表1234"));
    dialogs->answerInput(QStringLiteral("TOEFL core"));
    dialogs->answerInput(QStringLiteral("old"));   // taken, in another letter case
    dialogs->answerInput(QString());               // empty
    dialogs->answerInput(QStringLiteral("v1.2"));  // a character the bank cannot take
    dialogs->cancelInput();
    ASSERT_TRUE(whileShown(form.get(), [&] {
        form->N1->trigger();
        EXPECT_EQ(captions(form->ListView1), (QStringList{"Old", "表1234", "WordTable", "", "合计"}));
        EXPECT_EQ(rows(form->ListView1).at(1), (QStringList{"表1234", "0", "0", "0", "unknown", "unknown"}));
        for (int i = 0; i < 5; ++i)
            form->N1->trigger();
        EXPECT_EQ(captions(form->ListView1), (QStringList{"Old", "表1234", "TOEFL core", "WordTable", "", "合计"}));
        EXPECT_EQ(rows(form->ListView1).at(2), (QStringList{"TOEFL core", "0", "0", "0", "unknown", "unknown"}));
    }));
    EXPECT_EQ(messages(), (QStringList{"新建词表“ 表1234 ”成功", "新建词表“ TOEFL core ”成功", "已有同名的单词表（不分大小写）",
                                       "名称不能为空", "名称不能含有“.”"}));
    EXPECT_EQ(dialogs->shown().first().title, QStringLiteral("请输入新单词表名称"));
    EXPECT_TRUE(dialogs->shown().first().text.isEmpty());
    EXPECT_EQ(dm->PGetCountFromTable(QStringLiteral("TableNameTable")), 3);
}

TEST_F(ManageFormTB, DroppingAskedListLeavesTheOldTotalsUntilTheNextActivation)
{
    newList(QStringLiteral("Keep"));
    newList(QStringLiteral("Gone"));
    word(QStringLiteral("Gone"), QStringLiteral("x"), QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("2009-01-01"));
    PSetCurrentTable(QStringLiteral("Keep"));
    dialogs->answer(Dialogs::No);
    dialogs->answer(Dialogs::Yes);
    ASSERT_TRUE(whileShown(form.get(), [&] {
        select(QStringLiteral("Gone"));
        form->N2->trigger();
        EXPECT_EQ(captions(form->ListView1).size(), 5);
        EXPECT_EQ(PCurrentTable, QStringLiteral("Keep"));
        select(QStringLiteral("Gone"));
        form->N2->trigger();
        EXPECT_EQ(captions(form->ListView1), (QStringList{"Keep", "WordTable", "", "合计"}));
        EXPECT_EQ(rows(form->ListView1).last(), (QStringList{"合计", "1", "10", "1", "", ""}));
    }));
    EXPECT_EQ(dialogs->texts(), (QStringList{"这将永久删除该单词表，是否继续？", "这将永久删除该单词表，是否继续？"}));
    EXPECT_EQ(dialogs->shown().first().icon, Dialogs::Warning);
    EXPECT_FALSE(dm->PConnection.tableNames().contains(QStringLiteral("Gone")));
    EXPECT_EQ(PCurrentTable, W);
    EXPECT_EQ(shownRows().last(), (QStringList{"合计", "0", "0", "0", "", ""}));
}

TEST_F(ManageFormTB, RenamingKeepsTheWordsAndNeverLetsAListVanish)
{
    newList(QStringLiteral("A"));
    newList(QStringLiteral("B"));
    addWord(QStringLiteral("A"), QStringLiteral("alpha"));
    addWord(QStringLiteral("B"), QStringLiteral("beta"));
    PSetCurrentTable(QStringLiteral("A"));
    dialogs->answerInput(QStringLiteral("b"));  // another list's name
    dialogs->cancelInput();
    dialogs->answerInput(QStringLiteral("A"));  // its own name
    dialogs->answerInput(QStringLiteral("C"));
    ASSERT_TRUE(whileShown(form.get(), [&] {
        for (int i = 0; i < 4; ++i) {
            select(QStringLiteral("A"));
            form->N3->trigger();
        }
    }));
    EXPECT_EQ(messages(), QStringList{"已有同名的单词表（不分大小写）"});
    EXPECT_EQ(dialogs->shown().first().title, QStringLiteral("请输入新名称"));
    EXPECT_EQ(column(QStringLiteral("B"), QStringLiteral("单词")), QStringList{"beta"});
    EXPECT_EQ(column(QStringLiteral("C"), QStringLiteral("单词")), QStringList{"alpha"});
    EXPECT_EQ(column(QStringLiteral("TableNameTable"), QStringLiteral("表名")), (QStringList{"B", "C"}));
    EXPECT_FALSE(dm->PConnection.tableNames().contains(QStringLiteral("A")));
    EXPECT_EQ(PCurrentTable, QStringLiteral("C"));
    EXPECT_EQ(captions(form->ListView1), (QStringList{"B", "C", "WordTable", "", "合计"}));
}

TEST_F(ManageFormTB, EmptyingWordTableIsAskedAndTheRowsAreRebuilt)
{
    addWord(W, QStringLiteral("one"));
    addWord(W, QStringLiteral("two"));
    dialogs->answer(Dialogs::Yes);
    ASSERT_TRUE(whileShown(form.get(), [&] {
        select(W);
        form->N4->trigger();
        EXPECT_EQ(rows(form->ListView1).first(), (QStringList{"WordTable", "0", "0", "0", "unknown", "unknown"}));
        EXPECT_EQ(rows(form->ListView1).last(), (QStringList{"合计", "0", "0", "0", "", ""}));
    }));
    EXPECT_EQ(dialogs->texts(), QStringList{"这将清除该单词表中所有数据，是否继续？"});
    EXPECT_EQ(dm->PGetCountFromTable(W), 0);
}

// A list whose name the statements cannot take (a bank made elsewhere) costs its own row only,
// says why, and can be renamed and dropped.
TEST_F(ManageFormTB, AListWithARefusedNameCostsOnlyItsOwnRow)
{
    for (const char *odd : {"v1.2", "a!b"}) {
        raw(QStringLiteral("create table \"%1\" as select * from WordTable where 0").arg(QString::fromUtf8(odd)));
        raw(QStringLiteral("insert into TableNameTable(表名) values('%1')").arg(QString::fromUtf8(odd)));
    }
    raw(QStringLiteral("insert into \"a!b\"(单词, 经验点数) values('x', '3')"));
    newList(QStringLiteral("Later"));
    word(QStringLiteral("Later"), QStringLiteral("go"), QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("2009-01-05"));
    dialogs->answerInput(QStringLiteral("Fixed"));
    dialogs->answer(Dialogs::Yes);
    ASSERT_TRUE(whileShown(form.get(), [&] {
        EXPECT_EQ(rows(form->ListView1),
                  (Rows{{"v1.2", "名称不能含有“.”", "", "", "", ""},
                        {"a!b", "名称不能含有“!”", "", "", "", ""},
                        {"Later", "1", "10", "1", "2009-01-05", "2009-01-05"},
                        {"WordTable", "0", "0", "0", "unknown", "unknown"},
                        {""},
                        {"合计", "1", "10", "1", "", ""}}));
        EXPECT_EQ(form->ListView1->topLevelItem(1)->toolTip(3), QStringLiteral("名称不能含有“!”"));
        select(QStringLiteral("a!b"));
        form->N3->trigger();
        EXPECT_EQ(captions(form->ListView1), (QStringList{"v1.2", "Fixed", "Later", "WordTable", "", "合计"}));
        EXPECT_EQ(rows(form->ListView1).at(1), (QStringList{"Fixed", "1", "3", "0", "", ""}));
        select(QStringLiteral("v1.2"));
        form->N2->trigger();
    }));
    EXPECT_EQ(column(QStringLiteral("TableNameTable"), QStringLiteral("表名")), (QStringList{"Fixed", "Later"}));
    EXPECT_EQ(column(QStringLiteral("Fixed"), QStringLiteral("单词")), QStringList{"x"});
    const QStringList tables = dm->PConnection.tableNames();
    EXPECT_FALSE(tables.contains(QStringLiteral("v1.2")));
    EXPECT_FALSE(tables.contains(QStringLiteral("a!b")));
    EXPECT_EQ(messages(), QStringList{});
}

// Which rows each list command acts on: it asks first, so a question shows it acted.
struct RowCommand {
    const char *row;
    const char *command;
    bool asks;
};
void PrintTo(const RowCommand &c, std::ostream *os) { PrintCase(os, c.row, c.command); }

class ManageFormTBRows : public ManageFormTB, public ::testing::WithParamInterface<RowCommand> {};

TEST_P(ManageFormTBRows, OnlyListRowsAreActedOn)
{
    newList(QStringLiteral("L"));
    addWord(W, QStringLiteral("w"));
    addWord(QStringLiteral("L"), QStringLiteral("l"));
    const RowCommand c = GetParam();
    ASSERT_TRUE(whileShown(form.get(), [&] {
        if (QString::fromUtf8(c.row) == QLatin1String("empty"))
            form->ListView1->topLevelItem(2)->setSelected(true);
        else
            select(QString::fromUtf8(c.row));
        form->findChild<QAction *>(QString::fromUtf8(c.command))->trigger();
    }));
    EXPECT_EQ(!dialogs->shown().isEmpty(), c.asks) << c.row << " " << c.command;
    EXPECT_EQ(dm->PGetCountFromTable(W) + dm->PGetCountFromTable(QStringLiteral("L")), 2);
}

INSTANTIATE_TEST_SUITE_P(Table, ManageFormTBRows,
                         ::testing::Values(RowCommand{"L", "N2", true}, RowCommand{"L", "N3", true},
                                           RowCommand{"L", "N4", true}, RowCommand{"WordTable", "N2", false},
                                           RowCommand{"WordTable", "N3", false}, RowCommand{"WordTable", "N4", true},
                                           RowCommand{"empty", "N2", false}, RowCommand{"empty", "N3", false},
                                           RowCommand{"empty", "N4", false}, RowCommand{"合计", "N2", false},
                                           RowCommand{"合计", "N3", false}, RowCommand{"合计", "N4", false},
                                           RowCommand{"WordTable", "N5", false}));
