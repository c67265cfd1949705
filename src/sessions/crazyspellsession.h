#pragma once
// Crazy spell as plain data: the words still to spell, the one asked, the phase of the game and
// its clock and record (the rules' game state).

#include "rules/crazyspellgame.h"
#include "rules/random.h"
#include "vocab/wordrecord.h"
#include "vocab/wordwrites.h"

class TPCrazySpellSession {
public:
    enum class Phase {
        Ready,    // "按任意键开始"
        Playing,  // the clock runs, the answer box takes the spelling
        Over,     // "游戏结束，按任意键继续"
    };

    struct Answer {
        bool right = false;
        QString word;           // the word that was asked
        QString effect;         // "right", "victory" or "wrong"
        TPWriteBack write;      // a wrong answer's marks in the current list
    };

    // A new game (Ready) on the rows of Table kept by Rule ("TempTable" keeps them all).
    void load(const TPWordRecords &Rows, const QString &Table, const QString &Rule, const QString &Today);
    // A new showing of the window: the record starts again.
    void resetRecord() { m_game.resetRecord(); }

    Phase phase() const { return m_phase; }
    const TPWordRecords &words() const { return m_words; }
    int count() const { return int(m_words.size()); }
    // The row asked about; -1 when none is (not playing, or nothing left).
    int current() const { return m_phase == Phase::Playing && m_current < count() ? m_current : -1; }
    TPWordRecord currentWord() const { return m_words.value(current()); }
    const TPCrazyGame &game() const { return m_game; }
    TPCrazyGame &effects() { return m_game; }

    // The first key of a game: the clock starts and a word is asked.
    void start(TPRandom &Random);
    // Enter: the spelling compared exactly; a right word leaves, a wrong one comes back once more and
    // is marked in CurrentList. A next word is asked while the game goes on.
    Answer answer(const QString &Spelling, const QString &CurrentList, TPRandom &Random);
    // A second of the clock; true when time ran out (the game is then Over).
    bool tick();

private:
    void next(TPRandom &Random);
    void over();

    TPWordRecords m_words;
    TPCrazyGame m_game;
    Phase m_phase = Phase::Ready;
    int m_current = 0;
};
