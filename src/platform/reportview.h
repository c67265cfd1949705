#pragma once
// Report list views as the program shows them: grid lines between the cells, and selected rows
// drawn in the selection colours, whether the view has the focus or not.

class QColor;
class QTreeView;

void PShowGridLines(QTreeView *view);
// A line of Color under every row, the items drawn natively.
void PShowRowLines(QTreeView *view, const QColor &color);
