#include "sessions/linkersession.h"

#include "rules/answerhistory.h"
#include "sessions/sessionrows.h"

namespace {
TPMatchRow matchRow(const TPWordRecord &R) { return {R.word, R.explanation, R.lastTested, R.masterType}; }
}  // namespace

void TPLinkerSession::load(const TPWordRecords &List, const QDate &Today, TPRandom &Random)
{
    m_candidates.clear();
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

TPWriteBack TPLinkerSession::writeBack(const QString &Table, const QString &Today) const
{
    TPWriteBack w;
    if (m_phase != Phase::Complete)
        return w;
    for (const QString &word : m_board.firstTryWords()) {
        for (auto it = m_candidates.crbegin(); it != m_candidates.crend(); ++it) {
            if (it->word != word)
                continue;
            TPWordRecord r = *it;
            r.masterType = PShiftMasterType(r.masterType, true);
            r.lastTested = Today;
            w.words << PWordWrite(Table, r, {Col::LastTested, Col::MasterType});
            break;
        }
    }
    return w;
}
