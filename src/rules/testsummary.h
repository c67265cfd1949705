#pragma once
// Percentages and the multiple-choice test's summary.

#include <QString>

// Part of Total in whole percent, truncated, computed in integers (29 of 50 is 58); 0 when
// there is nothing to count.
int PPercent(int Part, int Total);
// The summary shown at the end of a multiple-choice test; the two times come already as text.
QString PSelectSummaryText(int Right, int Regrets, int Total, const QString &BrowseTime, const QString &TestTime);
