#include "platform/reportview.h"

#include <QTreeView>

void PShowGridLines(QTreeView *view)
{
    // A style rule for the items replaces the native item drawing, selection included: without the
    // second rule a selected row is drawn in white text on the white base.
    view->setStyleSheet(QStringLiteral(
        "QTreeView::item { border-right: 1px solid #d8d8d8; border-bottom: 1px solid #d8d8d8; }"
        "QTreeView::item:selected { background: palette(highlight); color: palette(highlighted-text); }"));
}
