#pragma once
// Banks made by earlier builds are brought up to date when opened: every table gets a counter that
// never hands a number out twice and text columns that ignore letter case in every alphabet.

#include "platform/jetsql.h"

#include <vector>

struct sqlite3;

// The columns of a table as SQLite keeps them; none for a missing table or an odd name.
std::vector<JetColumn> jetTableColumns(sqlite3 *db, const QString &table);

// Brings the open, writable bank up to date in one transaction; an EngineError leaves it as it was.
void upgradeJetBank(sqlite3 *db);
