#include "rules/experience.h"

#include "vocab/bankvocab.h"

namespace {
const QString &kRight = Code::Right;
const QString &kWrong = Code::Wrong;
QString num(qint64 n) { return QString::number(n); }
}  // namespace

int PCounterValue(const QString &Text)
{
    bool ok = false;
    const int v = Text.trimmed().toInt(&ok);
    return ok ? v : 0;
}

int PApplySpellAnswer(TPSpellRow &Row, bool Right, const QString &Today)
{
    // Counters are written back as numbers, whatever they held: the bank takes nothing else.
    const int wrong = PCounterValue(Row.wrong);
    const int before = PCounterValue(Row.points);
    Row.done = num(PCounterValue(Row.done) + 1);
    Row.date = Today;
    Row.last = Right ? kRight : kWrong;
    Row.wrong = num(Right ? wrong : wrong + 1);
    Row.points = num(Right && before > 1 ? before - 1 : before);
    return Right ? before : -PWrongAnswerCost;
}

bool PApplyRegret(TPSpellRow &Row)
{
    if (Row.last != kRight)
        return false;
    Row.last = kWrong;
    Row.wrong = num(PCounterValue(Row.wrong) + 1);
    return true;
}

TPLevel PLevelOf(qint64 Total)
{
    const qint64 level = Total / PPointsPerLevel;
    return {level, (level + 1) * PPointsPerLevel};
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
