#pragma once
// The spelling test's statistics, experience and levels over plain rows. Widget-free.

#include <QString>

// A counter field as stored, 64 bits wide: empty or non-numeric text reads as 0, a number beyond
// the range as the nearest end of it.
qint64 PCounterValue(const QString &Text);
// A + B held at the ends of the range instead of wrapping.
qint64 PCounterSum(qint64 A, qint64 B);

// One answered word as the spelling test keeps it (the columns written back to the bank).
struct TPSpellRow {
    QString id;
    QString word;
    QString done;   // 做过次数
    QString wrong;  // 做错次数
    QString points; // 经验点数
    QString last;   // 上次是否做对
    QString date;   // 最近测试时间
};

// What a wrong answer costs the lesson.
constexpr int PWrongAnswerCost = 5;
constexpr int PPointsPerLevel = 2500;

// Applies an answer to the row and returns the change to the lesson's experience: a right answer
// earns the word's points as they were before it, then the word keeps one point less (never below
// 1 by this rule); a wrong one costs 5 and leaves the word's points alone. Counters that are
// empty or not numbers count as 0 and are written back as numbers.
qint64 PApplySpellAnswer(TPSpellRow &Row, bool Right, const QString &Today);

// Esc after a right answer: the row counts as wrong, the lesson keeps its points. False (row
// untouched) unless the row's last answer was right.
bool PApplyRegret(TPSpellRow &Row);

struct TPLevel {
    qint64 level;
    qint64 nextLevelAt;
};
// Level of a total (division truncating toward zero) and the total that reaches the next one.
TPLevel PLevelOf(qint64 Total);

// The spelling test's summary box.
QString PSpellSummaryText(int RightCount, int RegretCount, qint64 LessonExperience, qint64 Total);
