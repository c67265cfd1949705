#pragma once
// The date seam: every "today" and "now" of the program is read here, so that rules about today,
// days since and dated today can be tested on a fixed date and never fail across midnight.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <functional>

QDateTime PNow();
QDate PToday();
// Installs the source of the current time; an empty function goes back to the system clock.
void PSetNowSource(std::function<QDateTime()> source);

// The short date text, year-month-day unpadded ("2009-1-5"), whatever the machine's locale.
QString PShortDateText(const QDate &date);
// Today's short date text.
QString PShortDateText();
// Today's date text, zero-padded ("2009-01-05").
QString PTodayText();
// The date text of a given day, made from its short date text as today's is.
QString PDateText(const QDate &date);
