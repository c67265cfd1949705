#pragma once
// Maintenance of the open word bank: initialisation, compaction, backup, opening another bank.

#include <QString>

// Appends every registered list name followed by "," and then "WordTable".
void PGetAllTableNames(QString &List);
void PInitWordBank();
bool PCompactDatabase(const QString &Source, const QString &Destination);
void PSlimWordBank();
void PBackupWordBank();
// Returns true when the bank in use is another one than before.
bool POpenWordBank();
