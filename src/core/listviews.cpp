#include "core/listviews.h"

#include "vocab/bankvocab.h"
#include "core/datamodule.h"
#include "platform/windowkit.h"
#include "rules/sortorder.h"

#include <QComboBox>
#include <QStringDecoder>
#include <QVarLengthArray>
#include <QTreeWidget>
#include <QVariant>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

const char *const kSortFlag = "Tag";

// A list item that keeps its column texts in one buffer: word lists run to tens of thousands of
// items, and the general item's storage (a list and a variant per column) made filling and
// emptying them the slowest part.
class PTextItem : public QTreeWidgetItem {
public:
    // Told apart from other items by this type, cheaper than a cast on lists of many items.
    static constexpr int Type = UserType + 0x4c78;
    PTextItem() : QTreeWidgetItem(Type) {}
    template <class Texts>
    explicit PTextItem(const Texts &texts) : QTreeWidgetItem(Type)
    {
        qsizetype chars = 0;
        for (const auto &t : texts)
            chars += t.size();
        m_buf.reserve(chars);
        for (const auto &t : texts)
            appendText(t);
    }

    void reserve(qsizetype chars) { m_buf.reserve(chars); }
    // Takes texts that stand one after another, column i ending at ends[i], without copying them.
    void share(const QString &texts, const int *ends, int count)
    {
        m_buf = texts;
        m_ends.append(ends, count);
    }
    void appendText(QStringView text)
    {
        m_buf.append(text);
        m_ends.append(int(m_buf.size()));
    }
    // Decodes straight into the buffer: no string of its own per field.
    void appendUtf8(QByteArrayView utf8)
    {
        const qsizetype from = m_buf.size();
        m_buf.resize(from + utf8.size());  // UTF-16 never needs more units than UTF-8 has bytes
        QStringDecoder decode(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        const QChar *end = decode.appendToBuffer(m_buf.data() + from, utf8);
        m_buf.truncate(end - m_buf.constData());
        m_ends.append(int(m_buf.size()));
    }
    int textCount() const { return int(m_ends.size()); }
    QStringView textView(int column) const
    {
        if (column < 0 || column >= m_ends.size())
            return {};
        const int from = column == 0 ? 0 : m_ends.at(column - 1);
        return QStringView(m_buf).mid(from, m_ends.at(column) - from);
    }

    QVariant data(int column, int role) const override
    {
        if ((role == Qt::DisplayRole || role == Qt::EditRole) && column >= 0 && column < textCount())
            return textView(column).toString();
        if (role == Qt::CheckStateRole && column == 0)
            return m_check < 0 ? QVariant() : QVariant(int(m_check));
        return QTreeWidgetItem::data(column, role);
    }
    void setData(int column, int role, const QVariant &value) override
    {
        if ((role == Qt::DisplayRole || role == Qt::EditRole) && column >= 0) {
            QStringList texts;
            for (int c = 0; c < std::max(textCount(), column + 1); ++c)
                texts << (c == column ? value.toString() : textView(c).toString());
            m_buf.clear();
            m_ends.clear();
            for (const QString &t : texts)
                appendText(t);
            // The base item counts only the columns it stores itself, so its own change signal
            // would leave these texts unpainted: name the changed cell to the model. A notice
            // nobody hears would still look the item up among all the view's items.
            QTreeWidget *view = treeWidget();
            if (view && !view->model()->signalsBlocked()) {
                const QModelIndex cell = view->indexFromItem(this, column);
                emit view->model()->dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
            }
            return;
        }
        // The caption's check box is kept here too: check-box lists run to tens of thousands of rows.
        if (role == Qt::CheckStateRole && column == 0) {
            m_check = value.isValid() ? qint8(value.toInt()) : qint8(-1);
            if (!treeWidget())
                return;  // nobody to tell yet
        }
        QTreeWidgetItem::setData(column, role, value);
    }
    QTreeWidgetItem *clone() const override { return new PTextItem(*this); }
    bool isChecked() const { return m_check == Qt::Checked; }
    // The list views never sort through the model, except to gather the items that go at the end.
    bool operator<(const QTreeWidgetItem &other) const override
    {
        return !m_gone && static_cast<const PTextItem &>(other).m_gone;
    }
    void setGone(bool gone) { m_gone = gone; }
    bool isGone() const { return m_gone; }

private:
    QString m_buf;
    QVarLengthArray<int, 16> m_ends;
    qint8 m_check = -1;  // no check box
    bool m_gone = false;
};

// The item as a text item, or null for another kind.
const PTextItem *textItem(const QTreeWidgetItem *item)
{
    return item->type() == PTextItem::Type ? static_cast<const PTextItem *>(item) : nullptr;
}
PTextItem *textItem(QTreeWidgetItem *item)
{
    return item->type() == PTextItem::Type ? static_cast<PTextItem *>(item) : nullptr;
}

void refreshError()
{
    PDialogs().message(QStringLiteral("词库刷新出错"), QString(), Dialogs::Critical);
}

}  // namespace

