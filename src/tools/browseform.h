#pragma once
// The word browser: the study group in a list, every field of the chosen word, reading aloud,
// fields hidden for self-testing, auto-browse, a practice box, editing and marking words, and the
// ways on to the tests and the other tools.

#include "platform/formbase.h"
#include "platform/windowkit.h"

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTextEdit;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TPlayTimer;

class TPbrowseform;
extern TPbrowseform *Pbrowseform;

class TPbrowseform : public TPForm {
    Q_OBJECT
public:
    explicit TPbrowseform(QWidget *parent = nullptr);
    ~TPbrowseform() override;

    void PShowWord(const QString &Word);
    void PClearWordFields();
    void PLoadBrowseList(const QString &OrderField, int Direction);
    void PSetBrowseMode(const QString &Mode);
    // True when the word was written to both tables.
    bool PSaveWordEdits();

    // ---- browsing
    void FormActivate() override;
    void FormShow() override;
    void PListViewSelectItem(QTreeWidgetItem *Item, bool Selected);
    void PListViewColumnClick(int Column);
    void CBBrowseModeChange();
    void TimerBrowseTimer();
    void TimerAutoBrowseTimer();
    void SBStartClick();
    void SBPauseClick();
    void SEReadIntervalChange();
    void Splitter1Moved();
    void Splitter2Moved();
    void CheckBox2Click();
    void CBBackMusicClick();
    void Button1Click();
    void MEpraKeyUp();
    void SBReadWordClick();
    void SBReadPraClick();
    void SBautotipClick();
    void SpeedButton3Click();
    void Label3Click();

    // ---- editing, marks, look-ups and hand-overs
    void Button4Click();
    void N23Click();
    void N22Click();
    void N4Click();
    void ReSentSelectionChange();
    void N8Click();
    void N9Click();
    void SBinsertClick();
    void PopInsert1Click(const QString &Marker);
    void SBTellWrongClick();
    void SBFindWordClick();
    void SBFindPraClick();
    void PopPra7Click();
    void WordSvc2Click();
    void SpeedButton2Click();
    void SpeedButton8Click();
    void SpeedButton9Click();

    // Emphasis on the selection of a rich edit: "突出", "更突出" or "取消突出".
    static void PEmphasize(QTextEdit *Edit, const QString &Style);

    std::unique_ptr<TPlayTimer> TimerBrowse;
    std::unique_ptr<TPlayTimer> TimerAutoBrowse;

    QTreeWidget *PListView, *TempListView;
    QSplitter *Splitter1, *Splitter2;
    QFrame *Panel1, *PanelTools1;
    QLineEdit *Edit1, *Edit2, *Edit3, *Edit4;
    QComboBox *Edit5;
    QTextEdit *ReExpl, *ReSent;
    QLabel *LBBrowseSumTime, *Label3;
    QLabel *LBWordSvcHint;  // what the online overwrite is doing or gave
    QPushButton *Button1, *Button4;
    QToolButton *SpeedButton3, *SBReadWord, *SBFindWord, *SBReadPra, *SBFindPra, *SBautotip, *SBinsert,
        *SBTellWrong;
    QLineEdit *MEpra;
    QCheckBox *CheckBox2, *CheckBox1, *CBBackMusic;
    QToolButton *SBStart, *SBPause, *SpeedButton2, *SpeedButton8, *SpeedButton9;
    QSpinBox *SEReadInterval;
    QComboBox *CBBrowseMode;

    QMenu *PopPLV, *PopupMenu1, *PopMenuPra, *PopMenuSent, *PopMenuExpl, *PopMenuInsert;
    QAction *N23, *N22, *N4, *WordSvc2, *PopPra7, *N8, *N9;

protected:
    void FormClose(TCloseAction &Action) override;
    bool FormKeyUp(QKeyEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void buildLayout();
    void buildMenus();
    void speakDirect(const QString &Text);
    void reloadTempList();
    void reloadCategories();
    void markSelected(const QString &MasterType);
    void openDictOn(const QString &Word);
    void toggleVisible(QWidget *w);
    void applyPanelSizes(int DetailsHeight, int ExplWidth);
    // The list's rows of the word in Edit1.
    QList<QTreeWidgetItem *> rowsOfShownWord();

    // The phonetic text as shown before the font was applied; kept when there is no font file.
    QString m_storedPhonetic;
    // The shown word's category as stored: a save that keeps it needs no new category choices.
    QString m_storedCategory;
    QString m_shownWord;
    QList<QTreeWidgetItem *> m_shownRows;
    // The word service is being asked: auto-browse holds still so that the answer lands on its word.
    bool m_asking = false;
    // Set once every control exists: events reach the filter while the constructor still builds.
    bool m_built = false;
    TPInstance<TPbrowseform> m_instance{Pbrowseform, this};
};

// Seconds since the browser was last activated.
extern int PBrowseSeconds;
// The row last selected; auto-browse selects it next.
extern int PBrowseIndex;

