#include "core/listviews.h"

#include "core/datamodule.h"

#include <QComboBox>
#include <QStringEncoder>
#include <QTreeWidget>
#include <QVariant>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

const char *const kSortFlag = "Tag";

void refreshError()
{
    PDialogs().message(QStringLiteral("词库刷新出错"), QString(), Dialogs::Critical);
}

}  // namespace

// ---------------------------------------------------------------- caption and sub-items

QString PCaption(const QTreeWidgetItem *Item) { return Item->text(0); }

QString PSubItem(const QTreeWidgetItem *Item, int Index) { return Item->text(Index + 1); }

void PSetCaption(QTreeWidgetItem *Item, const QString &Value) { Item->setText(0, Value); }

void PSetSubItem(QTreeWidgetItem *Item, int Index, const QString &Value) { Item->setText(Index + 1, Value); }

int PSubItemCount(const QTreeWidgetItem *Item) { return std::max(0, Item->columnCount() - 1); }

QTreeWidgetItem *PNewItem(const QString &Caption, const QStringList &SubItems)
{
    QStringList texts;
    texts.reserve(SubItems.size() + 1);
    texts << Caption << SubItems;
    return new QTreeWidgetItem(texts);
}

QTreeWidgetItem *PAddItem(QTreeWidget *ListView, const QString &Caption, const QStringList &SubItems)
{
    QTreeWidgetItem *item = PNewItem(Caption, SubItems);
    ListView->addTopLevelItem(item);
    return item;
}

int PItemCount(const QTreeWidget *ListView) { return ListView->topLevelItemCount(); }

QTreeWidgetItem *PItemAt(const QTreeWidget *ListView, int Index) { return ListView->topLevelItem(Index); }

void PRemoveItem(QTreeWidgetItem *Item) { delete Item; }

void PClearItems(QTreeWidget *ListView) { ListView->clear(); }

// ---------------------------------------------------------------- fill modes

QStringList PModeFields(const QString &Mode)
{
    static const QHash<QString, QStringList> modes = {
        {QStringLiteral("testform"),
         {QStringLiteral("ID"), QStringLiteral("单词"), QStringLiteral("音标"), QStringLiteral("解释"),
          QStringLiteral("联想"), QStringLiteral("详解"), QStringLiteral("例句"), QStringLiteral("做过次数"),
          QStringLiteral("做错次数"), QStringLiteral("经验点数"), QStringLiteral("所属类别"),
          QStringLiteral("上次是否做对"), QStringLiteral("最近测试时间"), QStringLiteral("掌握类型")}},
        {QStringLiteral("mainformDBT"),
         {QStringLiteral("ID"), QStringLiteral("单词"), QStringLiteral("解释"), QStringLiteral("做过次数"),
          QStringLiteral("做错次数"), QStringLiteral("经验点数"), QStringLiteral("所属类别"),
          QStringLiteral("掌握类型")}},
        {QStringLiteral("browseform"),
         {QStringLiteral("ID"), QStringLiteral("单词"), QStringLiteral("解释"), QStringLiteral("做过次数"),
          QStringLiteral("做错次数"), QStringLiteral("经验点数"), QStringLiteral("所属类别"),
          QStringLiteral("上次是否做对"), QStringLiteral("掌握类型")}},
        {QStringLiteral("createform"),
         {QStringLiteral("ID"), QStringLiteral("单词"), QStringLiteral("做过次数"), QStringLiteral("做错次数"),
          QStringLiteral("所属类别"), QStringLiteral("上次是否做对"), QStringLiteral("最近测试时间"),
          QStringLiteral("掌握类型")}},
        {QStringLiteral("inputformW"), {QStringLiteral("ID"), QStringLiteral("单词")}},
        {QStringLiteral("testformOption"),
         {QStringLiteral("ID"), QStringLiteral("单词"), QStringLiteral("解释"), QStringLiteral("POpt1"),
          QStringLiteral("POpt2"), QStringLiteral("POpt3"), QStringLiteral("POpt4"), QStringLiteral("POpt5"),
          QStringLiteral("POpt6"), QStringLiteral("上次是否做对"), QStringLiteral("最近测试时间"),
          QStringLiteral("掌握类型")}},
        {QStringLiteral("DirectCheckForm"),
         {QStringLiteral("单词"), QStringLiteral("掌握类型"), QString(), QStringLiteral("最近测试时间")}},
        {QStringLiteral("MiniMaster"),
         {QStringLiteral("单词"), QStringLiteral("音标"), QStringLiteral("解释"), QStringLiteral("掌握类型")}},
    };
    return modes.value(Mode);
}

void PRefreshListView(QTreeWidget *ListView, const QString &TableName, const QString &OrderField, int Direction,
                      const QString &Mode)
{
    PClearItems(ListView);
    try {
        if (OrderField.isEmpty())
            Pdatamodule->PSelectAllFromTable(TableName);
        else
            Pdatamodule->PSelectAllFromTableOrder(TableName, OrderField,
                                                  Direction == -1 ? QStringLiteral(" desc") : QString());
    } catch (const EngineError &) {
        // The statement left over from an earlier caller must not fill this list.
        Pdatamodule->PQuery.clearSql();
        refreshError();
        return;
    }
    PFillListView(ListView, Mode);
}

