#include "platform/linklabel.h"

#include <QMouseEvent>

TLinkLabel::TLinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
}

void TLinkLabel::mousePressEvent(QMouseEvent *e)
{
    // Taken here, so a press on a link never starts dragging the window under it.
    m_pressed = e->button() == Qt::LeftButton;
    e->accept();
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent *e)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    e->accept();
    if (wasPressed && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked();
}
