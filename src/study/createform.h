#pragma once
// The study-group builder: the current list's words on the left, the group on the right, moved
// by hand or by a selection mode, then handed to the word browser or a test.

#include "platform/formbase.h"
#include "platform/windowkit.h"
#include "sessions/groupbuildersession.h"

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TLinkLabel;

class TPCreateForm;
extern TPCreateForm *PCreateForm;

class TPCreateForm : public TPForm {
    Q_OBJECT
public:
    explicit TPCreateForm(QWidget *parent = nullptr);
    ~TPCreateForm() override;

    QLabel *Label1, *Label2;
    QLabel *Label3WordCount, *Label4WordCount;
    QTreeWidget *PLV1, *PLV2;
    QPushButton *Pcreatebutton, *BtGotoBrowse, *BtGotoTest;
    QLabel *LBSelectflag;
    TLinkLabel *Label3;
    QMenu *PopupMenu1, *PopupMenu2;

    // The unit's state, read from the settings at each activation.
    QString tool() const { return m_session.settings().tool; }
    int groupSize() const { return m_session.settings().n; }
    QString mode() const { return m_session.settings().mode; }
    const TPGroupBuilderSession &session() const { return m_session; }

    void PAutoCreateGroup();
    void PRefreshLists();

    void PcreatebuttonClick();
    void BtGotoBrowseClick();
    void BtGotoTestClick();
    void PLV1DblClick();
    void PLV2DblClick();
    void SameColumnClick(int Col);
    void ChangeCategoryClick(QTreeWidget *ListView);
    void ShuffleClick();
    void MoveWordsClick(QTreeWidget *ListView);
    void DeleteWordsClick(QTreeWidget *ListView);

protected:
    void FormActivate() override;
    void FormClose(TCloseAction &Action) override;
    bool FormKeyDown(QKeyEvent *e) override;

private:
    QTreeWidget *view(TPSide side) const { return side == SideCandidates ? PLV1 : PLV2; }
    TPSide sideOf(const QTreeWidget *ListView) const { return ListView == PLV1 ? SideCandidates : SideChosen; }
    // The learner's selection in a list, as row indices.
    QList<int> selectedRows(const QTreeWidget *ListView) const;
    // Draws a list anew from the session, or follows the session's moves item for item.
    void render(TPSide side);
    void follow(const QList<TPGroupMove> &moves);
    void sortClick(TPSide side, int column);
    void itemSelected(QTreeWidget *ListView, QTreeWidgetItem *Item);
    void refreshCounts();
    // The shared checks of "学习" and "测试": false when the group cannot go.
    bool groupMayGo();
    // Hides, fills TempTable and runs open(); the builder comes back when any of it fails.
    void handOver(const std::function<void()> &open);

    TPGroupBuilderSession m_session;
    TPInstance<TPCreateForm> m_instance{PCreateForm, this};
};

