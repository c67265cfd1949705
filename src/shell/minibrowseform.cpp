#include "shell/minibrowseform.h"

#include "vocab/bankvocab.h"
#include "core/choosers.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "platform/dialogs.h"
#include "platform/inifile.h"
#include "platform/playtimer.h"
#include "services/phonetic.h"
#include "services/pronunciation.h"
#include "services/publicform.h"
#include "services/utils.h"
#include "shell/minidesign.h"
#include "shell/welcomeform.h"
#include "services/handovers.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>

#include <tuple>

TPMiniBrowseForm *PMiniBrowseForm = nullptr;

using namespace MiniDesign;

namespace {


QTreeWidget *miniList() { return PPublicForm ? PPublicForm->P_LVmini : nullptr; }

int readInt(const QString &key, int def) { return PConfigIni ? PConfigIni->ReadInteger(Ini::MiniBrowser, key, def) : def; }
bool readBool(const QString &key, bool def) { return PConfigIni ? PConfigIni->ReadBool(Ini::MiniBrowser, key, def) : def; }
QString readString(const QString &key, const QString &def)
{
    return PConfigIni ? PConfigIni->ReadString(Ini::MiniBrowser, key, def) : def;
}
void writeInt(const QString &key, int v)
{
    if (PConfigIni)
        PConfigIni->WriteInteger(Ini::MiniBrowser, key, v);
}
void writeBool(const QString &key, bool v)
{
    if (PConfigIni)
        PConfigIni->WriteBool(Ini::MiniBrowser, key, v);
}

}  // namespace

QColor PColorFromValue(int value)
{
    const quint32 v = static_cast<quint32>(value);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

int PColorToValue(const QColor &c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

TPMiniBrowseForm::TPMiniBrowseForm(QWidget *parent)
    : TPForm(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool)
{
    setObjectName(QStringLiteral("PMiniBrowseForm"));
    setWindowTitle(QStringLiteral("Tavisk迷你背单词 for LexorinV03 - Tavisk设计 "));
    setMinimumSize(DesignWidth, SmallBar);
    setScreenSnap(SnapDistance);
    setMouseTracking(true);
    setCursor(Qt::SizeAllCursor);
    setAutoFillBackground(true);

    TimerApp = PPlayClock().newTimer(this, QStringLiteral("TimerApp"), 1000);
    TimerApp->OnTimer = [this] { PGuard([this] { TimerAppTimer(); }); };

    TimerBrowse = PPlayClock().newTimer(this, QStringLiteral("TimerBrowse"), 2000);
    TimerBrowse->OnTimer = [this] { PGuard([this] { TimerBrowseTimer(); }); };
    TimerRepeat = PPlayClock().newTimer(this, QStringLiteral("TimerRepeat"), 2000);
    TimerRepeat->OnTimer = [this] { PGuard([this] { TimerRepeatTimer(); }); };

    buildLayout();
    resize(DesignWidth, SmallBar);
    setWindowColor(PColorFromValue(DefaultBack));
    setWindowOpacity(DefaultAlpha / 255.0);
    if (QScreen *s = screen()) {
        const QRect r = s->availableGeometry();
        move(r.center().x() - width() / 2, r.center().y() - height() / 2);
    }

    FormCreate();
    TimerApp->setEnabled(true);
    PMiniBrowseForm = this;
}

TPMiniBrowseForm::~TPMiniBrowseForm()
{
    if (PMiniBrowseForm == this)
        PMiniBrowseForm = nullptr;
}

void TPMiniBrowseForm::resizeEvent(QResizeEvent *e)
{
    TPForm::resizeEvent(e);
    placeBarControls();
}

int TPMiniBrowseForm::PBarHeight() const { return m_barHeight; }

void TPMiniBrowseForm::setClientHeight(int h) { resize(width(), h); }

bool TPMiniBrowseForm::PHasTaskbarButton() const { return windowType() != Qt::Tool; }

bool TPMiniBrowseForm::PStaysOnTop() const { return windowFlags() & Qt::WindowStaysOnTopHint; }

// A window has a taskbar button of its own unless it is a tool window; changing the flags makes
// the window anew, so a visible one is shown again where it stood.
void TPMiniBrowseForm::setWindowStyle(bool onTop, bool taskbarButton)
{
    Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint;
    if (onTop)
        flags |= Qt::WindowStaysOnTopHint;
    if (!taskbarButton)
        flags |= Qt::Tool;
    if (flags == windowFlags())
        return;
    const bool wasVisible = isVisible();
    const bool wasActive = isActiveWindow();
    const QPoint at = pos();
    m_restyling = true;
    setWindowFlags(flags);
    move(at);
    if (wasVisible) {
        show();
        if (wasActive) {
            // The desktop activates the new native window: that is no activation of the program's.
            skipNextActivation();
            activateWindow();
        }
    }
    m_restyling = false;
}

void TPMiniBrowseForm::setWindowColor(const QColor &c)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, c);
    setPalette(p);
    QPalette q = PLclBack->palette();
    q.setColor(QPalette::Window, c);
    PLclBack->setPalette(q);
}

