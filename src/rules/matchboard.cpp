#include "rules/matchboard.h"

QDate PParseDateText(const QString &Text)
{
    return QDate::fromString(Text.trimmed(), QStringLiteral("yyyy-M-d"));
}

bool PIsMatchCandidate(const TPMatchRow &Row, const QDate &Today)
{
    if (Row.masterType != QStringLiteral("11"))
        return true;
    const QDate tested = PParseDateText(Row.lastTested);
    return tested.isValid() && tested.daysTo(Today) >= 3;
}

void TPMatchBoard::deal(const QVector<TPMatchRow> &Candidates, TPRandom &Random)
{
    *this = TPMatchBoard();
    const int n = int(Candidates.size());
    if (n < Size)
        return;
    for (int k = 0; k < Size; ++k) {
        m_words << Candidates[n - 1 - k].word;
        m_meanings << Candidates[n - 1 - k].explanation;
    }
    // Each meaning lands in exactly one box.
    QStringList left = m_meanings;
    m_boxes = QStringList(Size, QString());
    for (int i = Size; i >= 1; --i) {
        const int j = 1 + Random.below(i);
        m_boxes[i - 1] = left[j - 1];
        left[j - 1] = left[i - 1];
    }
    m_wordShown = QVector<bool>(Size, true);
    m_boxShown = QVector<bool>(Size, true);
    m_tries = QVector<int>(Size, 0);
    m_dealt = true;
}

TPMatchBoard::Click TPMatchBoard::clickWord(int k)
{
    if (!m_dealt || k < 0 || k >= Size || !m_wordShown[k])
        return Click::Ignored;
    ++m_tries[k];
    if (m_pending == Pending::Meaning && m_boxes[m_pendingIndex] == m_meanings[k]) {
        pair(k, m_pendingIndex);
        return Click::Paired;
    }
    setPending(Pending::Word, k);
    return Click::Wrong;
}

TPMatchBoard::Click TPMatchBoard::clickBox(int b)
{
    if (!m_dealt || b < 0 || b >= Size || !m_boxShown[b])
        return Click::Ignored;
    if (m_pending == Pending::Word && m_meanings[m_pendingIndex] == m_boxes[b]) {
        pair(m_pendingIndex, b);
        return Click::Paired;
    }
    if (m_pending == Pending::Word) {
        // The word whose meaning was picked by mistake is charged a try as well.
        for (int k = 0; k < Size; ++k) {
            if (m_wordShown[k] && m_meanings[k] == m_boxes[b]) {
                ++m_tries[k];
                break;
            }
        }
    }
    setPending(Pending::Meaning, b);
    return Click::Wrong;
}

void TPMatchBoard::pair(int k, int b)
{
    m_wordShown[k] = false;
    m_boxShown[b] = false;
    ++m_pairs;
    setPending(Pending::None, -1);
}

void TPMatchBoard::setPending(Pending kind, int index)
{
    m_pending = kind;
    m_pendingIndex = index;
}

QStringList TPMatchBoard::firstTryWords() const
{
    QStringList out;
    for (int k = 0; k < m_tries.size(); ++k) {
        if (m_tries[k] == 1)
            out << m_words[k];
    }
    return out;
}

QStringList TPMatchBoard::retriedWords() const
{
    QStringList out;
    for (int k = 0; k < m_tries.size(); ++k) {
        if (m_tries[k] > 1)
            out << m_words[k];
    }
    return out;
}
