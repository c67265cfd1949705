#include "sessions/recallsession.h"

#include "sessions/sessionrows.h"

namespace {
TPRecallRow recallRow(const TPWordRecord &R) { return {R.word, R.explanation, R.lastTested, R.masterType}; }
}  // namespace

void TPRecallSession::load(const TPWordRecords &List, const QString &Today)
{
    m_today = Today;
    m_rows.clear();
    QVector<TPRecallRow> due;
    for (const TPWordRecord &r : List) {
        if (!PRecallIsDue(recallRow(r), Today))
            continue;
        m_rows << r;
        due << recallRow(r);
    }
    m_queue.load(due, Today);
    m_dated = false;
    m_phase = m_rows.isEmpty() ? Phase::Empty : Phase::Asking;
}

void TPRecallSession::sync(int Index)
{
    const TPRecallRow &q = m_queue.row(Index);
    m_rows[Index].lastTested = q.testDate;
    m_rows[Index].masterType = q.masterType;
}

void TPRecallSession::advance(Phase Next) { m_phase = m_queue.atEnd() ? Phase::Over : Next; }

void TPRecallSession::yes()
{
    if (m_phase == Phase::Asking)
        m_phase = Phase::Judging;
}

void TPRecallSession::right()
{
    if (m_phase != Phase::Judging)
        return;
    const int at = index();
    m_queue.remembered(m_today);
    sync(at);
    m_dated = m_dated || m_rows.at(at).lastTested == m_today;
    advance(Phase::Asking);
}

void TPRecallSession::no()
{
    if (m_phase != Phase::Asking && m_phase != Phase::Judging)
        return;
    const int at = index();
    const TPWordRecord row = m_rows.at(at);
    // The copies go where the queue put them, each carrying the queue's new result.
    for (int placed : m_queue.forgotten()) {
        m_rows.insert(placed, row);
        sync(placed);
    }
    sync(at);
    m_phase = Phase::Told;
}

void TPRecallSession::next()
{
    if (m_phase != Phase::Told)
        return;
    m_queue.next();
    advance(Phase::Asking);
}

bool TPRecallSession::hasResults() const { return m_dated || m_queue.hasResults(m_today); }

TPWriteBack TPRecallSession::writeBack(const QString &Table) const
{
    TPWriteBack w;
    for (const TPWordRecord &r : m_rows)
        if (r.lastTested == m_today)
            w.words << PWordWrite(Table, r, {Col::LastTested, Col::MasterType});
    return w;
}
