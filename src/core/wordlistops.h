#pragma once
// Operations on the words of a list view and on whole word lists. Rows are identified in a list
// view by their ID (caption) and word (sub-item 0); check-box lists carry the word as caption.

#include <QString>

class QTreeWidget;

// Empties the study group; a failure shows "测试词库刷新出错".
void PClearTempTable();
// Refills ListView from T ("mainformDBT", ordered by OrderField) and removes repeated words.
void PLoadAndDedupTable(QTreeWidget *ListView, const QString &T, const QString &OrderField);
// Deletes from T every row whose word (exact letter case) came earlier in ListView, so one row
// per word stays, also of twins sharing ID and word; the deleted rows' items stay with an empty
// meaning until the caller refills.
void PRemoveDuplicates(QTreeWidget *ListView, const QString &T);
// The commands on chosen words run in one transaction each (all or nothing) and change the view
// only once the bank has taken the change.
// Deletes the selected rows from T and their items.
void PDeleteSelectedWords(QTreeWidget *ListView, const QString &T);
// Moves the checked (Mode "check": every row of the word) or selected (Mode "select": that row)
// words from list Src to list Dst.
void PMoveWords(QTreeWidget *ListView, const QString &Src, const QString &Dst, const QString &Mode);
// Sets Field to Value in the selected rows of T and in sub-item Column of their items.
void PUpdateSelectedField(QTreeWidget *ListView, const QString &T, const QString &Field, const QString &Value,
                          int Column);
// Puts the rows of the current word list in a random order, all or nothing; ListView is scratch.
void PShuffleTable(QTreeWidget *ListView);

// Why Name cannot name a word list (empty, taken by a table or list whatever its letter case, or
// with characters the bank's statements cannot take), in one short sentence; empty when it can.
QString PWordTableNameRefusal(const QString &Name);
// The same for the characters of Name alone, whether or not a list has it.
QString PWordTableNameCharsRefusal(const QString &Name);
// Whether Name may name a new word list.
bool PIsNewTableNameFree(const QString &Name);
// Asks for a name and creates an empty word list.
void PNewWordTable();
// The word-list manager's operations on its selected rows (registered lists, then "WordTable",
// an empty row and the total row).
void PDropWordTables(QTreeWidget *ListView);
void PClearWordTables(QTreeWidget *ListView);
void PRenameWordTables(QTreeWidget *ListView);
