#pragma once
// Quick recall as plain data: the queue of due words of a list, where the learner stands in it,
// which question is asked, and what closing would save.

#include "rules/recallqueue.h"
#include "vocab/wordrecord.h"
#include "vocab/wordwrites.h"

class TPRecallSession {
public:
    enum class Phase {
        Empty,    // nothing was due
        Asking,   // "是否还记得该词意思？"
        Judging,  // the meaning shown, "刚才的判断是否正确？"
        Told,     // forgotten: the meaning shown, "继续"
        Over,     // past the last row
    };

    // A new queue of List's due rows, in list order, asking about the first.
    void load(const TPWordRecords &List, const QString &Today);

    Phase phase() const { return m_phase; }
    int index() const { return m_queue.index(); }
    int count() const { return int(m_rows.size()); }
    // The row asked about; a null record past the end.
    TPWordRecord current() const { return m_rows.value(index()); }
    const TPWordRecords &rows() const { return m_rows; }
    int progressMaximum() const { return m_queue.progressMaximum(); }

    // "是": the meaning and the judgement.
    void yes();
    // "【正确】": the result kept, on to the next row.
    void right();
    // "否" or "【错误】": copies of the row come back later; the meaning and "继续".
    void no();
    // "继续": on to the next row.
    void next();

    // Whether closing asks "是否存档？": a row mastered or recalled today, or a row this session
    // dated by a right answer (a word never tested before ends "1", not "01", yet it was answered).
    bool hasResults() const;
    // Every row dated today, both fields in one write per row, in queue order (a word's last row
    // decides), all in one transaction.
    TPWriteBack writeBack(const QString &Table) const;

private:
    void sync(int Index);
    void advance(Phase Next);

    TPRecallQueue m_queue;
    TPWordRecords m_rows;
    QString m_today;
    Phase m_phase = Phase::Empty;
    bool m_dated = false;
};
