#include "shell/minibrowseform.h"

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
#include "shell/welcomeform.h"

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

namespace {

const QString Section = QStringLiteral("MiniBrowser");

QTreeWidget *miniList() { return PPublicForm ? PPublicForm->P_LVmini : nullptr; }
constexpr int SmallBar = 27;
constexpr int LargeBar = 35;
constexpr int ExpandedHeight = 327;
constexpr int DesignWidth = 480;
constexpr int SnapDistance = 15;
// The design values the restore button and a fresh settings file give.
constexpr int DefaultBack = 15780518;
constexpr int DefaultWordColor = 255;
constexpr int DefaultPronColor = 32768;
constexpr int DefaultMeanColor = 16711680;
constexpr int DefaultAlpha = 225;
// Below this the main window would be all but invisible, and the learner could not find it again.
constexpr int MinAlpha = 130;
constexpr int MaxAlpha = 255;

int readInt(const QString &key, int def) { return PConfigIni ? PConfigIni->ReadInteger(Section, key, def) : def; }
bool readBool(const QString &key, bool def) { return PConfigIni ? PConfigIni->ReadBool(Section, key, def) : def; }
QString readString(const QString &key, const QString &def)
{
    return PConfigIni ? PConfigIni->ReadString(Section, key, def) : def;
}
void writeInt(const QString &key, int v)
{
    if (PConfigIni)
        PConfigIni->WriteInteger(Section, key, v);
}
void writeBool(const QString &key, bool v)
{
    if (PConfigIni)
        PConfigIni->WriteBool(Section, key, v);
}

QToolButton *speedButton(QWidget *parent, const QString &name, const QString &hint)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QLabel *label(QWidget *parent, const QString &text, int x, int y)
{
    auto *l = new QLabel(text, parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

template <class W>
W *named(W *w, const QString &name)
{
    w->setObjectName(name);
    return w;
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
    setMouseTracking(true);
    setCursor(Qt::SizeAllCursor);
    setAutoFillBackground(true);

    TimerApp = new QTimer(this);
    TimerApp->setObjectName(QStringLiteral("TimerApp"));
    TimerApp->setInterval(1000);
    PConnect(TimerApp, &QTimer::timeout, this, &TPMiniBrowseForm::TimerAppTimer);

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
    TimerApp->start();
    PMiniBrowseForm = this;
}

TPMiniBrowseForm::~TPMiniBrowseForm()
{
    if (PMiniBrowseForm == this)
        PMiniBrowseForm = nullptr;
}

void TPMiniBrowseForm::buildLayout()
{
    SBStart = speedButton(this, QStringLiteral("SBStart"), QStringLiteral("开始自动浏览"));
    SBStart->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    SBStart->setGeometry(15, 4, 20, 20);
    SBPause = speedButton(this, QStringLiteral("SBPause"), QStringLiteral("暂停自动浏览"));
    SBPause->setIcon(style()->standardIcon(QStyle::SP_MediaPause));
    SBPause->setGeometry(15, 4, 20, 20);
    SBPause->hide();
    SBGoBack = speedButton(this, QStringLiteral("SBGoBack"), QStringLiteral("向后"));
    SBGoBack->setArrowType(Qt::UpArrow);
    SBGoBack->setGeometry(35, 0, 13, 14);
    SBGoFront = speedButton(this, QStringLiteral("SBGoFront"), QStringLiteral("向前"));
    SBGoFront->setArrowType(Qt::DownArrow);
    SBGoFront->setGeometry(35, 13, 13, 14);

    Panel1 = named(new QFrame(this), QStringLiteral("Panel1"));
    auto *bar = new QHBoxLayout(Panel1);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(0);
    LBWord = named(new QLabel(QStringLiteral("Word"), Panel1), QStringLiteral("LBWord"));
    LBWord->setCursor(Qt::PointingHandCursor);
    LBPron = named(new QLabel(Panel1), QStringLiteral("LBPron"));
    LBPron->setCursor(Qt::ArrowCursor);
    MeMean = named(new QLineEdit(Panel1), QStringLiteral("MeMean"));
    MeMean->setReadOnly(true);
    MeMean->setFrame(false);
    MeMean->setCursor(Qt::ArrowCursor);
    MeMean->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
    bar->addWidget(LBWord);
    bar->addWidget(LBPron);
    bar->addWidget(MeMean, 1);
    QFont f = LBWord->font();
    f.setBold(true);
    f.setPointSize(16);
    LBWord->setFont(f);
    f.setBold(false);
    f.setPointSize(12);
    LBPron->setFont(f);
    MeMean->setFont(f);
    setFontColor(LBWord, PColorFromValue(DefaultWordColor));
    setFontColor(LBPron, PColorFromValue(DefaultPronColor));
    setFontColor(MeMean, PColorFromValue(DefaultMeanColor));

    SBFontSize = speedButton(this, QStringLiteral("SBFontSize"), QStringLiteral("大小字体切换"));
    SBFontSize->setText(QStringLiteral("A"));
    SBdown = speedButton(this, QStringLiteral("SBdown"), QStringLiteral("展开"));
    SBdown->setArrowType(Qt::DownArrow);
    SBup = speedButton(this, QStringLiteral("SBup"), QStringLiteral("收起"));
    SBup->setArrowType(Qt::UpArrow);
    SBup->hide();
    SBCancel = speedButton(this, QStringLiteral("SBCancel"), QStringLiteral("返回"));
    SBCancel->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));

    PLProcess = named(new QFrame(this), QStringLiteral("PLProcess"));
    PLProcess->setFrameShape(QFrame::StyledPanel);
    LBProcess = named(new QLabel(QStringLiteral("0/0"), PLProcess), QStringLiteral("LBProcess"));
    LBProcess->setGeometry(6, 4, 64, 18);
    TBProcess = named(new QSlider(Qt::Horizontal, PLProcess), QStringLiteral("TBProcess"));
    TBProcess->setRange(1, 10);
    TBProcess->setValue(1);
    TBProcess->setTickPosition(QSlider::NoTicks);

    GBWordTable = named(new QGroupBox(QStringLiteral("词表选择"), this), QStringLiteral("GBWordTable"));
    GBWordTable->setGeometry(11, 72, 250, 110);
    CBCreateMode = named(new QComboBox(GBWordTable), QStringLiteral("CBCreateMode"));
    CBCreateMode->setToolTip(QStringLiteral("选择词表格式"));
    CBCreateMode->addItems({QStringLiteral("本词库内的单词表"), QStringLiteral("Lexorin专用文本格式"),
                            QStringLiteral("金山词霸生词本格式"), QStringLiteral("海词生词本格式"),
                            QStringLiteral("金山迷你背单词格式（需联网）"), QStringLiteral("单纯单词列表（需联网）")});
    CBCreateMode->setGeometry(10, 24, 230, 24);
    PLWordTable = named(new QFrame(GBWordTable), QStringLiteral("PLWordTable"));
    PLWordTable->setGeometry(10, 54, 230, 50);
    CBWordTable = named(new QComboBox(PLWordTable), QStringLiteral("CBWordTable"));
    CBWordTable->setToolTip(QStringLiteral("选择本库内单词表"));
    CBWordTable->setGeometry(0, 0, 230, 24);
    LBWordCount = named(new QLabel(PLWordTable), QStringLiteral("LBWordCount"));
    LBWordCount->setGeometry(0, 28, 230, 18);

    GroupBox3 = named(new QGroupBox(QStringLiteral("界面设置"), this), QStringLiteral("GroupBox3"));
    GroupBox3->setGeometry(267, 72, 202, 110);
    label(GroupBox3, QStringLiteral("颜色"), 10, 26);
    PLclBack = named(new QFrame(GroupBox3), QStringLiteral("PLclBack"));
    PLclBack->setGeometry(50, 20, 144, 28);
    PLclBack->setAutoFillBackground(true);
    PLclBack->setCursor(Qt::PointingHandCursor);
    Shape1 = named(new QFrame(PLclBack), QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setGeometry(2, 2, 140, 24);
    Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);
    LBclW = named(new QLabel(QStringLiteral(" 单词"), PLclBack), QStringLiteral("LBclW"));
    LBclW->setGeometry(6, 5, 44, 18);
    LBclP = named(new QLabel(QStringLiteral(" 音标"), PLclBack), QStringLiteral("LBclP"));
    LBclP->setGeometry(52, 5, 44, 18);
    LBclM = named(new QLabel(QStringLiteral("解释 "), PLclBack), QStringLiteral("LBclM"));
    LBclM->setGeometry(98, 5, 44, 18);
    for (QLabel *l : {LBclW, LBclP, LBclM})
        l->setCursor(Qt::PointingHandCursor);
    setFontColor(LBclW, PColorFromValue(DefaultWordColor));
    setFontColor(LBclP, PColorFromValue(DefaultPronColor));
    setFontColor(LBclM, PColorFromValue(DefaultMeanColor));
    label(GroupBox3, QStringLiteral("透明度"), 10, 56);
    TrackBar1 = named(new QSlider(Qt::Horizontal, GroupBox3), QStringLiteral("TrackBar1"));
    TrackBar1->setRange(MinAlpha, MaxAlpha);
    TrackBar1->setPageStep(15);
    TrackBar1->setValue(DefaultAlpha);
    TrackBar1->setGeometry(56, 54, 138, 22);
    CBPron = named(new QCheckBox(QStringLiteral("音标"), GroupBox3), QStringLiteral("CBPron"));
    CBPron->setChecked(true);
    CBPron->setGeometry(10, 80, 52, 22);
    CBMean = named(new QCheckBox(QStringLiteral("解释"), GroupBox3), QStringLiteral("CBMean"));
    CBMean->setChecked(true);
    CBMean->setGeometry(62, 80, 52, 22);
    Button1 = named(new QPushButton(QStringLiteral("恢复默认值"), GroupBox3), QStringLiteral("Button1"));
    Button1->setGeometry(114, 78, 82, 26);

    GroupBox1 = named(new QGroupBox(QStringLiteral("规则设置"), this), QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(11, 188, 458, 134);
    CBRepeat = named(new QCheckBox(QStringLiteral("重复生词"), GroupBox1), QStringLiteral("CBRepeat"));
    CBRepeat->setToolTip(QStringLiteral("重复朗读指定次数"));
    CBRepeat->setGeometry(10, 24, 96, 22);
    CBFilter = named(new QCheckBox(QStringLiteral("过滤熟词"), GroupBox1), QStringLiteral("CBFilter"));
    CBFilter->setToolTip(QStringLiteral("不显示熟词的解释"));
    CBFilter->setGeometry(10, 50, 96, 22);
    CBNotShowMasterMode =
        named(new QCheckBox(QStringLiteral("隐词模式"), GroupBox1), QStringLiteral("CBNotShowMasterMode"));
    CBNotShowMasterMode->setToolTip(QStringLiteral("已掌握单词不参与播放"));
    CBNotShowMasterMode->setGeometry(10, 76, 96, 22);
    CBDelay = named(new QCheckBox(QStringLiteral("词义缓出"), GroupBox1), QStringLiteral("CBDelay"));
    CBDelay->setGeometry(10, 102, 96, 22);
    label(GroupBox1, QStringLiteral("换词间隔"), 112, 27);
    SEReadInterval = named(new QSpinBox(GroupBox1), QStringLiteral("SEReadInterval"));
    SEReadInterval->setRange(1, 6);
    SEReadInterval->setValue(2);
    SEReadInterval->setToolTip(QStringLiteral("间隔秒数"));
    // Only the arrows change it.
    if (auto *edit = SEReadInterval->findChild<QLineEdit *>())
        edit->setReadOnly(true);
    SEReadInterval->setGeometry(176, 24, 48, 22);
    GBRepeatRule = named(new QGroupBox(QStringLiteral("生词重复朗读规则"), GroupBox1), QStringLiteral("GBRepeatRule"));
    GBRepeatRule->setGeometry(112, 50, 250, 78);
    label(GBRepeatRule, QStringLiteral("重复间隔秒数"), 10, 22);
    SERepeatInterval = named(new QSpinBox(GBRepeatRule), QStringLiteral("SERepeatInterval"));
    SERepeatInterval->setRange(1, 3);
    SERepeatInterval->setValue(2);
    SERepeatInterval->setGeometry(100, 18, 44, 22);
    RBRepeatTimesAuto =
        named(new QRadioButton(QStringLiteral("由软件自动指定重复遍数"), GBRepeatRule), QStringLiteral("RBRepeatTimesAuto"));
    RBRepeatTimesAuto->setGeometry(10, 42, 236, 18);
    RBRepeatTimesAuto->setChecked(true);
    RBRepeatTimesManu =
        named(new QRadioButton(QStringLiteral("由我指定重复遍数"), GBRepeatRule), QStringLiteral("RBRepeatTimesManu"));
    RBRepeatTimesManu->setGeometry(10, 58, 150, 18);
    SERepeatTimes = named(new QSpinBox(GBRepeatRule), QStringLiteral("SERepeatTimes"));
    SERepeatTimes->setRange(1, 9);
    SERepeatTimes->setValue(2);
    SERepeatTimes->setGeometry(162, 55, 44, 22);
    SERepeatTimes->hide();
    Button2 = named(new QPushButton(QStringLiteral("恢复默认值"), GroupBox1), QStringLiteral("Button2"));
    Button2->setGeometry(368, 100, 82, 26);

    PopupMenu1 = named(new QMenu(this), QStringLiteral("PopupMenu1"));
    N1 = PopupMenu1->addAction(QStringLiteral("已掌握"));
    N1->setObjectName(QStringLiteral("N1"));
    N2 = PopupMenu1->addAction(QStringLiteral("已忘记"));
    N2->setObjectName(QStringLiteral("N2"));
    N4 = PopupMenu1->addAction(QStringLiteral("查"));
    N4->setObjectName(QStringLiteral("N4"));
    // The small dictionary is not in the program yet: the look-up stays offered but unavailable.
    N4->setEnabled(false);
    for (QWidget *w : {static_cast<QWidget *>(LBWord), static_cast<QWidget *>(LBPron), static_cast<QWidget *>(MeMean)}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this, [this, w](const QPoint &p) {
            PGuard([this] { PopupMenu1Popup(); });
            PopupMenu1->exec(w->mapToGlobal(p));
        });
    }
    LBWord->installEventFilter(this);
    PLclBack->installEventFilter(this);
    for (QLabel *l : {LBclW, LBclP, LBclM})
        l->installEventFilter(this);

    PConnect(SBStart, &QToolButton::clicked, this, &TPMiniBrowseForm::SBStartClick);
    PConnect(SBPause, &QToolButton::clicked, this, &TPMiniBrowseForm::SBPauseClick);
    PConnect(SBGoFront, &QToolButton::clicked, this, &TPMiniBrowseForm::SBGoFrontClick);
    PConnect(SBGoBack, &QToolButton::clicked, this, &TPMiniBrowseForm::SBGoBackClick);
    PConnect(SBFontSize, &QToolButton::clicked, this, &TPMiniBrowseForm::SBFontSizeClick);
    PConnect(SBdown, &QToolButton::clicked, this, &TPMiniBrowseForm::SBdownClick);
    PConnect(SBup, &QToolButton::clicked, this, &TPMiniBrowseForm::SBupClick);
    PConnect(SBCancel, &QToolButton::clicked, this, &TPMiniBrowseForm::SBCancelClick);
    PConnect(TBProcess, &QSlider::valueChanged, this, &TPMiniBrowseForm::TBProcessChange);
    PConnect(TrackBar1, &QSlider::valueChanged, this, &TPMiniBrowseForm::TrackBar1Change);
    PConnect(CBPron, &QCheckBox::toggled, this, &TPMiniBrowseForm::CBPronClick);
    PConnect(CBMean, &QCheckBox::toggled, this, &TPMiniBrowseForm::CBMeanClick);
    PConnect(Button1, &QPushButton::clicked, this, &TPMiniBrowseForm::Button1Click);
    PConnect(CBRepeat, &QCheckBox::toggled, this, &TPMiniBrowseForm::CBRepeatClick);
    PConnect(CBFilter, &QCheckBox::toggled, this, &TPMiniBrowseForm::CBFilterClick);
    PConnect(CBDelay, &QCheckBox::toggled, this, &TPMiniBrowseForm::CBDelayClick);
    PConnect(CBNotShowMasterMode, &QCheckBox::toggled, this, &TPMiniBrowseForm::CBNotShowMasterModeClick);
    PConnect(SEReadInterval, &QSpinBox::valueChanged, this, &TPMiniBrowseForm::SEReadIntervalChange);
    PConnect(SERepeatInterval, &QSpinBox::valueChanged, this, &TPMiniBrowseForm::SERepeatIntervalChange);
    PConnect(SERepeatTimes, &QSpinBox::valueChanged, this, &TPMiniBrowseForm::SERepeatTimesChange);
    // A radio button's handler runs when it becomes checked.
    connect(RBRepeatTimesAuto, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            PGuard([this] { RBRepeatTimesAutoClick(); });
    });
    connect(RBRepeatTimesManu, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            PGuard([this] { RBRepeatTimesManuClick(); });
    });
    PConnect(Button2, &QPushButton::clicked, this, &TPMiniBrowseForm::Button2Click);
    // Only the learner's choice changes the list; filling the combo does not.
    PConnect(CBCreateMode, &QComboBox::activated, this, &TPMiniBrowseForm::CBCreateModeChange);
    PConnect(CBWordTable, &QComboBox::activated, this, &TPMiniBrowseForm::CBWordTableChange);
    PConnect(N1, &QAction::triggered, this, &TPMiniBrowseForm::N1Click);
    PConnect(N2, &QAction::triggered, this, &TPMiniBrowseForm::N2Click);
    PConnect(N4, &QAction::triggered, this, &TPMiniBrowseForm::N4Click);

    placeBarControls();
}

