#pragma once
// Whether a list's columns show their cells whole, by the list's own measure of its cells.

#include <QAbstractItemView>
#include <QTreeView>
#include <gtest/gtest.h>
#include <initializer_list>

// Each of the columns is at least as wide as its widest shown cell needs, in the list's font and
// item style (a narrower column draws the cell cut, with "…").
inline void PExpectCellsWhole(const QTreeView *v, std::initializer_list<int> columns)
{
    const QAbstractItemView *view = v;
    for (int c : columns)
        EXPECT_GE(v->columnWidth(c), view->sizeHintForColumn(c))
            << v->objectName().toStdString() << " column " << c << " "
            << v->model()->headerData(c, Qt::Horizontal).toString().toStdString();
}
