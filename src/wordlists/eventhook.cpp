#include "wordlists/eventhook.h"

#include <QEvent>

namespace {
// A child of its target, so that it goes with the target when the target goes first.
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

TPEventHooks::~TPEventHooks()
{
    for (const QPointer<QObject> &hook : m_hooks)
        delete hook.data();
}

void TPEventHooks::add(QObject *Target, std::function<bool(QEvent *)> Handler)
{
    m_hooks.emplace_back(new Hook(Target, std::move(Handler)));
}

void PHookEvents(QObject *Target, std::function<bool(QEvent *)> Handler) { new Hook(Target, std::move(Handler)); }