// The bar stretches with the window; its right-hand buttons keep to the right edge.
void TPMiniBrowseForm::placeBarControls()
{
    const int w = width();
    const int bar = m_barHeight;
    Panel1->setGeometry(48, 0, qMax(0, w - 48 - 61), bar);
    const int y = (bar - 16) / 2;
    SBFontSize->setGeometry(w - 61, y, 16, 16);
    SBdown->setGeometry(w - 45, y, 16, 16);
    SBup->setGeometry(w - 45, y, 16, 16);
    SBCancel->setGeometry(w - 29, y, 16, 16);
    PLProcess->setGeometry(11, 44, qMax(0, w - 22), 26);
    TBProcess->setGeometry(72, 3, qMax(0, PLProcess->width() - 80), 20);
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
    const QPoint at = pos();
    m_restyling = true;
    setWindowFlags(flags);
    move(at);
    if (wasVisible)
        show();
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

    setWindowColor(PColorFromValue(readInt(QStringLiteral("背景颜色"), DefaultBack)));
    setFontColor(LBWord, PColorFromValue(readInt(QStringLiteral("单词颜色"), DefaultWordColor)));
    setFontColor(LBPron, PColorFromValue(readInt(QStringLiteral("音标颜色"), DefaultPronColor)));
    setFontColor(MeMean, PColorFromValue(readInt(QStringLiteral("解释颜色"), DefaultMeanColor)));

    const int alpha = qBound(MinAlpha, readInt(QStringLiteral("透明度"), DefaultAlpha), MaxAlpha);
    setWindowOpacity(alpha / 255.0);
    TrackBar1->setValue(alpha);

    CBPron->setChecked(readBool(QStringLiteral("显示音标"), true));
    CBMean->setChecked(readBool(QStringLiteral("显示解释"), true));
    setFontColor(LBclW, fontColor(LBWord));
    setFontColor(LBclP, fontColor(LBPron));
    setFontColor(LBclM, fontColor(MeMean));
    PApplyPhoneticFont2(LBPron);
    setBarMaximum(wordCount());

    // The spin boxes keep the intervals within their ranges, so no stored value makes a busy timer.
    SEReadInterval->setValue(readInt(QStringLiteral("换词间隔"), 2));
    SERepeatInterval->setValue(readInt(QStringLiteral("重复间隔"), 2));
    TimerBrowse->setInterval(SEReadInterval->value() * 1000 / 2);
    TimerRepeat->setInterval(SERepeatInterval->value() * 1000);

    const bool autoRepeat = readBool(QStringLiteral("自动重复"), true);
    RBRepeatTimesAuto->setChecked(autoRepeat);
    RBRepeatTimesManu->setChecked(!autoRepeat);
    SERepeatTimes->setValue(readInt(QStringLiteral("手动重复遍数"), 2));

    CBRepeat->setChecked(readBool(QStringLiteral("重复生词"), true));
    CBFilter->setChecked(readBool(QStringLiteral("过滤熟词"), true));
    CBDelay->setChecked(readBool(QStringLiteral("词义缓出"), true));
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

void TPMiniBrowseForm::mouseMoveEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    const bool sizing = p.y() <= LargeBar && p.x() >= width() - 10;
    setCursor(sizing ? Qt::SizeHorCursor : Qt::SizeAllCursor);
    TPForm::mouseMoveEvent(e);
}

