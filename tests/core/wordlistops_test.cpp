#include "support/qstringprinter.h"
#include "core/wordlistops.h"

#include "core/bankmaint.h"
#include "core/choosers.h"
#include "core/currentlist.h"
#include "core/listviews.h"
#include "support/bankfixture.h"

#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <sqlite3.h>

namespace {
const QString W = QStringLiteral("WordTable");
const QString Temp = QStringLiteral("TempTable");
const QString ID = QStringLiteral("ID");
const QString K = QStringLiteral("单词");
const QStringList AllFields = {"ID",       "单词",     "音标",     "解释",     "联想",         "详解",         "例句",
                               "做过次数", "做错次数", "经验点数", "所属类别", "上次是否做对", "最近测试时间", "掌握类型"};
}  // namespace

class WordListOps : public BankFixture {
protected:
    void SetUp() override
    {
        BankFixture::SetUp();
        PEnsureUserRow();
        PLoadCurrentTableName();
        lv.setSelectionMode(QAbstractItemView::ExtendedSelection);
    }

    void newList(const QString &name) { dm->PCreateNewWordTable(W, name, QStringLiteral("addname")); }

    // Every row of T with all its fields, in stored order.
    QList<QStringList> rowsOf(const QString &T)
    {
        QList<QStringList> out;
        dm->PSelectAllFromTable(T);
        dm->PQuery.open();
        while (!dm->PQuery.eof()) {
            QStringList r;
            for (const QString &f : AllFields)
                r << dm->PQuery.fieldByName(f);
            out << r;
            dm->PQuery.next();
        }
        dm->PQuery.close();
        return out;
    }
    static QList<QStringList> sorted(QList<QStringList> rows)
    {
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    QStringList registered() { return column(QStringLiteral("TableNameTable"), QStringLiteral("表名")); }

    void fill(const QString &T) { PRefreshListView(&lv, T, K, 0, QStringLiteral("mainformDBT")); }
    QTreeWidgetItem *itemWithId(const QString &id)
    {
        for (int i = 0; i < PItemCount(&lv); ++i)
            if (PCaption(PItemAt(&lv, i)) == id)
                return PItemAt(&lv, i);
        return nullptr;
    }
    // The word-list manager's rows: the registered lists, "WordTable", an empty row, the total.
    void fillManager(const QStringList &lists)
    {
        PClearItems(&lv);
        for (const QString &name : lists)
            PAddItem(&lv, name);
        PAddItem(&lv, W);
        PAddItem(&lv, QString());
        PAddItem(&lv, QStringLiteral("合计"));
    }
    void selectRows(const QStringList &captions)
    {
        for (int i = 0; i < PItemCount(&lv); ++i)
            PItemAt(&lv, i)->setSelected(captions.contains(PCaption(PItemAt(&lv, i))));
    }

    QTreeWidget lv;
};

TEST_F(WordListOps, ClearingTheStudyGroup)
{
    addWord(Temp, QStringLiteral("go"));
    PClearTempTable();
    EXPECT_TRUE(column(Temp, K).isEmpty());
    EXPECT_TRUE(dialogs->texts().isEmpty());

    dm->PDropTable(Temp, QString());
    PClearTempTable();
    EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("测试词库刷新出错")});
}

TEST_F(WordListOps, DeduplicationKeepsTheFirstOfEachExactSpelling)
{
    for (const char *w : {"go", "Go", "go", "alone", "go"})
        addWord(W, QString::fromUtf8(w), QString::fromUtf8(w) == QLatin1String("alone") ? QString() : QStringLiteral("去"));
    PLoadAndDedupTable(&lv, W, K);
    QStringList words = column(W, K);
    words.sort();
    EXPECT_EQ(words, QStringList({"Go", "alone", "go"}));
    // The deleted rows' items stay with their meaning emptied until the caller refills.
    EXPECT_EQ(PItemCount(&lv), 5);
    int emptied = 0;
    for (int i = 0; i < PItemCount(&lv); ++i)
        if (PSubItem(PItemAt(&lv, i), 0) == QLatin1String("go") && PSubItem(PItemAt(&lv, i), 1).isEmpty())
            ++emptied;
    EXPECT_EQ(emptied, 2);
}

TEST_F(WordListOps, DeduplicationFindsTwinsThatAreNotNeighbours)
{
    addWord(W, QStringLiteral("go"));
    addWord(W, QStringLiteral("Go"));
    addWord(W, QStringLiteral("go"));
    const QStringList ids = column(W, ID);
    // The order the bank may give when it orders without regard to case.
    PAddItem(&lv, ids[0], {"go", "去"});
    PAddItem(&lv, ids[1], {"Go", "去"});
    PAddItem(&lv, ids[2], {"go", "去"});
    PRemoveDuplicates(&lv, W);
    EXPECT_EQ(column(W, ID), ids.mid(0, 2));
    EXPECT_EQ(column(W, K), QStringList({"go", "Go"}));
}

TEST_F(WordListOps, DeletingSelectedWordsTakesTheirRowsOnly)
{
    addWord(W, QStringLiteral("apple"));
    addWord(W, QStringLiteral("apple"));
    addWord(W, QStringLiteral("pear"));
    const QStringList ids = column(W, ID);
    fill(W);
    itemWithId(ids[1])->setSelected(true);
    itemWithId(ids[2])->setSelected(true);
    PDeleteSelectedWords(&lv, W);
    EXPECT_EQ(column(W, ID), QStringList{ids[0]});
    EXPECT_EQ(PItemCount(&lv), 1);
    EXPECT_EQ(PCaption(PItemAt(&lv, 0)), ids[0]);
}

