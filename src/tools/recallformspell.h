#pragma once
// Quick recall: the words of the current list one at a time; the learner says whether the meaning
// is still known and then judges the answer. Results are saved to the list on closing, if wanted.

#include "platform/formbase.h"
#include "platform/windowkit.h"
#include "sessions/recallsession.h"

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

    // The position of the current word.
    int PRecallIndex() const { return m_session.index(); }
    const TPRecallSession &session() const { return m_session; }

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
    void resizeEvent(QResizeEvent *e) override;

private:
    void render();
    void fitWord();

    TPRecallSession m_session;
    TPInstance<TPRecallFormSpell> m_instance;
};

extern TPRecallFormSpell *PRecallFormSpell;
