#pragma once
// A clock that tests drive by hand: its timers tick only inside advance(), in the order of their
// due times, as window timers would between events.

#include "platform/playtimer.h"

#include <QList>

class ManualClock : public TPlayClock {
public:
    ManualClock();   // installs itself
    ~ManualClock() override;  // back to real time

    std::unique_ptr<TPlayTimer> newTimer(QObject *owner, const QString &name, int intervalMs) override;

    // Lets ms milliseconds pass, running every tick that falls due.
    void advance(qint64 ms);
    qint64 now() const { return m_now; }

private:
    class Timer;
    friend class Timer;
    QList<Timer *> m_timers;
    qint64 m_now = 0;
};
