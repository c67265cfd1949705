#include "sessions/spellsession.h"

#include "rules/answercheck.h"
#include "rules/experience.h"
#include "sessions/sessionrows.h"

namespace {
TPSpellRow spellRow(const TPWordRecord &R)
{
    return {R.id, R.word, R.timesDone, R.timesWrong, R.experience, R.lastRight, R.lastTested};
}

void takeBack(TPWordRecord &R, const TPSpellRow &S)
{
    R.timesDone = S.done;
    R.timesWrong = S.wrong;
    R.experience = S.points;
    R.lastRight = S.last;
    R.lastTested = S.date;
}
}  // namespace

void TPSpellSession::load(const TPWordRecords &Rows)
{
    m_left = Rows;
    m_answered.clear();
    m_current = -1;
    m_phase = Phase::Ready;
    m_right = m_regrets = m_lesson = m_seconds = 0;
}

bool TPSpellSession::start(TPRandom &Random)
{
    if (m_phase != Phase::Ready || m_left.isEmpty())
        return false;
    m_answered.clear();
    m_current = Random.below(int(m_left.size()));
    m_phase = Phase::Asking;
    return true;
}

const TPWordRecord *TPSpellSession::current() const
{
    return m_phase == Phase::Asking && m_current >= 0 && m_current < m_left.size() ? &m_left.at(m_current) : nullptr;
}

TPSpellSession::Answer TPSpellSession::answer(const QString &Typed, const QString &Today, TPRandom &Random)
{
    const TPWordRecord *asked = current();
    if (!asked)
        return {};
    Answer a{true, PSpellingMatches(Typed, asked->word), asked->word, Typed, false};
    TPWordRecord row = m_left.takeAt(m_current);
    TPSpellRow s = spellRow(row);
    m_lesson = PCounterSum(m_lesson, PApplySpellAnswer(s, a.right, Today));
    takeBack(row, s);
    if (a.right)
        ++m_right;
    m_answered.append(row);
    if (m_left.isEmpty()) {
        m_current = -1;
        m_phase = Phase::Finished;
        a.finished = true;
    } else {
        m_previous = a.word;
        m_current = Random.below(int(m_left.size()));
    }
    return a;
}

bool TPSpellSession::regret()
{
    if (m_answered.isEmpty())
        return false;
    TPWordRecord &last = m_answered.last();
    TPSpellRow s = spellRow(last);
    if (!PApplyRegret(s))
        return false;
    takeBack(last, s);
    ++m_regrets;
    return true;
}

TPWriteBack TPSpellSession::writeBack(const QString &List) const
{
    static const QStringList stats{Col::TimesDone, Col::TimesWrong, Col::Experience, Col::LastRight, Col::LastTested};
    static const QStringList last{Col::LastRight};
    TPWriteBack w;
    w.words.reserve(2 * m_answered.size());
    for (const TPWordRecord &r : m_answered) {
        w.words.append(PWordWrite(List, r, stats));
        w.words.append(PWordWrite(Tbl::TempTable, r, last));
    }
    w.learnerAdds.append({Col::UserExperience, m_lesson});
    return w;
}
