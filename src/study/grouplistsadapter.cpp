#include "study/grouplistsadapter.h"

#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "core/listviews.h"

#include <QTreeWidget>

TPWordItem PItemToRow(const QTreeWidgetItem *Item)
{
    TPWordItem row;
    row.caption = PCaption(Item);
    for (int i = 0; i < 7; ++i)
        row.sub[size_t(i)] = PSubItem(Item, i);
    row.selected = Item->isSelected();
    return row;
}

QVector<TPWordItem> PRowsOf(const QTreeWidget *ListView)
{
    QVector<TPWordItem> rows;
    rows.reserve(PItemCount(ListView));
    for (int i = 0; i < PItemCount(ListView); ++i)
        rows << PItemToRow(PItemAt(ListView, i));
    return rows;
}

TPGroupListsAdapter::TPGroupListsAdapter(QTreeWidget *Candidates, QTreeWidget *Chosen)
    : m_views{Candidates, Chosen}, m_lists(PRowsOf(Candidates), PRowsOf(Chosen))
{
    m_lists.setObserver([this](TPSide from, int index) { mirror(from, index); });
}

QVector<TPWordItem> TPGroupListsAdapter::reload(bool descending)
{
    PRefreshListView(m_views[SideCandidates], PCurrentTable, Col::LastTested, descending ? -1 : 0,
                     QStringLiteral("createform"));
    PClearItems(m_views[SideChosen]);
    return PRowsOf(m_views[SideCandidates]);
}

void TPGroupListsAdapter::mirror(TPSide from, int index)
{
    QTreeWidgetItem *item = PItemAt(m_views[from], index);
    QStringList subs;
    for (int i = 0; i < PSubItemCount(item); ++i)
        subs << PSubItem(item, i);
    PAddItem(m_views[1 - from], PCaption(item), subs);
    PRemoveItem(item);
}
