#pragma once
// What the test tools share at the end of a test: the write-back of their session, the words the
// learner got wrong, and the hidden lists that show a session's rows.

#include "vocab/wordrecord.h"
#include "vocab/wordwrites.h"

#include <QStringList>

class QTreeWidget;

// Writes W through the gateway (one transaction; "词库更新失败" once on a refusal) and returns the
// learner's Counter after it: as stored, or when the bank refused, as it stands plus the add.
qint64 PWriteTestResults(const TPWriteBack &W, const QString &Counter);

// The words of TempTable whose last answer is "错", in table order ("词库刷新出错" and what was read
// when the bank fails); TempTable is emptied afterwards.
QStringList PTakeWrongWordsOfGroup();

// Replaces View's items with Rows: Fields[0] as caption, the rest as sub-items.
void PShowRecords(QTreeWidget *View, const TPWordRecords &Rows, const QStringList &Fields);
