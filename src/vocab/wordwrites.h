#pragma once
// What a study tool hands to the write-back gateway (core/writeback.h): plain data, so that the
// widget-free sessions can build it.

#include <QList>
#include <QPair>
#include <QString>

using TPFieldValues = QList<QPair<QString, QString>>;  // column, new text

struct TPWordWrite {
    QString table;      // a word list, TempTable, ...
    QString keyField;   // the key column: every row whose key matches changes
    QString keyValue;
    TPFieldValues fields;
};

struct TPWriteBack {
    QList<TPWordWrite> words;  // applied in order: a word written twice ends with its later values
    // Added to a counter of the learner row (the first row's value, written to every row), in the
    // same transaction as the words.
    QList<QPair<QString, qint64>> learnerAdds;
};
