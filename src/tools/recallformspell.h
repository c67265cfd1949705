#pragma once
// Quick recall: the words of the current list one at a time; the learner says whether the meaning
// is still known and then judges the answer. Results are saved to the list on closing, if wanted.

#include "platform/formbase.h"
#include "platform/windowkit.h"
#include "rules/recallqueue.h"

class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;
class TLinkLabel;

class TPRecallFormSpell : public TPForm {
    Q_OBJECT
public:
    explicit TPRecallFormSpell(QWidget *parent = nullptr);
    ~TPRecallFormSpell() override;

    QFrame *Panel4 = nullptr;
    QLabel *LBWord = nullptr;
    TLinkLabel *Label3 = nullptr;
    QFrame *Panel5 = nullptr;
    QLineEdit *EDmean = nullptr;
    QToolButton *SBfind = nullptr;
    QToolButton *SBSpeak = nullptr;
    QFrame *Panel1 = nullptr;
    QPushButton *BitBtnYes = nullptr;
    QPushButton *BitBtnNo = nullptr;
    QFrame *Panel2 = nullptr;
    QPushButton *BitBtnRight = nullptr;
    QPushButton *BitBtnWrong = nullptr;
    QFrame *Panel3 = nullptr;
    QPushButton *BitBtn5 = nullptr;
    QProgressBar *PBar = nullptr;

    // The position of the current word; -1 while the queue is being built.
    int PRecallIndex() const { return m_recallIndex; }
    const TPRecallQueue &queue() const { return m_queue; }

    void PShowWord();
    void PSaveRecallResults();

    void BitBtnYesClick();
    void BitBtnNoClick();
    void BitBtnRightClick();
    void BitBtnWrongClick();
    void BitBtn5Click();
    void SBfindClick();
    void SBSpeakClick();
    void Label3Click();

protected:
    void FormActivate() override;
    void FormClose(TCloseAction &Action) override;

private:
    void showOnly(QFrame *Panel);
    void showRowInList(int Index);

    TPRecallQueue m_queue;
    int m_recallIndex = -1;
    TPInstance<TPRecallFormSpell> m_instance;
};

extern TPRecallFormSpell *PRecallFormSpell;
