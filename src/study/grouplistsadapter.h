#pragma once
// Runs the selection rules over the builder's two list views: their items become plain rows, and
// every move the rules make is made on the views as well, item for item.

#include "rules/wordselection.h"

class QTreeWidget;
class QTreeWidgetItem;

TPWordItem PItemToRow(const QTreeWidgetItem *Item);
QVector<TPWordItem> PRowsOf(const QTreeWidget *ListView);

class TPGroupListsAdapter {
public:
    TPGroupListsAdapter(QTreeWidget *Candidates, QTreeWidget *Chosen);

    TPGroupLists &lists() { return m_lists; }
    // Refills the candidate view from the current list ordered by 最近测试时间 and empties the
    // chosen view; the rows read, for the rules.
    QVector<TPWordItem> reload(bool descending);

private:
    void mirror(TPSide from, int index);

    QTreeWidget *m_views[2];
    TPGroupLists m_lists;
};
