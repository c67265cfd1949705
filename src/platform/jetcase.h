#pragma once
// Text comparison as the word bank always had it: letter case never counts, for every alphabet
// ("CAFÉ" equals "café"), both in equality and ordering (the collation) and in like patterns.

#include <QString>

struct sqlite3;

// The collation name text columns are declared with.
extern const char *const JetCaseCollation;

// Installs the collation and a like that folds case on a connection.
void registerJetCase(sqlite3 *db);

// Whether text matches a like pattern ('%' any run, '_' one character), without regard to case.
bool jetLike(const QString &pattern, const QString &text, QChar escape = QChar());
