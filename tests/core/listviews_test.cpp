#include "support/qstringprinter.h"
#include "core/listviews.h"
#include "vocab/bankvocab.h"

#include "platform/windowkit.h"
#include "support/bankfixture.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QTreeWidget>

namespace {

const QString W = QStringLiteral("WordTable");
const QString RefreshError = QStringLiteral("词库刷新出错");

// Caption and sub-items of every item, one row each.
QList<QStringList> rows(const QTreeWidget &lv)
{
    QList<QStringList> out;
    for (int i = 0; i < PItemCount(&lv); ++i) {
        const QTreeWidgetItem *it = PItemAt(&lv, i);
        QStringList r{PCaption(it)};
        for (int k = 0; k < PSubItemCount(it); ++k)
            r << PSubItem(it, k);
        out << r;
    }
    return out;
}

QStringList captions(const QTreeWidget &lv)
{
    QStringList out;
    for (int i = 0; i < PItemCount(&lv); ++i)
        out << PCaption(PItemAt(&lv, i));
    return out;
}

QStringList subItems(const QTreeWidget &lv, int k)
{
    QStringList out;
    for (int i = 0; i < PItemCount(&lv); ++i)
        out << PSubItem(PItemAt(&lv, i), k);
    return out;
}

}  // namespace

class ListViews : public BankFixture {
protected:
    void set(const QString &T, const QString &word, const QString &field, const QString &value)
    {
        dm->PUpdateOneDataFromTable(T, QStringLiteral("单词"), field, word, value);
    }

    // One word whose every text field holds its own field name, so a column shows where it came from.
    void addFullWord()
    {
        addWord(W, QStringLiteral("apple"), QStringLiteral("解释"), QStringLiteral("所属类别"));
        for (const char *f : {"音标", "联想", "详解", "例句", "上次是否做对", "最近测试时间", "掌握类型"})
            set(W, QStringLiteral("apple"), QString::fromUtf8(f), QString::fromUtf8(f));
        set(W, QStringLiteral("apple"), QStringLiteral("做过次数"), QStringLiteral("7"));
        set(W, QStringLiteral("apple"), QStringLiteral("做错次数"), QStringLiteral("3"));
        set(W, QStringLiteral("apple"), QStringLiteral("经验点数"), QStringLiteral("12"));
    }

    QTreeWidget lv;
};

TEST_F(ListViews, EachWordListModePutsItsColumnsInOrder)
{
    addFullWord();
    const QString id = column(W, QStringLiteral("ID")).value(0);
    const struct {
        const char *mode;
        QStringList row;
    } cases[] = {
        {"testform",
         {id, "apple", "音标", "解释", "联想", "详解", "例句", "7", "3", "12", "所属类别", "上次是否做对",
          "最近测试时间", "掌握类型"}},
        {"mainformDBT", {id, "apple", "解释", "7", "3", "12", "所属类别", "掌握类型"}},
        {"browseform", {id, "apple", "解释", "7", "3", "12", "所属类别", "上次是否做对", "掌握类型"}},
        {"createform", {id, "apple", "7", "3", "所属类别", "上次是否做对", "最近测试时间", "掌握类型"}},
        {"inputformW", {id, "apple"}},
        {"DirectCheckForm", {"apple", "掌握类型", "", "最近测试时间"}},
        {"MiniMaster", {"apple", "音标", "解释", "掌握类型"}},
    };
    for (const auto &c : cases) {
        PRefreshListView(&lv, W, QString(), 0, QString::fromUtf8(c.mode));
        EXPECT_EQ(rows(lv), QList<QStringList>{c.row}) << c.mode;
    }
    // The word and the category stand where the word-list operations look for them.
    PRefreshListView(&lv, W, QString(), 0, QStringLiteral("mainformDBT"));
    EXPECT_EQ(PSubItem(PItemAt(&lv, 0), 0), QStringLiteral("apple"));
    EXPECT_EQ(PSubItem(PItemAt(&lv, 0), 5), QStringLiteral("所属类别"));
    // Texts come back exactly: a leading byte-order mark and characters beyond 16 bits included.
    const QString odd = QString::fromUtf8("\xEF\xBB\xBF\xF0\x9F\x98\x80掌x");
    set(W, QStringLiteral("apple"), QStringLiteral("掌握类型"), odd);
    PRefreshListView(&lv, W, QString(), 0, QStringLiteral("DirectCheckForm"));
    EXPECT_EQ(PSubItem(PItemAt(&lv, 0), 0), odd);
    EXPECT_EQ(PSubItem(PItemAt(&lv, 0), 2), QStringLiteral("最近测试时间"));
    EXPECT_TRUE(dialogs->texts().isEmpty());
}

