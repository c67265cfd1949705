#pragma once
// A word's master type: its last two results, newest on the right ("1" right, "0" wrong); "11"
// is mastered. Quick recall, meaning matching and the multiple-choice test shift results in.

#include <QString>
#include <QStringList>

// Drops the oldest result and appends the newest; an empty history gives "1" or "0".
QString PShiftMasterType(const QString &Old, bool Right);
// Takes back the newest result of an already shifted history (a right answer that was a guess):
// the value a wrong answer would have given, also for a history of one result.
QString PRegretMasterType(const QString &Current);
// How a test's new master types change the mastered-word count: each "01" adds one, each "10"
// takes one away.
int PMasteredDelta(const QStringList &NewTypes);
