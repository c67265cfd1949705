#pragma once
// Maintenance of the open word bank: initialisation, compaction, backup, opening another bank.

#include <QString>

// The open bank and the files the engine keeps beside it are opened by the engine alone: any
// other handle on them, once closed, drops the engine's locks for the whole program. Empty when
// Path is none of them; else the message that refuses it.
QString POpenBankFileRefusal(const QString &Path);

// Appends every registered list name followed by "," and then "WordTable".
void PGetAllTableNames(QString &List);
void PInitWordBank();
// Compacts the bank at Source in its own file; false when it could not (the bank is then as it was).
bool PCompactDatabase(const QString &Source);
void PSlimWordBank();
void PBackupWordBank();
// Connects the bank at Path (the same bank again when it is the one open). A file that is no word
// bank shows the engine's error and the bank that was open stays connected; false then.
bool PConnectWordBank(const QString &Path);
// Returns true when the bank in use is another one than before.
bool POpenWordBank();