QColor TPMiniBrowseForm::PWindowColor() const { return palette().color(QPalette::Window); }

void TPMiniBrowseForm::setFontColor(QWidget *w, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Text, c);
    w->setPalette(p);
}

QColor TPMiniBrowseForm::fontColor(const QWidget *w) const
{
    return w->palette().color(qobject_cast<const QLineEdit *>(w) ? QPalette::Text : QPalette::WindowText);
}

void TPMiniBrowseForm::FormCreate()
{
    if (!PBackBitmap)
        PBackBitmap = new QPixmap();
    PLowerMidiVolume();
}

void TPMiniBrowseForm::FormClose(TCloseAction &)
{
    delete PBackBitmap;
    PBackBitmap = nullptr;
    PRestoreMidiVolume();
    TimerBrowse->setEnabled(false);
    TimerRepeat->setEnabled(false);
    // The program ends with its main window.
    QCoreApplication::quit();
}

void TPMiniBrowseForm::FormActivate()
{
    setClientHeight(PBarHeight());
    // Not inside the activation itself: changing the flags makes the native window anew.
    if (PHasTaskbarButton())
        QTimer::singleShot(0, this, [this] { setWindowStyle(PStaysOnTop(), false); });
    PStopBackMusic();

    setWindowColor(PColorFromValue(readInt(Ini::BackColor, DefaultBack)));
    setFontColor(LBWord, PColorFromValue(readInt(Ini::WordColor, DefaultWordColor)));
    setFontColor(LBPron, PColorFromValue(readInt(Ini::PronColor, DefaultPronColor)));
    setFontColor(MeMean, PColorFromValue(readInt(Ini::MeanColor, DefaultMeanColor)));

    const int alpha = qBound(MinAlpha, readInt(Ini::Transparency, DefaultAlpha), MaxAlpha);
    setWindowOpacity(alpha / 255.0);
    TrackBar1->setValue(alpha);

    CBPron->setChecked(readBool(Ini::ShowPhonetic, true));
    CBMean->setChecked(readBool(Ini::ShowMeaning, true));
    setFontColor(LBclW, fontColor(LBWord));
    setFontColor(LBclP, fontColor(LBPron));
    setFontColor(LBclM, fontColor(MeMean));
    PApplyPhoneticFont2(LBPron);
    setBarMaximum(wordCount());

    // The spin boxes keep the intervals within their ranges, so no stored value makes a busy timer.
    SEReadInterval->setValue(readInt(Ini::ReadInterval, 2));
    SERepeatInterval->setValue(readInt(Ini::RepeatInterval, 2));
    TimerBrowse->setInterval(SEReadInterval->value() * 1000 / 2);
    TimerRepeat->setInterval(SERepeatInterval->value() * 1000);

    const bool autoRepeat = readBool(Ini::AutoRepeat, true);
    RBRepeatTimesAuto->setChecked(autoRepeat);
    RBRepeatTimesManu->setChecked(!autoRepeat);
    SERepeatTimes->setValue(readInt(Ini::ManualRepeatTimes, 2));

    CBRepeat->setChecked(readBool(Ini::RepeatNewWords, true));
    CBFilter->setChecked(readBool(Ini::FilterMastered, true));
    CBDelay->setChecked(readBool(Ini::DelayMeaning, true));
    CBNotShowMasterMode->setChecked(false);
    CBNotShowMasterMode->setEnabled(true);
    enforceVisibilityRules();

    CBCreateMode->setCurrentIndex(0);
    PLWordTable->show();
    CBWordTable->clear();
    PLoadCurrentTableName();
    PFillTableCombo(CBWordTable);
    LBWordCount->setText(
        QString::number(PCurrentTable.isEmpty() ? 0 : Pdatamodule->PGetCountFromTable(PCurrentTable)) +
        QStringLiteral("词"));
}

