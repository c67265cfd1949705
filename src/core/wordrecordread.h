#pragma once
// Word rows of the bank as word records: what sessions work on instead of list-view items.

#include "vocab/wordrecord.h"

#include <QStringList>

class JetQuery;

// Every row of Q (its statement set, not yet opened) as a word record; a column Q does not return
// stays empty. Q is closed afterwards.
TPWordRecords PRecordsOfQuery(JetQuery &Q);
// Every row of table T, in the order it holds them.
TPWordRecords PReadWordRecords(const QString &T);
// Fields of every row of T, ordered by OrderField (none: as T holds them) followed by Suffix
// (" desc"). A failure says "词库刷新出错" and gives no rows.
TPWordRecords PReadWordFields(const QString &T, const QStringList &Fields, const QString &OrderField = QString(),
                              const QString &Suffix = QString());
