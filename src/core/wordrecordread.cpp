#include "core/wordrecordread.h"

#include "core/datamodule.h"
#include "platform/dialogs.h"

#include <array>
#include <utility>
#include <vector>

namespace {
using Member = QString TPWordRecord::*;

const std::array<std::pair<const QString *, Member>, 14> &columns()
{
    static const std::array<std::pair<const QString *, Member>, 14> all = {{
        {&Col::ID, &TPWordRecord::id},
        {&Col::Word, &TPWordRecord::word},
        {&Col::Phonetic, &TPWordRecord::phonetic},
        {&Col::Explanation, &TPWordRecord::explanation},
        {&Col::Association, &TPWordRecord::association},
        {&Col::Details, &TPWordRecord::details},
        {&Col::Example, &TPWordRecord::example},
        {&Col::TimesDone, &TPWordRecord::timesDone},
        {&Col::TimesWrong, &TPWordRecord::timesWrong},
        {&Col::Experience, &TPWordRecord::experience},
        {&Col::Category, &TPWordRecord::category},
        {&Col::LastRight, &TPWordRecord::lastRight},
        {&Col::LastTested, &TPWordRecord::lastTested},
        {&Col::MasterType, &TPWordRecord::masterType},
    }};
    return all;
}
}  // namespace

TPWordRecords PRecordsOfQuery(JetQuery &Q)
{
    TPWordRecords rows;
    Q.open();
    try {
        // Only the columns the statement returns are read, each straight from its UTF-8.
        std::vector<std::pair<int, Member>> read;
        for (const auto &[name, member] : columns())
            if (Q.hasField(*name))
                read.emplace_back(Q.fieldIndex(*name), member);
        for (; !Q.eof(); Q.next()) {
            TPWordRecord &r = rows.emplace_back();
            for (const auto &[at, member] : read)
                r.*member = QString::fromUtf8(Q.fieldUtf8At(at));
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

TPWordRecords PReadWordFields(const QString &T, const QStringList &Fields, const QString &OrderField,
                              const QString &Suffix)
{
    JetQuery &q = Pdatamodule->PQuery;
    try {
        Pdatamodule->PSelectFieldsFromTableOrder(T, Fields, OrderField, Suffix);
        return PRecordsOfQuery(q);
    } catch (const EngineError &) {
        q.close();
        q.clearSql();
        PDialogs().message(QStringLiteral("词库刷新出错"), QString(), Dialogs::Critical);
        return {};
    }
}
