#pragma once
// Pieces every session shares: the write of a word record's changed fields.

#include "vocab/wordrecord.h"
#include "vocab/wordwrites.h"

#include <QStringList>

// The write of Fields of R to Table, keyed by KeyField (the word by default), with R's values.
TPWordWrite PWordWrite(const QString &Table, const TPWordRecord &R, const QStringList &Fields,
                       const QString &KeyField = Col::Word);