TEST_F(WordListOps, MovingSelectedWordsCopiesTheSelectedRowOnly)
{
    newList(QStringLiteral("L1"));
    addWord(W, QStringLiteral("apple"), QStringLiteral("苹果"));
    addWord(W, QStringLiteral("apple"), QStringLiteral("苹果公司"));
    addWord(W, QStringLiteral("pear"));
    const QList<QStringList> before = rowsOf(W);
    fill(W);
    itemWithId(before[1][0])->setSelected(true);
    PMoveWords(&lv, W, QStringLiteral("L1"), QStringLiteral("select"));
    EXPECT_EQ(rowsOf(QStringLiteral("L1")), QList<QStringList>{before[1]});
    EXPECT_EQ(rowsOf(W), QList<QStringList>({before[0], before[2]}));
    EXPECT_EQ(PItemCount(&lv), 2);
    EXPECT_EQ(itemWithId(before[1][0]), nullptr);
}

TEST_F(WordListOps, MovingCheckedWordsTakesEveryRowOfTheWord)
{
    newList(QStringLiteral("L1"));
    addWord(W, QStringLiteral("apple"));
    addWord(W, QStringLiteral("Apple"));
    addWord(W, QStringLiteral("pear"));
    for (const char *w : {"apple", "pear"}) {
        QTreeWidgetItem *it = PAddItem(&lv, QString::fromUtf8(w), {QString(), QString(), QString()});
        it->setCheckState(0, Qt::Unchecked);
    }
    PItemAt(&lv, 0)->setCheckState(0, Qt::Checked);
    PMoveWords(&lv, W, QStringLiteral("L1"), QStringLiteral("check"));
    EXPECT_EQ(column(QStringLiteral("L1"), K), QStringList({"apple", "Apple"}));
    EXPECT_EQ(column(W, K), QStringList{"pear"});
    ASSERT_EQ(PItemCount(&lv), 1);
    EXPECT_EQ(PCaption(PItemAt(&lv, 0)), QStringLiteral("pear"));
}

TEST_F(WordListOps, MovingWordsIntoTheirOwnListLosesNothing)
{
    addWord(W, QStringLiteral("apple"));
    fill(W);
    PItemAt(&lv, 0)->setSelected(true);
    PMoveWords(&lv, W, QStringLiteral("wordtable"), QStringLiteral("select"));
    EXPECT_EQ(column(W, K), QStringList{"apple"});
}

TEST_F(WordListOps, UpdatingSelectedRowsMatchesIdAndWord)
{
    newList(QStringLiteral("L1"));
    newList(QStringLiteral("L2"));
    addWord(W, QStringLiteral("apple"));
    addWord(QStringLiteral("L2"), QStringLiteral("pear"));
    dm->PMoveAll(W, QStringLiteral("L1"));
    dm->PMoveAll(QStringLiteral("L2"), QStringLiteral("L1"));
    const QStringList ids = column(QStringLiteral("L1"), ID);
    ASSERT_EQ(ids.size(), 2);
    ASSERT_EQ(ids[0], ids[1]);  // two rows, one ID

    fill(QStringLiteral("L1"));
    QTreeWidgetItem *pear = PItemAt(&lv, 1);
    ASSERT_EQ(PSubItem(pear, 0), QStringLiteral("pear"));
    pear->setSelected(true);
    PUpdateSelectedField(&lv, QStringLiteral("L1"), QStringLiteral("所属类别"), QStringLiteral("水果"), 5);
    EXPECT_EQ(column(QStringLiteral("L1"), QStringLiteral("所属类别")), QStringList({"基本词", "水果"}));
    EXPECT_EQ(PSubItem(pear, 5), QStringLiteral("水果"));
    EXPECT_EQ(PSubItem(PItemAt(&lv, 0), 5), QStringLiteral("基本词"));
}

TEST_F(WordListOps, ShufflingAnEmptyOrOneRowList)
{
    PShuffleTable(&lv);
    EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("乱序成功")});
    EXPECT_TRUE(column(W, K).isEmpty());

    addWord(W, QStringLiteral("only"));
    const QList<QStringList> before = rowsOf(W);
    PShuffleTable(&lv);
    EXPECT_EQ(rowsOf(W), before);
    // The shuffle's buffer keeps a copy of the list.
    EXPECT_EQ(rowsOf(Temp), before);
}

TEST_F(WordListOps, ShufflingKeepsEveryRowOnceEvenWithSharedIds)
{
    newList(QStringLiteral("L1"));
    newList(QStringLiteral("L2"));
    for (const char *w : {"apple", "pear", "plum"})
        addWord(W, QString::fromUtf8(w));
    for (const char *w : {"fig", "kiwi"})
        addWord(QStringLiteral("L2"), QString::fromUtf8(w));
    dm->PMoveAll(W, QStringLiteral("L1"));
    dm->PMoveAll(QStringLiteral("L2"), QStringLiteral("L1"));
    PSetCurrentTable(QStringLiteral("L1"));
    const QList<QStringList> before = rowsOf(QStringLiteral("L1"));
    ASSERT_EQ(before.size(), 5);
    PRandSeed(7);
    for (int i = 0; i < 10; ++i) {
        dialogs->clear();
        PShuffleTable(&lv);
        EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("乱序成功")});
        EXPECT_EQ(sorted(rowsOf(QStringLiteral("L1"))), sorted(before));
    }
}

