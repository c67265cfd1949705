#pragma once
// Tick-to-memorise: every word of the current list with a check box; a double-click marks a word
// mastered or not, and commands apply to all ticked words at once. Every change is written at once.

#include "platform/formbase.h"
#include "platform/windowkit.h"
#include "sessions/directchecksession.h"

#include <functional>
#include <QPointF>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;
class QTreeView;
class TLinkLabel;
class TPTickListModel;

class TPDirectCheckForm : public TPForm {
    Q_OBJECT
public:
    explicit TPDirectCheckForm(QWidget *parent = nullptr);
    ~TPDirectCheckForm() override;

    QTreeView *PLVdc = nullptr;
    QToolButton *SpeedButton13 = nullptr;
    QToolButton *SpeedButton12 = nullptr;
    QComboBox *CBBrowseMode = nullptr;
    QToolButton *SpeedButton8 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button3 = nullptr;
    QComboBox *CBWordTable = nullptr;
    TLinkLabel *Label3 = nullptr;
    QToolButton *SBRefresh = nullptr;
    QLabel *LBHint = nullptr;

    QMenu *PopupMenu1 = nullptr;
    QAction *N1 = nullptr, *N2 = nullptr, *N5 = nullptr, *N7 = nullptr, *N9 = nullptr, *N3 = nullptr,
            *N4 = nullptr, *N8 = nullptr, *N13 = nullptr;
    QMenu *PopupMenu2 = nullptr;
    QAction *MenuItem1 = nullptr, *MenuItem2 = nullptr, *N6 = nullptr;
    QMenu *PopupMenu3 = nullptr;
    QAction *MenuItem3 = nullptr, *N12 = nullptr, *N11 = nullptr, *MenuItem4 = nullptr, *N10 = nullptr;

    // The row the look-up and pronunciation act on; -1 when it names no row.
    int PCheckIndex() const { return m_session.checkIndex(); }
    const TPDirectCheckSession &session() const { return m_session; }

    void CBWordTableChange();
    void CBBrowseModeChange();
    // Row: the row under the pointer, -1 for none.
    void PLVdcDblClick(int Row);
    void PLVdcMouseUp(Qt::MouseButton Button, int Row);
    void PLVdcSelectItem(int Index);
    void PLVdcColumnClick(int Column);
    void SBRefreshClick();
    void SpeedButton13Click();
    void SpeedButton12Click();
    void Label3Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void N1Click();
    void N2Click();
    void N5Click();
    void N7Click();
    void N3Click();
    void N4Click();
    void N8Click();
    void MenuItem1Click();
    void MenuItem2Click();
    void N6Click();
    void MenuItem3Click();
    void N12Click();
    void N11Click();
    void MenuItem4Click();

protected:
    void FormActivate() override;
    void FormHide() override;
    void FormClose(TCloseAction &Action) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void reload();
    void PApplyMasterFilter(const QString &Mode);
    int rowAt(const QPointF &Pos) const;
    QString currentWord() const;
    void markTicked(const QString &MasterType);
    void openMenu(QMenu *Menu);
    void runAndRefresh(const std::function<void()> &window);

    TPDirectCheckSession m_session;
    TPTickListModel *m_rows = nullptr;
    TPInstance<TPDirectCheckForm> m_instance;
};

extern TPDirectCheckForm *PDirectCheckForm;
