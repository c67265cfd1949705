#pragma once
// A new word written as one row in one statement: rows of the same spelling already in the list
// keep their own meaning, notes, category and statistics.

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