// ---------------------------------------------------------------- caption and sub-items

QString PCaption(const QTreeWidgetItem *Item) { return Item->text(0); }

QString PSubItem(const QTreeWidgetItem *Item, int Index) { return Item->text(Index + 1); }

QStringView PColumnText(const QTreeWidgetItem *Item, int Column, QString &Store)
{
    if (const auto *t = textItem(Item))
        return t->textView(Column);
    Store = Item->text(Column);
    return Store;
}

void PSetCaption(QTreeWidgetItem *Item, const QString &Value) { Item->setText(0, Value); }

void PSetSubItem(QTreeWidgetItem *Item, int Index, const QString &Value) { Item->setText(Index + 1, Value); }

int PSubItemCount(const QTreeWidgetItem *Item)
{
    if (const auto *t = textItem(Item))
        return std::max(0, t->textCount() - 1);
    return std::max(0, Item->columnCount() - 1);
}

QList<QTreeWidgetItem *> PItemsFromQuery(JetQuery &q, const std::function<QTreeWidgetItem *()> &makeItem)
{
    QList<QTreeWidgetItem *> items;
    try {
        q.open();
        for (; !q.eof(); q.next())
            items << makeItem();
    } catch (...) {
        q.close();
        qDeleteAll(items);
        throw;
    }
    q.close();
    return items;
}

QTreeWidgetItem *PNewItem(const QString &Caption, const QStringList &SubItems)
{
    QStringList texts;
    texts.reserve(SubItems.size() + 1);
    texts << Caption << SubItems;
    return new PTextItem(texts);
}

QTreeWidgetItem *PNewItem(const QString &Texts, const int *Ends, int Count)
{
    auto *item = new PTextItem;
    item->share(Texts, Ends, Count);
    return item;
}

