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
#include <array>
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

TPBuilderRows PReadGroupRows(const QString &T, const QString &OrderField, bool Descending)
{
    TPBuilderRows rows;
    JetQuery &q = Pdatamodule->PQuery;
    try {
        Pdatamodule->PSelectFieldsFromTableOrder(T, TPBuilderRow::fields(), OrderField,
                                                 Descending ? QStringLiteral(" desc") : QString());
        q.open();
        std::array<int, TPBuilderRow::Columns> at{};
        for (int c = 0; c < TPBuilderRow::Columns; ++c)
            at[size_t(c)] = q.fieldIndex(TPBuilderRow::fields().at(c));
        std::array<QByteArrayView, TPBuilderRow::Columns> utf8;
        for (; !q.eof(); q.next()) {
            for (int c = 0; c < TPBuilderRow::Columns; ++c)
                utf8[size_t(c)] = q.fieldUtf8At(at[size_t(c)]);
            rows.append(TPBuilderRow::fromUtf8(utf8));
        }
        q.close();
    } catch (const EngineError &) {
        q.close();
        q.clearSql();
        PDialogs().message(QStringLiteral("词库刷新出错"), QString(), Dialogs::Critical);
    }
    return rows;
}

bool PMoveChosenToTempTable(const TPWordRecords &Chosen)
{
    return fillTempTable([&Chosen] {
        JetCommand copy(Pdatamodule->PConnection, PMoveTwoKeySql(PCurrentTable, Tbl::TempTable, Col::Word, Col::ID));
        for (const TPWordRecord &r : Chosen)
            copy.exec({r.word, r.id});
    });
}

bool PMoveWordsToTempTable(const QStringList &Words)
{
    return fillTempTable([&Words] {
        JetCommand copy(Pdatamodule->PConnection, PMoveOneKeySql(PCurrentTable, Tbl::TempTable, Col::Word));
        for (const QString &w : Words)
            copy.exec({w});
    });
}

bool PMoveCheckedToTempTable(QTreeWidget *ListView)
{
    QStringList words;
    for (int i = 0; i < PItemCount(ListView); ++i) {
        const QTreeWidgetItem *item = PItemAt(ListView, i);
        if (item->checkState(0) == Qt::Checked)
            words << PCaption(item);
    }
    return PMoveWordsToTempTable(words);
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
