#include "sessions/reviewsession.h"

void TPReviewSession::fill(const QStringList &Words)
{
    m_rows.clear();
    m_rows.reserve(Words.size());
    for (const QString &w : Words) {
        TPWordRecord r;
        r.word = w;
        m_rows.append(r);
    }
    m_ticks = QList<bool>(Words.size(), false);
}

QList<int> TPReviewSession::rowsOf(const QString &Typed) const
{
    QList<int> out;
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows.at(i).word == Typed)
            out.append(i);
    return out;
}

bool TPReviewSession::meaningHidden(int Row) const
{
    return Row >= 0 && Row < m_rows.size() && m_rows.at(Row).explanation.isEmpty();
}

void TPReviewSession::toggleMeaning(int Row, const QString &Meaning)
{
    if (Row < 0 || Row >= m_rows.size())
        return;
    QString &shown = m_rows[Row].explanation;
    shown = shown.isEmpty() ? Meaning : QString();
}

void TPReviewSession::tick(int Row, bool On)
{
    if (Row >= 0 && Row < m_ticks.size())
        m_ticks[Row] = On;
}

void TPReviewSession::tickAll() { m_ticks.fill(true); }

void TPReviewSession::invertTicks()
{
    for (bool &t : m_ticks)
        t = !t;
}

void TPReviewSession::removeTicked()
{
    for (int i = int(m_rows.size()) - 1; i >= 0; --i)
        if (m_ticks.at(i)) {
            m_rows.removeAt(i);
            m_ticks.removeAt(i);
        }
    m_selected = 0;
}
