#pragma once
// The study group's rows to and from the bank: the builder's rows read from a word list, the
// group put into TempTable, and a lesson closed into the study log.

#include "rules/builderrow.h"
#include "vocab/wordrecord.h"

#include <QString>
#include <QStringList>

class QTreeWidget;

// The builder's columns of every row of T, in table order or ordered by OrderField (Descending
// as asked). A failed read shows "词库刷新出错"; the rows read before it are returned.
TPBuilderRows PReadGroupRows(const QString &T, const QString &OrderField = QString(), bool Descending = false);

// TempTable := the current list's row of each chosen record (its ID and word), in order, each once.
// All or nothing: on failure "词库刷新出错！", TempTable left empty and false returned.
bool PMoveChosenToTempTable(const TPWordRecords &Chosen);
// TempTable := every row of the current list holding each word, once per word given. Failures as
// above.
bool PMoveWordsToTempTable(const QStringList &Words);
// The same for the words of the ticked items (caption) of a check-box list.
bool PMoveCheckedToTempTable(QTreeWidget *ListView);

// Adds what the study counters gained since the last logged lesson to today's row of the study
// log. A failed write is reported and the gain stays for the next close; false then.
bool PLogLesson();
