#pragma once
// The spelling test as plain data: the questions left and the words answered (word records), the
// phase, the lesson's counters, and what the end writes back.

#include "rules/random.h"
#include "vocab/wordrecord.h"
#include "vocab/wordwrites.h"

class TPSpellSession {
public:
    enum class Phase { Ready, Asking, Finished };

    // What one answer did, for the window to show.
    struct Answer {
        bool taken = false;  // false: nothing was left to answer
        bool right = false;
        QString word;        // as stored
        QString typed;       // as typed
        bool finished = false;  // that was the last question
    };

    // A new test on Rows (the group as TempTable holds it): Ready, every counter 0. The previous
    // word outlives a test.
    void load(const TPWordRecords &Rows);
    // Asks the first question, drawn at random; false (still Ready) when the group is empty.
    bool start(TPRandom &Random);
    // Judges Typed against the current question, records it on its word and draws the next one.
    Answer answer(const QString &Typed, const QString &Today, TPRandom &Random);
    // Esc: the last answered word counts as wrong if it was right; the lesson keeps its points.
    bool regret();
    void tick() { ++m_seconds; }

    Phase phase() const { return m_phase; }
    // The question on screen; null before the first and after the last answer.
    const TPWordRecord *current() const;
    // Its position among the questions left; -1 when there is none.
    int index() const { return current() ? m_current : -1; }
    const TPWordRecords &left() const { return m_left; }
    const TPWordRecords &answered() const { return m_answered; }
    QString previousWord() const { return m_previous; }
    qint64 rightCount() const { return m_right; }
    qint64 regretCount() const { return m_regrets; }
    qint64 lessonExperience() const { return m_lesson; }
    qint64 seconds() const { return m_seconds; }

    // Every answered word's statistics to List and its last answer to TempTable, in answer order,
    // and the lesson's experience to the learner: one write-back.
    TPWriteBack writeBack(const QString &List) const;

private:
    TPWordRecords m_left;
    TPWordRecords m_answered;
    int m_current = -1;
    Phase m_phase = Phase::Ready;
    qint64 m_right = 0;
    qint64 m_regrets = 0;
    qint64 m_lesson = 0;
    qint64 m_seconds = 0;
    QString m_previous;
};
