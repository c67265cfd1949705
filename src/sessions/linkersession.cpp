#include "sessions/linkersession.h"

#include "rules/answerhistory.h"
#include "sessions/sessionrows.h"

namespace {
TPMatchRow matchRow(const TPWordRecord &R) { return {R.word, R.explanation, R.lastTested, R.masterType}; }
}  // namespace

void TPLinkerSession::load(const TPWordRecords &List, const QDate &Today, TPRandom &Random)
{
    m_candidates.clear();
    m_marked.clear();
    QVector<TPMatchRow> rows;
    for (const TPWordRecord &r : List) {
        if (!PIsMatchCandidate(matchRow(r), Today))
            continue;
        m_candidates << r;
        rows << matchRow(r);
    }
    m_board = TPMatchBoard();
    m_board.deal(rows, Random);
    m_phase = m_board.dealt() ? Phase::Board : Phase::TooFew;
}

TPMatchBoard::Click TPLinkerSession::settle(TPMatchBoard::Click Result)
{
    if (m_board.complete())
        m_phase = Phase::Complete;
    return Result;
}

TPMatchBoard::Click TPLinkerSession::clickWord(int k)
{
    return m_phase == Phase::Board ? settle(m_board.clickWord(k)) : TPMatchBoard::Click::Ignored;
}

TPMatchBoard::Click TPLinkerSession::clickBox(int b)
{
    return m_phase == Phase::Board ? settle(m_board.clickBox(b)) : TPMatchBoard::Click::Ignored;
}

bool TPLinkerSession::markWordKnown(const QString &Word, const QString &Today)
{
    if (m_phase != Phase::Complete)
        return false;
    for (int i = count() - 1; i >= 0; --i) {
        TPWordRecord &r = m_candidates[i];
        if (r.word != Word)
            continue;
        r.masterType = PShiftMasterType(r.masterType, true);
        r.lastTested = Today;
        m_marked << i;
        return true;
    }
    return false;
}

TPWriteBack TPLinkerSession::writeBack(const QString &Table) const
{
    TPWriteBack w;
    for (int i : m_marked)
        w.words << PWordWrite(Table, m_candidates.at(i), {Col::LastTested, Col::MasterType});
    return w;
}
