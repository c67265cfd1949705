#pragma once
// The per-day study log in LogTable.

#include <QString>

// Adds a lesson's minutes, experience and mastered words to the day's row (DateText is the short
// date text). The day's row is replaced by one carrying the sums, all or nothing. Sums are 64-bit
// and held at the ends of the range.
void PAddStudyLog(const QString &DateText, qint64 StudyMinutes, qint64 BrowseMinutes, qint64 Experience,
                  qint64 Mastered);
