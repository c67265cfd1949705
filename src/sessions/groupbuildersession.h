#pragma once
// The study-group builder's state: the current list's rows and the group's rows as word records,
// the settings read at activation, and what each of the learner's moves did, for the window to
// draw. The selection rules do the moving.

#include "rules/wordselection.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class TPRandom;

struct TPGroupMove {
    TPSide from;
    int index;  // in from, just before the row left it
};

struct TPAutoCreateOutcome {
    QString message;           // a refusal or an error; empty when the run went through
    bool error = false;        // the message reports a count that is no integer
    bool reloaded = false;     // both lists were refilled from the bank: draw them anew
    QList<TPGroupMove> moves;  // every move, in order (after the refill when there was one)
};

class TPGroupBuilderSession {
public:
    struct Settings {
        QString tool;
        int n = 15;
        QString mode;
        qint64 r1 = 5, r2 = 3, r3 = 2;  // rolling limits
    };
    enum class Test { Spell, MultipleChoice, None };

    // The fields of the two lists' columns, left to right.
    static const QStringList &columns();

    void setSettings(const Settings &s) { m_settings = s; }
    const Settings &settings() const { return m_settings; }

    // The current list's rows become the candidates; the group starts empty.
    void load(TPBuilderRows candidates);
    void clear() { load({}); }

    int count(TPSide side) const { return m_lists.count(side); }
    const TPBuilderRow &at(TPSide side, int index) const { return m_lists.at(side, index); }
    TPWordRecords chosen() const { return m_lists.records(SideChosen); }

    // The row the learner selected last, in either list; its label text.
    void noteSelected(int index) { m_lastSelected = index; }
    QString selectFlagText() const;

    // Double-click or menu: the selected rows (indices of from) to the other list, last first.
    QList<TPGroupMove> moveSelected(TPSide from, const QList<int> &selected);
    // Every candidate whose column matches that of the one selected candidate.
    QList<TPGroupMove> moveSameColumn(const QList<int> &selected, int column);
    // "自动产词": reload gives the current list ordered by 最近测试时间 for the modes that ask.
    TPAutoCreateOutcome autoCreate(const QString &today, const QDateTime &now, TPRandom &random,
                                   const std::function<TPBuilderRows(bool descending)> &reload);
    // A column-heading click: each click on a list turns its order over, the first descending.
    // For each new position, the index the row had before.
    QList<int> sortByColumn(TPSide side, int column);

    // After a list command the bank has taken: the rows left the list, or a field changed.
    void removeRows(TPSide side, const QList<int> &indices) { m_lists.remove(side, indices); }
    void setField(TPSide side, const QList<int> &indices, const QString &field, const QString &value);

    // Why the group may not go to "学习" or "测试"; empty when it may.
    QString groupRefusal() const;
    // The test "测试" opens for the tool.
    Test test() const;

private:
    QList<TPGroupMove> recordingMoves(const std::function<void()> &act);

    Settings m_settings;
    TPGroupLists m_lists;
    bool m_descending[2] = {false, false};
    int m_lastSelected = -1;
};
