#pragma once
// The multiple-choice test as plain data: the questions left (word records with their options),
// the words answered, the phase, the counters, and what the end writes back.

#include "rules/random.h"
#include "vocab/wordrecord.h"
#include "vocab/wordwrites.h"

#include <QStringList>

struct TPChoiceRow {
    TPWordRecord record;
    QStringList options;  // POpt1 .. POpt6 as stored
};

class TPChoiceSession {
public:
    enum class Phase { Ready, Asking, Finished };

    // The question on screen as its type asks it.
    struct Question {
        QString question;   // what the question label shows
        QString rightText;  // the right answer
        QStringList options;
        bool speak = false;  // the listening type says the word
        QString word;
    };
    // A verdict on an answer, and whether that ended the test.
    struct Verdict {
        bool taken = false;
        bool right = false;
        QString question;
        QString rightText;
        QString answer;
        bool finished = false;
    };

    // A new test: Total is the group's size, Rows the questions built for it (a short table ends
    // the test early). Ready, every counter 0.
    void load(const QList<TPChoiceRow> &Rows, qint64 Total);
    // The question type used from the next question on (the window reads it anew for each).
    void setType(const QString &Type) { m_type = Type; }
    // Draws the first question; with none to ask the test is at once Finished (false).
    bool start(TPRandom &Random);
    // An option clicked, or the give-up button's caption: judged by text. The last question's
    // verdict ends the test; otherwise the next question is drawn.
    Verdict choose(const QString &Answer, const QString &Today, TPRandom &Random);
    // The last answer was a guess: it counts as wrong from now on. False when it was not right.
    bool regret();
    void tick() { ++m_seconds; }

    Phase phase() const { return m_phase; }
    Question question() const;
    // Position among the questions left of the question on screen; -1 when there is none.
    int index() const { return m_phase == Phase::Asking ? m_index : -1; }
    // Question number on screen (1-based) and the group size, for the title.
    qint64 number() const { return m_total - m_remaining; }
    qint64 total() const { return m_total; }
    qint64 rightCount() const { return m_right; }
    qint64 regretCount() const { return m_regrets; }
    qint64 seconds() const { return m_seconds; }
    bool regretAllowed() const { return m_regretAllowed; }
    const QList<TPChoiceRow> &left() const { return m_left; }
    const TPWordRecords &answered() const { return m_answered; }

    // Each answered word's last answer, test date and master type to List and its last answer to
    // TempTable, in answer order, and the change of the mastered-word count: one write-back.
    TPWriteBack writeBack(const QString &List) const;

private:
    void draw(TPRandom &Random);

    QList<TPChoiceRow> m_left;
    TPWordRecords m_answered;
    QString m_type;
    Question m_shown;
    Phase m_phase = Phase::Ready;
    qint64 m_total = 0;
    qint64 m_remaining = 0;  // questions not yet shown; 0 while the last is on screen
    int m_index = -1;
    qint64 m_right = 0;
    qint64 m_regrets = 0;
    qint64 m_seconds = 0;
    bool m_regretAllowed = false;
};