TEST_F(WordListOps, ShufflingPutsEveryRowInEveryPosition)
{
    for (const char *w : {"a", "b", "c"})
        addWord(W, QString::fromUtf8(w));
    PRandSeed(11);
    QSet<QString> seen;  // word@position
    for (int i = 0; i < 60; ++i) {
        PShuffleTable(&lv);
        const QStringList words = column(W, K);
        ASSERT_EQ(words.size(), 3);
        for (int p = 0; p < 3; ++p)
            seen.insert(words[p] + QLatin1Char('@') + QString::number(p));
    }
    EXPECT_EQ(seen.size(), 9);
}

TEST_F(WordListOps, AFailedShuffleLeavesTheListAsItWas)
{
    for (const char *w : {"a", "b", "c", "d"})
        addWord(W, QString::fromUtf8(w));
    addWord(Temp, QStringLiteral("group"));
    const QList<QStringList> before = rowsOf(W);
    const QList<QStringList> group = rowsOf(Temp);
    // The second row copied back fails, after the list was emptied.
    raw("CREATE TRIGGER half BEFORE INSERT ON WordTable WHEN (SELECT count(*) FROM WordTable) >= 1 "
        "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    PShuffleTable(&lv);
    EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("乱序失败")});
    EXPECT_EQ(rowsOf(W), before);
    EXPECT_EQ(rowsOf(Temp), group);
    EXPECT_EQ(dm->PConnection.transactionDepth(), 0);
}

TEST_F(WordListOps, NewListIsCreatedEmptyAndRegistered)
{
    dialogs->answerInput(QStringLiteral("生词本"));
    PNewWordTable();
    EXPECT_EQ(dialogs->texts().last(), QStringLiteral("新建词表“ 生词本 ”成功"));
    EXPECT_EQ(dialogs->shown().first().title, QStringLiteral("请输入新单词表名称"));
    EXPECT_EQ(registered(), QStringList{"生词本"});
    EXPECT_EQ(dm->PGetCountFromTable(QStringLiteral("生词本")), 0);

    dialogs->clear();
    dialogs->cancelInput();
    PNewWordTable();
    EXPECT_EQ(dialogs->texts().size(), 1);  // the prompt only
    EXPECT_EQ(registered(), QStringList{"生词本"});
}

TEST_F(WordListOps, DroppingTheCurrentListMakesWordTableCurrent)
{
    newList(QStringLiteral("L1"));
    newList(QStringLiteral("L2"));
    PSetCurrentTable(QStringLiteral("L1"));

    fillManager({"L1", "L2"});
    selectRows({"L1", "WordTable", "", "合计"});
    dialogs->answer(Dialogs::No);
    PDropWordTables(&lv);
    EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("这将永久删除该单词表，是否继续？")});
    EXPECT_EQ(dialogs->shown().first().icon, Dialogs::Warning);
    EXPECT_EQ(registered(), QStringList({"L1", "L2"}));
    EXPECT_EQ(PCurrentTable, QStringLiteral("L1"));
    EXPECT_EQ(PItemCount(&lv), 5);

    dialogs->clear();
    dialogs->answer(Dialogs::Yes);
    PDropWordTables(&lv);
    EXPECT_EQ(dialogs->texts().size(), 1);  // WordTable and the last rows are never asked about
    EXPECT_EQ(registered(), QStringList{"L2"});
    EXPECT_FALSE(dm->PConnection.tableNames().contains(QStringLiteral("L1")));
    EXPECT_EQ(PCurrentTable, W);
    PLoadCurrentTableName();
    EXPECT_EQ(PCurrentTable, W);
    EXPECT_EQ(PCaption(PItemAt(&lv, 0)), QStringLiteral("L2"));
}

TEST_F(WordListOps, EmptyingActsOnWordTableButNeverOnTheLastTwoRows)
{
    newList(QStringLiteral("L1"));
    addWord(W, QStringLiteral("go"));
    addWord(QStringLiteral("L1"), QStringLiteral("go"));
    fillManager({"L1"});
    selectRows({"", "合计"});
    PClearWordTables(&lv);
    EXPECT_TRUE(dialogs->texts().isEmpty());

    selectRows({"WordTable", "L1"});
    dialogs->answer(Dialogs::Yes);  // WordTable first: the walk goes from the last row up
    dialogs->answer(Dialogs::No);
    PClearWordTables(&lv);
    EXPECT_EQ(dialogs->texts(), QStringList(2, QStringLiteral("这将清除该单词表中所有数据，是否继续？")));
    EXPECT_TRUE(column(W, K).isEmpty());
    EXPECT_EQ(column(QStringLiteral("L1"), K), QStringList{"go"});
}

TEST_F(WordListOps, RenamingTheCurrentListKeepsItCurrent)
{
    newList(QStringLiteral("L1"));
    addWord(QStringLiteral("L1"), QStringLiteral("go"));
    PSetCurrentTable(QStringLiteral("L1"));
    fillManager({"L1"});
    selectRows({"L1", "WordTable"});
    dialogs->answerInput(QStringLiteral("Renamed"));
    PRenameWordTables(&lv);
    EXPECT_EQ(dialogs->shown().first().title, QStringLiteral("请输入新名称"));
    EXPECT_EQ(registered(), QStringList{"Renamed"});
    EXPECT_EQ(column(QStringLiteral("Renamed"), K), QStringList{"go"});
    EXPECT_EQ(PCurrentTable, QStringLiteral("Renamed"));
    PLoadCurrentTableName();
    EXPECT_EQ(PCurrentTable, QStringLiteral("Renamed"));
}

