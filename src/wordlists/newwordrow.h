#pragma once
// A new word written as one row in one statement: rows of the same spelling already in the list
// keep their own meaning, notes, category and statistics.

#include "vocab/wordrecord.h"

#include <QString>

struct TPNewWord {
    QString Word;
    QString Pron;
    QString Mean;
    QString Expl;
    QString Sent;
    QString LastResult;  // 上次是否做对: "错" from the dictionary, empty from the bulk import
};

// Inserts W into list T with the statistics of a new word, dated today.
void PInsertNewWord(const QString &T, const TPNewWord &W);

// A word typed into the word-entry editor, written into list T in one transaction: its spelling,
// phonetic, explanation, association, details, example and category from R, the statistics of a
// new word dated today, and no experience when the word was learnt before (UsedWordTable).
// Returns the new row's ID; Experience, when given, receives the experience stored.
QString PInsertEditorWord(const QString &T, const TPWordRecord &R, QString *Experience = nullptr);
