#include "core/wordlistops.h"

#include "vocab/bankvocab.h"
#include "core/choosers.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "platform/jetsql.h"

#include <QItemSelectionModel>
#include <QSet>
#include <QStringEncoder>
#include <algorithm>
#include <sqlite3.h>
#include <QTreeWidget>

namespace {

QString proposedName(const QString &prefix) { return prefix + QString::number(PRandom(10001)); }

bool sameTable(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// A list whose name the statements cannot take (a bank made elsewhere) is reached with SQLite's
// own quoting, its name only ever a quoted identifier or a bound value.
void runNative(const QString &sql, const QStringList &values = {})
{
    sqlite3 *db = Pdatamodule->PConnection.handle();
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt *stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt, nullptr);
    for (int i = 0; rc == SQLITE_OK && i < values.size(); ++i) {
        const QByteArray v = values.at(i).toUtf8();
        rc = sqlite3_bind_text(stmt, i + 1, v.constData(), int(v.size()), SQLITE_TRANSIENT);
    }
    if (rc == SQLITE_OK)
        rc = sqlite3_step(stmt);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        throw EngineError(QString::fromUtf8(sqlite3_errmsg(db)));
}

void dropOddTable(const QString &T)
{
    runNative(QStringLiteral("DELETE FROM ") + quoteIdent(Tbl::TableNameTable) + QStringLiteral(" WHERE ") +
                  quoteIdent(Col::TableName) + QStringLiteral(" = ?"),
              {T});
    runNative(QStringLiteral("DROP TABLE IF EXISTS ") + quoteIdent(T));
}

void renameOddTable(const QString &Old, const QString &New)
{
    runNative(QStringLiteral("ALTER TABLE ") + quoteIdent(Old) + QStringLiteral(" RENAME TO ") + quoteIdent(New));
    runNative(QStringLiteral("UPDATE ") + quoteIdent(Tbl::TableNameTable) + QStringLiteral(" SET ") +
                  quoteIdent(Col::TableName) + QStringLiteral(" = ? WHERE ") + quoteIdent(Col::TableName) +
                  QStringLiteral(" = ?"),
              {New, Old});
}

// The selected items in the view's order: Counted gets those a command acts on (as the view's own
// list of selected items, not hidden and selectable), Passed the others. Each item carries the
// flag the view keeps in step with its selection, so a walk reads one flag per item; the
// selection's ranges would have to be merged and their persistent indexes resolved first.
// Returns whether every item of the view is the program's own.
bool selectedItems(const QTreeWidget *ListView, QList<QTreeWidgetItem *> &Counted, QList<QTreeWidgetItem *> &Passed)
{
    const QTreeWidgetItem *root = ListView->invisibleRootItem();
    const int n = root->childCount();
    bool own = true;
    for (int row = 0; row < n; ++row) {
        QTreeWidgetItem *item = root->child(row);
        own = own && PIsOwnItem(item);
        if (!item->isSelected())
            continue;
        const Qt::ItemFlags flags = item->flags();
        const bool counted =
            !item->isHidden() && flags.testFlag(Qt::ItemIsSelectable) && flags.testFlag(Qt::ItemIsEnabled);
        (counted ? Counted : Passed) << item;
    }
    return own;
}

// The items a command acts on, from the last to the first, and for a selection the selected items
// it passes over, which stay selected.
struct Choice {
    bool checked = false;
    bool ownItems = false;  // every item of the view is the program's own
    QList<QTreeWidgetItem *> items;
    QList<QTreeWidgetItem *> passed;
};

Choice choose(QTreeWidget *ListView, bool checked)
{
    Choice c;
    c.checked = checked;
    if (checked)
        c.items = PCheckedItems(ListView);
    else
        c.ownItems = selectedItems(ListView, c.items, c.passed);
    std::reverse(c.items.begin(), c.items.end());
    return c;
}

// Removes the chosen items, keeping the current item and the selection of the items that stay.
// A few go one by one, which costs less than gathering them from a long list.
void removeItems(QTreeWidget *ListView, const Choice &Chosen)
{
    if (Chosen.items.size() < 64) {
        for (QTreeWidgetItem *item : Chosen.items)
            PRemoveItem(item);
        return;
    }
    // A selection's chosen items all go; of ticks, any selected item may stay.
    QList<QTreeWidgetItem *> selected = Chosen.passed;
    if (Chosen.checked) {
        const QSet<QTreeWidgetItem *> gone(Chosen.items.begin(), Chosen.items.end());
        QList<QTreeWidgetItem *> all;
        selectedItems(ListView, all, all);
        for (QTreeWidgetItem *item : all)
            if (!gone.contains(item))
                selected << item;
    }
    QTreeWidgetItem *current = ListView->currentItem();
    if (Chosen.items.contains(current))
        current = nullptr;
    // Emptied first: the selection would otherwise follow every moved row through the change.
    ListView->selectionModel()->clearSelection();
    PRemoveItems(ListView, Chosen.items, Chosen.ownItems);
    if (current)
        ListView->setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    for (QTreeWidgetItem *item : selected)
        item->setSelected(true);
}

// Sets one column of many items and repaints once: a change notice per item makes the view
// measure rows again, which over a long list costs more than the bank's work.
void setSubItems(QTreeWidget *ListView, const QList<QTreeWidgetItem *> &items, int Column, const QString &Value)
{
    QAbstractItemModel *model = ListView->model();
    const bool blocked = model->blockSignals(true);
    for (QTreeWidgetItem *item : items)
        PSetSubItem(item, Column, Value);
    model->blockSignals(blocked);
    ListView->viewport()->update();
}

// The chosen rows' keys, each bound as a value into a table of the connection's temporary schema
// that the set-based statements join: a word reaches the engine as it stands, whatever it holds
// (quotes, backslashes, a NUL). The table is emptied before it is filled, so keys never outlive
// the command that made them; filled inside the command's transaction, it goes back with it.
const QString KeysTable = QStringLiteral("temp.chosen_keys");

class ChosenKeys {
public:
    ChosenKeys()
    {
        m_db = Pdatamodule->PConnection.handle();
        // No declared types: a bound key keeps its text and compares under the bank's own rules.
        step("create temp table if not exists chosen_keys(ID, 单词)");
        step("delete from temp.chosen_keys");
        prepare("insert into temp.chosen_keys(ID, 单词) values(?1, ?2)");
    }
    ~ChosenKeys() { sqlite3_finalize(m_insert); }
    ChosenKeys(const ChosenKeys &) = delete;
    ChosenKeys &operator=(const ChosenKeys &) = delete;

