#include "platform/windowlook.h"

#include <QWidget>

void PSetFormColor(QWidget *W, const QColor &C)
{
    QPalette p = W->palette();
    p.setColor(QPalette::Window, C);
    W->setPalette(p);
    W->setAutoFillBackground(true);
}

void PSetBoxColor(QWidget *W, const QColor &C)
{
    QPalette p = W->palette();
    p.setColor(QPalette::Base, C);
    W->setPalette(p);
}

void PSetTextColor(QWidget *W, const QColor &C)
{
    QPalette p = W->palette();
    p.setColor(QPalette::WindowText, C);
    p.setColor(QPalette::Text, C);
    W->setPalette(p);
}

void PSetPixelFont(QWidget *W, int Px, const QString &Family)
{
    QFont f = W->font();
    if (!Family.isEmpty())
        f.setFamily(Family);
    f.setPixelSize(Px);
    W->setFont(f);
}
