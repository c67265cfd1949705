#pragma once
// The per-day study log in LogTable.

#include <QString>

// Adds a lesson's minutes, experience and mastered words to the day's row (DateText is the short
// date text). The day's row is replaced by one carrying the sums, all or nothing.
void PAddStudyLog(const QString &DateText, int StudyMinutes, int BrowseMinutes, int Experience, int Mastered);
