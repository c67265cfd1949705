#pragma once
// Meaning matching: which words of a list may play today, and one board of seven words with
// their meanings shuffled, paired by the learner's clicks.

#include "rules/random.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

struct TPMatchRow {
    QString word;
    QString explanation;
    QString lastTested;
    QString masterType;
};

// A word plays unless it is mastered ("11") and was tested fewer than 3 days before Today. A
// mastered word whose test date cannot be read is left out too: nothing shows it is due.
bool PIsMatchCandidate(const TPMatchRow &Row, const QDate &Today);
// A date text as the program writes it ("2009-01-05"; "2009-1-5" is read too); invalid otherwise.
QDate PParseDateText(const QString &Text);

class TPMatchBoard {
public:
    static constexpr int Size = 7;
    enum class Pending { None, Word, Meaning };
    enum class Click { Wrong, Paired, Ignored };

    // Deals the last Size candidates (word 0 the last row) and shuffles their meanings into the
    // boxes. Fewer than Size candidates deal nothing (dealt() stays false).
    void deal(const QVector<TPMatchRow> &Candidates, TPRandom &Random);
    bool dealt() const { return m_dealt; }

    QString word(int k) const { return m_words.value(k); }
    // The meaning dealt with word k.
    QString wordMeaning(int k) const { return m_meanings.value(k); }
    QString box(int b) const { return m_boxes.value(b); }
    bool wordShown(int k) const { return m_wordShown.value(k); }
    bool boxShown(int b) const { return m_boxShown.value(b); }
    // The clicks that concerned word k on this board; 1 at the end means paired at the first try.
    int tries(int k) const { return m_tries.value(k); }
    int pairs() const { return m_pairs; }
    bool complete() const { return m_dealt && m_pairs == Size; }
    Pending pending() const { return m_pending; }
    int pendingIndex() const { return m_pendingIndex; }

    // A click on word k or on meaning box b. A pair is a word and a box showing its meaning, in
    // either order; boxes with equal texts are interchangeable. Hidden items ignore clicks.
    Click clickWord(int k);
    Click clickBox(int b);

    // Words of a complete board paired at the first try, and those that needed more.
    QStringList firstTryWords() const;
    QStringList retriedWords() const;

private:
    void pair(int k, int b);
    void setPending(Pending kind, int index);

    bool m_dealt = false;
    QStringList m_words, m_meanings, m_boxes;
    QVector<bool> m_wordShown, m_boxShown;
    QVector<int> m_tries;
    int m_pairs = 0;
    Pending m_pending = Pending::None;
    int m_pendingIndex = -1;
};