TEST_F(WordListOps, RenamePromptsThatChangeNothing)
{
    newList(QStringLiteral("L1"));
    newList(QStringLiteral("L2"));
    PSetCurrentTable(QStringLiteral("L2"));
    const QStringList tables = dm->PConnection.tableNames();
    fillManager({"L1", "L2"});
    selectRows({"L1"});

    dialogs->answerInput(QStringLiteral("L1"));  // its own name
    PRenameWordTables(&lv);
    dialogs->cancelInput();
    PRenameWordTables(&lv);
    // A refusal says why, and never speaks of creating.
    const QList<std::pair<QString, QString>> refused = {{QStringLiteral("l2"), QStringLiteral("已有同名的单词表（不分大小写）")},
                                                        {QStringLiteral("v1.2"), QStringLiteral("名称不能含有“.”")},
                                                        {QString(), QStringLiteral("名称不能为空")}};
    for (const auto &[bad, why] : refused) {
        dialogs->clear();
        dialogs->answerInput(bad);
        PRenameWordTables(&lv);
        EXPECT_EQ(dialogs->texts().mid(1), QStringList{why}) << bad.toStdString();
    }
    EXPECT_EQ(dm->PConnection.tableNames(), tables);
    EXPECT_EQ(registered(), QStringList({"L1", "L2"}));
    EXPECT_EQ(PCurrentTable, QStringLiteral("L2"));
}

TEST_F(WordListOps, DeduplicationKeepsOneRowOfTwinsSharingTheirId)
{
    // Copies keep their ID, so a word copied into a list twice stands there twice under one ID.
    newList(QStringLiteral("L1"));
    addWord(W, QStringLiteral("apple"), QStringLiteral("苹果"));
    dm->PMoveAll(W, QStringLiteral("L1"));
    dm->PMoveAll(W, QStringLiteral("L1"));
    addWord(QStringLiteral("L1"), QStringLiteral("apple"), QStringLiteral("苹果"));
    addWord(QStringLiteral("L1"), QStringLiteral("pear"), QStringLiteral("梨"));
    const QStringList ids = column(QStringLiteral("L1"), ID);
    ASSERT_EQ(ids.size(), 4);
    ASSERT_EQ(ids[0], ids[1]);
    ASSERT_NE(ids[1], ids[2]);

    PLoadAndDedupTable(&lv, QStringLiteral("L1"), K);
    EXPECT_EQ(column(QStringLiteral("L1"), K), QStringList({"apple", "pear"}));
    EXPECT_EQ(column(QStringLiteral("L1"), ID), QStringList({ids[0], ids[3]}));
    // The items of the deleted rows have their meaning emptied, the others keep it.
    QStringList meanings;
    for (int i = 0; i < PItemCount(&lv); ++i)
        meanings << PSubItem(PItemAt(&lv, i), 1);
    EXPECT_EQ(meanings, QStringList({"苹果", "", "", "梨"}));
}

TEST_F(WordListOps, AWordAddedAndMovedTwiceStaysTwoRowsThatCommandsTellApart)
{
    newList(QStringLiteral("L1"));
    for (int i = 0; i < 2; ++i) {
        addWord(W, QStringLiteral("apple"), QStringLiteral("苹果"));
        fill(W);
        PItemAt(&lv, 0)->setSelected(true);
        PMoveWords(&lv, W, QStringLiteral("L1"), QStringLiteral("select"));
    }
    const QStringList ids = column(QStringLiteral("L1"), ID);
    ASSERT_EQ(ids.size(), 2);
    EXPECT_NE(ids[0], ids[1]);

    fill(QStringLiteral("L1"));
    itemWithId(ids[1])->setSelected(true);
    PUpdateSelectedField(&lv, QStringLiteral("L1"), QStringLiteral("所属类别"), QStringLiteral("易混词"), 5);
    EXPECT_EQ(column(QStringLiteral("L1"), QStringLiteral("所属类别")), (QStringList{"基本词", "易混词"}));
    PDeleteSelectedWords(&lv, QStringLiteral("L1"));
    EXPECT_EQ(column(QStringLiteral("L1"), ID), QStringList{ids[0]});
}

// List names that are words of the statements themselves.
class KeywordListNames : public WordListOps, public ::testing::WithParamInterface<const char *> {};

TEST_P(KeywordListNames, WorkInEveryCommandFromCreationToDrop)
{
    const QString name = QString::fromLatin1(GetParam());
    dialogs->answerInput(name);
    PNewWordTable();
    ASSERT_EQ(dialogs->lastText(), QStringLiteral("新建词表“ ") + name + QStringLiteral(" ”成功"));
    addWord(name, QStringLiteral("apple"), QStringLiteral("苹果"));
    addWord(name, QStringLiteral("pear"), QStringLiteral("梨"));
    EXPECT_EQ(dm->PGetCountFromTable(name), 2);

    QTreeWidget found;
    PSearchAllTables(QStringLiteral("\"%pp%\""), &found);
    ASSERT_EQ(PItemCount(&found), 1);
    EXPECT_EQ(PSubItem(PItemAt(&found, 0), 1), name);

    fill(name);
    ASSERT_EQ(PItemCount(&lv), 2);
    PItemAt(&lv, 0)->setSelected(true);
    PMoveWords(&lv, name, W, QStringLiteral("select"));
    EXPECT_EQ(column(W, K), QStringList{"apple"});

    PInitWordBank();
    EXPECT_EQ(dialogs->lastText(), QStringLiteral("词库初始化成功"));
    EXPECT_EQ(column(name, QStringLiteral("掌握类型")), QStringList{"00"});

    // Renamed to another such word, then dropped.
    fillManager({name});
    selectRows({name});
    dialogs->answerInput(QStringLiteral("from"));
    PRenameWordTables(&lv);
    EXPECT_EQ(registered(), QStringList{"from"});
    EXPECT_EQ(column(QStringLiteral("from"), K), QStringList{"pear"});
    fillManager({QStringLiteral("from")});
    selectRows({QStringLiteral("from")});
    dialogs->answer(Dialogs::Yes);
    PDropWordTables(&lv);
    EXPECT_TRUE(registered().isEmpty());
    EXPECT_FALSE(dm->PConnection.tableNames().contains(QStringLiteral("from")));
}