    // One key, in the order the command walks its rows: a row's ID and word, a word alone, an ID alone.
    void add(QStringView Id, QStringView Word) { insert(&Id, &Word); }
    void addWord(QStringView Word) { insert(nullptr, &Word); }
    void addId(QStringView Id) { insert(&Id, nullptr); }
    // The chosen items' keys: a ticked word as its text, a selected row as its ID and word.
    void addItems(const QList<QTreeWidgetItem *> &items, bool checked)
    {
        QString idStore, wordStore;
        for (const QTreeWidgetItem *item : items) {
            if (checked)
                addWord(PColumnText(item, 0, wordStore));
            else
                add(PColumnText(item, 0, idStore), PColumnText(item, PWordSub + 1, wordStore));
        }
    }

private:
    void prepare(const char *sql)
    {
        sqlite3_finalize(m_insert);
        m_insert = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &m_insert, nullptr) != SQLITE_OK)
            fail();
    }
    // A missing text is stored as NULL; an empty one as empty text.
    void insert(const QStringView *Id, const QStringView *Word)
    {
        const qsizetype chars = (Id ? Id->size() : 0) + (Word ? Word->size() : 0);
        if (m_utf8.size() < 3 * chars + 1)
            m_utf8.resize(3 * chars + 1);
        char *const idEnd = Id ? m_encoder.appendToBuffer(m_utf8.data(), *Id) : m_utf8.data();
        char *const wordEnd = Word ? m_encoder.appendToBuffer(idEnd, *Word) : idEnd;
        int rc = bind(1, Id != nullptr, m_utf8.constData(), idEnd);
        if (rc == SQLITE_OK)
            rc = bind(2, Word != nullptr, idEnd, wordEnd);
        if (rc == SQLITE_OK)
            rc = sqlite3_step(m_insert);
        sqlite3_reset(m_insert);
        if (rc != SQLITE_DONE)
            fail();
    }
    int bind(int i, bool given, const char *from, const char *to)
    {
        return given ? sqlite3_bind_text(m_insert, i, from, int(to - from), SQLITE_STATIC)
                     : sqlite3_bind_null(m_insert, i);
    }
    void step(const char *sql)
    {
        prepare(sql);
        if (sqlite3_step(m_insert) != SQLITE_DONE)
            fail();
    }
    [[noreturn]] void fail() { throw EngineError(QString::fromUtf8(sqlite3_errmsg(m_db))); }

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_insert = nullptr;
    QByteArray m_utf8;
    QStringEncoder m_encoder{QStringConverter::Utf8, QStringConverter::Flag::Stateless};
};