void TPMiniBrowseForm::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton) {
        const QPoint p = e->position().toPoint();
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

// Near a screen edge the window snaps to it.
void TPMiniBrowseForm::moveEvent(QMoveEvent *e)
{
    TPForm::moveEvent(e);
    QScreen *s = screen();
    if (m_snapping || m_restyling || !s || !isVisible())
        return;
    const QRect area = s->availableGeometry();
    QRect r = frameGeometry();
    if (qAbs(r.left() - area.left()) <= SnapDistance)
        r.moveLeft(area.left());
    else if (qAbs(r.right() - area.right()) <= SnapDistance)
        r.moveRight(area.right());
    if (qAbs(r.top() - area.top()) <= SnapDistance)
        r.moveTop(area.top());
    else if (qAbs(r.bottom() - area.bottom()) <= SnapDistance)
        r.moveBottom(area.bottom());
    if (r.topLeft() != frameGeometry().topLeft()) {
        m_snapping = true;
        move(r.topLeft());
        m_snapping = false;
    }
}

bool TPMiniBrowseForm::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton) {
        if (watched == LBWord)
            PGuard([this] { LBWordClick(); });
        else if (watched == LBclW || watched == LBclP || watched == LBclM)
            PGuard([this, watched] { LBclWClick(static_cast<QLabel *>(watched)); });
        else if (watched == PLclBack)
            PGuard([this] { PLclBackClick(); });
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
    writeInt(QStringLiteral("单词颜色"), PColorToValue(fontColor(LBWord)));
    writeInt(QStringLiteral("音标颜色"), PColorToValue(fontColor(LBPron)));
    writeInt(QStringLiteral("解释颜色"), PColorToValue(fontColor(MeMean)));
}

