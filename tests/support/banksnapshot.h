#pragma once
// Whole-bank and whole-view pictures for exact before/after checks: every table's definition
// and every row with every column, values tagged by type so NULL, "" and 0 stay apart.

#include <QStringList>

struct sqlite3;
class QTreeWidget;

QStringList bankSnapshot(sqlite3 *db);
// What the engine's integrity check says of the bank: "ok" when it is whole.
QString bankIntegrity(sqlite3 *db);
// Each item's caption, sub-items, tick and selection.
QStringList viewSnapshot(QTreeWidget *view);
