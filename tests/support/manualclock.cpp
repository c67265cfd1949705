#include "support/manualclock.h"

#include <algorithm>
#include <limits>

class ManualClock::Timer : public TPlayTimer {
public:
    Timer(ManualClock *clock, int intervalMs) : m_clock(clock), m_interval(intervalMs) { clock->m_timers << this; }
    ~Timer() override
    {
        if (m_clock)
            m_clock->m_timers.removeOne(this);
    }

    void setEnabled(bool on) override
    {
        if (on == m_on)
            return;
        m_on = on;
        if (on && m_clock)
            m_due = m_clock->m_now + m_interval;
    }
    bool enabled() const override { return m_on; }
    void setInterval(int ms) override
    {
        m_interval = ms;
        if (m_on && m_clock)
            m_due = m_clock->m_now + m_interval;
    }
    int interval() const override { return m_interval; }

    ManualClock *m_clock;
    int m_interval;
    bool m_on = false;
    qint64 m_due = 0;
};

ManualClock::ManualClock() { PSetPlayClock(this); }

ManualClock::~ManualClock()
{
    // Windows may outlive the clock their timers came from; those timers then never tick.
    for (Timer *t : m_timers)
        t->m_clock = nullptr;
    PSetPlayClock(nullptr);
}

std::unique_ptr<TPlayTimer> ManualClock::newTimer(QObject *, const QString &, int intervalMs)
{
    return std::make_unique<Timer>(this, intervalMs);
}

void ManualClock::advance(qint64 ms)
{
    const qint64 end = m_now + ms;
    for (;;) {
        Timer *next = nullptr;
        for (Timer *t : m_timers)
            if (t->m_on && t->m_due <= end && (!next || t->m_due < next->m_due))
                next = t;
        if (!next)
            break;
        m_now = next->m_due;
        // A zero interval must not spin here: the program never sets one, and this keeps a
        // fault from hanging the test.
        next->m_due += std::max(next->m_interval, 1);
        if (next->OnTimer)
            next->OnTimer();
    }
    m_now = end;
}