// Key k names row s: ID and word compared as a keyed statement compares them (the row's column
// on the left, so that its collation rules).
QString keyMatch(const QString &IdField, const QString &WordField)
{
    PCheckName(IdField);
    PCheckName(WordField);
    return QStringLiteral("s.") + IdField + QStringLiteral("=k.ID and s.") + WordField + QStringLiteral("=k.单词");
}

// The rows of T that the chosen keys name by ID and word.
QString rowsOfKeys(const QString &T, const QString &IdField, const QString &WordField)
{
    return QStringLiteral("rowid in (select s.rowid from ") + KeysTable + QStringLiteral(" k join ") + PTableSql(T) +
           QStringLiteral(" s on ") + keyMatch(IdField, WordField) + QLatin1Char(')');
}

// A hash of Text as the bank compares it, letter case aside; a plain English spelling is folded
// on the fly rather than copied.
size_t foldedHash(QStringView Text, size_t h)
{
    const auto mix = [&h](QStringView folded) {
        for (const QChar c : folded) {
            ushort u = c.unicode();
            if (u >= 'A' && u <= 'Z')
                u += 'a' - 'A';
            h = (h ^ u) * 0x100000001b3ULL;
        }
    };
    if (std::all_of(Text.begin(), Text.end(), [](QChar c) { return c.unicode() < 0x80; }))
        mix(Text);
    else
        mix(Text.toString().toCaseFolded());
    return h;
}

// Whether no two chosen items name one row to the bank (which ignores letter case): then each
// row is copied once, whichever item comes first. Keys are told apart by their hashes first;
// only two equal hashes call for the texts themselves.
bool keysDiffer(const QList<QTreeWidgetItem *> &items, bool checked)
{
    QSet<size_t> hashes;
    hashes.reserve(items.size());
    QString idStore, wordStore;
    bool clash = false;
    for (const QTreeWidgetItem *item : items) {
        size_t h = 0xcbf29ce484222325ULL;
        if (!checked)
            h = qHash(PColumnText(item, 0, idStore), h);
        h = foldedHash(PColumnText(item, checked ? 0 : PWordSub + 1, wordStore), h);
        if (hashes.contains(h)) {
            clash = true;
            break;
        }
        hashes.insert(h);
    }
    if (!clash)
        return true;
    QSet<QString> seen;
    for (const QTreeWidgetItem *item : items) {
        const QString key = checked ? PCaption(item).toCaseFolded()
                                    : PCaption(item) + QLatin1Char('\n') + PSubItem(item, PWordSub).toCaseFolded();
        if (seen.contains(key))
            return false;
        seen.insert(key);
    }
    return true;
}

// The columns of T as "select *" gives them, read from the prepared statement without running it;
// a list the engine cannot prepare is asked through the layer, which reports it in its own words.
QStringList fieldsOf(const QString &T)
{
    const QString table = PTableSql(T);
    sqlite3 *db = Pdatamodule->PConnection.handle();
    const QByteArray text = (QStringLiteral("select * from ") + quoteIdent(T)).toUtf8();
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        JetQuery q(&Pdatamodule->PConnection);
        q.setSql(QStringLiteral("select * from ") + table + QStringLiteral(" where 1=2"));
        q.open();
        const QStringList names = q.fieldNames();
        q.close();
        return names;
    }
    QStringList names;
    for (int i = 0; i < sqlite3_column_count(stmt); ++i)
        names << QString::fromUtf8(sqlite3_column_name(stmt, i));
    sqlite3_finalize(stmt);
    return names;
}

// The copy of Src's rows s into Dst that the chosen keys name (Match tells which key k names s),
// column by column as "select *" copies them, in the order the keys were added and then as Src
// holds them; empty when the columns cannot be named so (the caller copies row by row).
QString orderedCopySql(const QString &Src, const QString &Dst, const QString &Match)
{
    const QStringList from = fieldsOf(Src), to = fieldsOf(Dst);
    if (from.size() != to.size())
        return QString();
    for (const QString &f : from + to)
        if (!isPlainIdentifier(f))
            return QString();
    QStringList picked;
    for (const QString &f : from)
        picked << QStringLiteral("s.") + f;
    return QStringLiteral("insert into ") + PTableSql(Dst) + QStringLiteral(" (") + to.join(QLatin1Char(',')) +
           QStringLiteral(") select ") + picked.join(QLatin1Char(',')) +
           QStringLiteral(" from ") + KeysTable + QStringLiteral(" k join ") + PTableSql(Src) +
           QStringLiteral(" s on ") + Match + QStringLiteral(" order by k.rowid, s.rowid");
}

}  // namespace