void TPMiniBrowseForm::PLclBackClick()
{
    TColorDialog &dialog = Pdatamodule->ColorDialog1;
    dialog.Color = PWindowColor();
    if (dialog.Execute())
        setWindowColor(dialog.Color);
    writeInt(QStringLiteral("背景颜色"), PColorToValue(PWindowColor()));
}

void TPMiniBrowseForm::TrackBar1Change()
{
    setWindowOpacity(TrackBar1->value() / 255.0);
    writeInt(QStringLiteral("透明度"), TrackBar1->value());
}

void TPMiniBrowseForm::CBPronClick()
{
    LBPron->setVisible(CBPron->isChecked());
    writeBool(QStringLiteral("显示音标"), CBPron->isChecked());
}

void TPMiniBrowseForm::CBMeanClick()
{
    const bool on = CBMean->isChecked();
    MeMean->setVisible(on);
    CBDelay->setVisible(on);
    CBFilter->setVisible(on);
    writeBool(QStringLiteral("显示解释"), on);
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
    writeInt(QStringLiteral("背景颜色"), DefaultBack);
    writeInt(QStringLiteral("单词颜色"), DefaultWordColor);
    writeInt(QStringLiteral("音标颜色"), DefaultPronColor);
    writeInt(QStringLiteral("解释颜色"), DefaultMeanColor);
    writeInt(QStringLiteral("透明度"), DefaultAlpha);
    writeBool(QStringLiteral("显示音标"), true);
    writeBool(QStringLiteral("显示解释"), true);
}

