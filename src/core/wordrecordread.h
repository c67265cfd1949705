#pragma once
// Word rows of the bank as word records: what sessions work on instead of list-view items.

#include "vocab/wordrecord.h"

class JetQuery;

// Every row of Q (its statement set, not yet opened) as a word record; a column Q does not return
// stays empty. Q is closed afterwards.
TPWordRecords PRecordsOfQuery(JetQuery &Q);
// Every row of table T, in the order it holds them.
TPWordRecords PReadWordRecords(const QString &T);