INSTANTIATE_TEST_SUITE_P(SqlWords, KeywordListNames, ::testing::Values("Group", "Order", "Index", "select", "table"));

// A command that fails on one of its words changes neither the bank nor the view.
class CommandsAllOrNothing : public WordListOps, public ::testing::WithParamInterface<const char *> {};

TEST_P(CommandsAllOrNothing, AFailureOnTheSecondWordKeepsTheFirst)
{
    const QString command = QString::fromLatin1(GetParam());
    newList(QStringLiteral("L1"));
    for (const char *w : {"apple", "pear", "plum"})
        addWord(W, QString::fromLatin1(w));
    // The engine refuses any change touching "pear", the second word the command walks to.
    raw("CREATE TRIGGER no_pear_out BEFORE DELETE ON WordTable WHEN OLD.单词='pear' BEGIN SELECT RAISE(ABORT,'no'); END;"
        "CREATE TRIGGER no_pear_in BEFORE INSERT ON L1 WHEN NEW.单词='pear' BEGIN SELECT RAISE(ABORT,'no'); END;"
        "CREATE TRIGGER no_pear_set BEFORE UPDATE ON WordTable WHEN OLD.单词='pear' BEGIN SELECT RAISE(ABORT,'no'); END;");
    fill(W);
    for (int i = 0; i < PItemCount(&lv); ++i)
        PItemAt(&lv, i)->setSelected(true);
    const QList<QStringList> before = rowsOf(W);
    const auto run = [&] {
        if (command == QLatin1String("move"))
            PMoveWords(&lv, W, QStringLiteral("L1"), QStringLiteral("select"));
        else if (command == QLatin1String("delete"))
            PDeleteSelectedWords(&lv, W);
        else
            PUpdateSelectedField(&lv, W, QStringLiteral("所属类别"), QStringLiteral("易混词"), 5);
    };
    EXPECT_THROW(run(), EngineError);
    EXPECT_EQ(rowsOf(W), before);
    EXPECT_TRUE(rowsOf(QStringLiteral("L1")).isEmpty());
    ASSERT_EQ(PItemCount(&lv), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(PSubItem(PItemAt(&lv, i), 5), QStringLiteral("基本词")) << i;
}

INSTANTIATE_TEST_SUITE_P(Commands, CommandsAllOrNothing, ::testing::Values("move", "delete", "update"));

TEST_F(WordListOps, MovingManyTickedWordsKeepsTheRestOfTheViewInOrderAndSelected)
{
    // Enough ticks for the view to be rebuilt in one pass rather than item by item.
    newList(QStringLiteral("L1"));
    QStringList words, stay, go;
    for (int i = 0; i < 210; ++i) {
        const QString w = QStringLiteral("w%1").arg(i, 3, 10, QLatin1Char('0'));
        words << w;
        (i % 3 == 0 ? go : stay) << w;
        addWord(W, w);
    }
    PRefreshListView(&lv, W, K, 0, QStringLiteral("DirectCheckForm"));
    ASSERT_EQ(PItemCount(&lv), 210);
    for (int i = 0; i < 210; ++i)
        PItemAt(&lv, i)->setCheckState(0, i % 3 == 0 ? Qt::Checked : Qt::Unchecked);
    PItemAt(&lv, 1)->setSelected(true);
    PItemAt(&lv, 209)->setSelected(true);
    PMoveWords(&lv, W, QStringLiteral("L1"), QStringLiteral("check"));
    QStringList shown, selected;
    for (int i = 0; i < PItemCount(&lv); ++i) {
        shown << PCaption(PItemAt(&lv, i));
        if (PItemAt(&lv, i)->isSelected())
            selected << PCaption(PItemAt(&lv, i));
    }
    EXPECT_EQ(shown, stay);
    EXPECT_EQ(selected, (QStringList{"w001", "w209"}));
    EXPECT_EQ(column(W, K), stay);
    QStringList moved = column(QStringLiteral("L1"), K);
    std::sort(moved.begin(), moved.end());
    EXPECT_EQ(moved, go);
}

// Where the moved rows land and what stays: each chosen item, last to first, moves what is left of
// its row (selected) or of every row of its word (ticked), in stored order. Stored rows: apple#0,
// pear#1, Apple#2, plum#3.
struct MoveCase {
    const char *name;
    const char *mode;
    std::vector<int> view;    // the view's order, as stored-row numbers
    std::vector<int> chosen;  // stored-row numbers chosen
    std::vector<int> target;  // the target list afterwards, as stored-row numbers in stored order
    std::vector<int> source;  // what stays in the source
};
void PrintTo(const MoveCase &c, std::ostream *os) { PrintCase(os, c.name, c.mode); }


class MovedRowsLand : public WordListOps, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MovedRowsLand, InTheOrderOfTheItemsAndTheirWordsRows)
{
    const MoveCase c = GetParam();
    newList(QStringLiteral("L1"));
    for (const char *w : {"apple", "pear", "Apple", "plum"})
        addWord(W, QString::fromLatin1(w), QStringLiteral("释义") + QString::fromLatin1(w));
    const QList<QStringList> rows = rowsOf(W);
    const bool check = QLatin1String(c.mode) == QLatin1String("check");
    for (int r : c.view) {
        QTreeWidgetItem *item = check ? PAddItem(&lv, rows[r][1], {QString(), QString(), QString()})
                                      : PAddItem(&lv, rows[r][0], {rows[r][1], rows[r][3]});
        if (check)
            item->setCheckState(0, Qt::Unchecked);
    }
    for (int i = 0; i < int(c.view.size()); ++i) {
        const bool chosen = std::find(c.chosen.begin(), c.chosen.end(), c.view[size_t(i)]) != c.chosen.end();
        if (check)
            PItemAt(&lv, i)->setCheckState(0, chosen ? Qt::Checked : Qt::Unchecked);
        else
            PItemAt(&lv, i)->setSelected(chosen);
    }
    PMoveWords(&lv, W, QStringLiteral("L1"), QString::fromLatin1(c.mode));
    QList<QStringList> target, source;
    for (int r : c.target)
        target << rows[r];
    for (int r : c.source)
        source << rows[r];
    EXPECT_EQ(rowsOf(QStringLiteral("L1")), target);
    EXPECT_EQ(rowsOf(W), source);
    const auto left = std::count_if(c.view.begin(), c.view.end(), [&](int r) {
        return std::find(c.chosen.begin(), c.chosen.end(), r) == c.chosen.end();
    });
    EXPECT_EQ(PItemCount(&lv), int(left));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MovedRowsLand,
    ::testing::Values(
        MoveCase{"SelectedLastItemFirst", "select", {3, 1, 0, 2}, {3, 0}, {0, 3}, {1, 2}},
        MoveCase{"SelectedRowLeavesItsWordsOtherRow", "select", {0, 1, 2, 3}, {2, 1}, {2, 1}, {0, 3}},
        // One row shown twice: the second item walked finds nothing left to copy.
        MoveCase{"SelectedRowShownTwice", "select", {0, 1, 0, 3}, {0}, {0}, {1, 2, 3}},
        MoveCase{"TickedLastItemFirst", "check", {3, 1, 0}, {3, 0}, {0, 2, 3}, {1}},
        // "Apple" ticked after "apple" finds nothing left to copy.
        MoveCase{"TickedWordsOfOneSpellingButCase", "check", {0, 2, 1}, {0, 2}, {0, 2}, {1, 3}}),
    [](const auto &info) { return std::string(info.param.name); });

