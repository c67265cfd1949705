#include "rules/crazyspellgame.h"

#include "vocab/bankvocab.h"

#include <algorithm>

bool PCrazyKeepsRow(const QString &Rule, const QString &TestDate, const QString &MasterType, const QString &Today)
{
    const QString &mastered = Code::Master11;
    if (Rule == QStringLiteral("今日学过的单词"))
        return TestDate == Today;
    if (Rule == QStringLiteral("已掌握的单词"))
        return MasterType == mastered;
    if (Rule == QStringLiteral("未掌握的单词"))
        return MasterType != mastered;
    return true;
}

void TPCrazyGame::prepare(int Words)
{
    m_budget = SecondsPerWord * Words + 1;
    m_elapsed = 0;
}

bool TPCrazyGame::tick()
{
    ++m_elapsed;
    return m_elapsed >= m_budget;
}

void TPCrazyGame::gameOver() { m_best = std::max(m_best, secondsLeft()); }
