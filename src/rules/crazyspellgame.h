#pragma once
// Crazy spell's clock, record and animation counter, and the rules that choose its words.
// Widget-free: the window keeps the words and shows what this says.

#include <QString>

// Whether a row of a word list takes part under a selection rule ("TempTable" keeps every row;
// the caller decides that). Unknown rules keep every row.
bool PCrazyKeepsRow(const QString &Rule, const QString &TestDate, const QString &MasterType, const QString &Today);

class TPCrazyGame {
public:
    static constexpr int SecondsPerWord = 8;
    static constexpr int SecondsPerRightWord = 3;
    static constexpr int LowTime = 6;
    static constexpr int EffectTicks = 10;

    // A new game on Words words; the record survives.
    void prepare(int Words);
    // One second of the clock; true when the time has run out.
    bool tick();
    void rightAnswer() { m_budget += SecondsPerRightWord; }
    // Ends the game; the record becomes the larger of itself and the seconds left.
    void gameOver();
    void resetRecord() { m_best = 0; }

    int budget() const { return m_budget; }
    int elapsed() const { return m_elapsed; }
    int secondsLeft() const { return m_budget - m_elapsed; }
    bool lowOnTime() const { return secondsLeft() < LowTime; }
    int record() const { return m_best; }

    // One counter shared by every animation: each tick of any of them adds to it, and an
    // animation stops at its first tick after the counter has passed EffectTicks.
    void restartEffects() { m_effect = 0; }
    bool effectTickEnds() { return ++m_effect > EffectTicks; }
    int effectCounter() const { return m_effect; }

private:
    int m_budget = 0;
    int m_elapsed = 0;
    int m_best = 0;
    int m_effect = 0;
};
