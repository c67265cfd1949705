#include "platform/clock.h"

namespace {
std::function<QDateTime()> &nowSource()
{
    static std::function<QDateTime()> source;
    return source;
}
}  // namespace

QDateTime PNow() { return nowSource() ? nowSource()() : QDateTime::currentDateTime(); }

QDate PToday()
{
    if (nowSource())
        return nowSource()().date();
    // The local date costs a look at the system's time zone file on every call, and a new row asks
    // for it each time: the day found holds until the next local midnight, so only the cheap clock
    // is read until then. A clock set back before the moment the day was found asks again.
    thread_local qint64 from = 0, to = 0;
    thread_local QDate day;
    const qint64 ms = QDateTime::currentMSecsSinceEpoch();
    if (ms < from || ms >= to) {
        day = QDateTime::fromMSecsSinceEpoch(ms).date();
        const QDateTime midnight = day.addDays(1).startOfDay();
        from = ms;
        to = midnight.isValid() ? midnight.toMSecsSinceEpoch() : ms;
    }
    return day;
}

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

QString PTodayText()
{
    // Every row written today carries this text: it is made once a day, keyed by the day itself so
    // that a date set back or forward is followed at once.
    thread_local QDate day;
    thread_local QString text;
    const QDate today = PToday();
    if (today != day) {
        text = PDateText(today);
        day = today;
    }
    return text;
}

QString PShortDateText() { return PShortDateText(PToday()); }