void PFillListView(QTreeWidget *ListView, const QString &Mode)
{
    const QStringList fields = PModeFields(Mode);
    if (fields.isEmpty())
        return;
    JetQuery &q = Pdatamodule->PQuery;
    // Items are made apart from the view and handed over at once: one model update, not one per row.
    QList<QTreeWidgetItem *> items;
    QStringList row;
    try {
        q.open();
        while (!q.eof()) {
            row.clear();
            for (const QString &f : fields)
                row << (f.isEmpty() ? QString() : q.fieldByName(f));
            items << new QTreeWidgetItem(row);
            q.next();
        }
        q.close();
    } catch (const EngineError &) {
        q.close();
        // The row being read stays with the columns read before the failure.
        if (!row.isEmpty())
            items << new QTreeWidgetItem(row);
        ListView->addTopLevelItems(items);
        refreshError();
        return;
    }
    ListView->addTopLevelItems(items);
}

// ---------------------------------------------------------------- sorting

QByteArray PSortKey(const QString &Text)
{
    bool ascii = true;
    for (QChar c : Text)
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) {
        QByteArray key = Text.toLatin1();
        for (char &c : key)
            if (c >= 'a' && c <= 'z')
                c = char(c - 'a' + 'A');
        return key;
    }
    // Chinese sorts by its GB18030 bytes, which puts the common characters in pinyin order.
    QString folded = Text;
    for (QChar &c : folded)
        if (c.unicode() >= 'a' && c.unicode() <= 'z')
            c = QChar(ushort(c.unicode() - 'a' + 'A'));
    thread_local QStringEncoder encoder("GB18030", QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        return folded.toUtf8();
    return encoder.encode(folded);
}

namespace {

QString sortText(const QTreeWidgetItem *item, int column)
{
    return column == 0 ? PCaption(item) : PSubItem(item, column - 1);
}

int compareKeys(const QByteArray &a, const QByteArray &b)
{
    const int n = std::min(a.size(), b.size());
    const int c = n ? std::memcmp(a.constData(), b.constData(), size_t(n)) : 0;
    if (c != 0)
        return c;
    return int(a.size() > b.size()) - int(a.size() < b.size());
}

}  // namespace

int PCompareAsc(const QTreeWidgetItem *Item1, const QTreeWidgetItem *Item2, int ColumnIndex)
{
    return compareKeys(PSortKey(sortText(Item1, ColumnIndex)), PSortKey(sortText(Item2, ColumnIndex)));
}

int PCompareDesc(const QTreeWidgetItem *Item1, const QTreeWidgetItem *Item2, int ColumnIndex)
{
    return PCompareAsc(Item2, Item1, ColumnIndex);
}

int PSortFlag(const QTreeWidget *ListView) { return ListView->property(kSortFlag).toInt(); }

void PSortListView(QTreeWidget *ListView, int ColumnIndex)
{
    const int flag = ~PSortFlag(ListView);
    ListView->setProperty(kSortFlag, flag);
    const bool descending = flag != 0;

    // Each text's key is made once, not at every comparison.
    struct Keyed {
        QByteArray key;
        QTreeWidgetItem *item;
    };
    const QList<QTreeWidgetItem *> selected = ListView->selectedItems();
    QTreeWidgetItem *current = ListView->currentItem();
    const QList<QTreeWidgetItem *> items = ListView->invisibleRootItem()->takeChildren();
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(items.size()));
    for (QTreeWidgetItem *it : items)
        keyed.push_back({PSortKey(sortText(it, ColumnIndex)), it});
    std::stable_sort(keyed.begin(), keyed.end(), [descending](const Keyed &a, const Keyed &b) {
        const int c = compareKeys(a.key, b.key);
        return descending ? c > 0 : c < 0;
    });
    QList<QTreeWidgetItem *> sorted;
    sorted.reserve(items.size());
    for (const Keyed &k : keyed)
        sorted << k.item;
    ListView->addTopLevelItems(sorted);
    if (current)
        ListView->setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    for (QTreeWidgetItem *it : selected)
        it->setSelected(true);
}

// ---------------------------------------------------------------- selection and categories

int PSelectedCount(const QTreeWidget *ListView)
{
    int count = 0;
    for (int i = 0; i < PItemCount(ListView) && count < 2; ++i)
        if (PItemAt(ListView, i)->isSelected())
            ++count;
    return count;
}

QStringList PStandardCategories()
{
    return {QStringLiteral("基本词"), QStringLiteral("派生词"), QStringLiteral("生僻词"), QStringLiteral("易混词")};
}

void PFillCategoryCombo(QTreeWidget *ListView, int ColumnIndex, QComboBox *ComboBox)
{
    ComboBox->clear();
    const QStringList standard = PStandardCategories();
    // Starts at the second item: in a list ordered by category the first run is the words
    // without one, and no empty entry is offered.
    for (int i = 1; i < PItemCount(ListView); ++i) {
        const QString value = PSubItem(PItemAt(ListView, i), ColumnIndex);
        if (value != PSubItem(PItemAt(ListView, i - 1), ColumnIndex) && !standard.contains(value))
            ComboBox->addItem(value);
    }
    PClearItems(ListView);
    ComboBox->addItems(standard);
}
