#pragma once
// Both sides of the start-up figure end the same way: their window must have been painted, or the
// process fails and the figure with it.

#include <QEvent>
#include <QObject>

class TPPaintCheck : public QObject {
public:
    explicit TPPaintCheck(QObject *window) { window->installEventFilter(this); }
    bool painted() const { return m_paints > 0; }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++m_paints;
        return false;
    }

private:
    int m_paints = 0;
};
