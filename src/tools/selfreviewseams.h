#pragma once
// Tick-to-memorise's transfer of its ticked words into TempTable, as one function tests can watch.

#include <functional>

class QTreeWidget;

// TempTable := every row of the current list whose word is ticked in ListView (caption the word),
// once per ticked item; all or nothing, false after a failure (reported).
extern std::function<bool(QTreeWidget *ListView)> PSelfReviewMoveCheckedToTempTable;
