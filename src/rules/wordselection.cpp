#include "rules/wordselection.h"

#include "rules/experience.h"
#include "rules/random.h"
#include "rules/sortorder.h"

#include <QTimeZone>
#include <algorithm>
#include <limits>
#include <numeric>

namespace {

const QString kRight = QStringLiteral("对");
const QString kWrong = QStringLiteral("错");

// A count of the row; the message names the word and the column it stands in.
qint64 countValue(const TPBuilderRow &row, const QString &field, QStringView text)
{
    // Plain digits, as the bank holds its counts, are read in place: step B reads every candidate.
    if (!text.isEmpty() && text.size() <= 18) {
        qint64 v = 0;
        bool digits = true;
        for (const QChar ch : text) {
            const char16_t u = ch.unicode();
            if (u < u'0' || u > u'9') {
                digits = false;
                break;
            }
            v = v * 10 + (u - u'0');
        }
        if (digits)
            return v;
    }
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (ok)
        return v;
    const qint64 held = PCounterValue(text.toString());  // digits beyond the range: its end
    if (held == 0) {
        throw TPRuleError(QStringLiteral("单词“") + row.string(TPBuilderRow::Word) + QStringLiteral("”的") + field +
                          QStringLiteral("“") + text.toString() + QStringLiteral("”不是有效的整数"));
    }
    return held;
}

// Whether a word answered right with this right count is due again after days.
bool dueByCurve(qint64 rightCount, int days)
{
    if (rightCount <= 0)
        return false;
    if (rightCount <= 2)
        return days == 0;
    if (rightCount <= 5)
        return days >= 1;
    if (rightCount <= 7)
        return days >= 7;
    if (rightCount <= 9)
        return days >= 19;
    if (rightCount <= 12)
        return days >= 37;
    if (rightCount == 13)
        return days >= 109;
    return days >= 151;
}

void reload(TPGroupLists &lists, const TPSelectionContext &c, bool descending)
{
    lists.reset(c.reload ? c.reload(descending) : TPBuilderRows());
}

}  // namespace

TPRuleError::TPRuleError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}

qint64 PRightCount(const TPBuilderRow &row)
{
    const qint64 done = countValue(row, Col::TimesDone, row.text(TPBuilderRow::TimesDone));
    const qint64 wrong = countValue(row, Col::TimesWrong, row.text(TPBuilderRow::TimesWrong));
    qint64 r = 0;
    if (__builtin_sub_overflow(done, wrong, &r))
        return wrong < 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return r;
}

int PDaysSince(const QString &dateText, const QDateTime &now)
{
    // "M" and "d" read padded and unpadded numbers alike.
    const QDate date = QDate::fromString(dateText.trimmed(), QStringLiteral("yyyy-M-d"));
    if (!date.isValid())
        return 0;
    const qint64 ms = QDateTime(date, QTime(0, 0), now.timeZone()).msecsTo(now);
    return int(ms / (24LL * 3600 * 1000));
}

TPGroupLists::TPGroupLists(TPBuilderRows candidates, const TPBuilderRows &chosen) : m_rows(std::move(candidates))
{
    const int first = int(m_rows.size());
    m_rows.append(chosen);
    m_list[SideCandidates].resize(size_t(first));
    std::iota(m_list[SideCandidates].begin(), m_list[SideCandidates].end(), 0);
    m_list[SideChosen].resize(size_t(chosen.size()));
    std::iota(m_list[SideChosen].begin(), m_list[SideChosen].end(), first);
}

TPWordRecords TPGroupLists::records(TPSide side) const
{
    TPWordRecords out;
    out.reserve(count(side));
    for (int i : m_list[side])
        out << m_rows.at(i).record();
    return out;
}

QStringList TPGroupLists::ids(TPSide side) const
{
    QStringList out;
    out.reserve(count(side));
    for (int i : m_list[side])
        out << m_rows.at(i).string(TPBuilderRow::Id);
    return out;
}

void TPGroupLists::reset(TPBuilderRows candidates)
{
    Observer keep = std::move(m_observer);
    *this = TPGroupLists(std::move(candidates), {});
    m_observer = std::move(keep);
}

