#pragma once
// The answer options of a multiple-choice test: for each group word its right answer and
// distractors drawn from the other group words, the right answer at a random position.

#include "rules/random.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace TestType {
inline const QString EnToCn = QStringLiteral("看英文选中文");
inline const QString CnToEn = QStringLiteral("看中文选英文");
inline const QString ListenToCn = QStringLiteral("听英文选中文");
}  // namespace TestType

// A row of the study group as the builder reads it.
struct TPGroupRow {
    QString id;
    QString word;
    QString explanation;
    QString masterType;
};

// A question: its row and its options (as many as the option count; the rest stay empty).
struct TPOptionRow {
    TPGroupRow row;
    QStringList options;
};

// One of the three question types; anything else is taken as the first.
QString PNormalTestType(const QString &Type);
// The option count a group can carry: 3 to 6, and no more than the group has words.
int PClampOptionCount(int Count, int GroupSize);
// What an option of this question type shows of the row (the explanation, or for 看中文选英文 the word).
QString PAnswerText(const TPGroupRow &Row, const QString &Type);

// The questions in group order: the right answer first, then Count - 1 distractors, each from
// another row of the group and no row twice for one question. Type and Count are taken as given.
QVector<TPOptionRow> PDrawOptions(const QVector<TPGroupRow> &Group, const QString &Type, int Count, TPRandom &Random);
// Swaps each question's right answer (first) with a uniformly chosen one of its Count options.
void PShuffleRightOption(QVector<TPOptionRow> &Rows, int Count, TPRandom &Random);
// Both steps, with the type normalised and the count clamped.
QVector<TPOptionRow> PBuildOptionRows(const QVector<TPGroupRow> &Group, const QString &Type, int Count,
                                      TPRandom &Random);
