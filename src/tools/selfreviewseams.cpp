#include "tools/selfreviewseams.h"

#include "core/bankvocab.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "core/wordlistops.h"
#include "platform/dialogs.h"
#include "services/publicform.h"

#include <QTreeWidget>

namespace {

bool moveCheckedToTempTable(QTreeWidget *ListView)
{
    try {
        JetTransaction t(Pdatamodule->PConnection);
        Pdatamodule->PDeleteAllFromTable(Tbl::TempTable);
        for (int i = 0; i < PItemCount(ListView); ++i) {
            const QTreeWidgetItem *item = PItemAt(ListView, i);
            if (item->checkState(0) == Qt::Checked)
                Pdatamodule->PMoveOneRecordToTable(PCurrentTable, Tbl::TempTable, Col::Word, PCaption(item));
        }
        t.commit();
        return true;
    } catch (const EngineError &) {
        PDialogs().message(QStringLiteral("词库刷新出错！"), QString(), Dialogs::Critical);
        PClearTempTable();
        return false;
    }
}

}  // namespace

std::function<void(const QString &)> PSelfReviewDictForm = [](const QString &Word) {
    if (PPublicForm)
        PPublicForm->PShowWordInDict(Word, QStringLiteral("no"));
};
std::function<void()> PSelfReviewStudyToolSelectForm = [] {};
std::function<void()> PSelfReviewInputFormWordSvc = [] {};
std::function<void()> PSelfReviewManageFormTB = [] {};
std::function<void()> PSelfReviewManageFormWL = [] {};
std::function<bool(QTreeWidget *)> PSelfReviewMoveCheckedToTempTable = moveCheckedToTempTable;
