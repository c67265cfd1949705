#pragma once
// Putting the study group into TempTable, and closing a lesson into the study log.

class QTreeWidget;

// TempTable := the rows of the chosen list's items ("createform": ID and word), each once.
// All or nothing: on failure "词库刷新出错！", TempTable left empty and false returned.
bool PMoveChosenToTempTable(QTreeWidget *ListView);
// TempTable := every row of the current list holding the word of a ticked item (caption), once
// per ticked item. Failures as above.
bool PMoveCheckedToTempTable(QTreeWidget *ListView);

// Adds what the study counters gained since the last logged lesson to today's row of the study
// log. A failed write is reported and the gain stays for the next close; false then.
bool PLogLesson();