TEST_F(ListViews, OptionModeReadsTheOptionTable)
{
    const QString T = QStringLiteral("OptionTable");
    dm->PInsertOneRecordToTable(T, QStringLiteral("单词"), QStringLiteral("go"));
    for (const char *f : {"解释", "POpt1", "POpt2", "POpt3", "POpt4", "POpt5", "POpt6", "上次是否做对", "最近测试时间",
                          "掌握类型"})
        set(T, QStringLiteral("go"), QString::fromUtf8(f), QString::fromUtf8(f));
    PRefreshListView(&lv, T, QString(), 0, QStringLiteral("testformOption"));
    EXPECT_EQ(rows(lv), QList<QStringList>{QStringList({column(T, QStringLiteral("ID")).value(0), "go", "解释", "POpt1",
                                                        "POpt2", "POpt3", "POpt4", "POpt5", "POpt6", "上次是否做对",
                                                        "最近测试时间", "掌握类型"})});
}

TEST_F(ListViews, NullFieldsShowEmptyAndEmptyTablesGiveEmptyLists)
{
    PAddItem(&lv, QStringLiteral("old"));
    PRefreshListView(&lv, W, QString(), 0, QStringLiteral("mainformDBT"));
    EXPECT_EQ(PItemCount(&lv), 0);

    addWord(W, QStringLiteral("go"));
    dm->PQuery.setSql(QStringLiteral("update WordTable set 所属类别=NULL"));
    dm->PQuery.execSql();
    PRefreshListView(&lv, W, QString(), 0, QStringLiteral("mainformDBT"));
    ASSERT_EQ(PItemCount(&lv), 1);
    EXPECT_EQ(PSubItemCount(PItemAt(&lv, 0)), 7);
    EXPECT_EQ(PSubItem(PItemAt(&lv, 0), 5), QString());
    EXPECT_TRUE(dialogs->texts().isEmpty());
}

TEST_F(ListViews, UnknownModeEmptiesTheListWithoutReadingTheTable)
{
    PAddItem(&lv, QStringLiteral("old"));
    // The table does not exist: reading it would show an error.
    PRefreshListView(&lv, QStringLiteral("NoSuchTable"), QString(), 0, QStringLiteral("MainformDBT"));
    EXPECT_EQ(PItemCount(&lv), 0);
    EXPECT_TRUE(dialogs->texts().isEmpty());
}

TEST_F(ListViews, ReadErrorsShowTheRefreshErrorAndKeepWhatWasRead)
{
    PRefreshListView(&lv, QStringLiteral("NoSuchTable"), QString(), 0, QStringLiteral("mainformDBT"));
    EXPECT_EQ(dialogs->texts(), QStringList{RefreshError});
    EXPECT_EQ(dialogs->shown().last().icon, Dialogs::Critical);
    EXPECT_EQ(PItemCount(&lv), 0);

    // A table without 解释: the first row stops after the columns before it.
    dialogs->clear();
    dm->PQuery.setSql(QStringLiteral("select * into Thin from UsedWordTable where 1=2"));
    dm->PQuery.execSql();
    dm->PInsertOneRecordToTable(QStringLiteral("Thin"), QStringLiteral("单词"), QStringLiteral("one"));
    dm->PInsertOneRecordToTable(QStringLiteral("Thin"), QStringLiteral("单词"), QStringLiteral("two"));
    PRefreshListView(&lv, QStringLiteral("Thin"), QString(), 0, QStringLiteral("mainformDBT"));
    EXPECT_EQ(dialogs->texts(), QStringList{RefreshError});
    ASSERT_EQ(PItemCount(&lv), 1);
    EXPECT_EQ(rows(lv).first(), QStringList({column(QStringLiteral("Thin"), QStringLiteral("ID")).value(0), "one"}));
    EXPECT_FALSE(dm->PQuery.isActive());
}

TEST_F(ListViews, ABadOrderFieldNeverFillsFromAnEarlierStatement)
{
    addWord(W, QStringLiteral("go"));
    dm->PSelectAllFromTable(W);  // an earlier caller's statement
    PRefreshListView(&lv, QStringLiteral("UsedWordTable"), QStringLiteral("bad field"), 0,
                     QStringLiteral("mainformDBT"));
    EXPECT_EQ(dialogs->texts(), QStringList{RefreshError});
    EXPECT_EQ(PItemCount(&lv), 0);
}