// Words that hold characters a statement's text or a text reader could take for something else,
// and case twins. Each command chooses one of them among all the others; the bank and the view
// afterwards are checked whole.
struct AwkwardWord {
    const char *name;
    QString word;
};

void PrintTo(const AwkwardWord &w, std::ostream *os) { *os << w.name; }

const QList<AwkwardWord> &awkwardWords()
{
    static const QList<AwkwardWord> words = {
        {"NulInside", QStringLiteral("a") + QChar(0) + QStringLiteral("b")},
        {"PrefixOfTheNulWord", QStringLiteral("a")},
        {"NulAlone", QString(QChar(0))},
        {"DoubleQuotes", QStringLiteral("say \"hi\"")},
        {"Apostrophe", QStringLiteral("it's")},
        {"Percent", QStringLiteral("100%")},
        {"Underscore", QStringLiteral("a_b")},
        {"Backslash", QStringLiteral("back\\slash")},
        {"Tab", QStringLiteral("tab\there")},
        {"Chinese", QStringLiteral("中文词")},
        {"VeryLong", QString(5000, QLatin1Char('x'))},
        {"CaseTwinLower", QStringLiteral("go")},
        {"CaseTwinUpper", QStringLiteral("Go")},
    };
    return words;
}

class AwkwardWordCommands : public WordListOps,
                            public ::testing::WithParamInterface<std::tuple<AwkwardWord, std::string>> {};