void PClearTempTable()
{
    try {
        Pdatamodule->PDeleteAllFromTable(Tbl::TempTable);
    } catch (const EngineError &) {
        PDialogs().message(QStringLiteral("测试词库刷新出错"), QString(), Dialogs::Critical);
    }
}

void PLoadAndDedupTable(QTreeWidget *ListView, const QString &T, const QString &OrderField)
{
    PRefreshListView(ListView, T, OrderField, 0, Mode::MainFormDBT);
    PRemoveDuplicates(ListView, T);
}

void PRemoveDuplicates(QTreeWidget *ListView, const QString &T)
{
    // The bank orders words without regard to case, so "go", "Go", "go" may stand in that order:
    // every word is checked against all before it, not only its neighbour.
    QSet<QString> seen;
    QList<QTreeWidgetItem *> duplicates;
    // A row is deleted by its ID and exact word: a copy sharing both with a row that stays is a
    // twin, of which only the first stored row stays.
    QSet<QString> kept, twins;
    const auto key = [](const QTreeWidgetItem *item) {
        return PCaption(item) + QLatin1Char('\n') + PSubItem(item, PWordSub);
    };
    for (int i = 0; i < PItemCount(ListView); ++i) {
        QTreeWidgetItem *item = PItemAt(ListView, i);
        const QString word = PSubItem(item, PWordSub);
        if (seen.contains(word)) {
            duplicates << item;
        } else {
            seen.insert(word);
            kept.insert(key(item));
        }
    }
    JetTransaction t(Pdatamodule->PConnection);
    JetCommand remove(Pdatamodule->PConnection,
                      QStringLiteral("delete from ") + PTableSql(T) + QStringLiteral(" where ") +
                          PExactKeysSql(Col::Word, Col::ID));
    for (QTreeWidgetItem *item : duplicates) {
        const QString k = key(item);
        if (!kept.contains(k))
            remove.exec({PSubItem(item, PWordSub), PCaption(item)});
        else if (!twins.contains(k))
            Pdatamodule->PDeleteTwoKeyRepeatsFromTable(T, Col::Word, PSubItem(item, PWordSub), Col::ID, PCaption(item));
        twins.insert(k);
    }
    t.commit();
    setSubItems(ListView, duplicates, 1, QString());
}

void PDeleteSelectedWords(QTreeWidget *ListView, const QString &T)
{
    const Choice chosen = choose(ListView, false);
    JetTransaction t(Pdatamodule->PConnection);
    ChosenKeys keys;
    keys.addItems(chosen.items, false);
    // A delete matches exactly the rows it names, whatever their order: one statement for all.
    JetCommand remove(Pdatamodule->PConnection, QStringLiteral("delete from ") + PTableSql(T) +
                                                    QStringLiteral(" where ") + rowsOfKeys(T, Col::ID, Col::Word));
    remove.exec({});
    t.commit();
    removeItems(ListView, chosen);
}

void PMoveWords(QTreeWidget *ListView, const QString &Src, const QString &Dst, const QString &Mode)
{
    // Copying into the list itself and then deleting would lose the words.
    if (sameTable(Src, Dst))
        return;
    const bool check = Mode == QLatin1String("check");
    const bool select = Mode == QLatin1String("select");
    if (!check && !select)
        return;
    const Choice chosen = choose(ListView, check);
    const QList<QTreeWidgetItem *> &items = chosen.items;
    // All or nothing: a word is in one list or the other, never in neither.
    JetTransaction t(Pdatamodule->PConnection);
    const QString copySql =
        keysDiffer(items, check)
            ? orderedCopySql(Src, Dst, check ? QStringLiteral("s.") + Col::Word + QStringLiteral("=k.单词")
                                             : keyMatch(Col::ID, Col::Word))
            : QString();
    if (!copySql.isEmpty()) {
        // One statement each for the whole choice; the rows land in the target item by item, as
        // one copy per item would add them.
        ChosenKeys keys;
        keys.addItems(items, check);
        JetCommand copy(Pdatamodule->PConnection, copySql);
        JetCommand remove(Pdatamodule->PConnection,
                          QStringLiteral("delete from ") + PTableSql(Src) + QStringLiteral(" where ") +
                              (check ? Col::Word + QStringLiteral(" in (select 单词 from ") + KeysTable + QLatin1Char(')')
                                     : rowsOfKeys(Src, Col::ID, Col::Word)));
        copy.exec({});
        remove.exec({});
    } else {
        // Two chosen items naming one row: the second copies only what the first left behind.
        JetCommand copy(Pdatamodule->PConnection, check ? PMoveOneKeySql(Src, Dst, Col::Word)
                                                        : PMoveTwoKeySql(Src, Dst, Col::ID, Col::Word));
        JetCommand remove(Pdatamodule->PConnection,
                          check ? PDeleteOneKeySql(Src, Col::Word) : PDeleteTwoKeySql(Src, Col::ID, Col::Word));
        for (QTreeWidgetItem *item : items) {
            const QStringList keys =
                check ? QStringList{PCaption(item)} : QStringList{PCaption(item), PSubItem(item, PWordSub)};
            copy.exec(keys);
            remove.exec(keys);
        }
    }
    t.commit();
    removeItems(ListView, chosen);
}

