#include "core/wordlistops.h"

#include "vocab/bankvocab.h"
#include "core/choosers.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "platform/jetsql.h"

#include <QSet>
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

// The items a command acts on, from the last to the first. Asking each item whether it is
// selected costs a walk over the selection, so the selection is read once.
QList<QTreeWidgetItem *> chosenItems(QTreeWidget *ListView, bool checked)
{
    QList<QTreeWidgetItem *> out;
    if (checked) {
        for (int i = PItemCount(ListView) - 1; i >= 0; --i)
            if (PItemAt(ListView, i)->checkState(0) == Qt::Checked)
                out << PItemAt(ListView, i);
        return out;
    }
    const QList<QTreeWidgetItem *> selected = ListView->selectedItems();
    const QSet<QTreeWidgetItem *> set(selected.begin(), selected.end());
    for (int i = PItemCount(ListView) - 1; i >= 0; --i)
        if (set.contains(PItemAt(ListView, i)))
            out << PItemAt(ListView, i);
    return out;
}

// Removes many items in one pass over the view: removed one by one, each would shift every item
// after it. A few go one by one, which keeps the view's scroll position and current item.
void removeItems(QTreeWidget *ListView, const QList<QTreeWidgetItem *> &items)
{
    if (items.size() < 64) {
        for (QTreeWidgetItem *item : items)
            PRemoveItem(item);
        return;
    }
    const QSet<QTreeWidgetItem *> gone(items.begin(), items.end());
    const QList<QTreeWidgetItem *> selected = ListView->selectedItems();
    QList<QTreeWidgetItem *> kept;
    for (QTreeWidgetItem *item : ListView->invisibleRootItem()->takeChildren()) {
        if (gone.contains(item))
            delete item;
        else
            kept << item;
    }
    ListView->addTopLevelItems(kept);
    for (QTreeWidgetItem *item : selected)
        if (!gone.contains(item))
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
                      QStringLiteral("delete from ") + T + QStringLiteral(" where ") + PExactKeysSql(Col::Word, Col::ID));
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
    const QList<QTreeWidgetItem *> items = chosenItems(ListView, false);
    JetTransaction t(Pdatamodule->PConnection);
    JetCommand remove(Pdatamodule->PConnection, PDeleteTwoKeySql(T, Col::ID, Col::Word));
    for (QTreeWidgetItem *item : items)
        remove.exec({PCaption(item), PSubItem(item, PWordSub)});
    t.commit();
    removeItems(ListView, items);
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
    const QList<QTreeWidgetItem *> items = chosenItems(ListView, check);
    // All or nothing: a word is in one list or the other, never in neither.
    JetTransaction t(Pdatamodule->PConnection);
    // Ticked words go with every row of their spelling; a selected row goes alone.
    JetCommand copy(Pdatamodule->PConnection,
                    check ? PMoveOneKeySql(Src, Dst, Col::Word) : PMoveTwoKeySql(Src, Dst, Col::ID, Col::Word));
    JetCommand remove(Pdatamodule->PConnection, check ? PDeleteOneKeySql(Src, Col::Word) : PDeleteTwoKeySql(Src, Col::ID, Col::Word));
    for (QTreeWidgetItem *item : items) {
        const QStringList keys = check ? QStringList{PCaption(item)} : QStringList{PCaption(item), PSubItem(item, PWordSub)};
        copy.exec(keys);
        remove.exec(keys);
    }
    t.commit();
    removeItems(ListView, items);
}

void PUpdateSelectedField(QTreeWidget *ListView, const QString &T, const QString &Field, const QString &Value,
                          int Column)
{
    const QList<QTreeWidgetItem *> items = chosenItems(ListView, false);
    JetTransaction t(Pdatamodule->PConnection);
    JetCommand update(Pdatamodule->PConnection, PUpdateTwoKeySql(T, Col::ID, Col::Word, Field));
    for (QTreeWidgetItem *item : items)
        update.exec({Value, PCaption(item), PSubItem(item, PWordSub)});
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
        // Rows that share an ID come back together, once: a copy by ID takes them all.
        QSet<QString> copied;
        JetCommand copyBack(Pdatamodule->PConnection, PMoveOneKeySql(Tbl::TempTable, current, Col::ID));
        for (int remaining = ids.size(); remaining > 0; --remaining) {
            const int pick = PRandom(remaining);
            const QString id = ids.at(pick);
            ids.swapItemsAt(pick, remaining - 1);
            if (!copied.contains(id)) {
                copyBack.exec({id});
                copied.insert(id);
            }
        }
        t.commit();
    } catch (const EngineError &) {
        PDialogs().message(QStringLiteral("乱序失败"));
        return;
    }
    PDialogs().message(QStringLiteral("乱序成功"));
}

QString PWordTableNameCharsRefusal(const QString &Name)
{
    if (Name.trimmed().isEmpty())
        return QStringLiteral("名称不能为空");
    if (!isPlainIdentifier(Name)) {
        if (Name.size() > 64)
            return QStringLiteral("名称不能超过64个字符");
        if (Name.at(0).isDigit())
            return QStringLiteral("名称不能以数字开头");
        for (const QChar c : Name)
            if (!isPlainIdentifier(QStringLiteral("a") + c))
                return c.isSpace() ? QStringLiteral("名称不能含有空格")
                                   : QStringLiteral("名称不能含有“") + c + QStringLiteral("”");
    }
    return QString();
}

QString PWordTableNameRefusal(const QString &Name)
{
    const QString chars = PWordTableNameCharsRefusal(Name);
    if (!chars.isEmpty())
        return chars;
    // A registration left behind by an old bank counts as taken too.
    for (const QStringList &names : {Pdatamodule->PConnection.tableNames(), PWordTableNames()})
        for (const QString &existing : names)
            if (sameTable(existing, Name))
                return QStringLiteral("已有同名的单词表（不分大小写）");
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
        if (isPlainIdentifier(PCaption(item)))
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
        if (isPlainIdentifier(old))
            Pdatamodule->PChangeTableName(old, name);
        else
            renameOddTable(old, name);
        if (sameTable(PCurrentTable, old))
            PSetCurrentTable(name);
        t.commit();
    }
}
