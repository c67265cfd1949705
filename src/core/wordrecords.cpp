#include "core/wordrecords.h"

#include "core/datamodule.h"

#include <array>
#include <QStringList>

namespace {
// The fields of a word, F[i] := V[i], keyed by KeyField = KeyValue, every row of the word.
void updateFields(const QString &T, const QString &KeyField, const QString &KeyValue, const QString *const *F,
                  const QString *const *V, int n)
{
    bool repeated = false;
    for (int i = 0; i < n && !repeated; ++i) {
        repeated = *F[i] == KeyField;
        for (int j = 0; j < i && !repeated; ++j)
            repeated = *F[i] == *F[j];
    }
    if (repeated) {
        // Field by field, in order, so that a later field or the key sees the earlier ones.
        JetTransaction t(Pdatamodule->PConnection);
        for (int i = 0; i < n; ++i)
            Pdatamodule->PUpdateOneDataFromTable(T, KeyField, *F[i], KeyValue, *V[i]);
        t.commit();
        return;
    }
    // One statement: all fields of every row of the word, or none. Its text is made once per
    // table, key and fields.
    static JetSiteText<8> site;
    std::array<const QString *, 8> names{&T, &KeyField};
    static const QString none;
    for (int i = 0; i < 6; ++i)
        names[2 + i] = i < n ? F[i] : &none;
    JetQuery &q = Pdatamodule->PQuery;
    q.setSql(site.text(names, [&] {
        PCheckName(KeyField);
        QString text = QStringLiteral("update ") + PTableSql(T) + QStringLiteral(" set ");
        for (int i = 0; i < n; ++i) {
            PCheckName(*F[i]);
            if (i)
                text += QLatin1Char(',');
            text += *F[i] + QStringLiteral("=:") + *F[i];
        }
        return text + QStringLiteral(" where ") + KeyField + QStringLiteral("=:") + KeyField;
    }));
    for (int i = 0; i < n; ++i)
        q.setParam(*F[i], *V[i]);
    q.setParam(KeyField, KeyValue);
    q.execSql();
}
}  // namespace

void PInsertWordRecord(const QString &T, const QString &KeyField, const QString &F1, const QString &F2,
                       const QString &F3, const QString &F4, const QString &F5, const QString &F6,
                       const QString &KeyValue, const QString &V1, const QString &V2, const QString &V3,
                       const QString &V4, const QString &V5, const QString &V6)
{
    JetTransaction t(Pdatamodule->PConnection);
    Pdatamodule->PInsertOneRecordToTable(T, KeyField, KeyValue);
    PUpdateWordRecord(T, KeyField, F1, F2, F3, F4, F5, F6, KeyValue, V1, V2, V3, V4, V5, V6);
    t.commit();
}

void PUpdateWordRecord(const QString &T, const QString &KeyField, const QString &F1, const QString &F2,
                       const QString &F3, const QString &F4, const QString &F5, const QString &F6,
                       const QString &KeyValue, const QString &V1, const QString &V2, const QString &V3,
                       const QString &V4, const QString &V5, const QString &V6)
{
    const QString *const fields[6] = {&F1, &F2, &F3, &F4, &F5, &F6};
    const QString *const values[6] = {&V1, &V2, &V3, &V4, &V5, &V6};
    updateFields(T, KeyField, KeyValue, fields, values, 6);
}

void PUpdateWordRecord3(const QString &T, const QString &KeyField, const QString &F1, const QString &F2,
                        const QString &F3, const QString &KeyValue, const QString &V1, const QString &V2,
                        const QString &V3)
{
    const QString *const fields[3] = {&F1, &F2, &F3};
    const QString *const values[3] = {&V1, &V2, &V3};
    updateFields(T, KeyField, KeyValue, fields, values, 3);
}

void PUpdateTableFields(const QString &T, const QString &F1, const QString &F2, const QString &F3,
                        const QString &F4, const QString &F5, const QString &F6, const QString &V1,
                        const QString &V2, const QString &V3, const QString &V4, const QString &V5,
                        const QString &V6)
{
    JetTransaction t(Pdatamodule->PConnection);
    for (const auto &f : {std::pair<QString, QString>{F1, V1}, {F2, V2}, {F3, V3}, {F4, V4}, {F5, V5}, {F6, V6}})
        Pdatamodule->PUpdateOneFieldFromTable(T, f.first, f.second);
    t.commit();
}
