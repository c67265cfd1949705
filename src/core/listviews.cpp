#include "core/listviews.h"

#include "core/datamodule.h"

#include <QComboBox>
#include <QVarLengthArray>
#include <QStringEncoder>
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
    PTextItem() : QTreeWidgetItem(UserType) {}
    explicit PTextItem(const QStringList &texts) : QTreeWidgetItem(UserType)
    {
        for (const QString &t : texts)
            appendText(t);
    }

    void reserve(qsizetype chars) { m_buf.reserve(chars); }
    void appendText(QStringView text)
    {
        m_buf.append(text);
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
            // A notice nobody hears still looks the item up among all the view's items.
            if (!treeWidget() || !treeWidget()->model()->signalsBlocked())
                emitDataChanged();
            return;
        }
        QTreeWidgetItem::setData(column, role, value);
    }
    QTreeWidgetItem *clone() const override { return new PTextItem(*this); }

private:
    QString m_buf;
    QVarLengthArray<int, 16> m_ends;
};

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

int PSubItemCount(const QTreeWidgetItem *Item)
{
    if (const auto *t = dynamic_cast<const PTextItem *>(Item))
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
    PTextItem *row = nullptr;
    try {
        q.open();
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
                else
                    row->appendText(at.at(c) >= 0 ? q.fieldAt(at.at(c)) : q.fieldByName(fields.at(c)));
            }
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

// ---------------------------------------------------------------- sorting

namespace {

// The GB18030 bytes of one character packed big-endian into 32 bits, ASCII letters folded to
// upper case. Comparing two characters' weights is comparing their byte sequences, because no
// sequence of GB18030 is a prefix of another; so comparing texts weight by weight gives the
// byte order of their GB18030 texts, which puts the common Chinese characters in pinyin order.
quint32 packBytes(const QByteArray &b)
{
    quint32 w = 0;
    for (int i = 0; i < 4; ++i)
        w = (w << 8) | (i < b.size() ? quint8(b.at(i)) : 0u);
    return w;
}

QByteArray gb18030(QStringView text)
{
    thread_local QStringEncoder encoder("GB18030", QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        return text.toUtf8();
    return encoder.encode(text);
}

quint32 charWeight(char16_t c)
{
    if (c < 0x80) {
        if (c >= 'a' && c <= 'z')
            c = char16_t(c - 'a' + 'A');
        return quint32(c) << 24;
    }
    // Looked up once per character and kept: encoding is the slow part of a sort.
    static std::vector<quint32> cache(0x10000, 0);
    quint32 &w = cache[c];
    if (w == 0) {
        const QChar ch(c);
        w = packBytes(gb18030(QStringView(&ch, 1)));
    }
    return w;
}

// The weight of the character at i, moving i past it (a surrogate pair is one character).
quint32 weightAt(QStringView t, qsizetype &i)
{
    const char16_t c = t.at(i).unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < t.size() && QChar::isLowSurrogate(t.at(i + 1).unicode())) {
        const quint32 w = packBytes(gb18030(t.mid(i, 2)));
        i += 2;
        return w;
    }
    ++i;
    return charWeight(c);
}

int compareTexts(QStringView a, QStringView b)
{
    const char16_t *pa = reinterpret_cast<const char16_t *>(a.constData());
    const char16_t *pb = reinterpret_cast<const char16_t *>(b.constData());
    const qsizetype na = a.size(), nb = b.size();
    qsizetype i = 0, j = 0;
    while (i < na && j < nb) {
        char16_t ca = pa[i], cb = pb[j];
        if (ca < 0x80 && cb < 0x80) {
            // Both ASCII: their weights compare as the folded characters do.
            if (ca >= 'a' && ca <= 'z')
                ca = char16_t(ca - 'a' + 'A');
            if (cb >= 'a' && cb <= 'z')
                cb = char16_t(cb - 'a' + 'A');
            if (ca != cb)
                return ca < cb ? -1 : 1;
            ++i;
            ++j;
            continue;
        }
        const quint32 wa = weightAt(a, i), wb = weightAt(b, j);
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    // The shorter text first when one begins the other.
    return int(i < na) - int(j < nb);
}

// The first eight bytes of a text's sort order, zero-padded: texts whose prefixes differ compare
// as their prefixes do, so most comparisons of a sort are one integer comparison.
quint64 sortPrefix(QStringView t)
{
    quint64 p = 0;
    int bytes = 0;
    for (qsizetype i = 0; i < t.size() && bytes < 8;) {
        const quint32 w = weightAt(t, i);
        for (int shift = 24; shift >= 0 && bytes < 8; shift -= 8) {
            const quint32 b = (w >> shift) & 0xFF;
            if (shift != 24 && b == 0)
                break;
            p |= quint64(b) << (8 * (7 - bytes));
            ++bytes;
        }
    }
    return p;
}

// The item's text of a column; plain items' texts are kept alive in store while they are compared.
QStringView sortText(const QTreeWidgetItem *item, int column, std::vector<QString> &store)
{
    if (const auto *t = dynamic_cast<const PTextItem *>(item))
        return t->textView(column);
    store.push_back(item->text(column));
    return store.back();
}

}  // namespace

QByteArray PSortKey(const QString &Text)
{
    QByteArray key;
    for (qsizetype i = 0; i < Text.size();) {
        const quint32 w = weightAt(Text, i);
        for (int shift = 24; shift >= 0; shift -= 8)
            if (shift == 24 || ((w >> shift) & 0xFF) != 0)
                key.append(char((w >> shift) & 0xFF));
    }
    return key;
}

int PCompareAsc(const QTreeWidgetItem *Item1, const QTreeWidgetItem *Item2, int ColumnIndex)
{
    std::vector<QString> store;
    store.reserve(2);
    const QStringView a = sortText(Item1, ColumnIndex, store);
    const QStringView b = sortText(Item2, ColumnIndex, store);
    return compareTexts(a, b);
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
        keyed.push_back({sortPrefix(text), text, items.at(i), i});
    }
    // Equal texts keep their order.
    std::sort(keyed.begin(), keyed.end(), [descending](const Keyed &a, const Keyed &b) {
        int c = a.prefix == b.prefix ? compareTexts(a.text, b.text) : (a.prefix < b.prefix ? -1 : 1);
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
