#include "sessions/crazyspellsession.h"

#include "sessions/sessionrows.h"
#include "vocab/bankvocab.h"

void TPCrazySpellSession::load(const TPWordRecords &Rows, const QString &Table, const QString &Rule,
                               const QString &Today)
{
    m_words.clear();
    for (const TPWordRecord &r : Rows)
        if (Table == Tbl::TempTable || PCrazyKeepsRow(Rule, r.lastTested, r.masterType, Today))
            m_words << r;
    m_game.prepare(count());
    m_phase = Phase::Ready;
    m_current = 0;
}

void TPCrazySpellSession::next(TPRandom &Random)
{
    if (m_words.isEmpty())
        return;
    m_current = Random.below(count());
    m_game.restartEffects();
}

void TPCrazySpellSession::over()
{
    m_game.gameOver();
    m_phase = Phase::Over;
}

void TPCrazySpellSession::start(TPRandom &Random)
{
    if (m_phase != Phase::Ready)
        return;
    m_phase = Phase::Playing;
    next(Random);
}

TPCrazySpellSession::Answer TPCrazySpellSession::answer(const QString &Spelling, const QString &CurrentList,
                                                        TPRandom &Random)
{
    Answer a;
    if (current() < 0)
        return a;  // nothing is being asked (an empty table)
    const TPWordRecord row = m_words.at(m_current);
    a.word = row.word;
    a.right = Spelling == row.word;
    if (a.right) {
        m_words.removeAt(m_current);
        a.effect = m_words.isEmpty() ? QStringLiteral("victory") : QStringLiteral("right");
        if (m_words.isEmpty())
            over();
        // After the game's end, so that a won game's record leaves out the last word's seconds.
        m_game.rightAnswer();
    } else {
        TPWordRecord marked = row;
        marked.masterType = Code::Master00;
        marked.lastRight = Code::Wrong;
        a.write.words << PWordWrite(CurrentList, marked, {Col::MasterType, Col::LastRight});
        m_words << row;  // the row stays and a copy comes back: the word now counts twice
        a.effect = QStringLiteral("wrong");
    }
    next(Random);
    return a;
}

bool TPCrazySpellSession::tick()
{
    if (m_phase != Phase::Playing)
        return false;
    if (!m_game.tick())
        return false;
    over();
    return true;
}
