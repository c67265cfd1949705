#pragma once
// Lets the window system's events (showing, activation, focus) be delivered, without waiting on
// the clock: the offscreen platform delivers them through the event queue.

#include <QApplication>
#include <QTimer>

inline void PSettleEvents()
{
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents(QEventLoop::AllEvents);
    }
}

// Runs scene inside the program's own event loop when inLoop is true, so that a quit during it has
// a loop to end; otherwise runs it directly. The loop ends after the scene even if a window left by
// another test refused to close.
template <class Scene>
void PRunScene(bool inLoop, Scene &&scene)
{
    if (!inLoop) {
        scene();
        return;
    }
    QTimer::singleShot(0, [&] {
        scene();
        QCoreApplication::exit();
    });
    QCoreApplication::exec();
}