// The rules the change handlers keep, also for values that did not change on activation.
void TPMiniBrowseForm::enforceVisibilityRules()
{
    LBPron->setVisible(CBPron->isChecked());
    MeMean->setVisible(CBMean->isChecked());
    CBDelay->setVisible(CBMean->isChecked());
    CBFilter->setVisible(CBMean->isChecked());
    GBRepeatRule->setVisible(CBRepeat->isChecked());
    SERepeatTimes->setVisible(RBRepeatTimesManu->isChecked());
}

// ---- geometry

void TPMiniBrowseForm::SBdownClick()
{
    setClientHeight(ExpandedHeight);
    SBdown->hide();
    SBup->show();
    setWindowStyle(false, true);
}

void TPMiniBrowseForm::SBupClick()
{
    setClientHeight(PBarHeight());
    SBup->hide();
    SBdown->show();
    setWindowStyle(true, false);
}

void TPMiniBrowseForm::SBFontSizeClick()
{
    const bool toLarge = PBarHeight() == SmallBar;
    const int bar = toLarge ? LargeBar : SmallBar;
    m_barHeight = bar;
    auto setSize = [](QWidget *w, int pt) {
        QFont f = w->font();
        f.setPointSize(pt);
        w->setFont(f);
    };
    setSize(LBWord, toLarge ? 22 : 16);
    setSize(LBPron, toLarge ? 18 : 12);
    setSize(MeMean, toLarge ? 20 : 12);
    if (height() != ExpandedHeight)
        setClientHeight(bar);
    placeBarControls();
}

// Only the window's own surface sizes and moves it: presses and moves on the bar or a control reach
// the window too, since those controls leave mouse events to their parent.
void TPMiniBrowseForm::mouseMoveEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    const bool sizing = !childAt(p) && p.y() <= LargeBar && p.x() >= width() - 10;
    setCursor(sizing ? Qt::SizeHorCursor : Qt::SizeAllCursor);
    TPForm::mouseMoveEvent(e);
}

void TPMiniBrowseForm::mousePressEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::LeftButton && !childAt(p)) {
        const bool sizing = p.y() <= LargeBar && p.x() >= width() - 10;
        if (QWindow *w = windowHandle()) {
            if (sizing)
                w->startSystemResize(Qt::RightEdge);
            else
                PStartDrag();
        }
        return;
    }
    TPForm::mousePressEvent(e);
}

// While the window is restyled its position is set by the code, not the learner: no snapping.
void TPMiniBrowseForm::moveEvent(QMoveEvent *e)
{
    if (m_restyling)
        QWidget::moveEvent(e);
    else
        TPForm::moveEvent(e);
}

bool TPMiniBrowseForm::eventFilter(QObject *watched, QEvent *e)
{
    // A click is taken here and goes no further: left to the labels' parents, a click on a sample
    // label would also reach the background panel behind it.
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton) {
        if (watched == LBWord) {
            PGuard([this] { LBWordClick(); });
            return true;
        }
        if (watched == LBclW || watched == LBclP || watched == LBclM) {
            PGuard([this, watched] { LBclWClick(static_cast<QLabel *>(watched)); });
            return true;
        }
        if (watched == PLclBack) {
            PGuard([this] { PLclBackClick(); });
            return true;
        }
    }
    return TPForm::eventFilter(watched, e);
}

// ---- look settings

void TPMiniBrowseForm::LBclWClick(QLabel *Sender)
{
    TColorDialog &dialog = Pdatamodule->ColorDialog1;
    dialog.Color = fontColor(Sender);
    if (dialog.Execute())
        setFontColor(Sender, dialog.Color);
    setFontColor(LBWord, fontColor(LBclW));
    setFontColor(LBPron, fontColor(LBclP));
    setFontColor(MeMean, fontColor(LBclM));
    writeInt(Ini::WordColor, PColorToValue(fontColor(LBWord)));
    writeInt(Ini::PronColor, PColorToValue(fontColor(LBPron)));
    writeInt(Ini::MeanColor, PColorToValue(fontColor(MeMean)));
}

