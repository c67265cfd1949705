#include "core/writeback.h"

#include "core/datamodule.h"
#include "platform/dialogs.h"
#include "platform/formbase.h"
#include "rules/experience.h"
#include "vocab/bankvocab.h"

#include <QHash>
#include <memory>

namespace {
QString updateSql(const TPWordWrite &w)
{
    PCheckName(w.table);
    PCheckName(w.keyField);
    QString sql = QStringLiteral("update ") + w.table + QStringLiteral(" set ");
    for (int i = 0; i < w.fields.size(); ++i) {
        PCheckName(w.fields.at(i).first);
        if (i)
            sql += QStringLiteral(", ");
        sql += w.fields.at(i).first + QStringLiteral("=:p") + QString::number(i);
    }
    return sql + QStringLiteral(" where ") + w.keyField + QStringLiteral("=:k");
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
        // One prepared statement per distinct shape of update, made once for the whole write-back.
        QHash<QString, std::shared_ptr<JetCommand>> commands;
        QStringList values;
        for (const TPWordWrite &w : W.words) {
            if (w.fields.isEmpty())
                continue;
            const QString sql = updateSql(w);
            auto &cmd = commands[sql];
            if (!cmd)
                cmd = std::make_shared<JetCommand>(Pdatamodule->PConnection, sql);
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