TEST_P(AwkwardWordCommands, ActOnTheChosenWordAloneAndExactly)
{
    const QString chosen = std::get<0>(GetParam()).word;
    const QString verb = QString::fromStdString(std::get<1>(GetParam()));
    const bool check = verb == QLatin1String("tick-move");
    const QString L1 = QStringLiteral("L1");
    newList(L1);
    for (const AwkwardWord &w : awkwardWords())
        addWord(W, w.word, QStringLiteral("释义") + QString::fromLatin1(w.name));
    const QList<QStringList> before = rowsOf(W);
    ASSERT_EQ(before.size(), awkwardWords().size());

    // A ticked word names every row spelled so but for case; a selected row names itself.
    QList<QStringList> hit, kept;
    for (const QStringList &r : before)
        (check ? r[1].toCaseFolded() == chosen.toCaseFolded() : r[1] == chosen) ? hit << r : kept << r;
    ASSERT_FALSE(hit.isEmpty());

    PRefreshListView(&lv, W, QString(), 0, check ? QStringLiteral("DirectCheckForm") : QStringLiteral("mainformDBT"));
    ASSERT_EQ(PItemCount(&lv), before.size());
    QStringList shownAfter;
    for (int i = 0; i < PItemCount(&lv); ++i) {
        QTreeWidgetItem *item = PItemAt(&lv, i);
        const QString word = check ? PCaption(item) : PSubItem(item, PWordSub);
        ASSERT_EQ(word, before[i][1]) << "the view shows the word as stored";
        const bool on = word == chosen;
        if (check)
            item->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
        else
            item->setSelected(on);
        if (!on || verb == QLatin1String("update"))
            shownAfter << word;
    }

    QList<QStringList> sourceAfter = kept, targetAfter;
    if (verb == QLatin1String("delete")) {
        PDeleteSelectedWords(&lv, W);
    } else if (verb == QLatin1String("update")) {
        PUpdateSelectedField(&lv, W, QStringLiteral("所属类别"), QStringLiteral("易混词"), 5);
        sourceAfter = before;
        for (QStringList &r : sourceAfter)
            if (r[1] == chosen)
                r[10] = QStringLiteral("易混词");
    } else {
        PMoveWords(&lv, W, L1, check ? QStringLiteral("check") : QStringLiteral("select"));
        targetAfter = hit;
    }
    EXPECT_EQ(rowsOf(W), sourceAfter);
    EXPECT_EQ(rowsOf(L1), targetAfter);
    QStringList shown, categories;
    for (int i = 0; i < PItemCount(&lv); ++i) {
        QTreeWidgetItem *item = PItemAt(&lv, i);
        shown << (check ? PCaption(item) : PSubItem(item, PWordSub));
        if (!check)
            categories << PSubItem(item, 5);
    }
    EXPECT_EQ(shown, shownAfter);
    if (verb == QLatin1String("update")) {
        QStringList expected;
        for (const QStringList &r : sourceAfter)
            expected << r[10];
        EXPECT_EQ(categories, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Words, AwkwardWordCommands,
                         ::testing::Combine(::testing::ValuesIn(awkwardWords()),
                                            ::testing::Values("delete", "update", "select-move", "tick-move")),
                         [](const auto &info) {
                             std::string verb = std::get<1>(info.param);
                             verb.erase(std::remove(verb.begin(), verb.end(), '-'), verb.end());
                             return std::string(std::get<0>(info.param).name) + "_" + verb;
                         });

// Delete and move on a selection, with a few items (removed one by one) and with many (the view
// taken apart once): the bank before and after and the view's exact items afterwards. Every third
// row repeats the word before it, so a word's two rows can be chosen together or apart.
struct SelectionCase {
    const char *name;
    int rows;
    std::function<bool(int, int)> chosen;  // (view position, rows) -> selected
};
void PrintTo(const SelectionCase &c, std::ostream *os) { PrintCase(os, c.name); }


// The view holds only the program's items, or one row a window put in by hand as a plain item.
class SelectionCommands : public WordListOps,
                          public ::testing::WithParamInterface<std::tuple<SelectionCase, std::string, std::string>> {};

TEST_P(SelectionCommands, ActOnExactlyTheSelectedRowsAndLeaveTheRestShownInOrder)
{
    const SelectionCase c = std::get<0>(GetParam());
    const bool move = std::get<1>(GetParam()) == "move";
    newList(QStringLiteral("L1"));
    for (int i = 0; i < c.rows; ++i)
        addWord(W, QStringLiteral("w%1").arg(i - (i % 3 == 1 ? 1 : 0), 3, 10, QLatin1Char('0')),
                QStringLiteral("释义%1").arg(i));
    const QList<QStringList> before = rowsOf(W);
    fill(W);
    ASSERT_EQ(PItemCount(&lv), c.rows);
    if (std::get<2>(GetParam()) == "oneByHand") {
        QTreeWidgetItem *own = PItemAt(&lv, 5);
        QStringList texts;
        for (int col = 0; col <= PSubItemCount(own); ++col)
            texts << own->text(col);
        delete own;
        lv.insertTopLevelItem(5, new QTreeWidgetItem(texts));
    }
    QStringList shownBefore, keptIds, chosenIds;
    for (int i = 0; i < c.rows; ++i) {
        QTreeWidgetItem *item = PItemAt(&lv, i);
        const bool chosen = c.chosen(i, c.rows);
        item->setSelected(chosen);
        (chosen ? chosenIds : keptIds) << PCaption(item) + QLatin1Char('|') + PSubItem(item, PWordSub);
    }
    if (move)
        PMoveWords(&lv, W, QStringLiteral("L1"), QStringLiteral("select"));
    else
        PDeleteSelectedWords(&lv, W);

    QStringList shown;
    for (int i = 0; i < PItemCount(&lv); ++i) {
        shown << PCaption(PItemAt(&lv, i)) + QLatin1Char('|') + PSubItem(PItemAt(&lv, i), PWordSub);
        EXPECT_FALSE(PItemAt(&lv, i)->isSelected()) << i;
    }
    EXPECT_EQ(shown, keptIds);
    QList<QStringList> stay, moved;
    for (const QStringList &r : before)
        (chosenIds.contains(r[0] + QLatin1Char('|') + r[1]) ? moved : stay) << r;
    EXPECT_EQ(rowsOf(W), stay);
    // Moved rows land last item first.
    QList<QStringList> landed;
    for (int i = chosenIds.size() - 1; i >= 0; --i)
        for (const QStringList &r : moved)
            if (chosenIds[i] == r[0] + QLatin1Char('|') + r[1])
                landed << r;
    EXPECT_EQ(rowsOf(QStringLiteral("L1")), move ? landed : QList<QStringList>());
}

INSTANTIATE_TEST_SUITE_P(
    Choices, SelectionCommands,
    ::testing::Combine(
        ::testing::Values(SelectionCase{"FirstOfFew", 9, [](int i, int) { return i == 0; }},
                          SelectionCase{"LastOfFew", 9, [](int i, int n) { return i == n - 1; }},
                          SelectionCase{"AllOfFew", 9, [](int, int) { return true; }},
                          SelectionCase{"NoneOfFew", 9, [](int, int) { return false; }},
                          SelectionCase{"BothRowsOfOneWord", 9, [](int i, int) { return i == 0 || i == 1; }},
                          SelectionCase{"OneRowOfAWordShownTwice", 9, [](int i, int) { return i == 4; }},
                          SelectionCase{"FirstAndLastOfMany", 300, [](int i, int n) { return i < 40 || i >= n - 40; }},
                          SelectionCase{"EveryThirdOfMany", 300, [](int i, int) { return i % 3 == 1; }},
                          SelectionCase{"AllOfMany", 300, [](int, int) { return true; }},
                          SelectionCase{"AllButFirstAndLastOfMany", 300, [](int i, int n) { return i > 0 && i < n - 1; }}),
        ::testing::Values("delete", "move"), ::testing::Values("own", "oneByHand")),
    [](const auto &info) {
        return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param) + "_" +
               std::get<2>(info.param);
    });

TEST_F(WordListOps, ManyRemovedItemsKeepTheCurrentItemAndTheSelectionOfTheRest)
{
    newList(QStringLiteral("L1"));
    for (int i = 0; i < 200; ++i)
        addWord(W, QStringLiteral("w%1").arg(i, 3, 10, QLatin1Char('0')));
    PRefreshListView(&lv, W, K, 0, QStringLiteral("DirectCheckForm"));
    for (int i = 0; i < 200; ++i)
        PItemAt(&lv, i)->setCheckState(0, i % 2 == 0 ? Qt::Checked : Qt::Unchecked);
    lv.setCurrentItem(PItemAt(&lv, 151), 0, QItemSelectionModel::NoUpdate);
    for (int i : {0, 3, 150, 199})
        PItemAt(&lv, i)->setSelected(true);
    PMoveWords(&lv, W, QStringLiteral("L1"), QStringLiteral("check"));
    ASSERT_EQ(PItemCount(&lv), 100);
    ASSERT_NE(lv.currentItem(), nullptr);
    EXPECT_EQ(PCaption(lv.currentItem()), QStringLiteral("w151"));
    QStringList selected;
    for (int i = 0; i < PItemCount(&lv); ++i)
        if (PItemAt(&lv, i)->isSelected())
            selected << PCaption(PItemAt(&lv, i));
    EXPECT_EQ(selected, (QStringList{"w003", "w199"}));
    // When the current item goes with many others, the view's current item is one that stays.
    for (int i = 0; i < 100; ++i)
        PItemAt(&lv, i)->setCheckState(0, i < 80 ? Qt::Checked : Qt::Unchecked);
    lv.setCurrentItem(PItemAt(&lv, 40), 0, QItemSelectionModel::NoUpdate);
    PMoveWords(&lv, W, QStringLiteral("L1"), QStringLiteral("check"));
    ASSERT_EQ(PItemCount(&lv), 20);
    ASSERT_NE(lv.currentItem(), nullptr);
    EXPECT_GE(lv.indexOfTopLevelItem(lv.currentItem()), 0);
}

// A move whose copy went through but whose removal from the source is refused copies nothing.
class MoveRefusedAtTheSource : public WordListOps, public ::testing::WithParamInterface<const char *> {};

TEST_P(MoveRefusedAtTheSource, LeavesBothListsAndTheViewAsTheyWere)
{
    const bool check = QLatin1String(GetParam()) == QLatin1String("check");
    newList(QStringLiteral("L1"));
    for (const char *w : {"apple", "pear", "plum"})
        addWord(W, QString::fromLatin1(w));
    raw("CREATE TRIGGER no_pear_out BEFORE DELETE ON WordTable WHEN OLD.单词='pear' BEGIN SELECT RAISE(ABORT,'no'); END;");
    PRefreshListView(&lv, W, K, 0, check ? QStringLiteral("DirectCheckForm") : QStringLiteral("mainformDBT"));
    for (int i = 0; i < PItemCount(&lv); ++i) {
        if (check)
            PItemAt(&lv, i)->setCheckState(0, Qt::Checked);
        else
            PItemAt(&lv, i)->setSelected(true);
    }
    const QList<QStringList> before = rowsOf(W);
    EXPECT_THROW(PMoveWords(&lv, W, QStringLiteral("L1"), QString::fromLatin1(GetParam())), EngineError);
    EXPECT_EQ(rowsOf(W), before);
    EXPECT_TRUE(rowsOf(QStringLiteral("L1")).isEmpty());
    EXPECT_EQ(PItemCount(&lv), 3);
}

INSTANTIATE_TEST_SUITE_P(Modes, MoveRefusedAtTheSource, ::testing::Values("select", "check"));

// A selected item that is hidden is passed over by a command on the selection and stays selected,
// whether the chosen items go one by one (few) or the view is rebuilt (many).
class HiddenSelectedItem : public WordListOps, public ::testing::WithParamInterface<int> {};

TEST_P(HiddenSelectedItem, StaysInTheBankAndSelected)
{
    const int chosen = GetParam();
    for (int i = 0; i < 200; ++i)
        addWord(W, QStringLiteral("w%1").arg(i, 3, 10, QLatin1Char('0')));
    fill(W);
    for (int i = 0; i < chosen; ++i)
        PItemAt(&lv, 2 * i)->setSelected(true);
    QTreeWidgetItem *hidden = PItemAt(&lv, 1);
    hidden->setSelected(true);
    hidden->setHidden(true);
    PDeleteSelectedWords(&lv, W);
    EXPECT_EQ(PItemCount(&lv), 200 - chosen);
    EXPECT_EQ(dm->PGetCountFromTable(W), 200 - chosen);
    QStringList selected;
    for (int i = 0; i < PItemCount(&lv); ++i)
        if (PItemAt(&lv, i)->isSelected())
            selected << PSubItem(PItemAt(&lv, i), PWordSub);
    EXPECT_EQ(selected, QStringList{"w001"});
    EXPECT_TRUE(column(W, K).contains(QStringLiteral("w001")));
}

INSTANTIATE_TEST_SUITE_P(Counts, HiddenSelectedItem, ::testing::Values(3, 90),
                         [](const auto &info) { return info.param < 64 ? std::string("Few") : std::string("Many"); });
