#include "rules/experience.h"

#include "vocab/bankvocab.h"

#include <QRegularExpression>
#include <QtNumeric>
#include <limits>

namespace {
const QString &kRight = Code::Right;
const QString &kWrong = Code::Wrong;
QString num(qint64 n) { return QString::number(n); }
}  // namespace

qint64 PCounterValue(const QString &Text)
{
    const QString text = Text.trimmed();
    bool ok = false;
    const qint64 v = text.toLongLong(&ok);
    if (ok)
        return v;
    // Digits too many for the range: the learner's count is as large as it can be, not nothing.
    static const QRegularExpression tooLong(QStringLiteral("^[+-]?[0-9]+$"));
    if (tooLong.match(text).hasMatch())
        return text.startsWith(QLatin1Char('-')) ? std::numeric_limits<qint64>::min()
                                                 : std::numeric_limits<qint64>::max();
    return 0;
}

qint64 PCounterSum(qint64 A, qint64 B)
{
    qint64 sum = 0;
    if (qAddOverflow(A, B, &sum))
        return B > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return sum;
}

qint64 PApplySpellAnswer(TPSpellRow &Row, bool Right, const QString &Today)
{
    // Counters are written back as numbers, whatever they held: the bank takes nothing else.
    const qint64 wrong = PCounterValue(Row.wrong);
    const qint64 before = PCounterValue(Row.points);
    Row.done = num(PCounterSum(PCounterValue(Row.done), 1));
    Row.date = Today;
    Row.last = Right ? kRight : kWrong;
    Row.wrong = num(Right ? wrong : PCounterSum(wrong, 1));
    Row.points = num(Right && before > 1 ? before - 1 : before);
    return Right ? before : -PWrongAnswerCost;
}

bool PApplyRegret(TPSpellRow &Row)
{
    if (Row.last != kRight)
        return false;
    Row.last = kWrong;
    Row.wrong = num(PCounterSum(PCounterValue(Row.wrong), 1));
    return true;
}

TPLevel PLevelOf(qint64 Total)
{
    const qint64 level = Total / PPointsPerLevel;
    return {level, PCounterSum(level * PPointsPerLevel, PPointsPerLevel)};
}

QString PSpellSummaryText(int RightCount, int RegretCount, qint64 LessonExperience, qint64 Total)
{
    const TPLevel l = PLevelOf(Total);
    const QChar cr = QLatin1Char('\n');  // the box breaks lines at line feeds here
    return cr + QStringLiteral("本次做对题数 ") + num(RightCount - RegretCount) + cr + QStringLiteral("本次获得经验 ") +
           num(LessonExperience) + cr + cr + QStringLiteral("目前总经验值 ") + num(Total) + cr +
           QStringLiteral("目前等级 ") + num(l.level) + cr + QStringLiteral("下一等级经验值 ") + num(l.nextLevelAt) + cr +
           cr + QStringLiteral("提示：经验等级仅代表您对单词拼写的熟悉程度。");
}
