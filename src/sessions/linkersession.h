#pragma once
// Meaning matching as plain data: the candidate words of the list, the board dealt from them,
// and what a complete board stores.

#include "rules/matchboard.h"
#include "vocab/wordrecord.h"
#include "vocab/wordwrites.h"

#include <QDate>

class TPLinkerSession {
public:
    enum class Phase {
        TooFew,    // fewer than seven candidates: no board
        Board,     // pairs being found
        Complete,  // the seventh pair found: marks, review, then a new board
    };

    // The candidates of List (a mastered word rests three days) and a board of the last seven.
    void load(const TPWordRecords &List, const QDate &Today, TPRandom &Random);

    Phase phase() const { return m_phase; }
    const TPWordRecords &candidates() const { return m_candidates; }
    int count() const { return int(m_candidates.size()); }
    const TPMatchBoard &board() const { return m_board; }

    TPMatchBoard::Click clickWord(int k);
    TPMatchBoard::Click clickBox(int b);

    // A word of a complete board paired at the first try is known: its last candidate row is
    // shifted with a "1" and dated Today, and kept for the write-back. False when the board is not
    // complete or no candidate holds the word.
    bool markWordKnown(const QString &Word, const QString &Today);
    // The rows marked known on this board, both fields of each in one write, all in one transaction.
    TPWriteBack writeBack(const QString &Table) const;
    // The words that needed more than one try, for the review.
    QStringList retriedWords() const { return m_board.retriedWords(); }

private:
    TPMatchBoard::Click settle(TPMatchBoard::Click Result);

    TPWordRecords m_candidates;
    TPMatchBoard m_board;
    Phase m_phase = Phase::TooFew;
    QList<int> m_marked;  // candidate rows marked known, in the order they were marked
};
