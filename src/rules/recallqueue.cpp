#include "rules/recallqueue.h"

#include "rules/answerhistory.h"
#include "vocab/bankvocab.h"

bool PRecallIsDue(const TPRecallRow &Row, const QString &Today)
{
    if (Row.masterType == Code::Master11)
        return false;
    return !(Row.masterType == Code::Master01 && Row.testDate == Today);
}

QString PRecallShift(const QString &MasterType, bool Remembered)
{
    return PShiftMasterType(MasterType, Remembered);
}

const QVector<int> &TPRecallQueue::RepeatGaps()
{
    static const QVector<int> gaps{2, 6, 13, 49, 120};
    return gaps;
}

void TPRecallQueue::load(const QVector<TPRecallRow> &Rows, const QString &Today)
{
    m_rows.clear();
    for (const TPRecallRow &r : Rows)
        if (PRecallIsDue(r, Today))
            m_rows << r;
    m_index = 0;
}

bool TPRecallQueue::copyAhead() const
{
    const QString &word = m_rows.at(m_index).word;
    for (int i = m_index + 1; i < count(); ++i)
        if (m_rows.at(i).word == word)
            return true;
    return false;
}

void TPRecallQueue::remembered(const QString &Today)
{
    if (atEnd())
        return;
    TPRecallRow &r = m_rows[m_index];
    r.masterType = PRecallShift(r.masterType, true);
    if (!copyAhead())
        r.testDate = Today;
    next();
}

QVector<int> TPRecallQueue::forgotten()
{
    QVector<int> placed;
    if (atEnd())
        return placed;
    m_rows[m_index].masterType = PRecallShift(m_rows[m_index].masterType, false);
    const TPRecallRow copy = m_rows.at(m_index);
    for (int gap : RepeatGaps()) {
        const int at = m_index + gap <= count() - 1 ? m_index + gap : count();
        m_rows.insert(at, copy);
        placed << at;
    }
    m_rows[m_index].masterType.clear();
    return placed;
}

bool TPRecallQueue::hasResults(const QString &Today) const
{
    for (const TPRecallRow &r : m_rows)
        if (r.masterType == Code::Master11 || (r.masterType == Code::Master01 && r.testDate == Today))
            return true;
    return false;
}

QVector<TPRecallRow> TPRecallQueue::resultsToSave(const QString &Today) const
{
    QVector<TPRecallRow> out;
    for (const TPRecallRow &r : m_rows)
        if (r.testDate == Today)
            out << r;
    return out;
}
