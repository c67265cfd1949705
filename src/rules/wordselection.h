#pragma once
// The study-group builder's two lists as plain rows, the operations that move words between them
// and the selection modes that fill the chosen list. Scans run from the last candidate to the
// first, so removing the item in hand leaves the indices still to be visited as they were.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <functional>
#include <stdexcept>
#include <vector>

class TPRandom;

// One item of a "createform" list: caption ID, then 单词, 做过次数, 做错次数, 所属类别,
// 上次是否做对, 最近测试时间, 掌握类型.
struct TPWordItem {
    QString caption;
    std::array<QString, 7> sub;
    bool selected = false;
};

enum TPSide { SideCandidates = 0, SideChosen = 1 };

// A count that is no integer (a row edited outside the program) stops a run.
class TPRuleError : public std::runtime_error {
public:
    explicit TPRuleError(const QString &message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

// 做过次数 − 做错次数 of an item.
qint64 PRightCount(const TPWordItem &item);
// Whole days from the date text's midnight to now, toward zero; 0 for a text that is no date.
int PDaysSince(const QString &dateText, const QDateTime &now);

class TPGroupLists {
public:
    // Told of every move: the side it left and its index there just before it left.
    using Observer = std::function<void(TPSide from, int index)>;

    TPGroupLists() = default;
    TPGroupLists(const QVector<TPWordItem> &candidates, const QVector<TPWordItem> &chosen);

    int count(TPSide side) const { return int(m_list[side].size()); }
    const TPWordItem &at(TPSide side, int index) const { return m_rows[m_list[side][size_t(index)]]; }
    QVector<TPWordItem> items(TPSide side) const;
    QStringList captions(TPSide side) const;

    void setObserver(Observer observer) { m_observer = std::move(observer); }
    // New candidates (a reload from the bank); the chosen list starts empty.
    void reset(const QVector<TPWordItem> &candidates);

    // Appends the item at index of from to the other list and removes it from from.
    void PMoveListItem(TPSide from, int index);
    // Every selected item, last first, so the other list receives them in reverse order.
    void PMoveSelectedItems(TPSide from);
    // Every item of from whose column col (a sub-item) matches that of its one selected item;
    // nothing unless exactly one is selected.
    void PMoveSameColumnItems(TPSide from, int col);
    // Candidates whose right count is below limit, while fewer than n are chosen.
    void PCreateByRightCount(int n, qint64 limit);
    // Candidates of master type type, while fewer than n are chosen.
    void PCreateByMasterType(int n, const QString &type);

    // Moves, from the last candidate to the first, those taking() accepts, checking before each
    // whether n are chosen. One pass over the list whatever moves.
    void scanCandidates(int n, const std::function<bool(const TPWordItem &)> &take);

private:
    std::vector<TPWordItem> m_rows;
    std::vector<int> m_list[2];
    Observer m_observer;
};

// What a run of the selection needs besides the two lists.
struct TPSelectionContext {
    int n = 15;
    QString mode;
    int r1 = 5, r2 = 3, r3 = 2;  // rolling limits
    QString today;               // date text of today, as 最近测试时间 holds it
    QDateTime now;
    TPRandom *random = nullptr;
    // Every row of the current list ordered by 最近测试时间 (descending when asked).
    std::function<QVector<TPWordItem>(bool descending)> reload;
};

// The seven modes, in the order a mode text is matched against them.
const QStringList &PSelectionModes();

// Step A of each mode.
void PCreateForgettingCurve(TPGroupLists &lists, const TPSelectionContext &c);
void PCreateRolling(TPGroupLists &lists, const TPSelectionContext &c);
void PCreateSmart(TPGroupLists &lists, const TPSelectionContext &c);
void PCreateErrorFirst(TPGroupLists &lists, const TPSelectionContext &c);
void PCreateRandom(TPGroupLists &lists, const TPSelectionContext &c);
void PCreateRecentFirst(TPGroupLists &lists, const TPSelectionContext &c);
void PCreateOldestFirst(TPGroupLists &lists, const TPSelectionContext &c);

// Fills the chosen list to exactly n: the mode's rule, then below-average right counts, then
// from the end. Returns the refusal text when it cannot run (and then changes nothing), else
// an empty text. Throws TPRuleError for a count that is no integer.
QString PAutoCreateGroup(TPGroupLists &lists, const TPSelectionContext &c);