void PUpdateSelectedField(QTreeWidget *ListView, const QString &T, const QString &Field, const QString &Value,
                          int Column)
{
    PCheckName(Field);
    const QList<QTreeWidgetItem *> items = choose(ListView, false).items;
    JetTransaction t(Pdatamodule->PConnection);
    ChosenKeys keys;
    keys.addItems(items, false);
    JetCommand update(Pdatamodule->PConnection, QStringLiteral("update ") + PTableSql(T) + QStringLiteral(" set ") + Field +
                                                    QStringLiteral("=:value where ") +
                                                    rowsOfKeys(T, Col::ID, Col::Word));
    update.exec({Value});
    t.commit();
    setSubItems(ListView, items, Column, Value);
}

void PShuffleTable(QTreeWidget *ListView)
{
    const QString current = PCurrentTable;
    PClearItems(ListView);
    try {
        JetTransaction t(Pdatamodule->PConnection);
        JetQuery &q = Pdatamodule->PQuery;
        // The rows' IDs stand in for the scratch view's items: drawing from a list view removes
        // items in time proportional to the list, so the whole shuffle would grow with its square.
        QStringList ids;
        Pdatamodule->PSelectAllFromTable(current);
        q.open();
        for (const int col = q.fieldIndex(Col::ID); !q.eof(); q.next())
            ids << q.fieldAt(col);
        q.close();

        Pdatamodule->PDeleteAllFromTable(Tbl::TempTable);
        Pdatamodule->PMoveAll(current, Tbl::TempTable);
        Pdatamodule->PDeleteAllFromTable(current);
        // The draws, as one copy back per item would make them; rows that share an ID come back
        // together, once, as a copy by ID takes them all.
        QSet<QString> drawn;
        QStringList order;
        for (int remaining = ids.size(); remaining > 0; --remaining) {
            const int pick = PRandom(remaining);
            const QString id = ids.at(pick);
            ids.swapItemsAt(pick, remaining - 1);
            if (!drawn.contains(id)) {
                order << id;
                drawn.insert(id);
            }
        }
        const QString copySql = orderedCopySql(Tbl::TempTable, current, QStringLiteral("s.") + Col::ID + QStringLiteral("=k.ID"));
        if (!copySql.isEmpty()) {
            ChosenKeys keys;
            for (const QString &id : order)
                keys.addId(id);
            JetCommand copyBack(Pdatamodule->PConnection, copySql);
            copyBack.exec({});
        } else {
            JetCommand copyBack(Pdatamodule->PConnection, PMoveOneKeySql(Tbl::TempTable, current, Col::ID));
            for (const QString &id : order)
                copyBack.exec({id});
        }
        t.commit();
    } catch (const EngineError &) {
        PDialogs().message(QStringLiteral("乱序失败"));
        return;
    }
    PDialogs().message(QStringLiteral("乱序成功"));
}

QString PWordTableNameCharsRefusal(const QString &Name) { return jetTableNameRefusal(Name); }

