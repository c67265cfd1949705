#pragma once
// Crazy spell: a timed game of spelling the words of a table from their meanings. Callers name the
// table in the settings and open the window modally.

#include "platform/formbase.h"
#include "platform/windowkit.h"
#include "sessions/crazyspellsession.h"

#include <memory>

class QLabel;
class QLineEdit;
class QToolButton;
class TLinkLabel;
class TPlayTimer;

class TPCrazySpellForm : public TPForm {
    Q_OBJECT
public:
    explicit TPCrazySpellForm(QWidget *parent = nullptr);
    ~TPCrazySpellForm() override;

    QLabel *LBStart = nullptr;
    QLabel *LBcontinue = nullptr;
    QLabel *LBmean = nullptr;
    QLineEdit *MemoSpell = nullptr;
    QLabel *LBtime = nullptr;
    QLabel *LBnum = nullptr;
    QLabel *LBSpellHint = nullptr;
    QLabel *LBRightWord = nullptr;
    QLabel *LBrecord = nullptr;
    QLabel *LBEffectR = nullptr;
    QLabel *LBEffectW = nullptr;
    QToolButton *SBCancel = nullptr;
    TLinkLabel *Label3 = nullptr;
    std::unique_ptr<TPlayTimer> TimerTime;
    std::unique_ptr<TPlayTimer> TimerEffectS;
    std::unique_ptr<TPlayTimer> TimerEffectR;
    std::unique_ptr<TPlayTimer> TimerEffectW;

    void PInitGame();
    void PLoadWords(const QString &Rule, const QString &Table);
    void PNextWord();
    void PGameOver();
    void PShowRightEffect();
    void PShowWrongEffect();

    const TPCrazyGame &game() const { return m_session.game(); }
    const TPCrazySpellSession &session() const { return m_session; }
    // The word being asked; empty when none is.
    QString currentWord() const;

protected:
    void FormActivate() override;
    void FormShow() override;
    void FormClose(TCloseAction &Action) override;
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void FormKeyPress(QKeyEvent *e);
    void MemoSpellKeyPress(QKeyEvent *e, bool &handled);
    void answer();
    void showCounts();
    void TimerTimeTimer();
    void TimerEffectSTimer();
    void TimerEffectRTimer();
    void TimerEffectWTimer();
    void centre(QLabel *Label);

    TPCrazySpellSession m_session;
    TPInstance<TPCrazySpellForm> m_instance;
};

extern TPCrazySpellForm *PCrazySpellForm;
