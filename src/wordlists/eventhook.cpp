#include "wordlists/eventhook.h"

#include <QEvent>

namespace {
class Hook : public QObject {
public:
    Hook(QObject *target, std::function<bool(QEvent *)> handler) : QObject(target), m_handler(std::move(handler))
    {
        target->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *e) override { return m_handler(e); }

private:
    std::function<bool(QEvent *)> m_handler;
};
}  // namespace

void PHookEvents(QObject *Target, std::function<bool(QEvent *)> Handler) { new Hook(Target, std::move(Handler)); }
