// The mini browser's controls, laid out as the window was designed: the bar on top, the progress
// row and the three setting groups of the expanded panel below it.

#include "shell/minibrowseform.h"

#include "platform/windowkit.h"

#include "platform/formbase.h"
#include "shell/minidesign.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>

using namespace MiniDesign;

namespace {

QToolButton *speedButton(QWidget *parent, const QString &name, const QString &hint)
{
    QToolButton *b = PMakeSpeedButton(parent, name, hint);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QLabel *label(QWidget *parent, const QString &text, int x, int y)
{
    auto *l = new QLabel(text, parent);
    l->move(x, y);
    PFitToTextWhenSeen(l);
    return l;
}

}  // namespace

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

    Panel1 = PNamed(new QFrame(this), QStringLiteral("Panel1"));
    auto *bar = new QHBoxLayout(Panel1);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(0);
    LBWord = PNamed(new QLabel(QStringLiteral("Word"), Panel1), QStringLiteral("LBWord"));
    LBWord->setCursor(Qt::PointingHandCursor);
    LBPron = PNamed(new QLabel(Panel1), QStringLiteral("LBPron"));
    LBPron->setCursor(Qt::ArrowCursor);
    MeMean = PNamed(new QLineEdit(Panel1), QStringLiteral("MeMean"));
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

    PLProcess = PNamed(new QFrame(this), QStringLiteral("PLProcess"));
    PLProcess->setFrameShape(QFrame::StyledPanel);
    LBProcess = PNamed(new QLabel(QStringLiteral("0/0"), PLProcess), QStringLiteral("LBProcess"));
    LBProcess->setGeometry(6, 4, 64, 18);
    TBProcess = PNamed(new QSlider(Qt::Horizontal, PLProcess), QStringLiteral("TBProcess"));
    TBProcess->setRange(1, 10);
    TBProcess->setValue(1);
    TBProcess->setTickPosition(QSlider::NoTicks);

    GBWordTable = PNamed(new QGroupBox(QStringLiteral("词表选择"), this), QStringLiteral("GBWordTable"));
    GBWordTable->setGeometry(11, 72, 250, 110);
    CBCreateMode = PNamed(new QComboBox(GBWordTable), QStringLiteral("CBCreateMode"));
    CBCreateMode->setToolTip(QStringLiteral("选择词表格式"));
    CBCreateMode->addItems({QStringLiteral("本词库内的单词表"), QStringLiteral("Lexorin专用文本格式"),
                            QStringLiteral("金山词霸生词本格式"), QStringLiteral("海词生词本格式"),
                            QStringLiteral("金山迷你背单词格式（需联网）"), QStringLiteral("单纯单词列表（需联网）")});
    CBCreateMode->setGeometry(10, 24, 230, 24);
    PLWordTable = PNamed(new QFrame(GBWordTable), QStringLiteral("PLWordTable"));
    PLWordTable->setGeometry(10, 54, 230, 50);
    CBWordTable = PNamed(new QComboBox(PLWordTable), QStringLiteral("CBWordTable"));
    CBWordTable->setToolTip(QStringLiteral("选择本库内单词表"));
    CBWordTable->setGeometry(0, 0, 230, 24);
    LBWordCount = PNamed(new QLabel(PLWordTable), QStringLiteral("LBWordCount"));
    LBWordCount->setGeometry(0, 28, 230, 18);

    GroupBox3 = PNamed(new QGroupBox(QStringLiteral("界面设置"), this), QStringLiteral("GroupBox3"));
    GroupBox3->setGeometry(267, 72, 202, 110);
    label(GroupBox3, QStringLiteral("颜色"), 10, 26);
    PLclBack = PNamed(new QFrame(GroupBox3), QStringLiteral("PLclBack"));
    PLclBack->setGeometry(50, 20, 144, 28);
    PLclBack->setAutoFillBackground(true);
    PLclBack->setCursor(Qt::PointingHandCursor);
    Shape1 = PNamed(new QFrame(PLclBack), QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setGeometry(2, 2, 140, 24);
    Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);
    LBclW = PNamed(new QLabel(QStringLiteral(" 单词"), PLclBack), QStringLiteral("LBclW"));
    LBclW->setGeometry(6, 5, 44, 18);
    LBclP = PNamed(new QLabel(QStringLiteral(" 音标"), PLclBack), QStringLiteral("LBclP"));
    LBclP->setGeometry(52, 5, 44, 18);
    LBclM = PNamed(new QLabel(QStringLiteral("解释 "), PLclBack), QStringLiteral("LBclM"));
    LBclM->setGeometry(98, 5, 44, 18);
    for (QLabel *l : {LBclW, LBclP, LBclM})
        l->setCursor(Qt::PointingHandCursor);
    setFontColor(LBclW, PColorFromValue(DefaultWordColor));
    setFontColor(LBclP, PColorFromValue(DefaultPronColor));
    setFontColor(LBclM, PColorFromValue(DefaultMeanColor));
    label(GroupBox3, QStringLiteral("透明度"), 10, 56);
    TrackBar1 = PNamed(new QSlider(Qt::Horizontal, GroupBox3), QStringLiteral("TrackBar1"));
    TrackBar1->setRange(MinAlpha, MaxAlpha);
    TrackBar1->setPageStep(15);
    TrackBar1->setValue(DefaultAlpha);
    TrackBar1->setGeometry(56, 54, 138, 22);
    CBPron = PNamed(new QCheckBox(QStringLiteral("音标"), GroupBox3), QStringLiteral("CBPron"));
    CBPron->setChecked(true);
    CBPron->setGeometry(10, 80, 52, 22);
    CBMean = PNamed(new QCheckBox(QStringLiteral("解释"), GroupBox3), QStringLiteral("CBMean"));
    CBMean->setChecked(true);
    CBMean->setGeometry(62, 80, 52, 22);
    Button1 = PNamed(new QPushButton(QStringLiteral("恢复默认值"), GroupBox3), QStringLiteral("Button1"));
    Button1->setGeometry(114, 78, 82, 26);

