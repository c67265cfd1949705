#include "sessions/sessionrows.h"

TPWordWrite PWordWrite(const QString &Table, const TPWordRecord &R, const QStringList &Fields, const QString &KeyField)
{
    TPWordWrite w{Table, KeyField, R.field(KeyField), {}};
    w.fields.reserve(Fields.size());
    for (const QString &f : Fields)
        w.fields.append({f, R.field(f)});
    return w;
}
