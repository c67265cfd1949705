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

QString PShortDateText(const QDate &date)
{
    // Built by hand: the machine's locale must never change how dates are written.
    return QString::number(date.year()) + QLatin1Char('-') + QString::number(date.month()) + QLatin1Char('-') +
           QString::number(date.day());
}

QString PDateText(const QDate &date)
{
    QString s = PShortDateText(date);
    if (s.size() >= 7 && s.at(6) == QLatin1Char('-'))
        s.insert(5, QLatin1Char('0'));
    if (s.size() >= 2 && s.at(s.size() - 2) == QLatin1Char('-'))
        s.insert(s.size() - 1, QLatin1Char('0'));
    return s;
}

QString PTodayText() { return PDateText(PToday()); }

QString PShortDateText() { return PShortDateText(PToday()); }