TEST_F(ListViews, ACheckBoxListIsFilledWithBoxesThatTheLearnerCanTick)
{
    for (const char *w : {"banana", "apple"})
        addWord(W, QString::fromUtf8(w));
    std::unique_ptr<QTreeWidget> boxes(PMakeReportView(nullptr, QStringLiteral("boxes"), {{QStringLiteral("单词")}}, true));
    PRefreshListView(boxes.get(), W, QString(), 0, QStringLiteral("DirectCheckForm"));
    PRefreshListView(&lv, W, QString(), 0, QStringLiteral("DirectCheckForm"));
    ASSERT_EQ(PItemCount(boxes.get()), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(PItemAt(boxes.get(), i)->data(0, Qt::CheckStateRole), QVariant(int(Qt::Unchecked)));
        EXPECT_FALSE(PItemAt(&lv, i)->data(0, Qt::CheckStateRole).isValid()) << "a plain list has no boxes";
    }

    // A tick through the view's model reaches the item and is announced, once.
    QSignalSpy changed(boxes.get(), &QTreeWidget::itemChanged);
    const QModelIndex second = boxes->model()->index(1, 0);
    ASSERT_TRUE(boxes->model()->setData(second, int(Qt::Checked), Qt::CheckStateRole));
    EXPECT_EQ(PItemAt(boxes.get(), 1)->checkState(0), Qt::Checked);
    EXPECT_EQ(PItemAt(boxes.get(), 0)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(PCheckedCount(boxes.get()), 1);
    // A plain item added by hand is counted too; unticking is seen.
    auto *plain = new QTreeWidgetItem(QStringList{QStringLiteral("plain")});
    plain->setCheckState(0, Qt::Checked);
    boxes->addTopLevelItem(plain);
    EXPECT_EQ(PCheckedCount(boxes.get()), 2);
    PItemAt(boxes.get(), 1)->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(PCheckedCount(boxes.get()), 1);
    EXPECT_EQ(PCheckedCount(&lv), 0);
    PItemAt(boxes.get(), 1)->setCheckState(0, Qt::Checked);
    delete plain;
    std::unique_ptr<QTreeWidgetItem> copy(PItemAt(boxes.get(), 1)->clone());
    EXPECT_EQ(copy->checkState(0), Qt::Checked);
    EXPECT_EQ(PCaption(copy.get()), PCaption(PItemAt(boxes.get(), 1)));
}

TEST_F(ListViews, OrderFieldAndDirection)
{
    for (const char *w : {"banana", "apple", "cherry"})
        addWord(W, QString::fromUtf8(w));
    PRefreshListView(&lv, W, QStringLiteral("单词"), 0, QStringLiteral("inputformW"));
    EXPECT_EQ(subItems(lv, 0), QStringList({"apple", "banana", "cherry"}));
    PRefreshListView(&lv, W, QStringLiteral("单词"), -1, QStringLiteral("inputformW"));
    EXPECT_EQ(subItems(lv, 0), QStringList({"cherry", "banana", "apple"}));
    // Without an order field the direction does not count.
    PRefreshListView(&lv, W, QString(), -1, QStringLiteral("inputformW"));
    EXPECT_EQ(subItems(lv, 0), QStringList({"banana", "apple", "cherry"}));
}

class Sorting : public ::testing::Test {
protected:
    void fill(const QList<QStringList> &items)
    {
        PClearItems(&lv);
        for (const QStringList &r : items)
            PAddItem(&lv, r.first(), r.mid(1));
    }
    QTreeWidgetItem *item(int i) { return PItemAt(&lv, i); }
    QTreeWidget lv;
};

TEST_F(Sorting, FirstClickDescendsThenEveryClickFlipsWhateverTheColumn)
{
    fill({{"1", "b", "x", "2"}, {"2", "a", "y", "10"}, {"3", "c", "z", "9"}});
    EXPECT_EQ(PSortFlag(&lv), 0);
    PSortListView(&lv, 3);
    EXPECT_EQ(PSortFlag(&lv), -1);
    EXPECT_EQ(subItems(lv, 2), QStringList({"9", "2", "10"}));  // numbers compare as text
    PSortListView(&lv, 3);
    EXPECT_EQ(subItems(lv, 2), QStringList({"10", "2", "9"}));

    // Column 3 then column 1: descending by sub-item 2, then ascending by sub-item 0.
    PSortListView(&lv, 3);
    EXPECT_EQ(subItems(lv, 2), QStringList({"9", "2", "10"}));
    PSortListView(&lv, 1);
    EXPECT_EQ(subItems(lv, 0), QStringList({"a", "b", "c"}));

    // Refilling keeps the alternation: the next click sorts descending.
    fill({{"1", "a"}, {"3", "c"}, {"2", "b"}});
    PSortListView(&lv, 0);
    EXPECT_EQ(captions(lv), QStringList({"3", "2", "1"}));
}

TEST_F(Sorting, LettersIgnoreCaseAndChineseSortsByPinyin)
{
    fill({{"Banana"}, {"apple"}, {"中国"}, {"cherry"}, {"阿姨"}, {"爸爸"}, {"APPLE2"}, {"app"}});
    PSortListView(&lv, 0);  // descending
    PSortListView(&lv, 0);  // ascending
    EXPECT_EQ(captions(lv), QStringList({"app", "apple", "APPLE2", "Banana", "cherry", "阿姨", "爸爸", "中国"}));
    EXPECT_LT(PCompareAsc(PItemAt(&lv, 0), PItemAt(&lv, 1), 0), 0);
    EXPECT_GT(PCompareDesc(PItemAt(&lv, 0), PItemAt(&lv, 1), 0), 0);
    EXPECT_EQ(PSortKey(QStringLiteral("apple")), PSortKey(QStringLiteral("APPLE")));
}

TEST_F(Sorting, SelectionSurvivesASort)
{
    fill({{"1", "a"}, {"2", "b"}, {"3", "c"}});
    PItemAt(&lv, 0)->setSelected(true);
    PItemAt(&lv, 2)->setSelected(true);
    PSortListView(&lv, 1);
    EXPECT_EQ(captions(lv), QStringList({"3", "2", "1"}));
    EXPECT_TRUE(PItemAt(&lv, 0)->isSelected());
    EXPECT_FALSE(PItemAt(&lv, 1)->isSelected());
    EXPECT_TRUE(PItemAt(&lv, 2)->isSelected());
}

TEST_F(Sorting, SelectedCountStopsAtTwo)
{
    EXPECT_EQ(PSelectedCount(&lv), 0);
    lv.setSelectionMode(QAbstractItemView::MultiSelection);
    fill({{"1"}, {"2"}, {"3"}, {"4"}, {"5"}, {"6"}});
    EXPECT_EQ(PSelectedCount(&lv), 0);
    PItemAt(&lv, 4)->setSelected(true);
    EXPECT_EQ(PSelectedCount(&lv), 1);
    for (int i = 0; i < 5; ++i)
        PItemAt(&lv, i)->setSelected(true);
    EXPECT_EQ(PSelectedCount(&lv), 2);
}

TEST_F(Sorting, CategoryComboOffersFoundCategoriesThenTheStandardOnes)
{
    QComboBox combo;
    combo.addItem(QStringLiteral("stale"));
    auto withCategory = [](const char *c) {
        return QStringList({"1", "w", "m", "0", "0", "10", QString::fromUtf8(c), "00"});
    };
    fill({withCategory(""), withCategory(""), withCategory("A类"), withCategory("A类"), withCategory("基本词"),
          withCategory("自定"), withCategory("自定")});
    PFillCategoryCombo(&lv, 5, &combo);
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << combo.itemText(i);
    EXPECT_EQ(items, QStringList({"A类", "自定", "基本词", "派生词", "生僻词", "易混词"}));
    EXPECT_EQ(PItemCount(&lv), 0);

    fill({withCategory("孤")});
    PFillCategoryCombo(&lv, 5, &combo);
    EXPECT_EQ(combo.count(), 4);
    EXPECT_EQ(combo.itemText(0), QStringLiteral("基本词"));
}

TEST_F(Sorting, ChangingASubItemTellsTheViewWhichCellToRepaint)
{
    lv.setColumnCount(2);
    fill({{"apple", ""}, {"pear", ""}});
    item(1)->setCheckState(0, Qt::Unchecked);  // the item's own storage then knows column 0 only
    QList<QPair<QModelIndex, QModelIndex>> changed;
    QObject::connect(lv.model(), &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex &a, const QModelIndex &b) { changed.append({a, b}); });
    PSetSubItem(item(1), 0, QStringLiteral("梨"));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0].first.row(), 1);
    EXPECT_LE(changed[0].first.column(), 1);
    EXPECT_GE(changed[0].second.column(), 1);
    EXPECT_EQ(lv.model()->index(1, 1).data().toString(), QStringLiteral("梨"));
}

