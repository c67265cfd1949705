#pragma once
// The small dictionary: looks one English word up in the learner's lists, then in the XML word
// service. A word found in a list can be saved, moved or deleted; a word found online can be added
// to a list.
//
// Callers open it on a word: MeWord->setText(word); PopFind0->trigger(); where the learner must not
// move or delete the word, GBMove->hide() and GBDelete->hide(); then ShowModal(). Closing shows the
// groups again.

#include "platform/formbase.h"
#include "platform/windowkit.h"
#include "wordlists/eventhook.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSplitter;
class QTextEdit;
class QToolButton;
class TLinkLabel;
class TPDictForm;

extern TPDictForm *PDictForm;

// The list in which the last look-up found the word (empty: in none), and the word box's text then.
// Both outlive closing the window.
extern QString PDictFoundTable;
extern QString PDictFoundWord;

class TPDictForm : public TPForm {
    Q_OBJECT
public:
    explicit TPDictForm(QWidget *parent = nullptr);
    ~TPDictForm() override;

    QLineEdit *MeWord;
    QLineEdit *EdPron;
    QLineEdit *EdMean;
    QLabel *LBhint;
    QToolButton *BTFind;
    QToolButton *SpeedButton1;
    TLinkLabel *ImgWordSvc;
    TLinkLabel *Label3;
    QWidget *PnMove;
    QPushButton *BTsave;
    QGroupBox *GBMove;
    QComboBox *CBWordTableMove;
    QPushButton *Button1;
    QGroupBox *GBDelete;
    QPushButton *Button5;
    QGroupBox *GBadd;
    QComboBox *CBWordTableAdd;
    QPushButton *Button4;
    QTextEdit *REExpl;
    QSplitter *Splitter1;
    QTextEdit *RESent;
    QCheckBox *CheckBox1;
    QToolButton *SBinsert;

    QMenu *PopMenuFind;
    QAction *PopFind0, *PopFind1, *PopFind2, *PopFind3, *PopFind4;
    QMenu *PopMenuSent;
    QAction *PopSent1, *PopSent2, *PopSent3, *PopSent4, *PopSent5;
    QAction *PopSent7, *PopSent8, *PopSent9, *PopSent10, *PopSent11;
    QMenu *PopMenuExpl;
    QAction *PopExpl1, *PopExpl2, *PopExpl3, *PopExpl4;
    QMenu *PopMenuInsert;

    // The opening protocol in one call: Word looked up, the move and delete groups hidden unless
    // MayChange, then shown modally.
    void PShowOnWord(const QString &Word, bool MayChange);

    void PFindWord();
    void PClearResult();
    void PSaveChanges();

    void BTFindClick();
    void Button4Click();
    void Button5Click();
    void Button1Click();
    void BTsaveClick();
    void RESentSelectionChange();
    void PopSent2Click();
    void CheckBox1Click();

protected:
    void FormActivate() override;
    void FormClose(TCloseAction &action) override;

private:
    TPInstance<TPDictForm> m_instance{PDictForm, this};
    TPEventHooks m_hooks;
    // The word service is being asked: the look-up commands wait and the window stays open.
    bool m_asking = false;
    void buildMenus();
    void findOnline(const QString &word);
    void showListWord(const QString &word);
    // Delete and move act on the word that was found; an edited word box refuses them.
    bool wordUnchanged();
    void doneWithWord();
    void Splitter1Moved();
    bool MeWordKeyUp(QEvent *e);
    bool RESentMouse(QEvent *e);
    bool REExplFocus(QEvent *e);
};