// ---- rule settings

void TPMiniBrowseForm::CBRepeatClick()
{
    GBRepeatRule->setVisible(CBRepeat->isChecked());
    writeBool(QStringLiteral("重复生词"), CBRepeat->isChecked());
}

void TPMiniBrowseForm::CBFilterClick() { writeBool(QStringLiteral("过滤熟词"), CBFilter->isChecked()); }

void TPMiniBrowseForm::CBDelayClick() { writeBool(QStringLiteral("词义缓出"), CBDelay->isChecked()); }

void TPMiniBrowseForm::SEReadIntervalChange()
{
    TimerBrowse->setInterval(SEReadInterval->value() * 1000 / 2);
    writeInt(QStringLiteral("换词间隔"), SEReadInterval->value());
}

void TPMiniBrowseForm::SERepeatIntervalChange()
{
    TimerRepeat->setInterval(SERepeatInterval->value() * 1000);
    writeInt(QStringLiteral("重复间隔"), SERepeatInterval->value());
}

void TPMiniBrowseForm::RBRepeatTimesAutoClick()
{
    writeBool(QStringLiteral("自动重复"), RBRepeatTimesAuto->isChecked());
    SERepeatTimes->setVisible(!RBRepeatTimesAuto->isChecked());
}

void TPMiniBrowseForm::RBRepeatTimesManuClick()
{
    writeBool(QStringLiteral("自动重复"), !RBRepeatTimesManu->isChecked());
    SERepeatTimes->setVisible(RBRepeatTimesManu->isChecked());
}

