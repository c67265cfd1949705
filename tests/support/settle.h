#pragma once
// Lets the window system's events (showing, activation, focus) be delivered, without waiting on
// the clock: the offscreen platform delivers them through the event queue.

#include <QApplication>

inline void PSettleEvents()
{
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents(QEventLoop::AllEvents);
    }
}
