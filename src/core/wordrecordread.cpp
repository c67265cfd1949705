#include "core/wordrecordread.h"

#include "core/datamodule.h"

#include <array>

TPWordRecords PRecordsOfQuery(JetQuery &Q)
{
    static const std::array<const QString *, 14> names = {
        &Col::ID,         &Col::Word,      &Col::Phonetic,   &Col::Explanation, &Col::Association,
        &Col::Details,    &Col::Example,   &Col::TimesDone,  &Col::TimesWrong,  &Col::Experience,
        &Col::Category,   &Col::LastRight, &Col::LastTested, &Col::MasterType};
    TPWordRecords rows;
    Q.open();
    try {
        std::array<int, 14> at{};
        for (size_t i = 0; i < names.size(); ++i)
            at[i] = Q.hasField(*names[i]) ? Q.fieldIndex(*names[i]) : -1;
        for (; !Q.eof(); Q.next()) {
            TPWordRecord r;
            for (size_t i = 0; i < names.size(); ++i)
                if (at[i] >= 0)
                    r.setField(*names[i], Q.fieldAt(at[i]));
            rows.append(r);
        }
    } catch (...) {
        Q.close();
        throw;
    }
    Q.close();
    return rows;
}

TPWordRecords PReadWordRecords(const QString &T)
{
    Pdatamodule->PSelectAllFromTable(T);
    return PRecordsOfQuery(Pdatamodule->PQuery);
}
