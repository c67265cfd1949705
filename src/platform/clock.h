#pragma once
// The date seam: every "today" and "now" of the program is read here, so that rules about today,
// days since and dated today can be tested on a fixed date and never fail across midnight.

#include <QDate>
#include <QDateTime>
#include <functional>

QDateTime PNow();
QDate PToday();
// Installs the source of the current time; an empty function goes back to the system clock.
void PSetNowSource(std::function<QDateTime()> source);
