#pragma once
// Meaning matching: seven words of the current list beside their meanings, shuffled; the
// learner pairs them by clicking a word and its meaning, in either order.

#include "platform/formbase.h"
#include "platform/windowkit.h"
#include "sessions/linkersession.h"

class QButtonGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class TLinkLabel;

class TPLinkerForm : public TPForm {
    Q_OBJECT
public:
    explicit TPLinkerForm(QWidget *parent = nullptr);
    ~TPLinkerForm() override;

    QFrame *Panel1 = nullptr;
    QPushButton *En[TPMatchBoard::Size] = {};  // En1 .. En7
    QLineEdit *LB[TPMatchBoard::Size] = {};    // LB1 .. LB7
    QPushButton *Ch1 = nullptr;
    QLabel *LBcount = nullptr;
    QCheckBox *CBShowTestReport = nullptr;
    QCheckBox *CBBackMusic = nullptr;
    TLinkLabel *LBhelp = nullptr;

    const TPMatchBoard &board() const { return m_session.board(); }
    const TPLinkerSession &session() const { return m_session; }

    void EnClick(int k);
    void LBClick(int b);
    void CBBackMusicClick();
    void LBhelpClick();

protected:
    void FormActivate() override;
    void FormClose(TCloseAction &Action) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void PResetBoard();
    void PMarkWordKnown(const QString &Word);
    void PShowWrongWords();
    void PRoundComplete();
    void showClick(TPMatchBoard::Click Result);

    TPLinkerSession m_session;
    QButtonGroup *m_wordGroup = nullptr;
    TPInstance<TPLinkerForm> m_instance;
};

extern TPLinkerForm *PLinkerForm;

// Hand-over to the tool choice, built elsewhere: shown again when matching closes.