QString PWordTableNameRefusal(const QString &Name)
{
    const QString chars = PWordTableNameCharsRefusal(Name);
    if (!chars.isEmpty())
        return chars;
    // A registration left behind by an old bank counts as taken too; so does a name that differs
    // only by blanks at its end, which no list row would show.
    const auto bare = [](const QString &n) {
        QStringView v(n);
        while (!v.isEmpty() && v.back().isSpace())
            v.chop(1);
        return v;
    };
    for (const QStringList &names : {Pdatamodule->PConnection.tableNames(), PWordTableNames()})
        for (const QString &existing : names)
            if (bare(existing).compare(bare(Name), Qt::CaseInsensitive) == 0)
                return QStringLiteral("已有同名的单词表（不分大小写）");
    // The bank's indexes and triggers share the tables' names space.
    const QStringList schema = Pdatamodule->PConnection.schemaNames();
    for (const QString &existing : schema)
        if (sameTable(existing, Name))
            return QStringLiteral("名称已被词库内部使用");
    // So do the indexes and triggers a new list gets, named after it.
    const auto made = Pdatamodule->PConnection.translation(QStringLiteral("select * into ") + jetTableRef(Name) +
                                                           QStringLiteral(" from ") + Tbl::WordTable +
                                                           QStringLiteral(" where 1=2"));
    for (const JetStatement &st : made->statements) {
        const QString own = createdName(st.sql);
        if (own.isEmpty() || sameTable(own, Name))
            continue;
        for (const QString &existing : schema)
            if (sameTable(existing, own))
                return QStringLiteral("名称会与单词表“") + existing + QStringLiteral("”冲突");
    }
    return QString();
}

bool PIsNewTableNameFree(const QString &Name) { return PWordTableNameRefusal(Name).isEmpty(); }

void PNewWordTable()
{
    QString name = proposedName(QStringLiteral("表"));
    if (!PDialogs().input(QStringLiteral("请输入新单词表名称"), QString(), name))
        return;
    try {
        const QString refusal = PWordTableNameRefusal(name);
        if (!refusal.isEmpty()) {
            PDialogs().message(refusal);
            return;
        }
        Pdatamodule->PCreateNewWordTable(Tbl::WordTable, name, QStringLiteral("addname"));
    } catch (const EngineError &) {
        PDialogs().message(QStringLiteral("新建失败"));
        return;
    }
    PDialogs().message(QStringLiteral("新建词表“ ") + name + QStringLiteral(" ”成功"));
}

void PDropWordTables(QTreeWidget *ListView)
{
    for (int i = PItemCount(ListView) - 4; i >= 0; --i) {
        QTreeWidgetItem *item = PItemAt(ListView, i);
        if (!item->isSelected())
            continue;
        if (PDialogs().ask(QStringLiteral("这将永久删除该单词表，是否继续？"), QString(), Dialogs::Warning,
                           Dialogs::YesNo) != Dialogs::Yes)
            continue;
        JetTransaction t(Pdatamodule->PConnection);
        if (jetTableNameRefusal(PCaption(item)).isEmpty())
            Pdatamodule->PDropTable(PCaption(item), QStringLiteral("havename"));
        else
            dropOddTable(PCaption(item));
        PSetCurrentTable(Tbl::WordTable);
        t.commit();
        PRemoveItem(item);
    }
}

void PClearWordTables(QTreeWidget *ListView)
{
    for (int i = PItemCount(ListView) - 3; i >= 0; --i) {
        QTreeWidgetItem *item = PItemAt(ListView, i);
        if (!item->isSelected())
            continue;
        if (PDialogs().ask(QStringLiteral("这将清除该单词表中所有数据，是否继续？"), QString(), Dialogs::Warning,
                           Dialogs::YesNo) != Dialogs::Yes)
            continue;
        Pdatamodule->PDeleteAllFromTable(PCaption(item));
    }
}

void PRenameWordTables(QTreeWidget *ListView)
{
    const QString proposed = proposedName(QStringLiteral("新表"));
    for (int i = PItemCount(ListView) - 4; i >= 0; --i) {
        QTreeWidgetItem *item = PItemAt(ListView, i);
        if (!item->isSelected())
            continue;
        const QString old = PCaption(item);
        QString name = proposed;
        if (!PDialogs().input(QStringLiteral("请输入新名称"), QString(), name))
            return;
        if (name == old)
            return;
        const QString refusal = PWordTableNameRefusal(name);
        if (!refusal.isEmpty()) {
            PDialogs().message(refusal);
            return;
        }
        JetTransaction t(Pdatamodule->PConnection);
        if (jetTableNameRefusal(old).isEmpty())
            Pdatamodule->PChangeTableName(old, name);
        else
            renameOddTable(old, name);
        if (sameTable(PCurrentTable, old))
            PSetCurrentTable(name);
        t.commit();
    }
}
