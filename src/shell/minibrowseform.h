#pragma once
// The mini browser: the main window, a small bar on top of the desktop that flashes the words of
// one list (word, phonetics, meaning, each word read aloud), and a settings panel below the bar.

#include "vocab/bankvocab.h"
#include "platform/formbase.h"

#include <QColor>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TPlayTimer;

class TPMiniBrowseForm : public TPForm {
    Q_OBJECT
public:
    explicit TPMiniBrowseForm(QWidget *parent = nullptr);
    ~TPMiniBrowseForm() override;

    // ---- word list and playback
    // Shows the words of Table sent from the word browser: the list choice and the look-up stay shut.
    void PShowGroup(const QString &Table);
    void PLoadWords(const QString &Kind, const QString &Table, const QString &Mode);
    static QString PRepeatCountOfMastery(const QString &Mastery, const QString &Mode);
    void PShowCurrentWord();
    void PShowMeaning();
    void PSpeakCurrentWord();
    static int PFindWordIndex(const QString &Word, QTreeWidget *ListView);
    void PRemoveMasteredWords(QTreeWidget *ListView);
    void PSyncPosition(QTreeWidget *ListView);

    void TimerAppTimer();
    void TimerBrowseTimer();
    void TimerRepeatTimer();
    void SBStartClick();
    void SBPauseClick();
    void SBGoFrontClick();
    void SBGoBackClick();
    void TBProcessChange();
    void LBWordClick();
    void CBNotShowMasterModeClick();

    // ---- window, settings and marks
    void FormActivate() override;
    void SBCancelClick();
    void SBdownClick();
    void SBupClick();
    void SBFontSizeClick();
    void LBclWClick(QLabel *Sender);
    void PLclBackClick();
    void TrackBar1Change();
    void CBPronClick();
    void CBMeanClick();
    void Button1Click();
    void CBRepeatClick();
    void CBFilterClick();
    void CBDelayClick();
    void SEReadIntervalChange();
    void SERepeatIntervalChange();
    void RBRepeatTimesAutoClick();
    void RBRepeatTimesManuClick();
    void SERepeatTimesChange();
    void Button2Click();
    void CBCreateModeChange();
    void CBWordTableChange();
    void PopupMenu1Popup();
    void N1Click();
    void N2Click();
    void N4Click();

    // The bar's height: 27 with the small font, 35 with the large one.
    int PBarHeight() const;
    // Whether the window has its own taskbar button (it has none while it is the collapsed bar).
    bool PHasTaskbarButton() const;
    bool PStaysOnTop() const;
    QColor PWindowColor() const;

    std::unique_ptr<TPlayTimer> TimerApp;
    std::unique_ptr<TPlayTimer> TimerBrowse;
    std::unique_ptr<TPlayTimer> TimerRepeat;

    QToolButton *SBStart, *SBPause, *SBGoBack, *SBGoFront;
    QFrame *Panel1;
    QLabel *LBWord, *LBPron;
    QLineEdit *MeMean;
    QToolButton *SBFontSize, *SBdown, *SBup, *SBCancel;
    QFrame *PLProcess;
    QLabel *LBProcess;
    QSlider *TBProcess;
    QGroupBox *GBWordTable;
    QComboBox *CBCreateMode;
    QFrame *PLWordTable;
    QComboBox *CBWordTable;
    QLabel *LBWordCount;
    QGroupBox *GroupBox3;
    QFrame *PLclBack, *Shape1;
    QLabel *LBclW, *LBclP, *LBclM;
    QSlider *TrackBar1;
    QCheckBox *CBPron, *CBMean;
    QPushButton *Button1;
    QGroupBox *GroupBox1;
    QCheckBox *CBRepeat, *CBFilter, *CBNotShowMasterMode, *CBDelay;
    QSpinBox *SEReadInterval;
    QGroupBox *GBRepeatRule;
    QSpinBox *SERepeatInterval;
    QRadioButton *RBRepeatTimesAuto, *RBRepeatTimesManu;
    QSpinBox *SERepeatTimes;
    QPushButton *Button2;
    QMenu *PopupMenu1;
    QAction *N1, *N2, *N4;

protected:
    void FormClose(TCloseAction &Action) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void moveEvent(QMoveEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void FormCreate();
    void buildLayout();
    void placeBarControls();
    void setClientHeight(int h);
    void setWindowStyle(bool onTop, bool taskbarButton);
    void setWindowColor(const QColor &c);
    void setFontColor(QWidget *w, const QColor &c);
    QColor fontColor(const QWidget *w) const;
    QTreeWidgetItem *currentItem() const;
    int wordCount() const;
    void setBarMaximum(int count);
    void setBarPosition(int position);
    void stopOnEmptyList();
    void markShownWord(const QString &RepeatCount, const QString &MasterType, bool hideIt);
    void enforceVisibilityRules();

    bool m_restyling = false;
    int m_barHeight = 27;
};

extern TPMiniBrowseForm *PMiniBrowseForm;
// The mini browser's place in its word list, process-wide like the list itself (P_LVmini of the
// shared window): its playback and its controls read and move it.
extern int PMiniIndex;          // current item of P_LVmini
extern bool PMiniPhase;         // true once the first half of the current word has run
extern int PMiniRepeatsLeft;    // extra readings still due for the current word
// After loading, the master-type column of the mini list holds each word's repeat count.
constexpr int PMiniRepeatColumn = PSub(ModeCol::MiniMaster::MasterType);

extern int PAppTicks;           // ticks of the application timer since start

// Colours as the settings file keeps them: 0x00BBGGRR, red in the lowest byte.
QColor PColorFromValue(int value);
int PColorToValue(const QColor &c);