TEST_F(Sorting, ItemHelpersKeepCaptionAndSubItemPositions)
{
    QTreeWidgetItem *item = PAddItem(&lv, QStringLiteral("7"));
    EXPECT_EQ(PSubItemCount(item), 0);
    EXPECT_EQ(PSubItem(item, 3), QString());
    PSetSubItem(item, 2, QStringLiteral("基本词"));
    EXPECT_EQ(PSubItemCount(item), 3);
    EXPECT_EQ(PSubItem(item, 0), QString());
    EXPECT_EQ(PSubItem(item, 2), QStringLiteral("基本词"));
    EXPECT_EQ(item->text(3), QStringLiteral("基本词"));  // sub-item i is column i + 1
    PSetCaption(item, QStringLiteral("8"));
    EXPECT_EQ(PCaption(item), QStringLiteral("8"));
    EXPECT_EQ(PSubItem(item, 2), QStringLiteral("基本词"));
    item->setCheckState(0, Qt::Checked);
    EXPECT_EQ(item->checkState(0), Qt::Checked);
    EXPECT_EQ(PSubItemCount(item), 3);

    // Items a window made itself sort with the same order.
    lv.addTopLevelItem(new QTreeWidgetItem(QStringList{"1", "apple"}));
    PSortListView(&lv, 1);
    EXPECT_EQ(captions(lv), QStringList({"1", "8"}));
}

