#pragma once
// The spelling test: every word of the study group once, in random order, from its meaning; the
// statistics, the lesson's experience and a summary at the end.

#include "platform/formbase.h"
#include "platform/windowkit.h"
#include "sessions/spellsession.h"

#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QTreeWidget;
class TPlayTimer;

class TPTestFormSpell : public TPForm {
    Q_OBJECT
public:
    explicit TPTestFormSpell(QWidget *parent = nullptr);
    ~TPTestFormSpell() override;

    QPushButton *Button1 = nullptr;
    QLineEdit *Penteredit = nullptr;
    QLineEdit *PstaticText = nullptr;
    QLineEdit *Edit2 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit3 = nullptr;
    QTextEdit *Memo1 = nullptr;
    QTextEdit *Memo2 = nullptr;
    QLabel *LBhint = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QCheckBox *CheckBox2 = nullptr;
    QCheckBox *CheckBox3 = nullptr;
    QCheckBox *CheckBox4 = nullptr;
    QCheckBox *CheckBox5 = nullptr;
    QCheckBox *CheckBox6 = nullptr;
    QCheckBox *CheckBox7 = nullptr;
    QCheckBox *CBShowTestReport = nullptr;
    QCheckBox *CheckBox8 = nullptr;
    QTreeWidget *PLV = nullptr;
    QTreeWidget *PLV1 = nullptr;
    std::unique_ptr<TPlayTimer> Timer1;
    std::unique_ptr<TPlayTimer> Timer2;
    std::unique_ptr<TPlayTimer> TimerTest;

    void PLoadTempTable();
    void Pshowtext();
    void PNextQuestion();
    TPSpellSession::Answer PCheckAnswer();
    void PUpdatePLV(int i);
    void PLVtoPLV1(int i);
    void PSaveResults();
    void PShowExperience();
    void PLoadOptions();
    void PSaveOptions();
    void PApplyTimeLimit();
    void Button1Click();
    void PRegret();

    // The test so far (tests read it).
    const TPSpellSession &session() const { return m_session; }
    qint64 lessonExperience() const { return m_session.lessonExperience(); }

protected:
    void FormActivate() override;
    void FormClose(TCloseAction &Action) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void Timer1Timer();
    void Timer2Timer();
    void TimerTestTimer();
    void PShowSpellWrongList();
    void PShowVerdict(const TPSpellSession::Answer &A);
    void PShowRows();

    TPSpellSession m_session;
    qint64 m_total = 0;  // the learner's experience after the write-back
    int m_countdown = 0;
    TPInstance<TPTestFormSpell> m_instance;
};

extern TPTestFormSpell *PTestFormSpell;
