#pragma once
// Fixes the program's "now" for the lifetime of the object; time moves only when the test says so.

#include "platform/clock.h"

class DrivenDate {
public:
    explicit DrivenDate(const QDateTime &start) : m_now(start)
    {
        PSetNowSource([this] { return m_now; });
    }
    ~DrivenDate() { PSetNowSource({}); }
    DrivenDate(const DrivenDate &) = delete;
    DrivenDate &operator=(const DrivenDate &) = delete;

    void set(const QDateTime &now) { m_now = now; }
    void advanceSecs(qint64 secs) { m_now = m_now.addSecs(secs); }
    void advanceDays(qint64 days) { m_now = m_now.addDays(days); }
    QDateTime now() const { return m_now; }

private:
    QDateTime m_now;
};