namespace {
struct ModeColumn {
    const QString *mode;
    int column;
    const QString *field;
};
void PrintTo(const ModeColumn &c, std::ostream *os) { PrintCase(os, c.mode, c.column, c.field); }
class ModeColumns : public ::testing::TestWithParam<ModeColumn> {};
const QString Opt1 = QStringLiteral("POpt1");
}  // namespace

// Windows read rows back by the named positions; they must stay where the fill modes put the fields.
TEST_P(ModeColumns, NamedPositionsHoldTheirFields)
{
    const ModeColumn c = GetParam();
    const QStringList fields = PModeFields(*c.mode);
    ASSERT_LT(c.column, fields.size()) << c.mode->toStdString();
    EXPECT_EQ(fields.at(c.column), *c.field) << c.mode->toStdString() << " column " << c.column;
}

INSTANTIATE_TEST_SUITE_P(
    EveryMode, ModeColumns,
    ::testing::Values(
        ModeColumn{&Mode::TestForm, ModeCol::TestForm::ID, &Col::ID},
        ModeColumn{&Mode::TestForm, ModeCol::TestForm::Example, &Col::Example},
        ModeColumn{&Mode::TestForm, ModeCol::TestForm::MasterType, &Col::MasterType},
        ModeColumn{&Mode::MainFormDBT, ModeCol::MainFormDBT::Word, &Col::Word},
        ModeColumn{&Mode::MainFormDBT, ModeCol::MainFormDBT::Category, &Col::Category},
        ModeColumn{&Mode::MainFormDBT, ModeCol::MainFormDBT::MasterType, &Col::MasterType},
        ModeColumn{&Mode::BrowseForm, ModeCol::BrowseForm::Explanation, &Col::Explanation},
        ModeColumn{&Mode::BrowseForm, ModeCol::BrowseForm::LastRight, &Col::LastRight},
        ModeColumn{&Mode::BrowseForm, ModeCol::BrowseForm::MasterType, &Col::MasterType},
        ModeColumn{&Mode::CreateForm, ModeCol::CreateForm::TimesDone, &Col::TimesDone},
        ModeColumn{&Mode::CreateForm, ModeCol::CreateForm::LastTested, &Col::LastTested},
        ModeColumn{&Mode::CreateForm, ModeCol::CreateForm::MasterType, &Col::MasterType},
        ModeColumn{&Mode::InputFormW, ModeCol::InputFormW::Word, &Col::Word},
        ModeColumn{&Mode::TestFormOption, ModeCol::TestFormOption::Opt1, &Opt1},
        ModeColumn{&Mode::TestFormOption, ModeCol::TestFormOption::LastTested, &Col::LastTested},
        ModeColumn{&Mode::DirectCheckForm, ModeCol::DirectCheckForm::MasterType, &Col::MasterType},
        ModeColumn{&Mode::DirectCheckForm, ModeCol::DirectCheckForm::LastTested, &Col::LastTested},
        ModeColumn{&Mode::MiniMaster, ModeCol::MiniMaster::Phonetic, &Col::Phonetic},
        ModeColumn{&Mode::MiniMaster, ModeCol::MiniMaster::MasterType, &Col::MasterType}));

