#pragma once
// The bank's rule for comparing texts: letter case never counts, in every alphabet ("CAFÉ" equals
// "café"), in equality and ordering (the collation) and in like patterns alike, so that a learner
// finds a word however its letters were typed.

#include <QString>

struct sqlite3;

// The collation name text columns are declared with.
extern const char *const JetCaseCollation;

// Installs the collation and a like that folds case on a connection.
void registerJetCase(sqlite3 *db);

// Whether text matches a like pattern ('%' any run, '_' one character), without regard to case.
bool jetLike(const QString &pattern, const QString &text, QChar escape = QChar());
