#include "core/wordrecords.h"

#include "core/datamodule.h"

#include <QStringBuilder>
#include <QStringList>

namespace {
void updateFields(const QString &T, const QString &KeyField, const QString &KeyValue,
                  std::initializer_list<std::pair<QString, QString>> fields)
{
    for (const auto &f : fields)
        Pdatamodule->PUpdateOneDataFromTable(T, KeyField, f.first, KeyValue, f.second);
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
    // Six names: a pairwise look is cheaper than a hash of them on every save.
    bool repeated = false;
    for (int i = 0; i < 6 && !repeated; ++i) {
        repeated = *fields[i] == KeyField;
        for (int j = 0; j < i && !repeated; ++j)
            repeated = *fields[i] == *fields[j];
    }
    if (repeated) {
        // Field by field, in order, so that a later field or the key sees the earlier ones.
        JetTransaction t(Pdatamodule->PConnection);
        updateFields(T, KeyField, KeyValue, {{F1, V1}, {F2, V2}, {F3, V3}, {F4, V4}, {F5, V5}, {F6, V6}});
        t.commit();
        return;
    }
    // One statement: all six fields of every row of the word, or none.
    PCheckName(T);
    PCheckName(KeyField);
    QString text;
    text.reserve(64 + T.size() + 3 * KeyField.size() + 3 * (F1.size() + F2.size() + F3.size() + F4.size() +
                                                            F5.size() + F6.size()));
    text += QLatin1String("update ") % T % QLatin1String(" set ");
    for (int i = 0; i < 6; ++i) {
        PCheckName(*fields[i]);
        if (i)
            text += QLatin1Char(',');
        text += *fields[i] % QLatin1String("=:") % *fields[i];
    }
    text += QLatin1String(" where ") % KeyField % QLatin1String("=:") % KeyField;
    // Prepared once per text by the connection; values bound by place, not looked up by name.
    JetCommand command(Pdatamodule->PConnection, text);
    command.exec({*values[0], *values[1], *values[2], *values[3], *values[4], *values[5], KeyValue});
}

void PUpdateWordRecord3(const QString &T, const QString &KeyField, const QString &F1, const QString &F2,
                        const QString &F3, const QString &KeyValue, const QString &V1, const QString &V2,
                        const QString &V3)
{
    JetTransaction t(Pdatamodule->PConnection);
    updateFields(T, KeyField, KeyValue, {{F1, V1}, {F2, V2}, {F3, V3}});
    t.commit();
}

void PUpdateWordRecord3b(const QString &T, const QString &KeyField, const QString &F1, const QString &F2,
                         const QString &F3, const QString &KeyValue, const QString &V1, const QString &V2,
                         const QString &V3)
{
    PUpdateWordRecord3(T, KeyField, F1, F2, F3, KeyValue, V1, V2, V3);
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
