#include "core/writeback.h"

#include "core/datamodule.h"
#include "platform/dialogs.h"
#include "platform/formbase.h"
#include "rules/experience.h"
#include "vocab/bankvocab.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {
QString updateSql(const TPWordWrite &w)
{
    PCheckName(w.keyField);
    QString sql = QStringLiteral("update ") + PTableSql(w.table) + QStringLiteral(" set ");
    for (int i = 0; i < w.fields.size(); ++i) {
        PCheckName(w.fields.at(i).first);
        if (i)
            sql += QStringLiteral(", ");
        sql += w.fields.at(i).first + QStringLiteral("=:p") + QString::number(i);
    }
    return sql + QStringLiteral(" where ") + w.keyField + QStringLiteral("=:k");
}

// The same statement serves two writes that name the same table, key and fields in the same order.
bool sameShape(const TPWordWrite &a, const TPWordWrite &b)
{
    if (a.table != b.table || a.keyField != b.keyField || a.fields.size() != b.fields.size())
        return false;
    for (int i = 0; i < a.fields.size(); ++i)
        if (a.fields.at(i).first != b.fields.at(i).first)
            return false;
    return true;
}

qint64 learnerCounter(const QString &Field)
{
    Pdatamodule->PSelectAllFromTable(Tbl::UserTable);
    JetQuery &q = Pdatamodule->PQuery;
    q.open();
    const QString first = q.eof() ? QString() : q.fieldByName(Field);
    q.close();
    return PCounterValue(first);
}
}  // namespace

namespace {
// Applies W in one transaction; an engine error leaves nothing written and is thrown on.
QList<qint64> apply(const TPWriteBack &W)
{
    QList<qint64> totals;
    {
        JetTransaction t(Pdatamodule->PConnection);
        // One prepared statement per shape of update (a write-back has one or two), made when the
        // shape first comes up and found again by its names, without making its text anew.
        std::vector<std::pair<const TPWordWrite *, std::unique_ptr<JetCommand>>> commands;
        QStringList values;
        for (const TPWordWrite &w : W.words) {
            if (w.fields.isEmpty())
                continue;
            auto it = std::find_if(commands.begin(), commands.end(),
                                   [&w](const auto &c) { return sameShape(*c.first, w); });
            if (it == commands.end()) {
                commands.emplace_back(&w, std::make_unique<JetCommand>(Pdatamodule->PConnection, updateSql(w)));
                it = commands.end() - 1;
            }
            JetCommand *cmd = it->second.get();
            values.clear();
            for (const auto &f : w.fields)
                values << f.second;
            values << w.keyValue;
            cmd->exec(values);
        }
        commands.clear();
        for (const auto &add : W.learnerAdds) {
            const qint64 total = PCounterSum(learnerCounter(add.first), add.second);
            Pdatamodule->PUpdateOneFieldFromTable(Tbl::UserTable, add.first, QString::number(total));
            totals << total;
        }
        t.commit();
    }
    return totals;
}
}  // namespace

bool PWriteBack(const TPWriteBack &W, const QString &Failure, QList<qint64> *Totals)
{
    QList<qint64> totals;
    try {
        totals = apply(W);
    } catch (const EngineError &) {
        Pdatamodule->PQuery.close();
        if (!Failure.isEmpty())
            PDialogs().message(Failure, QString(), Dialogs::Critical);
        return false;
    }
    if (Totals)
        *Totals = totals;
    return true;
}

bool PWriteBackOrReport(const TPWriteBack &W)
{
    try {
        apply(W);
    } catch (const EngineError &e) {
        Pdatamodule->PQuery.close();
        PReportError(e.message());
        return false;
    }
    return true;
}
