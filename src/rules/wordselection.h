#pragma once
// The study-group builder's two lists as word records, the operations that move words between
// them and the selection modes that fill the chosen list. Scans run from the last candidate to the
// first, so removing the row in hand leaves the indices still to be visited as they were.

#include "rules/builderrow.h"
#include "vocab/wordrecord.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>
#include <vector>

class TPRandom;

enum TPSide { SideCandidates = 0, SideChosen = 1 };

// A count that is no integer (a row edited outside the program) stops a run.
class TPRuleError : public std::runtime_error {
public:
    explicit TPRuleError(const QString &message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

// 做过次数 − 做错次数 of a word, never wrapping.
qint64 PRightCount(const TPBuilderRow &row);
// Whole days from the date text's midnight to now, toward zero; 0 for a text that is no date.
int PDaysSince(const QString &dateText, const QDateTime &now);

class TPGroupLists {
public:
    // Told of every move: the side it left and its index there just before it left.
    using Observer = std::function<void(TPSide from, int index)>;

    TPGroupLists() = default;
    // The rows are taken over as they are: a reload of a long list costs no copy of its rows.
    TPGroupLists(TPBuilderRows candidates, const TPBuilderRows &chosen);

    int count(TPSide side) const { return int(m_list[side].size()); }
    const TPBuilderRow &at(TPSide side, int index) const { return m_rows.at(m_list[side][size_t(index)]); }
    TPBuilderRow &at(TPSide side, int index) { return m_rows[m_list[side][size_t(index)]]; }
    TPWordRecords records(TPSide side) const;
    QStringList ids(TPSide side) const;

    void setObserver(Observer observer) { m_observer = std::move(observer); }
    // New candidates (a reload from the bank); the chosen list starts empty.
    void reset(TPBuilderRows candidates);
    // Drops the rows at these indices of side (a list command took them out of the list).
    void remove(TPSide side, QList<int> indices);
    // Orders side by the text of field (stable: equal texts keep their order); for each new
    // position, the index the row had before.
    QList<int> sort(TPSide side, const QString &field, bool descending);

    // Appends the row at index of from to the other list and removes it from from.
    void PMoveListItem(TPSide from, int index);
    // Every selected row, last first, so the other list receives them in reverse order.
    void PMoveSelectedItems(TPSide from, QList<int> selected);
    // Every row of from whose field matches that of the one selected row; nothing unless exactly
    // one is selected.
    void PMoveSameColumnItems(TPSide from, const QList<int> &selected, const QString &field);
    // Candidates whose right count is below limit, while fewer than n are chosen.
    void PCreateByRightCount(int n, qint64 limit);
    // Candidates of master type type, while fewer than n are chosen.
    void PCreateByMasterType(int n, const QString &type);

    // Moves, from the last candidate to the first, those take() accepts, checking before each
    // whether n are chosen. One pass over the list whatever moves.
    void scanCandidates(int n, const std::function<bool(const TPBuilderRow &)> &take);

private:
    TPBuilderRows m_rows;
    std::vector<int> m_list[2];
    Observer m_observer;
};

// What a run of the selection needs besides the two lists.
struct TPSelectionContext {
    int n = 15;
    QString mode;
    qint64 r1 = 5, r2 = 3, r3 = 2;  // rolling limits
    QString today;                  // date text of today, as 最近测试时间 holds it
    QDateTime now;
    TPRandom *random = nullptr;
    // Every row of the current list ordered by 最近测试时间 (descending when asked).
    std::function<TPBuilderRows(bool descending)> reload;
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