    GroupBox1 = PNamed(new QGroupBox(QStringLiteral("规则设置"), this), QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(11, 188, 458, 134);
    CBRepeat = PNamed(new QCheckBox(QStringLiteral("重复生词"), GroupBox1), QStringLiteral("CBRepeat"));
    CBRepeat->setToolTip(QStringLiteral("重复朗读指定次数"));
    CBRepeat->setGeometry(10, 24, 96, 22);
    CBFilter = PNamed(new QCheckBox(QStringLiteral("过滤熟词"), GroupBox1), QStringLiteral("CBFilter"));
    CBFilter->setToolTip(QStringLiteral("不显示熟词的解释"));
    CBFilter->setGeometry(10, 50, 96, 22);
    CBNotShowMasterMode =
        PNamed(new QCheckBox(QStringLiteral("隐词模式"), GroupBox1), QStringLiteral("CBNotShowMasterMode"));
    CBNotShowMasterMode->setToolTip(QStringLiteral("已掌握单词不参与播放"));
    CBNotShowMasterMode->setGeometry(10, 76, 96, 22);
    CBDelay = PNamed(new QCheckBox(QStringLiteral("词义缓出"), GroupBox1), QStringLiteral("CBDelay"));
    CBDelay->setGeometry(10, 102, 96, 22);
    label(GroupBox1, QStringLiteral("换词间隔"), 112, 27);
    SEReadInterval = PNamed(new QSpinBox(GroupBox1), QStringLiteral("SEReadInterval"));
    SEReadInterval->setRange(1, 6);
    SEReadInterval->setValue(2);
    SEReadInterval->setToolTip(QStringLiteral("间隔秒数"));
    // Only the arrows change it.
    if (auto *edit = SEReadInterval->findChild<QLineEdit *>())
        edit->setReadOnly(true);
    SEReadInterval->setGeometry(176, 24, 48, 22);
    GBRepeatRule = PNamed(new QGroupBox(QStringLiteral("生词重复朗读规则"), GroupBox1), QStringLiteral("GBRepeatRule"));
    GBRepeatRule->setGeometry(112, 50, 250, 78);
    label(GBRepeatRule, QStringLiteral("重复间隔秒数"), 10, 22);
    SERepeatInterval = PNamed(new QSpinBox(GBRepeatRule), QStringLiteral("SERepeatInterval"));
    SERepeatInterval->setRange(1, 3);
    SERepeatInterval->setValue(2);
    SERepeatInterval->setGeometry(100, 18, 44, 22);
    RBRepeatTimesAuto =
        PNamed(new QRadioButton(QStringLiteral("由软件自动指定重复遍数"), GBRepeatRule), QStringLiteral("RBRepeatTimesAuto"));
    RBRepeatTimesAuto->setGeometry(10, 42, 236, 18);
    RBRepeatTimesAuto->setChecked(true);
    RBRepeatTimesManu =
        PNamed(new QRadioButton(QStringLiteral("由我指定重复遍数"), GBRepeatRule), QStringLiteral("RBRepeatTimesManu"));
    RBRepeatTimesManu->setGeometry(10, 58, 150, 18);
    SERepeatTimes = PNamed(new QSpinBox(GBRepeatRule), QStringLiteral("SERepeatTimes"));
    SERepeatTimes->setRange(1, 9);
    SERepeatTimes->setValue(2);
    SERepeatTimes->setGeometry(162, 55, 44, 22);
    SERepeatTimes->hide();
    Button2 = PNamed(new QPushButton(QStringLiteral("恢复默认值"), GroupBox1), QStringLiteral("Button2"));
    Button2->setGeometry(368, 100, 82, 26);

    PopupMenu1 = PNamed(new QMenu(this), QStringLiteral("PopupMenu1"));
    N1 = PopupMenu1->addAction(QStringLiteral("已掌握"));
    N1->setObjectName(QStringLiteral("N1"));
    N2 = PopupMenu1->addAction(QStringLiteral("已忘记"));
    N2->setObjectName(QStringLiteral("N2"));
    N4 = PopupMenu1->addAction(QStringLiteral("查"));
    N4->setObjectName(QStringLiteral("N4"));
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