void TPGroupLists::remove(TPSide side, QList<int> indices)
{
    std::sort(indices.begin(), indices.end());
    std::vector<int> &list = m_list[side];
    for (auto i = indices.crbegin(); i != indices.crend(); ++i) {
        if (*i >= 0 && *i < int(list.size()) && (i == indices.crbegin() || *i != *(i - 1)))
            list.erase(list.begin() + *i);
    }
}

QList<int> TPGroupLists::sort(TPSide side, const QString &field, bool descending)
{
    struct Keyed {
        quint64 prefix;
        QString text;
        int row;
        int index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(m_list[side].size());
    const int column = TPBuilderRow::columnOf(field);
    for (int i = 0; i < count(side); ++i) {
        const QString text = at(side, i).string(column);
        keyed.push_back({PSortPrefix(text), text, m_list[side][size_t(i)], i});
    }
    std::sort(keyed.begin(), keyed.end(), [descending](const Keyed &a, const Keyed &b) {
        int c = a.prefix == b.prefix ? PCompareSortTexts(a.text, b.text) : (a.prefix < b.prefix ? -1 : 1);
        if (descending)
            c = -c;
        return c != 0 ? c < 0 : a.index < b.index;
    });
    QList<int> before;
    before.reserve(qsizetype(keyed.size()));
    for (size_t i = 0; i < keyed.size(); ++i) {
        m_list[side][i] = keyed[i].row;
        before << keyed[i].index;
    }
    return before;
}

void TPGroupLists::PMoveListItem(TPSide from, int index)
{
    std::vector<int> &src = m_list[from];
    if (index < 0 || index >= int(src.size()))
        return;
    const int row = src[size_t(index)];
    src.erase(src.begin() + index);
    m_list[1 - from].push_back(row);
    if (m_observer)
        m_observer(from, index);
}

void TPGroupLists::PMoveSelectedItems(TPSide from, QList<int> selected)
{
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    for (auto i = selected.crbegin(); i != selected.crend(); ++i)
        PMoveListItem(from, *i);
}

void TPGroupLists::PMoveSameColumnItems(TPSide from, const QList<int> &selected, const QString &field)
{
    const int column = TPBuilderRow::columnOf(field);
    if (selected.size() != 1 || selected.front() < 0 || selected.front() >= count(from) || column < 0)
        return;
    const QString reference = at(from, selected.front()).string(column);
    for (int i = count(from) - 1; i >= 0; --i) {
        if (at(from, i).text(column) == reference)
            PMoveListItem(from, i);
    }
}

void TPGroupLists::scanCandidates(int n, const std::function<bool(const TPBuilderRow &)> &take)
{
    // The moved rows leave the candidate list in one sweep at the end, so a pass over a long list
    // costs the same however many words it takes; also when a count stops the pass halfway.
    std::vector<int> &src = m_list[SideCandidates];
    std::vector<int> &dst = m_list[SideChosen];
    std::vector<bool> moved(src.size(), false);
    bool any = false;
    const auto sweep = [&] {
        if (!any)
            return;
        size_t kept = 0;
        for (size_t i = 0; i < src.size(); ++i) {
            if (!moved[i])
                src[kept++] = src[i];
        }
        src.resize(kept);
    };
    try {
        for (int i = int(src.size()) - 1; i >= 0; --i) {
            if (int(dst.size()) >= n)
                break;
            const int row = src[size_t(i)];
            if (!take(m_rows.at(row)))
                continue;
            moved[size_t(i)] = true;
            any = true;
            dst.push_back(row);
            if (m_observer)
                m_observer(SideCandidates, i);
        }
    } catch (...) {
        sweep();
        throw;
    }
    sweep();
}

void TPGroupLists::PCreateByRightCount(int n, qint64 limit)
{
    scanCandidates(n, [limit](const TPBuilderRow &row) { return PRightCount(row) < limit; });
}

void TPGroupLists::PCreateByMasterType(int n, const QString &type)
{
    scanCandidates(n, [&type](const TPBuilderRow &row) { return row.text(TPBuilderRow::MasterType) == type; });
}

const QStringList &PSelectionModes()
{
    static const QStringList modes = {QStringLiteral("遗忘曲线"), QStringLiteral("滚动产生"), QStringLiteral("智能产生"),
                                      QStringLiteral("错误优先"), QStringLiteral("随机产生"), QStringLiteral("最近优先"),
                                      QStringLiteral("最远优先")};
    return modes;
}

void PCreateForgettingCurve(TPGroupLists &lists, const TPSelectionContext &c)
{
    const QString &today = c.today;
    lists.scanCandidates(c.n, [&](const TPBuilderRow &row) {
        return row.text(TPBuilderRow::LastRight) == kWrong && row.text(TPBuilderRow::LastTested) == today;
    });
    lists.scanCandidates(c.n, [&](const TPBuilderRow &row) {
        return row.text(TPBuilderRow::LastRight) == kRight &&
               dueByCurve(PRightCount(row), PDaysSince(row.string(TPBuilderRow::LastTested), c.now));
    });
    lists.scanCandidates(c.n, [&](const TPBuilderRow &row) {
        return row.text(TPBuilderRow::LastRight) != kRight && row.text(TPBuilderRow::LastTested) != today;
    });
}

void PCreateRolling(TPGroupLists &lists, const TPSelectionContext &c)
{
    lists.PCreateByRightCount(c.n, c.r1);
    lists.PCreateByRightCount(c.n, PCounterSum(c.r1, c.r2));
    lists.PCreateByRightCount(c.n, PCounterSum(PCounterSum(c.r1, c.r2), c.r3));
}

void PCreateSmart(TPGroupLists &lists, const TPSelectionContext &c)
{
    for (const char *type : {"01", "10", "00"})
        lists.PCreateByMasterType(c.n, QLatin1String(type));
}

void PCreateErrorFirst(TPGroupLists &lists, const TPSelectionContext &c)
{
    reload(lists, c, false);
    lists.scanCandidates(c.n, [](const TPBuilderRow &row) { return row.text(TPBuilderRow::LastRight) == kWrong; });
}

void PCreateRandom(TPGroupLists &lists, const TPSelectionContext &c)
{
    for (int draw = 0; draw < c.n; ++draw) {
        const int left = lists.count(SideCandidates);
        if (lists.count(SideChosen) >= c.n || left == 0)
            return;
        lists.PMoveListItem(SideCandidates, c.random->below(left));
    }
}

void PCreateRecentFirst(TPGroupLists &lists, const TPSelectionContext &c)
{
    reload(lists, c, false);
    lists.scanCandidates(c.n, [&c](const TPBuilderRow &row) { return row.text(TPBuilderRow::LastTested) != c.today; });
}

void PCreateOldestFirst(TPGroupLists &lists, const TPSelectionContext &c)
{
    reload(lists, c, true);
    lists.scanCandidates(c.n, [](const TPBuilderRow &) { return true; });
}

QString PAutoCreateGroup(TPGroupLists &lists, const TPSelectionContext &c)
{
    const QString n = QString::number(c.n);
    if (lists.count(SideChosen) >= c.n)
        return QStringLiteral("选中单词已超") + n + QStringLiteral("个,无法使用自动产词");
    if (lists.count(SideCandidates) < c.n)
        return QStringLiteral("备选单词不足") + n + QStringLiteral("个,无法使用自动产词");

    using Rule = void (*)(TPGroupLists &, const TPSelectionContext &);
    static const Rule rules[] = {PCreateForgettingCurve, PCreateRolling, PCreateSmart,      PCreateErrorFirst,
                                 PCreateRandom,          PCreateRecentFirst, PCreateOldestFirst};
    const int mode = PSelectionModes().indexOf(c.mode);
    if (mode >= 0)
        rules[mode](lists, c);

    const int left = lists.count(SideCandidates);
    if (left > 0) {
        qint64 sum = 0;
        for (int i = 0; i < left; ++i)
            sum = PCounterSum(sum, PRightCount(lists.at(SideCandidates, i)));
        lists.PCreateByRightCount(c.n, sum / left);
    }
    lists.scanCandidates(c.n, [](const TPBuilderRow &) { return true; });
    return QString();
}
