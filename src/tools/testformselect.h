#pragma once
// The multiple-choice test: each word of the study group once, in random order, answered with
// the mouse from the options built in OptionTable.

#include "platform/formbase.h"
#include "platform/playtimer.h"
#include "platform/windowkit.h"
#include "sessions/choicesession.h"

#include <functional>
#include <memory>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

class TPTestFormSelect : public TPForm {
    Q_OBJECT
public:
    explicit TPTestFormSelect(QWidget *parent = nullptr);
    ~TPTestFormSelect() override;

    QLabel *LBQuestion = nullptr;
    QFrame *Panel1 = nullptr;
    QLineEdit *LB[6] = {};  // LB1 .. LB6
    QPushButton *Button1 = nullptr;
    QPushButton *BTPregret = nullptr;
    QPushButton *BTPpass = nullptr;
    QPushButton *BTread = nullptr;
    QCheckBox *CBBackMusic = nullptr;
    QCheckBox *CBShowTestReport = nullptr;
    QLabel *LBTitle = nullptr;
    QLabel *LBTestSumTime = nullptr;
    QLabel *LBHint = nullptr;
    QLabel *LBRightText = nullptr;
    QTreeWidget *PListView = nullptr;
    QTreeWidget *ListView1 = nullptr;
    std::unique_ptr<TPlayTimer> TimerTest;

    void Button1Click();
    void LB1Click(QLineEdit *Sender);
    void BTPpassClick();
    void BTPregretClick();
    void BTreadClick();
    void LB1MouseMove(QLineEdit *Sender, int Y);
    void TimerTestTimer();
    void CBBackMusicClick();

    const TPChoiceSession &session() const { return m_session; }

protected:
    void FormActivate() override;
    void FormClose(TCloseAction &Action) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void Pshowtext();
    void Pchargeandchange(const QString &Answer);
    void PUpdatePlistview(int i);
    void Plistviewtolistview1(int i);
    void PShowVerdict(const TPChoiceSession::Verdict &V);
    void PShowRows();
    void PUpdateWordTable();
    void Pendface();
    void PShowSelectWrongList();
    void setOptionsEnabled(bool on);

    TPChoiceSession m_session;
    TPInstance<TPTestFormSelect> m_instance;
};

extern TPTestFormSelect *PTestFormSelect;

