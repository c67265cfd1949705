#include "sessions/directchecksession.h"

#include "rules/sortorder.h"
#include "sessions/sessionrows.h"

#include <algorithm>
#include <vector>

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

// The word's Fields written with Master and the date Today.
TPWordWrite written(const QString &Table, const TPTickWord &W, const QString &Master, const QString &Today,
                    const QStringList &Fields)
{
    TPWordRecord r;
    r.word = W.word;
    r.masterType = Master;
    r.lastTested = Today;
    return PWordWrite(Table, r, Fields);
}
}  // namespace

void TPDirectCheckSession::load(TPTickWords List, Filter F)
{
    m_filter = F;
    m_words = std::move(List);
    if (F != Filter::All)
        m_words.erase(std::remove_if(m_words.begin(), m_words.end(),
                                     [F](const TPTickWord &r) { return !shows(F, r.masterType); }),
                      m_words.end());
    m_marks = QVector<TPTickMark>(m_words.size());
    m_checkIndex = 0;
}

void TPDirectCheckSession::sortBy(int Column)
{
    m_descending = !m_descending;
    auto text = [this, Column](int i) -> const QString & {
        switch (Column) {
        case 1:
            return m_words.at(i).masterType;
        case 2:
            return m_marks.at(i).meaning;
        case 3:
            return m_words.at(i).lastTested;
        default:
            return m_words.at(i).word;
        }
    };
    std::vector<int> order(m_words.size());
    for (int i = 0; i < count(); ++i)
        order[i] = i;
    const bool descending = m_descending;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = PCompareSortTexts(text(a), text(b));
        return descending ? c > 0 : c < 0;
    });
    TPTickWords words;
    QVector<TPTickMark> marks;
    words.reserve(count());
    marks.reserve(count());
    for (int i : order) {
        words.append(std::move(m_words[i]));
        marks.append(std::move(m_marks[i]));
    }
    m_words = std::move(words);
    m_marks = std::move(marks);
    m_checkIndex = 0;
}

void TPDirectCheckSession::setTicked(int Row, bool Ticked)
{
    if (valid(Row))
        m_marks[Row].ticked = Ticked;
}

void TPDirectCheckSession::tickAll()
{
    for (TPTickMark &m : m_marks)
        m.ticked = true;
}

void TPDirectCheckSession::invertTicks()
{
    for (TPTickMark &m : m_marks)
        m.ticked = !m.ticked;
}

void TPDirectCheckSession::tickMastered()
{
    for (int i = 0; i < count(); ++i)
        m_marks[i].ticked = m_words.at(i).masterType == Code::Master11;
}

int TPDirectCheckSession::tickedCount() const
{
    int n = 0;
    for (const TPTickMark &m : m_marks)
        n += m.ticked ? 1 : 0;
    return n;
}

QList<int> TPDirectCheckSession::ticked() const
{
    QList<int> out;
    for (int i = 0; i < count(); ++i)
        if (m_marks.at(i).ticked)
            out << i;
    return out;
}

QStringList TPDirectCheckSession::tickedWords() const
{
    QStringList out;
    for (int i : ticked())
        out << m_words.at(i).word;
    return out;
}

TPWriteBack TPDirectCheckSession::toggleWrite(const QString &Table, int Row, const QString &Today) const
{
    TPWriteBack w;
    if (!valid(Row))
        return w;
    const TPTickWord &r = m_words.at(Row);
    const bool mastering = r.masterType != Code::Master11;
    w.words << (mastering ? written(Table, r, Code::Master11, Today, {Col::LastTested, Col::MasterType})
                          : written(Table, r, Code::Master00, Today, {Col::MasterType}));
    return w;
}

void TPDirectCheckSession::mark(int Row, const QString &Master, const QString &Today)
{
    TPTickWord &r = m_words[Row];
    r.masterType = Master;
    if (Master == Code::Master11)
        r.lastTested = Today;
}

namespace {
QString toggledMaster(const TPTickWord &R) { return R.masterType != Code::Master11 ? Code::Master11 : Code::Master00; }
}  // namespace

bool TPDirectCheckSession::leavesOnToggle(int Row) const
{
    return valid(Row) && !shows(m_filter, toggledMaster(m_words.at(Row)));
}

bool TPDirectCheckSession::toggled(int Row, const QString &Today)
{
    if (!valid(Row))
        return false;
    const bool leaves = leavesOnToggle(Row);
    mark(Row, toggledMaster(m_words.at(Row)), Today);
    if (leaves) {
        m_words.removeAt(Row);
        m_marks.removeAt(Row);
    }
    return leaves;
}

TPWriteBack TPDirectCheckSession::markWrite(const QString &Table, const QString &Master, const QString &Today) const
{
    TPWriteBack w;
    const bool mastered = Master == Code::Master11;
    for (int i : ticked())
        w.words << written(Table, m_words.at(i), Master, Today,
                           mastered ? QStringList{Col::MasterType, Col::LastTested} : QStringList{Col::MasterType});
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
        m_marks[Row].meaning = Meaning;
}

void TPDirectCheckSession::hideMeaning(int Row) { showMeaning(Row, QString()); }

void TPDirectCheckSession::removeTicked()
{
    int kept = 0;
    for (int i = 0; i < count(); ++i)
        if (!m_marks.at(i).ticked) {
            if (kept != i) {
                m_words[kept] = std::move(m_words[i]);
                m_marks[kept] = std::move(m_marks[i]);
            }
            ++kept;
        }
    m_words.resize(kept);
    m_marks.resize(kept);
}
