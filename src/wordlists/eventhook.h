#pragma once
// Runs a handler on every event of one widget before the widget sees it; a true result swallows
// the event. The hook lives as long as the widget.

#include <QObject>
#include <functional>

class QEvent;

void PHookEvents(QObject *Target, std::function<bool(QEvent *)> Handler);
