#include "platform/playtimer.h"

#include <QPointer>
#include <QTimer>

namespace {

class QtPlayTimer : public TPlayTimer {
public:
    QtPlayTimer(QObject *owner, const QString &name, int intervalMs) : m_timer(new QTimer(owner))
    {
        m_timer->setObjectName(name);
        m_timer->setInterval(intervalMs);
        QObject::connect(m_timer, &QTimer::timeout, m_timer, [this] {
            if (OnTimer)
                OnTimer();
        });
    }
    ~QtPlayTimer() override { delete m_timer.data(); }

    void setEnabled(bool on) override
    {
        if (!m_timer)
            return;
        if (!on)
            m_timer->stop();
        else if (!m_timer->isActive())
            m_timer->start();
    }
    bool enabled() const override { return m_timer && m_timer->isActive(); }
    void setInterval(int ms) override
    {
        if (m_timer)
            m_timer->setInterval(ms);
    }
    int interval() const override { return m_timer ? m_timer->interval() : 0; }

private:
    QPointer<QTimer> m_timer;
};

class QtPlayClock : public TPlayClock {
public:
    std::unique_ptr<TPlayTimer> newTimer(QObject *owner, const QString &name, int intervalMs) override
    {
        return std::make_unique<QtPlayTimer>(owner, name, intervalMs);
    }
};

TPlayClock *installed = nullptr;

}  // namespace

TPlayClock &PPlayClock()
{
    static QtPlayClock real;
    return installed ? *installed : real;
}

void PSetPlayClock(TPlayClock *c) { installed = c; }
