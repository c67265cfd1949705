#include "platform/clock.h"

namespace {
std::function<QDateTime()> &nowSource()
{
    static std::function<QDateTime()> source;
    return source;
}
}  // namespace

QDateTime PNow() { return nowSource() ? nowSource()() : QDateTime::currentDateTime(); }

QDate PToday() { return PNow().date(); }

void PSetNowSource(std::function<QDateTime()> source) { nowSource() = std::move(source); }
