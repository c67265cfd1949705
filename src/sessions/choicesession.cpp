#include "sessions/choicesession.h"

#include "rules/answerhistory.h"
#include "rules/optionbuilder.h"
#include "sessions/sessionrows.h"

void TPChoiceSession::load(const QList<TPChoiceRow> &Rows, qint64 Total)
{
    m_left = Rows;
    m_answered.clear();
    m_phase = Phase::Ready;
    m_total = Total;
    // The questions are the rows built: a short table ends the test early, never reads past it.
    m_remaining = qMin<qint64>(Total, Rows.size());
    m_index = -1;
    m_right = m_regrets = m_seconds = 0;
    m_regretAllowed = false;
    m_shown = {};
}

bool TPChoiceSession::start(TPRandom &Random)
{
    if (m_phase != Phase::Ready)
        return false;
    if (m_remaining <= 0) {
        m_remaining = -1;
        m_phase = Phase::Finished;
        return false;
    }
    m_phase = Phase::Asking;
    draw(Random);
    return true;
}

void TPChoiceSession::draw(TPRandom &Random)
{
    m_index = Random.below(int(m_remaining));
    --m_remaining;
    const TPChoiceRow &row = m_left.at(m_index);
    Question q;
    q.word = row.record.word;
    if (m_type == TestType::CnToEn) {
        q.rightText = row.record.word;
        q.question = row.record.explanation;
    } else {
        // Any other type asks the meaning of the word, as the options were built.
        q.rightText = row.record.explanation;
        q.question = row.record.word;
        q.speak = m_type == TestType::ListenToCn;
    }
    q.options = row.options;
    while (q.options.size() < 6)
        q.options.append(QString());
    m_shown = q;
}

TPChoiceSession::Question TPChoiceSession::question() const { return m_phase == Phase::Asking ? m_shown : Question{}; }

TPChoiceSession::Verdict TPChoiceSession::choose(const QString &Answer, const QString &Today, TPRandom &Random)
{
    if (m_phase != Phase::Asking || m_remaining < 0)
        return {};
    Verdict v{true, Answer == m_shown.rightText, m_shown.question, m_shown.rightText, Answer, false};
    TPWordRecord r = m_left.takeAt(m_index).record;
    r.lastTested = Today;
    r.lastRight = v.right ? Code::Right : Code::Wrong;
    r.masterType = PShiftMasterType(r.masterType, v.right);
    m_answered.append(r);
    if (v.right)
        ++m_right;
    m_regretAllowed = v.right;
    if (m_remaining == 0) {
        m_remaining = -1;
        m_index = -1;
        m_phase = Phase::Finished;
        v.finished = true;
    } else {
        draw(Random);
    }
    return v;
}

bool TPChoiceSession::regret()
{
    if (!m_regretAllowed || m_answered.isEmpty())
        return false;
    TPWordRecord &last = m_answered.last();
    last.masterType = PRegretMasterType(last.masterType);
    last.lastRight = Code::Wrong;
    m_regretAllowed = false;
    ++m_regrets;
    return true;
}

TPWriteBack TPChoiceSession::writeBack(const QString &List) const
{
    static const QStringList results{Col::LastRight, Col::LastTested, Col::MasterType};
    static const QStringList last{Col::LastRight};
    TPWriteBack w;
    w.words.reserve(2 * m_answered.size());
    QStringList types;
    types.reserve(m_answered.size());
    for (const TPWordRecord &r : m_answered) {
        w.words.append(PWordWrite(List, r, results));
        w.words.append(PWordWrite(Tbl::TempTable, r, last));
        types << r.masterType;
    }
    w.learnerAdds.append({Col::MasteredCount, PMasteredDelta(types)});
    return w;
}
