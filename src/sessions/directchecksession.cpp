#include "sessions/directchecksession.h"

#include "rules/sortorder.h"
#include "sessions/sessionrows.h"

#include <algorithm>

TPDirectCheckSession::Filter TPDirectCheckSession::filterOf(const QString &Text)
{
    if (Text == QStringLiteral("只显示已掌握的"))
        return Filter::Mastered;
    if (Text == QStringLiteral("只显示未掌握的"))
        return Filter::Unmastered;
    return Filter::All;
}

namespace {
bool shows(TPDirectCheckSession::Filter F, const QString &Master)
{
    using F_ = TPDirectCheckSession::Filter;
    return F == F_::All || (Master == Code::Master11) == (F == F_::Mastered);
}
}  // namespace

void TPDirectCheckSession::load(TPWordRecords List, Filter F)
{
    m_filter = F;
    m_rows.clear();
    m_rows.reserve(List.size());
    for (TPWordRecord &r : List)
        if (shows(F, r.masterType))
            m_rows.append({std::move(r), false, QString()});
    m_checkIndex = 0;
}

void TPDirectCheckSession::sortBy(int Column)
{
    m_descending = !m_descending;
    auto text = [Column](const TPTickRow &r) -> const QString & {
        switch (Column) {
        case 1:
            return r.word.masterType;
        case 2:
            return r.meaning;
        case 3:
            return r.word.lastTested;
        default:
            return r.word.word;
        }
    };
    const bool descending = m_descending;
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](const TPTickRow &a, const TPTickRow &b) {
        const int c = PCompareSortTexts(text(a), text(b));
        return descending ? c > 0 : c < 0;
    });
    m_checkIndex = 0;
}

void TPDirectCheckSession::setTicked(int Row, bool Ticked)
{
    if (valid(Row))
        m_rows[Row].ticked = Ticked;
}

void TPDirectCheckSession::tickAll()
{
    for (TPTickRow &r : m_rows)
        r.ticked = true;
}

void TPDirectCheckSession::invertTicks()
{
    for (TPTickRow &r : m_rows)
        r.ticked = !r.ticked;
}

void TPDirectCheckSession::tickMastered()
{
    for (TPTickRow &r : m_rows)
        r.ticked = r.word.masterType == Code::Master11;
}

int TPDirectCheckSession::tickedCount() const
{
    int n = 0;
    for (const TPTickRow &r : m_rows)
        n += r.ticked ? 1 : 0;
    return n;
}

QList<int> TPDirectCheckSession::ticked() const
{
    QList<int> out;
    for (int i = 0; i < count(); ++i)
        if (m_rows.at(i).ticked)
            out << i;
    return out;
}

QStringList TPDirectCheckSession::tickedWords() const
{
    QStringList out;
    for (int i : ticked())
        out << m_rows.at(i).word.word;
    return out;
}

TPWriteBack TPDirectCheckSession::toggleWrite(const QString &Table, int Row, const QString &Today) const
{
    TPWriteBack w;
    if (!valid(Row))
        return w;
    TPWordRecord r = m_rows.at(Row).word;
    if (r.masterType != Code::Master11) {
        r.masterType = Code::Master11;
        r.lastTested = Today;
        w.words << PWordWrite(Table, r, {Col::LastTested, Col::MasterType});
    } else {
        r.masterType = Code::Master00;
        w.words << PWordWrite(Table, r, {Col::MasterType});
    }
    return w;
}

void TPDirectCheckSession::mark(int Row, const QString &Master, const QString &Today)
{
    TPWordRecord &r = m_rows[Row].word;
    r.masterType = Master;
    if (Master == Code::Master11)
        r.lastTested = Today;
}

namespace {
QString toggledMaster(const TPWordRecord &R) { return R.masterType != Code::Master11 ? Code::Master11 : Code::Master00; }
}  // namespace

bool TPDirectCheckSession::leavesOnToggle(int Row) const
{
    return valid(Row) && !shows(m_filter, toggledMaster(m_rows.at(Row).word));
}

bool TPDirectCheckSession::toggled(int Row, const QString &Today)
{
    if (!valid(Row))
        return false;
    const bool leaves = leavesOnToggle(Row);
    mark(Row, toggledMaster(m_rows.at(Row).word), Today);
    if (leaves)
        m_rows.removeAt(Row);
    return leaves;
}

TPWriteBack TPDirectCheckSession::markWrite(const QString &Table, const QString &Master, const QString &Today) const
{
    TPWriteBack w;
    const bool mastered = Master == Code::Master11;
    for (int i : ticked()) {
        TPWordRecord r = m_rows.at(i).word;
        r.masterType = Master;
        if (mastered)
            r.lastTested = Today;
        w.words << PWordWrite(Table, r, mastered ? QStringList{Col::MasterType, Col::LastTested} : QStringList{Col::MasterType});
    }
    return w;
}

void TPDirectCheckSession::marked(const QString &Master, const QString &Today)
{
    for (int i : ticked())
        mark(i, Master, Today);
}

void TPDirectCheckSession::showMeaning(int Row, const QString &Meaning)
{
    if (valid(Row))
        m_rows[Row].meaning = Meaning;
}

void TPDirectCheckSession::hideMeaning(int Row) { showMeaning(Row, QString()); }

void TPDirectCheckSession::removeTicked()
{
    m_rows.erase(std::remove_if(m_rows.begin(), m_rows.end(), [](const TPTickRow &r) { return r.ticked; }),
                 m_rows.end());
}