QTreeWidgetItem *PNewItem(std::initializer_list<QStringView> Texts)
{
    qsizetype size = 0;
    for (QStringView t : Texts)
        size += t.size();
    QString buffer;
    buffer.reserve(size);
    QVarLengthArray<int, 8> ends;
    for (QStringView t : Texts) {
        buffer += t;
        ends.append(int(buffer.size()));
    }
    return PNewItem(buffer, ends.constData(), int(ends.size()));
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

bool PIsOwnItem(const QTreeWidgetItem *Item) { return textItem(Item) != nullptr; }

void PRemoveItems(QTreeWidget *ListView, const QList<QTreeWidgetItem *> &Gone, bool OwnItemsOnly)
{
    // Removed one by one, each item would shift all after it; taking every item out and putting
    // the rest back costs the model a notice per item. Instead the items that go are moved to the
    // end by a stable sort on whether they go, which keeps the order of the rest, and leave as
    // one block. The items that go are marked from the list, so the walk over the view, unless the
    // caller has made it already, only has to make sure that every item can take part in that sort.
    int count = 0;
    bool plain = false;
    for (QTreeWidgetItem *item : Gone) {
        if (item->treeWidget() != ListView || item->parent())
            continue;
        PTextItem *t = textItem(item);
        if (!t)
            plain = true;
        else if (!t->isGone()) {
            t->setGone(true);
            ++count;
        }
    }
    QTreeWidgetItem *root = ListView->invisibleRootItem();
    const int n = root->childCount();
    for (int row = 0; row < n && !plain && !OwnItemsOnly; ++row)
        plain = !textItem(root->child(row));
    if (plain) {
        const QSet<QTreeWidgetItem *> gone(Gone.begin(), Gone.end());
        QList<QTreeWidgetItem *> kept;
        for (QTreeWidgetItem *item : root->takeChildren()) {
            if (gone.contains(item))
                delete item;
            else
                kept << item;
        }
        ListView->addTopLevelItems(kept);
        return;
    }
    if (count == 0)
        return;
    root->sortChildren(0, Qt::AscendingOrder);
    ListView->model()->removeRows(n - count, count);
}

void PClearItems(QTreeWidget *ListView) { ListView->clear(); }

// ---------------------------------------------------------------- fill modes

QStringList PModeFields(const QString &Mode)
{
    static const QHash<QString, QStringList> modes = {
        {Mode::TestForm,
         {Col::ID, Col::Word, Col::Phonetic, Col::Explanation, Col::Association, Col::Details, Col::Example,
          Col::TimesDone, Col::TimesWrong, Col::Experience, Col::Category, Col::LastRight, Col::LastTested,
          Col::MasterType}},
        {Mode::MainFormDBT,
         {Col::ID, Col::Word, Col::Explanation, Col::TimesDone, Col::TimesWrong, Col::Experience, Col::Category,
          Col::MasterType}},
        {Mode::BrowseForm,
         {Col::ID, Col::Word, Col::Explanation, Col::TimesDone, Col::TimesWrong, Col::Experience, Col::Category,
          Col::LastRight, Col::MasterType}},
        {Mode::CreateForm,
         {Col::ID, Col::Word, Col::TimesDone, Col::TimesWrong, Col::Category, Col::LastRight, Col::LastTested,
          Col::MasterType}},
        {Mode::InputFormW, {Col::ID, Col::Word}},
        {Mode::TestFormOption,
         {Col::ID, Col::Word, Col::Explanation, Col::Option(1), Col::Option(2), Col::Option(3), Col::Option(4),
          Col::Option(5), Col::Option(6), Col::LastRight, Col::LastTested, Col::MasterType}},
        {Mode::DirectCheckForm, {Col::Word, Col::MasterType, QString(), Col::LastTested}},
        {Mode::MiniMaster, {Col::Word, Col::Phonetic, Col::Explanation, Col::MasterType}},
    };
    return modes.value(Mode);
}

namespace {

// Reads the rows of the open query into the list, the mode's fields in their columns.
void fillFromOpenQuery(QTreeWidget *ListView, const QStringList &fields)
{
    JetQuery &q = Pdatamodule->PQuery;
    // Boxes are given while the items are apart from the view, where they cost no model update.
    const bool boxes = PHasCheckBoxes(ListView);
    // Items are made apart from the view and handed over at once: one model update, not one per row.
    QList<QTreeWidgetItem *> items;
    PTextItem *row = nullptr;
    try {
        // Positions are looked up once; a missing field still fails at the first row, by name.
        QVector<int> at;
        for (const QString &f : fields)
            at << (f.isEmpty() ? -1 : q.fieldIndex(f));
        while (!q.eof()) {
            row = new PTextItem;
            row->reserve(64);
            for (int c = 0; c < fields.size(); ++c) {
                if (fields.at(c).isEmpty())
                    row->appendText(QStringView());
                else if (at.at(c) >= 0)
                    row->appendUtf8(q.fieldUtf8At(at.at(c)));
                else
                    row->appendText(q.fieldByName(fields.at(c)));
            }
            if (boxes)
                row->setCheckState(0, Qt::Unchecked);
            items << row;
            row = nullptr;
            q.next();
        }
        q.close();
    } catch (const EngineError &) {
        q.close();
        // The row being read stays with the columns read before the failure.
        if (row)
            items << row;
        ListView->addTopLevelItems(items);
        refreshError();
        return;
    }
    ListView->addTopLevelItems(items);
}

// Opens the table with only the mode's fields; false (and nothing open) when the table lacks one.
bool openModeFields(const QString &TableName, const QStringList &fields, const QString &OrderField,
                    const QString &Suffix)
{
    QStringList wanted;
    for (const QString &f : fields)
        if (!f.isEmpty() && !wanted.contains(f))
            wanted << f;
    if (wanted.isEmpty())
        return false;
    JetQuery &q = Pdatamodule->PQuery;
    try {
        Pdatamodule->PSelectFieldsFromTableOrder(TableName, wanted, OrderField, Suffix);
        q.open();
        return true;
    } catch (const EngineError &) {
        q.close();
        q.clearSql();
        return false;
    }
}

}  // namespace

void PRefreshListView(QTreeWidget *ListView, const QString &TableName, const QString &OrderField, int Direction,
                      const QString &Mode)
{
    PClearItems(ListView);
    const QStringList fields = PModeFields(Mode);
    const QString suffix = Direction == -1 ? QStringLiteral(" desc") : QString();
    // A list shows a few of the row's fields: reading only those halves the engine's work on long
    // lists. A table without one of them is read whole, so that the row stops where the field is missing.
    if (!fields.isEmpty() && openModeFields(TableName, fields, OrderField, suffix)) {
        fillFromOpenQuery(ListView, fields);
        return;
    }
    try {
        if (OrderField.isEmpty())
            Pdatamodule->PSelectAllFromTable(TableName);
        else
            Pdatamodule->PSelectAllFromTableOrder(TableName, OrderField, suffix);
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
    try {
        q.open();
    } catch (const EngineError &) {
        q.close();
        refreshError();
        return;
    }
    fillFromOpenQuery(ListView, fields);
}

// ---------------------------------------------------------------- sorting

namespace {

// The item's text of a column; plain items' texts are kept alive in store while they are compared.
QStringView sortText(const QTreeWidgetItem *item, int column, std::vector<QString> &store)
{
    if (const auto *t = textItem(item))
        return t->textView(column);
    store.push_back(item->text(column));
    return store.back();
}

}  // namespace

int PCompareAsc(const QTreeWidgetItem *Item1, const QTreeWidgetItem *Item2, int ColumnIndex)
{
    std::vector<QString> store;
    store.reserve(2);
    const QStringView a = sortText(Item1, ColumnIndex, store);
    const QStringView b = sortText(Item2, ColumnIndex, store);
    return PCompareSortTexts(a, b);
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

    // Each item's text is read once, not at every comparison.
    struct Keyed {
        quint64 prefix;
        QStringView text;
        QTreeWidgetItem *item;
        int index;
    };
    const QList<QTreeWidgetItem *> selected = ListView->selectedItems();
    QTreeWidgetItem *current = ListView->currentItem();
    const QList<QTreeWidgetItem *> items = ListView->invisibleRootItem()->takeChildren();
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(items.size()));
    std::vector<QString> store;
    store.reserve(size_t(items.size()));  // never grows: the views into it stay valid
    for (int i = 0; i < items.size(); ++i) {
        const QStringView text = sortText(items.at(i), ColumnIndex, store);
        keyed.push_back({PSortPrefix(text), text, items.at(i), i});
    }
    // Equal texts keep their order.
    std::sort(keyed.begin(), keyed.end(), [descending](const Keyed &a, const Keyed &b) {
        int c = a.prefix == b.prefix ? PCompareSortTexts(a.text, b.text) : (a.prefix < b.prefix ? -1 : 1);
        if (descending)
            c = -c;
        return c != 0 ? c < 0 : a.index < b.index;
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

int PCheckedCount(const QTreeWidget *ListView)
{
    // Read from the item's own field: a status line counts tens of thousands of boxes at each refresh.
    int count = 0;
    const QTreeWidgetItem *root = ListView->invisibleRootItem();
    const int n = root->childCount();
    for (int i = 0; i < n; ++i) {
        const QTreeWidgetItem *item = root->child(i);
        if (const auto *t = textItem(item))
            count += t->isChecked();
        else
            count += item->checkState(0) == Qt::Checked;
    }
    return count;
}

QList<QTreeWidgetItem *> PCheckedItems(const QTreeWidget *ListView)
{
    // Read from the item's own field, as the count is: a command on ticked words walks every item.
    QList<QTreeWidgetItem *> out;
    const QTreeWidgetItem *root = ListView->invisibleRootItem();
    const int n = root->childCount();
    for (int i = 0; i < n; ++i) {
        QTreeWidgetItem *item = root->child(i);
        const auto *t = textItem(item);
        if (t ? t->isChecked() : item->checkState(0) == Qt::Checked)
            out << item;
    }
    return out;
}

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

QStringList PHeldTexts(const QString &Field)
{
    if (Field == Col::ID)
        return {QStringLiteral("00000")};
    if (Field == Col::Category)
        return PStandardCategories() << Code::Unknown;
    if (Field == Col::LastRight)
        return {Code::Right, Code::Wrong, Code::NotDone};
    if (Field == Col::MasterType)
        return {Code::Master11, Code::Master10, Code::Master01, Code::Master00, Code::Unknown};
    return {};
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
