#pragma once
// The wrong-answer review as plain data: the words (word records whose explanation is the meaning
// on show, empty while hidden), their ticks and the selected row.

#include "vocab/wordrecord.h"

#include <QList>
#include <QStringList>

class TPReviewSession {
public:
    // The words a tool got wrong, meanings hidden, nothing ticked. The selection stays: only an
    // activation or a move resets it.
    void fill(const QStringList &Words);
    void activate() { m_selected = 0; }
    void select(int Row) { m_selected = Row; }
    int selected() const { return m_selected; }
    // The selected row, or -1 when the selection lies past the list.
    int selectedRow() const { return m_selected >= 0 && m_selected < m_rows.size() ? m_selected : -1; }

    const TPWordRecords &rows() const { return m_rows; }
    bool ticked(int Row) const { return m_ticks.value(Row); }
    // Every row whose word is Typed exactly (letter case counts).
    QList<int> rowsOf(const QString &Typed) const;
    // Whether toggling Row would show its meaning (it is hidden now), so the caller looks it up.
    bool meaningHidden(int Row) const;
    // Shows Meaning on Row when its meaning is hidden, hides it otherwise.
    void toggleMeaning(int Row, const QString &Meaning);

    void tick(int Row, bool On);
    void tickAll();
    void invertTicks();
    // The ticked rows left for another list: they go, and the selection starts again at 0.
    void removeTicked();

private:
    TPWordRecords m_rows;
    QList<bool> m_ticks;
    int m_selected = 0;
};