void TPMiniBrowseForm::PLclBackClick()
{
    TColorDialog &dialog = Pdatamodule->ColorDialog1;
    dialog.Color = PWindowColor();
    if (dialog.Execute())
        setWindowColor(dialog.Color);
    writeInt(Ini::BackColor, PColorToValue(PWindowColor()));
}

void TPMiniBrowseForm::TrackBar1Change()
{
    setWindowOpacity(TrackBar1->value() / 255.0);
    writeInt(Ini::Transparency, TrackBar1->value());
}

void TPMiniBrowseForm::CBPronClick()
{
    LBPron->setVisible(CBPron->isChecked());
    writeBool(Ini::ShowPhonetic, CBPron->isChecked());
}

void TPMiniBrowseForm::CBMeanClick()
{
    const bool on = CBMean->isChecked();
    MeMean->setVisible(on);
    CBDelay->setVisible(on);
    CBFilter->setVisible(on);
    writeBool(Ini::ShowMeaning, on);
}

void TPMiniBrowseForm::Button1Click()
{
    resize(DesignWidth, height());
    for (auto [w, sample, value] : {std::tuple<QWidget *, QLabel *, int>{LBWord, LBclW, DefaultWordColor},
                                    {LBPron, LBclP, DefaultPronColor},
                                    {MeMean, LBclM, DefaultMeanColor}}) {
        setFontColor(w, PColorFromValue(value));
        setFontColor(sample, PColorFromValue(value));
    }
    setWindowColor(PColorFromValue(DefaultBack));
    TrackBar1->setValue(DefaultAlpha);
    CBPron->setChecked(true);
    CBMean->setChecked(true);
    writeInt(Ini::BackColor, DefaultBack);
    writeInt(Ini::WordColor, DefaultWordColor);
    writeInt(Ini::PronColor, DefaultPronColor);
    writeInt(Ini::MeanColor, DefaultMeanColor);
    writeInt(Ini::Transparency, DefaultAlpha);
    writeBool(Ini::ShowPhonetic, true);
    writeBool(Ini::ShowMeaning, true);
}

// ---- rule settings

void TPMiniBrowseForm::CBRepeatClick()
{
    GBRepeatRule->setVisible(CBRepeat->isChecked());
    writeBool(Ini::RepeatNewWords, CBRepeat->isChecked());
}

void TPMiniBrowseForm::CBFilterClick() { writeBool(Ini::FilterMastered, CBFilter->isChecked()); }

void TPMiniBrowseForm::CBDelayClick() { writeBool(Ini::DelayMeaning, CBDelay->isChecked()); }

void TPMiniBrowseForm::SEReadIntervalChange()
{
    TimerBrowse->setInterval(SEReadInterval->value() * 1000 / 2);
    writeInt(Ini::ReadInterval, SEReadInterval->value());
}

void TPMiniBrowseForm::SERepeatIntervalChange()
{
    TimerRepeat->setInterval(SERepeatInterval->value() * 1000);
    writeInt(Ini::RepeatInterval, SERepeatInterval->value());
}

void TPMiniBrowseForm::RBRepeatTimesAutoClick()
{
    writeBool(Ini::AutoRepeat, RBRepeatTimesAuto->isChecked());
    SERepeatTimes->setVisible(!RBRepeatTimesAuto->isChecked());
}

void TPMiniBrowseForm::RBRepeatTimesManuClick()
{
    writeBool(Ini::AutoRepeat, !RBRepeatTimesManu->isChecked());
    SERepeatTimes->setVisible(RBRepeatTimesManu->isChecked());
}

void TPMiniBrowseForm::SERepeatTimesChange() { writeInt(Ini::ManualRepeatTimes, SERepeatTimes->value()); }

void TPMiniBrowseForm::Button2Click()
{
    CBRepeat->setChecked(true);
    CBFilter->setChecked(true);
    CBDelay->setChecked(true);
    SEReadInterval->setValue(2);
    SERepeatInterval->setValue(1);
    SERepeatTimes->setValue(2);
    RBRepeatTimesAuto->setChecked(true);
    writeBool(Ini::RepeatNewWords, CBRepeat->isChecked());
    writeBool(Ini::FilterMastered, CBFilter->isChecked());
    writeBool(Ini::DelayMeaning, CBDelay->isChecked());
    writeInt(Ini::ReadInterval, SEReadInterval->value());
    writeInt(Ini::RepeatInterval, SERepeatInterval->value());
    writeBool(Ini::AutoRepeat, RBRepeatTimesAuto->isChecked());
    writeInt(Ini::ManualRepeatTimes, SERepeatTimes->value());
}

