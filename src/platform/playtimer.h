#pragma once
// Window timers as the program uses them: switched on and off, an interval in milliseconds, a
// handler per tick. Switching a timer on that is already on changes nothing; a new interval
// restarts a running timer. Made through a clock, so tests can drive time themselves.

#include <QString>
#include <functional>
#include <memory>

class QObject;

class TPlayTimer {
public:
    virtual ~TPlayTimer() = default;
    virtual void setEnabled(bool on) = 0;
    virtual bool enabled() const = 0;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;

    std::function<void()> OnTimer;
};

class TPlayClock {
public:
    virtual ~TPlayClock() = default;
    // A new timer, off, with the given interval; Name is the timer's object name.
    virtual std::unique_ptr<TPlayTimer> newTimer(QObject *owner, const QString &name, int intervalMs) = 0;
};

// The clock timers are made by: real time unless a test installed its own.
TPlayClock &PPlayClock();
// Installs c (not owned); nullptr goes back to real time.
void PSetPlayClock(TPlayClock *c);
