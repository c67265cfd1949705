#include "tools/selfreviewseams.h"

#include "services/publicform.h"
#include "study/grouptransfer.h"

std::function<void(const QString &)> PSelfReviewDictForm = [](const QString &Word) {
    if (PPublicForm)
        PPublicForm->PShowWordInDict(Word, QStringLiteral("no"));
};
std::function<void()> PSelfReviewStudyToolSelectForm = [] {};
std::function<void()> PSelfReviewInputFormWordSvc = [] {};
std::function<void()> PSelfReviewManageFormTB = [] {};
std::function<void()> PSelfReviewManageFormWL = [] {};
std::function<bool(QTreeWidget *)> PSelfReviewMoveCheckedToTempTable = PMoveCheckedToTempTable;