// ---- word source and list

void TPMiniBrowseForm::CBCreateModeChange()
{
    if (CBCreateMode->currentIndex() == 0) {
        PLWordTable->show();
        return;
    }
    PLWordTable->hide();
    PDialogs().message(QStringLiteral("该接口尚在完善中"));
}

void TPMiniBrowseForm::CBWordTableChange()
{
    const QString name = CBWordTable->currentText();
    if (name.isEmpty())
        return;
    PSetCurrentTable(name);
    PLoadWords(Tbl::WordTable, PCurrentTable, Mode::MiniMaster);
    PMiniIndex = 0;
    SBPauseClick();
    PShowCurrentWord();
    LBWordCount->setText(QString::number(Pdatamodule->PGetCountFromTable(PCurrentTable)) + QStringLiteral("词"));
}

// ---- context menu and marks

void TPMiniBrowseForm::PopupMenu1Popup() { SBPauseClick(); }

void TPMiniBrowseForm::markShownWord(const QString &RepeatCount, const QString &MasterType, bool hideIt)
{
    QTreeWidget *lv = miniList();
    const int i = lv ? PFindWordIndex(LBWord->text(), lv) : -1;
    if (i < 0) {
        // The shown text is no word of this list (a left-over or the design text): nothing to mark.
        PMiniIndex = 0;
    } else {
        PMiniIndex = i;
        QTreeWidgetItem *item = PItemAt(lv, i);
        const QString word = PCaption(item);
        PSetSubItem(item, PMiniRepeatColumn, RepeatCount);
        Pdatamodule->PUpdateOneDataFromTable(PCurrentTable, Col::Word, Col::MasterType, word,
                                             MasterType);
        if (readString(Ini::Sender, QStringLiteral("迷你")) == QStringLiteral("学词"))
            Pdatamodule->PUpdateOneDataFromTable(Tbl::TempTable, Col::Word,
                                                 Col::MasterType, word, MasterType);
        if (hideIt && CBNotShowMasterMode->isChecked()) {
            PRemoveItem(item);
            if (PItemCount(lv) > 0) {
                if (PMiniIndex == PItemCount(lv))
                    PMiniIndex = 0;
                PShowCurrentWord();
            }
            PSyncPosition(lv);
        }
    }
    SBStartClick();
}

void TPMiniBrowseForm::PShowGroup(const QString &Table)
{
    GBWordTable->hide();
    N4->setEnabled(false);
    PLoadWords(Tbl::WordTable, Table, Mode::MiniMaster);
    Show();
}

void TPMiniBrowseForm::N1Click() { markShownWord(QStringLiteral("0"), Code::Master11, true); }

void TPMiniBrowseForm::N2Click() { markShownWord(QStringLiteral("3"), Code::Master00, false); }

void TPMiniBrowseForm::N4Click()
{
    PHandOver(PHandOvers().dictForm, LBWord->text().trimmed(), false);
    SBStartClick();
}

// ---- return command

void TPMiniBrowseForm::SBCancelClick()
{
    // Collapsed and on top again. The taskbar button belongs to each window here, and this one
    // now hides or closes, so there is no button of its own to show again.
    SBupClick();
    GBWordTable->show();
    N4->setEnabled(true);
    SBStart->show();
    SBPause->hide();
    PMiniIndex = 0;
    TimerBrowse->setEnabled(false);
    TimerRepeat->setEnabled(false);
    CBNotShowMasterMode->setChecked(false);
    CBNotShowMasterMode->setEnabled(true);
    // Clearing the box re-synchronised the index on the shown word; the return starts from the first.
    PMiniIndex = 0;

    const QString Default = QStringLiteral("迷你");
    if (readString(Ini::Sender, Default) == QStringLiteral("欢迎")) {
        hide();
        if (PWelcomeForm)
            PWelcomeForm->Show();
    } else if (readString(Ini::Sender, Default) == QStringLiteral("学词")) {
        hide();
        PHandOver(PHandOvers().browseForm);
    } else if (readString(Ini::Sender, Default) == QStringLiteral("迷你")) {
        close();
    }
}
