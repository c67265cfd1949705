#include "platform/reportview.h"

#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeView>

namespace {

// A line under each cell, drawn over the native item. A style rule for the items would do the same
// through the style-sheet drawing, which costs a long list close to a tenth of its opening.
class TPRowLineDelegate : public QStyledItemDelegate {
public:
    TPRowLineDelegate(QObject *parent, const QColor &color) : QStyledItemDelegate(parent), m_color(color) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(m_color);
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }

private:
    QColor m_color;
};

}  // namespace

void PShowGridLines(QTreeView *view)
{
    // A style rule for the items replaces the native item drawing, selection included: without the
    // second rule a selected row is drawn in white text on the white base.
    view->setStyleSheet(QStringLiteral(
        "QTreeView::item { border-right: 1px solid #d8d8d8; border-bottom: 1px solid #d8d8d8; }"
        "QTreeView::item:selected { background: palette(highlight); color: palette(highlighted-text); }"));
}

void PShowRowLines(QTreeView *view, const QColor &color) { view->setItemDelegate(new TPRowLineDelegate(view, color)); }
