#include "core/wordlistops.h"

#include "core/choosers.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "platform/jetsql.h"

#include <QSet>
#include <QTreeWidget>

namespace {

const QString kID = QStringLiteral("ID");
const QString kWord = QStringLiteral("单词");
const QString kTempTable = QStringLiteral("TempTable");

QString proposedName(const QString &prefix) { return prefix + QString::number(PRandom(10001)); }

bool sameTable(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

void PClearTempTable()
{
    try {
        Pdatamodule->PDeleteAllFromTable(kTempTable);
    } catch (const EngineError &) {
        PDialogs().message(QStringLiteral("测试词库刷新出错"), QString(), Dialogs::Critical);
    }
}

void PLoadAndDedupTable(QTreeWidget *ListView, const QString &T, const QString &OrderField)
{
    PRefreshListView(ListView, T, OrderField, 0, QStringLiteral("mainformDBT"));
    PRemoveDuplicates(ListView, T);
}

void PRemoveDuplicates(QTreeWidget *ListView, const QString &T)
{
    // The bank orders words without regard to case, so "go", "Go", "go" may stand in that order:
    // every word is checked against all before it, not only its neighbour.
    QSet<QString> seen;
    QList<QTreeWidgetItem *> duplicates;
    // A row is deleted by its ID and word, which the bank matches without regard to case: a copy
    // sharing both with a row that stays would take that row with it, and the word would be gone.
    QSet<QString> kept;
    const auto key = [](const QTreeWidgetItem *item) {
        return PCaption(item) + QLatin1Char('\n') + PSubItem(item, 0).toLower();
    };
    for (int i = 0; i < PItemCount(ListView); ++i) {
        QTreeWidgetItem *item = PItemAt(ListView, i);
        const QString word = PSubItem(item, 0);
        if (seen.contains(word)) {
            duplicates << item;
        } else {
            seen.insert(word);
            kept.insert(key(item));
        }
    }
    for (QTreeWidgetItem *item : duplicates) {
        if (kept.contains(key(item)))
            continue;
        PSetSubItem(item, 1, QString());
        Pdatamodule->PDeleteTwoKeyRecordFromTable(T, kWord, PSubItem(item, 0), kID, PCaption(item));
    }
}

void PDeleteSelectedWords(QTreeWidget *ListView, const QString &T)
{
    for (int i = PItemCount(ListView) - 1; i >= 0; --i) {
        QTreeWidgetItem *item = PItemAt(ListView, i);
        if (!item->isSelected())
            continue;
        Pdatamodule->PDeleteTwoKeyRecordFromTable(T, kID, PCaption(item), kWord, PSubItem(item, 0));
        PRemoveItem(item);
    }
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
    for (int i = PItemCount(ListView) - 1; i >= 0; --i) {
        QTreeWidgetItem *item = PItemAt(ListView, i);
        if (check ? item->checkState(0) != Qt::Checked : !item->isSelected())
            continue;
        // A word is in one list or the other, never in neither.
        JetTransaction t(Pdatamodule->PConnection);
        if (check) {
            const QString word = PCaption(item);
            Pdatamodule->PMoveOneRecordToTable(Src, Dst, kWord, word);
            Pdatamodule->PDeleteOneRecordFromTable(Src, kWord, word);
        } else {
            const QString id = PCaption(item), word = PSubItem(item, 0);
            Pdatamodule->PMoveTwoKeyRecordToTable(Src, Dst, kID, id, kWord, word);
            Pdatamodule->PDeleteTwoKeyRecordFromTable(Src, kID, id, kWord, word);
        }
        t.commit();
        PRemoveItem(item);
    }
}

void PUpdateSelectedField(QTreeWidget *ListView, const QString &T, const QString &Field, const QString &Value,
                          int Column)
{
    for (int i = PItemCount(ListView) - 1; i >= 0; --i) {
        QTreeWidgetItem *item = PItemAt(ListView, i);
        if (!item->isSelected())
            continue;
        Pdatamodule->PUpdateTwoKeyDataFromTable(T, kID, PCaption(item), kWord, PSubItem(item, 0), Field, Value);
        PSetSubItem(item, Column, Value);
    }
}

void PShuffleTable(QTreeWidget *ListView)
{
    const QString current = PCurrentTable;
    PClearItems(ListView);
    try {
        JetTransaction t(Pdatamodule->PConnection);
        JetQuery &q = Pdatamodule->PQuery;
        Pdatamodule->PSelectAllFromTable(current);
        ListView->addTopLevelItems(PItemsFromQuery(q, [&] { return PNewItem(q.fieldByName(kID)); }));

        Pdatamodule->PDeleteAllFromTable(kTempTable);
        Pdatamodule->PMoveAll(current, kTempTable);
        Pdatamodule->PDeleteAllFromTable(current);
        // Rows that share an ID come back together, once: a copy by ID takes them all.
        QSet<QString> copied;
        while (PItemCount(ListView) > 0) {
            QTreeWidgetItem *item = PItemAt(ListView, PRandom(PItemCount(ListView)));
            const QString id = PCaption(item);
            if (!copied.contains(id)) {
                Pdatamodule->PMoveOneRecordToTable(kTempTable, current, kID, id);
                copied.insert(id);
            }
            PRemoveItem(item);
        }
        t.commit();
    } catch (const EngineError &) {
        PClearItems(ListView);
        PDialogs().message(QStringLiteral("乱序失败"));
        return;
    }
    PDialogs().message(QStringLiteral("乱序成功"));
}

bool PIsNewTableNameFree(const QString &Name)
{
    if (!isPlainIdentifier(Name))
        return false;
    for (const QString &existing : Pdatamodule->PConnection.tableNames())
        if (sameTable(existing, Name))
            return false;
    // A registration left behind by an old bank counts as taken too.
    for (const QString &registered : PWordTableNames())
        if (sameTable(registered, Name))
            return false;
    return true;
}

void PNewWordTable()
{
    QString name = proposedName(QStringLiteral("表"));
    if (!PDialogs().input(QStringLiteral("请输入新单词表名称"), QString(), name))
        return;
    try {
        if (!PIsNewTableNameFree(name))
            throw EngineError(QStringLiteral("新建失败"));
        Pdatamodule->PCreateNewWordTable(QStringLiteral("WordTable"), name, QStringLiteral("addname"));
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
        Pdatamodule->PDropTable(PCaption(item), QStringLiteral("havename"));
        PSetCurrentTable(QStringLiteral("WordTable"));
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
        if (!PIsNewTableNameFree(name)) {
            PDialogs().message(QStringLiteral("新建失败"));
            return;
        }
        JetTransaction t(Pdatamodule->PConnection);
        Pdatamodule->PChangeTableName(old, name);
        if (sameTable(PCurrentTable, old))
            PSetCurrentTable(name);
        t.commit();
    }
}