TEST(ModeColumnCounts, EachModeHasAsManyColumnsAsItsPositions)
{
    EXPECT_EQ(PModeFields(Mode::TestForm).size(), ModeCol::TestForm::Count);
    EXPECT_EQ(PModeFields(Mode::MainFormDBT).size(), ModeCol::MainFormDBT::Count);
    EXPECT_EQ(PModeFields(Mode::BrowseForm).size(), ModeCol::BrowseForm::Count);
    EXPECT_EQ(PModeFields(Mode::CreateForm).size(), ModeCol::CreateForm::Count);
    EXPECT_EQ(PModeFields(Mode::InputFormW).size(), ModeCol::InputFormW::Count);
    EXPECT_EQ(PModeFields(Mode::TestFormOption).size(), ModeCol::TestFormOption::Count);
    EXPECT_EQ(PModeFields(Mode::DirectCheckForm).size(), ModeCol::DirectCheckForm::Count);
    EXPECT_EQ(PModeFields(Mode::MiniMaster).size(), ModeCol::MiniMaster::Count);
}

// Removing many items at once: exactly the named ones go and the rest keep their order, whether
// the view holds the program's items, plain ones, or both; the items left can be removed again.
struct RemovalCase {
    const char *name;
    std::function<bool(int)> gone;  // row -> removed
};
void PrintTo(const RemovalCase &c, std::ostream *os) { PrintCase(os, c.name); }

class ItemRemoval : public ::testing::TestWithParam<std::tuple<RemovalCase, std::string>> {};

TEST_P(ItemRemoval, TakesExactlyTheNamedItemsAndKeepsTheOrderOfTheRest)
{
    const RemovalCase c = std::get<0>(GetParam());
    const QByteArray kind = QByteArray::fromStdString(std::get<1>(GetParam()));
    QTreeWidget lv;
    lv.setColumnCount(2);
    QStringList kept, keptAfterSecond;
    for (int i = 0; i < 120; ++i) {
        const QString caption = QStringLiteral("w%1").arg(i);
        if (kind == "text" || (kind == "mixed" && i % 7 != 3))
            PAddItem(&lv, caption, {QStringLiteral("s%1").arg(i)});
        else
            lv.addTopLevelItem(new QTreeWidgetItem(QStringList{caption, QStringLiteral("s%1").arg(i)}));
    }
    // The first removal names each item twice, and an item of another view: each named item of
    // the view goes once, and no other item of either view with it.
    QTreeWidget other;
    QList<QTreeWidgetItem *> gone{PAddItem(&other, QStringLiteral("x"))};
    for (int i = 0; i < 120; ++i)
        (c.gone(i) ? gone.append(PItemAt(&lv, i)) : kept.append(QStringLiteral("w%1").arg(i)));
    gone += gone;
    PRemoveItems(&lv, gone);
    EXPECT_EQ(captions(lv), kept);
    EXPECT_EQ(captions(other), QStringList{QStringLiteral("x")});
    for (int i = 0; i < PItemCount(&lv); ++i)
        EXPECT_EQ(PSubItem(PItemAt(&lv, i), 0), QLatin1Char('s') + kept[i].mid(1)) << i;
    // A second removal of every other item left: nothing of the first one lingers on them.
    QList<QTreeWidgetItem *> again;
    for (int i = 0; i < PItemCount(&lv); ++i)
        (i % 2 ? again.append(PItemAt(&lv, i)) : keptAfterSecond.append(kept[i]));
    PRemoveItems(&lv, again);
    EXPECT_EQ(captions(lv), keptAfterSecond);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ItemRemoval,
    ::testing::Combine(::testing::Values(RemovalCase{"None", [](int) { return false; }},
                                         RemovalCase{"First", [](int i) { return i == 0; }},
                                         RemovalCase{"Last", [](int i) { return i == 119; }},
                                         RemovalCase{"EveryTenth", [](int i) { return i % 10 == 0; }},
                                         RemovalCase{"TwoBlocks", [](int i) { return i < 30 || (i >= 60 && i < 90); }},
                                         RemovalCase{"AllButOne", [](int i) { return i != 57; }},
                                         RemovalCase{"All", [](int) { return true; }}),
                       ::testing::Values("text", "plain", "mixed")),
    [](const auto &info) { return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param); });
