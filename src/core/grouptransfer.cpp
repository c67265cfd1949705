#include "core/grouptransfer.h"

#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "core/studylog.h"
#include "core/wordlistops.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/formbase.h"
#include "core/studycounters.h"

#include <QTreeWidget>
#include <algorithm>
#include <functional>

namespace {

bool fillTempTable(const std::function<void()> &copyRows)
{
    try {
        JetTransaction t(Pdatamodule->PConnection);
        Pdatamodule->PDeleteAllFromTable(Tbl::TempTable);
        copyRows();
        t.commit();
        return true;
    } catch (const EngineError &) {
        PDialogs().message(QStringLiteral("词库刷新出错！"), QString(), Dialogs::Critical);
        PClearTempTable();
        return false;
    }
}

// The counters as last written to the log.
qint64 g_loggedBrowse = 0;
qint64 g_loggedTest = 0;
qint64 g_loggedExperience = 0;

int clampInt(qint64 v) { return int(std::clamp<qint64>(v, INT_MIN, INT_MAX)); }

}  // namespace

bool PMoveChosenToTempTable(QTreeWidget *ListView)
{
    return fillTempTable([ListView] {
        for (int i = 0; i < PItemCount(ListView); ++i) {
            const QTreeWidgetItem *item = PItemAt(ListView, i);
            Pdatamodule->PMoveTwoKeyRecordToTable(PCurrentTable, Tbl::TempTable, Col::Word, PSubItem(item, PWordSub), Col::ID,
                                                  PCaption(item));
        }
    });
}

bool PMoveCheckedToTempTable(QTreeWidget *ListView)
{
    return fillTempTable([ListView] {
        for (int i = 0; i < PItemCount(ListView); ++i) {
            const QTreeWidgetItem *item = PItemAt(ListView, i);
            if (item->checkState(0) == Qt::Checked)
                Pdatamodule->PMoveOneRecordToTable(PCurrentTable, Tbl::TempTable, Col::Word, PCaption(item));
        }
    });
}

bool PLogLesson()
{
    const TPStudyCounters &c = PStudyCounters();
    // Minutes are logged as the growth of the run's whole minutes, so seconds left over from one
    // lesson count toward the next instead of being lost.
    const qint64 studyMinutes = (c.browseSeconds + c.testSeconds) / 60 - (g_loggedBrowse + g_loggedTest) / 60;
    const qint64 browseMinutes = c.browseSeconds / 60 - g_loggedBrowse / 60;
    const qint64 experience = c.experience - g_loggedExperience;
    try {
        PAddStudyLog(PShortDateText(PToday()), clampInt(studyMinutes), clampInt(browseMinutes), clampInt(experience),
                     0);
    } catch (const EngineError &e) {
        PReportError(e.message());
        return false;
    }
    g_loggedBrowse = c.browseSeconds;
    g_loggedTest = c.testSeconds;
    g_loggedExperience = c.experience;
    return true;
}
