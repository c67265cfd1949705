#pragma once
// Report list views filled from the word bank. An item is a caption (column 0) and its sub-items:
// sub-item i is column i + 1. Windows and the word-list operations read rows back by these
// positions, so every access goes through the helpers below.

#include "vocab/bankvocab.h"
#include "rules/sortorder.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>

class JetQuery;

class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;

// ---- caption and sub-items
// The word's sub-item in every fill mode that starts with ID (the caption), as the word-list
// operations read their rows.
constexpr int PWordSub = PSub(ModeCol::MainFormDBT::Word);
QString PCaption(const QTreeWidgetItem *Item);
// Empty text for a sub-item the item does not have.
QString PSubItem(const QTreeWidgetItem *Item, int Index);
// A column's text (0 the caption) without copying it where the item keeps its texts itself;
// another item's text is put in Store, which the view then points into.
QStringView PColumnText(const QTreeWidgetItem *Item, int Column, QString &Store);
void PSetCaption(QTreeWidgetItem *Item, const QString &Value);
void PSetSubItem(QTreeWidgetItem *Item, int Index, const QString &Value);
int PSubItemCount(const QTreeWidgetItem *Item);
// A new item not yet in any list view.
QTreeWidgetItem *PNewItem(const QString &Caption, const QStringList &SubItems = {});
// The same from column texts that stand one after another in Texts, column i ending at Ends[i];
// the item shares Texts instead of copying it.
QTreeWidgetItem *PNewItem(const QString &Texts, const int *Ends, int Count);
// The same from the column texts, caption first, put into one such buffer.
QTreeWidgetItem *PNewItem(std::initializer_list<QStringView> Texts);
// Opens the prepared query, makes one item per row with makeItem and closes it again; on an
// error the query is closed and the items made so far are freed before the error goes on.
QList<QTreeWidgetItem *> PItemsFromQuery(JetQuery &q, const std::function<QTreeWidgetItem *()> &makeItem);
// Appends an item at the end of the list view.
QTreeWidgetItem *PAddItem(QTreeWidget *ListView, const QString &Caption, const QStringList &SubItems = {});
int PItemCount(const QTreeWidget *ListView);
QTreeWidgetItem *PItemAt(const QTreeWidget *ListView, int Index);
// Removes the item from its list view and frees it.
void PRemoveItem(QTreeWidgetItem *Item);
// Whether the item is one the program made (PNewItem, PAddItem, the fills).
bool PIsOwnItem(const QTreeWidgetItem *Item);
// Removes and frees the top-level items of the list view that Gone names (one named twice goes
// once; items of other views are left alone), in one step of the model; the others keep their
// order. OwnItemsOnly tells that the caller has just seen every item of the view to be the
// program's own, which spares a walk over the view.
void PRemoveItems(QTreeWidget *ListView, const QList<QTreeWidgetItem *> &Gone, bool OwnItemsOnly = false);
void PClearItems(QTreeWidget *ListView);

// ---- fill modes
// The fields of a mode's columns, caption first; an empty name stands for an empty column. An
// empty list for an unknown mode (compared exactly).
QStringList PModeFields(const QString &Mode);
// Replaces the list view's items with the rows of TableName; Direction 0 ascending, -1 descending
// (only with an OrderField). Errors show "词库刷新出错" and what was read stays.
void PRefreshListView(QTreeWidget *ListView, const QString &TableName, const QString &OrderField, int Direction,
                      const QString &Mode);
// Appends one item per row of the statement set in the data module's query.
void PFillListView(QTreeWidget *ListView, const QString &Mode);

// ---- sorting (column-click handlers)
// Each click turns the list view's own sort flag over: the first sorts descending, then ascending.
void PSortListView(QTreeWidget *ListView, int ColumnIndex);
int PCompareAsc(const QTreeWidgetItem *Item1, const QTreeWidgetItem *Item2, int ColumnIndex);
int PCompareDesc(const QTreeWidgetItem *Item1, const QTreeWidgetItem *Item2, int ColumnIndex);
// The sort flag of a list view: 0 or -1.
int PSortFlag(const QTreeWidget *ListView);

// The items whose check box is ticked.
int PCheckedCount(const QTreeWidget *ListView);
// Those items, in the view's order.
QList<QTreeWidgetItem *> PCheckedItems(const QTreeWidget *ListView);
// 0, 1, or 2 for two or more selected items.
int PSelectedCount(const QTreeWidget *ListView);
// Offers the categories of a scratch list (ordered by category; sub-item ColumnIndex) followed by
// the four standard ones; the scratch list is left empty.
void PFillCategoryCombo(QTreeWidget *ListView, int ColumnIndex, QComboBox *ComboBox);

// The four standard categories, in order.
QStringList PStandardCategories();
// The widest texts a list column of Field shows, for it to show them whole: an ID of up to five
// digits, the categories the program gives, the codes of 上次是否做对 and 掌握类型; none for
// other fields.
QStringList PHeldTexts(const QString &Field);
