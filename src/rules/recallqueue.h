#pragma once
// Quick recall's queue: the words of a list still to be recalled, one at a time. A forgotten
// word comes back at growing distances; results are kept here until the learner saves them.
// Widget-free: the window shows the current row and forwards the learner's answers.

#include <QString>
#include <QVector>

struct TPRecallRow {
    QString word;
    QString meaning;
    QString testDate;    // 最近测试时间
    QString masterType;  // 掌握类型, newest result on the right
};

// Whether a row of the list is due: not mastered ("11"), and not recalled today ("01" dated today).
bool PRecallIsDue(const TPRecallRow &Row, const QString &Today);
// The master type after one more result: the last character of the old one, then the new digit.
QString PRecallShift(const QString &MasterType, bool Remembered);

class TPRecallQueue {
public:
    // Where the copies of a forgotten word go, counted from it, in the order they are placed.
    static const QVector<int> &RepeatGaps();

    // A new queue of the due rows, in list order; the first row is current.
    void load(const QVector<TPRecallRow> &Rows, const QString &Today);

    int count() const { return int(m_rows.size()); }
    const TPRecallRow &row(int Index) const { return m_rows.at(Index); }
    const QVector<TPRecallRow> &rows() const { return m_rows; }
    int index() const { return m_index; }
    bool isEmpty() const { return m_rows.isEmpty(); }
    // Past the last row: the review is over.
    bool atEnd() const { return m_index >= count(); }
    // The progress bar's range; never 0 to 0, which a bar shows as busy.
    int progressMaximum() const { return count() > 1 ? count() - 1 : 1; }

    // The current word was recalled: its result is kept, and it is dated today unless a copy of it
    // is still ahead. Moves to the next row.
    void remembered(const QString &Today);
    // The current word was forgotten: copies carrying the result are queued at the repeat gaps (at
    // the end where the queue is too short) and the row itself keeps no result. Stays on it; the
    // positions the copies took, in the order placed.
    QVector<int> forgotten();
    void next() { ++m_index; }

    // Whether anything is worth saving: a row mastered, or recalled today.
    bool hasResults(const QString &Today) const;
    // The rows to write back, in queue order (a word's last row decides): those dated today.
    QVector<TPRecallRow> resultsToSave(const QString &Today) const;

private:
    bool copyAhead() const;

    QVector<TPRecallRow> m_rows;
    int m_index = 0;
};
