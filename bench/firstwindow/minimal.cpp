// The floor of the start-up figure: a Qt program that shows one window with a label, paints it and ends.

#include "firstwindow/paintcheck.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget w;
    auto *layout = new QVBoxLayout(&w);
    layout->addWidget(new QLabel(QStringLiteral("Lexorin 单词"), &w));
    w.resize(300, 120);
    TPPaintCheck painted(&w);
    w.show();
    QCoreApplication::processEvents();
    w.repaint();
    return painted.painted() ? 0 : 4;
}
