#pragma once
// Where quick recall and tick-to-memorise hand over to windows and routines made elsewhere in the
// program. Each is one function, so the program wires it once and tests can watch it.

#include <QString>
#include <functional>

class QTreeWidget;

// Opens the small dictionary modally on Word, its move and delete groups hidden.
extern std::function<void(const QString &Word)> PSelfReviewDictForm;
// Shows the tool choice again when a tool closes.
extern std::function<void()> PSelfReviewStudyToolSelectForm;
// The windows of tick-to-memorise's "我要" menu, each shown modally.
extern std::function<void()> PSelfReviewInputFormWordSvc;
extern std::function<void()> PSelfReviewManageFormTB;
extern std::function<void()> PSelfReviewManageFormWL;
// TempTable := every row of the current list whose word is ticked in ListView (caption the word),
// once per ticked item; all or nothing, false after a failure (reported).
extern std::function<bool(QTreeWidget *ListView)> PSelfReviewMoveCheckedToTempTable;