void TPMiniBrowseForm::SERepeatTimesChange() { writeInt(QStringLiteral("手动重复遍数"), SERepeatTimes->value()); }

void TPMiniBrowseForm::Button2Click()
{
    CBRepeat->setChecked(true);
    CBFilter->setChecked(true);
    CBDelay->setChecked(true);
    SEReadInterval->setValue(2);
    SERepeatInterval->setValue(1);
    SERepeatTimes->setValue(2);
    RBRepeatTimesAuto->setChecked(true);
    writeBool(QStringLiteral("重复生词"), CBRepeat->isChecked());
    writeBool(QStringLiteral("过滤熟词"), CBFilter->isChecked());
    writeBool(QStringLiteral("词义缓出"), CBDelay->isChecked());
    writeInt(QStringLiteral("换词间隔"), SEReadInterval->value());
    writeInt(QStringLiteral("重复间隔"), SERepeatInterval->value());
    writeBool(QStringLiteral("自动重复"), RBRepeatTimesAuto->isChecked());
    writeInt(QStringLiteral("手动重复遍数"), SERepeatTimes->value());
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
    PLoadWords(QStringLiteral("WordTable"), PCurrentTable, QStringLiteral("MiniMaster"));
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
        PSetSubItem(item, 2, RepeatCount);
        Pdatamodule->PUpdateOneDataFromTable(PCurrentTable, QStringLiteral("单词"), QStringLiteral("掌握类型"), word,
                                             MasterType);
        if (readString(QStringLiteral("Sender"), QStringLiteral("迷你")) == QStringLiteral("学词"))
            Pdatamodule->PUpdateOneDataFromTable(QStringLiteral("TempTable"), QStringLiteral("单词"),
                                                 QStringLiteral("掌握类型"), word, MasterType);
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

void TPMiniBrowseForm::N1Click() { markShownWord(QStringLiteral("0"), QStringLiteral("11"), true); }

void TPMiniBrowseForm::N2Click() { markShownWord(QStringLiteral("3"), QStringLiteral("00"), false); }

void TPMiniBrowseForm::N4Click()
{
    // The look-up in the small dictionary comes here once that window is part of the program
    // (N4 stays disabled until then); playback resumes afterwards.
    SBStartClick();
}

// ---- return command

void TPMiniBrowseForm::SBCancelClick()
{
    // Collapsed and on top again. The taskbar button belongs to each window here, and this one
    // now hides or closes, so there is no button of its own to show again.
    SBupClick();
    GBWordTable->show();
    // N4 stays disabled while the small dictionary is not part of the program.
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
    if (readString(QStringLiteral("Sender"), Default) == QStringLiteral("欢迎")) {
        hide();
        if (PWelcomeForm)
            PWelcomeForm->Show();
    } else if (readString(QStringLiteral("Sender"), Default) == QStringLiteral("学词")) {
        // The word browser is not part of the program yet; once it is, it is shown here.
        hide();
    } else if (readString(QStringLiteral("Sender"), Default) == QStringLiteral("迷你")) {
        close();
    }
}
