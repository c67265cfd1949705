#pragma once
// Runs a handler on every event of one widget before the widget sees it; a true result swallows
// the event.

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class QEvent;

// Hooks whose handlers act on a window, held by that window as a member: they end when the
// window's own part ends, before its widgets are hidden and taken apart, so no event of that
// teardown reaches a handler of a window that is no longer there.
class TPEventHooks {
public:
    TPEventHooks() = default;
    ~TPEventHooks();
    TPEventHooks(const TPEventHooks &) = delete;
    TPEventHooks &operator=(const TPEventHooks &) = delete;

    void add(QObject *Target, std::function<bool(QEvent *)> Handler);

private:
    std::vector<QPointer<QObject>> m_hooks;
};

// A hook that lives as long as Target: for a handler that outlives Target and all it touches.
void PHookEvents(QObject *Target, std::function<bool(QEvent *)> Handler);
