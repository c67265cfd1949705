#pragma once
// The current word list and the learner's row in UserTable.

#include <QString>

// The name of the current word list: "WordTable" or a registered list; empty until first loaded.
extern QString PCurrentTable;

// Reads the current list's name from the learner's row (empty when there is no row).
void PLoadCurrentTableName();
// Makes Name the current list, in the bank and in PCurrentTable.
void PSetCurrentTable(const QString &Name);
// Makes the learner's row when UserTable has none.
void PEnsureUserRow();
