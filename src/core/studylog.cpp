#include "core/studylog.h"

#include "vocab/bankvocab.h"
#include "core/datamodule.h"
#include "rules/experience.h"

namespace {

// An empty counter is a day that had nothing of it yet.
qint64 counter(const JetQuery &q, const QString &field)
{
    const QString text = q.fieldByName(field).trimmed();
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    if (ok)
        return n;
    // Digits beyond the range read as its end; anything else stops the log.
    const qint64 held = PCounterValue(text);
    if (held == 0)
        throw EngineError(QStringLiteral("“") + text + QStringLiteral("”不是有效的整数值。"));
    return held;
}

}  // namespace

void PAddStudyLog(const QString &DateText, qint64 StudyMinutes, qint64 BrowseMinutes, qint64 Experience,
                  qint64 Mastered)
{
    const QString T = Tbl::LogTable;
    const QString key = Col::LogDate;
    qint64 s = StudyMinutes, b = BrowseMinutes, e = Experience, m = Mastered;

    // The old row goes and the new one comes in one step: a failure keeps the day's log.
    JetTransaction t(Pdatamodule->PConnection);
    if (Pdatamodule->PGetCountFromTableWhere(T, key, DateText) == 1) {
        JetQuery &q = Pdatamodule->PQuery;
        Pdatamodule->PSelectFromTableWhere(T, key, DateText);
        q.open();
        try {
            s = PCounterSum(s, counter(q, Col::StudyMinutes));
            b = PCounterSum(b, counter(q, Col::BrowseMinutes));
            e = PCounterSum(e, counter(q, Col::LogExperience));
            m = PCounterSum(m, counter(q, Col::MasteredCount));
        } catch (...) {
            q.close();
            throw;
        }
        q.close();
        Pdatamodule->PDeleteOneRecordFromTable(T, key, DateText);
    }
    Pdatamodule->PInsertOneRecordToTable(T, key, DateText);
    // The counters go to the new row alone: a day that already has several rows keeps theirs.
    const QString id = Pdatamodule->PGetMMFromTable(T, Col::ID, QStringLiteral("max"));
    const QString idField = Col::ID;
    Pdatamodule->PUpdateOneDataFromTable(T, idField, Col::StudyMinutes, id, QString::number(s));
    Pdatamodule->PUpdateOneDataFromTable(T, idField, Col::BrowseMinutes, id, QString::number(b));
    Pdatamodule->PUpdateOneDataFromTable(T, idField, Col::LogExperience, id, QString::number(e));
    Pdatamodule->PUpdateOneDataFromTable(T, idField, Col::MasteredCount, id, QString::number(m));
    t.commit();
}
