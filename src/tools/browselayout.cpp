// The word browser's controls and menus, laid out at the sizes the window was designed for.

#include "tools/browseform.h"

#include "core/listviews.h"
#include "vocab/bankvocab.h"

#include "rules/browserules.h"
#include "platform/windowkit.h"
#include "platform/windowlook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QToolButton *toolButton(QWidget *parent, const QString &name, const QString &text, const QString &hint)
{
    QToolButton *b = PMakeSpeedButton(parent, name, hint);
    b->setText(text);
    return b;
}

QLineEdit *field(QWidget *parent, const QString &name, int pixelSize, bool bold, const QColor &color,
                 bool readOnly = false)
{
    QLineEdit *e = PMakeLineEdit(parent, name, readOnly);
    QFont f = e->font();
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    e->setFont(f);
    QPalette p = e->palette();
    p.setColor(QPalette::Text, color);
    e->setPalette(p);
    return e;
}

QTextEdit *richEdit(QWidget *parent, const QString &name)
{
    auto *e = PNamed(new QTextEdit(parent), name);
    e->setAcceptRichText(true);
    e->setContextMenuPolicy(Qt::CustomContextMenu);
    QFont f(QStringLiteral("宋体"));
    f.setPixelSize(16);
    e->document()->setDefaultFont(f);
    return e;
}

QTreeWidget *reportView(QWidget *parent, const QString &name)
{
    QTreeWidget *v = PMakeReportView(parent, name,
                                     {{QStringLiteral("ID"), 40, false, PHeldTexts(Col::ID)}, {QStringLiteral("单词"), 120},
                                      {QStringLiteral("解释"), 368}, {QStringLiteral("测试次数"), 30},
                                      {QStringLiteral("错误次数"), 30}, {QStringLiteral("经验点数"), 30},
                                      {QStringLiteral("类别"), 45, false, PHeldTexts(Col::Category)},
                                      {QStringLiteral("上次"), 30, false, PHeldTexts(Col::LastRight)},
                                      {QStringLiteral("掌握类型"), 30, false, PHeldTexts(Col::MasterType)}});
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The recall modes narrow a column to 20 pixels.
    v->header()->setMinimumSectionSize(10);
    // Grid lines.
    v->setStyleSheet(QStringLiteral("QTreeView::item { border-right: 1px solid #d0d0d0; "
                                    "border-bottom: 1px solid #d0d0d0; }"
                                    "QTreeView::item:selected { background: #3165c5; color: white; }"));
    return v;
}

QLabel *keyLabel(QWidget *parent, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setStyleSheet(QStringLiteral("color: gray;"));
    return l;
}

}  // namespace

void TPbrowseform::buildLayout()
{
    setWindowTitle(QStringLiteral("学习单词"));
    setFixedSize(782, 556);
    PCenterOnScreen(this);
    // Money green.
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, NamedColor::MoneyGreen);
    setPalette(pal);

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(6, 6, 6, 6);
    root->setSpacing(4);

    // Top row: the practice box, the clock and the window's commands.
    auto *top = new QHBoxLayout;
    MEpra = PNamed(new QLineEdit(this), QStringLiteral("MEpra"));
    PSetTextWhenSeen(MEpra, QStringLiteral("拼写练习区（拼写后按【回车】）"));
    MEpra->setToolTip(QStringLiteral("【回车】检验，【F8】朗读，【F9】查词"));
    MEpra->setAttribute(Qt::WA_InputMethodEnabled, false);
    MEpra->setMinimumWidth(260);
    SBReadPra = toolButton(this, QStringLiteral("SBReadPra"), QStringLiteral("读"), QStringLiteral("F8"));
    SBFindPra = toolButton(this, QStringLiteral("SBFindPra"), QStringLiteral("查"), QStringLiteral("F9"));
    LBBrowseSumTime = PNamed(new QLabel(QStringLiteral("用时"), this), QStringLiteral("LBBrowseSumTime"));
    LBBrowseSumTime->setMinimumWidth(70);
    LBWordSvcHint = PNamed(new QLabel(this), QStringLiteral("LBWordSvcHint"));
    CheckBox2 = PNamed(new QCheckBox(QStringLiteral(" 显示更多工具"), this), QStringLiteral("CheckBox2"));
    Label3 = PNamed(new QLabel(QStringLiteral("?"), this), QStringLiteral("Label3"));
    Label3->setToolTip(QStringLiteral("操作帮助"));
    Label3->setCursor(Qt::PointingHandCursor);
    Label3->installEventFilter(this);
    SpeedButton3 = toolButton(this, QStringLiteral("SpeedButton3"), QStringLiteral("退出"), QStringLiteral("完全退出"));
    top->addWidget(MEpra);
    top->addWidget(SBReadPra);
    top->addWidget(SBFindPra);
    top->addWidget(LBWordSvcHint, 1);
    top->addWidget(LBBrowseSumTime);
    top->addWidget(CheckBox2);
    top->addWidget(Label3);
    top->addWidget(SpeedButton3);
    root->addLayout(top);

    // The tools panel, hidden until asked for.
    PanelTools1 = PNamed(new QFrame(this), QStringLiteral("PanelTools1"));
    PanelTools1->setFrameShape(QFrame::StyledPanel);
    auto *tools = new QHBoxLayout(PanelTools1);
    tools->setContentsMargins(4, 2, 4, 2);
    SBStart = toolButton(PanelTools1, QStringLiteral("SBStart"), QStringLiteral("▶"), QStringLiteral("开始自动浏览"));
    SBPause = toolButton(PanelTools1, QStringLiteral("SBPause"), QStringLiteral("❚❚"), QStringLiteral("暂停自动浏览"));
    SBPause->hide();
    SEReadInterval = PNamed(new QSpinBox(PanelTools1), QStringLiteral("SEReadInterval"));
    SEReadInterval->setRange(1, 9);
    SEReadInterval->setValue(2);
    SEReadInterval->setToolTip(QStringLiteral("间隔秒数"));
    SEReadInterval->findChild<QLineEdit *>()->setReadOnly(true);
    CBBrowseMode = PNamed(new QComboBox(PanelTools1), QStringLiteral("CBBrowseMode"));
    CBBrowseMode->addItems(PBrowseModes());
    CBBrowseMode->setToolTip(QStringLiteral("单词显示模式"));
    CheckBox1 = PNamed(new QCheckBox(QStringLiteral("朗读"), PanelTools1), QStringLiteral("CheckBox1"));
    CheckBox1->setToolTip(QStringLiteral("选中单词时自动朗读该词"));
    CheckBox1->setChecked(true);
    CBBackMusic = PNamed(new QCheckBox(QStringLiteral("背景音乐"), PanelTools1), QStringLiteral("CBBackMusic"));
    CBBackMusic->setChecked(true);
    SpeedButton2 = toolButton(PanelTools1, QStringLiteral("SpeedButton2"), QStringLiteral("迷你浏览"), QString());
    SpeedButton8 = toolButton(PanelTools1, QStringLiteral("SpeedButton8"), QStringLiteral("拼到底游戏"), QString());
    SpeedButton9 = toolButton(PanelTools1, QStringLiteral("SpeedButton9"), QStringLiteral("拼写筛词器"), QString());
    tools->addWidget(SBStart);
    tools->addWidget(SBPause);
    tools->addWidget(new QLabel(QStringLiteral("间隔秒数"), PanelTools1));
    tools->addWidget(SEReadInterval);
    tools->addWidget(CBBrowseMode);
    tools->addWidget(CheckBox1);
    tools->addWidget(CBBackMusic);
    tools->addStretch(1);
    tools->addWidget(SpeedButton2);
    tools->addWidget(SpeedButton8);
    tools->addWidget(SpeedButton9);
    PanelTools1->hide();
    root->addWidget(PanelTools1);

    // The list and the fields above the splitter, the details panel below it.
    Splitter2 = PNamed(new QSplitter(Qt::Vertical, this), QStringLiteral("Splitter2"));
    Splitter2->setChildrenCollapsible(false);
    auto *upper = new QWidget(Splitter2);
    // Both panes join the splitter, in this order, while empty: it measures what each holds
    // whenever a pane joins.
    Panel1 = PNamed(new QFrame(Splitter2), QStringLiteral("Panel1"));
    auto *upperLayout = new QVBoxLayout(upper);
    upperLayout->setContentsMargins(0, 0, 0, 0);
    upperLayout->setSpacing(4);
    PListView = reportView(upper, QStringLiteral("PListView"));
    PListView->setContextMenuPolicy(Qt::CustomContextMenu);
    PListView->setMinimumHeight(40);
    upperLayout->addWidget(PListView, 1);
    TempListView = reportView(this, QStringLiteral("TempListView"));
    TempListView->hide();

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(4);
    fields->setVerticalSpacing(3);
    Edit1 = field(upper, QStringLiteral("Edit1"), 21, true, Qt::red, true);
    Edit1->setFocusPolicy(Qt::ClickFocus);
    Edit2 = field(upper, QStringLiteral("Edit2"), 19, true, palette().color(QPalette::Text));
    Edit4 = field(upper, QStringLiteral("Edit4"), 19, false, QColor(0, 128, 0));
    Edit3 = field(upper, QStringLiteral("Edit3"), 14, false, palette().color(QPalette::Text));
    Edit3->setPlaceholderText(QStringLiteral("按F9直接获得"));
    Edit5 = PNamed(new QComboBox(upper), QStringLiteral("Edit5"));
    Edit5->setEditable(true);
    Edit5->setInsertPolicy(QComboBox::NoInsert);
    SBReadWord = toolButton(upper, QStringLiteral("SBReadWord"), QStringLiteral("读"), QStringLiteral("F8"));
    SBFindWord = toolButton(upper, QStringLiteral("SBFindWord"), QStringLiteral("查"), QStringLiteral("F9"));
    SBTellWrong = toolButton(upper, QStringLiteral("SBTellWrong"), QStringLiteral("!"), QStringLiteral("音标报错"));
    SBTellWrong->hide();
    SBautotip = toolButton(upper, QStringLiteral("SBautotip"), QStringLiteral("F9"), QStringLiteral("自动获得提示（F9）"));
    SBautotip->hide();
    Button4 = PNamed(new QPushButton(QStringLiteral("确认修改 &C"), upper), QStringLiteral("Button4"));
    Button1 = PNamed(new QPushButton(QStringLiteral("测试"), upper), QStringLiteral("Button1"));
    Button1->setToolTip(QStringLiteral("进入单词测试界面(F12)"));

    auto *wordRow = new QHBoxLayout;
    wordRow->addWidget(Edit1, 1);
    wordRow->addWidget(SBReadWord);
    wordRow->addWidget(SBFindWord);
    auto *phoneticRow = new QHBoxLayout;
    phoneticRow->addWidget(Edit4, 1);
    phoneticRow->addWidget(SBTellWrong);
    auto *hintRow = new QHBoxLayout;
    hintRow->addWidget(Edit3, 1);
    hintRow->addWidget(SBautotip);
    fields->addWidget(new QLabel(QStringLiteral("词"), upper), 0, 0);
    fields->addLayout(wordRow, 0, 1);
    fields->addWidget(keyLabel(upper, QStringLiteral("(F1)")), 0, 2);
    fields->addWidget(new QLabel(QStringLiteral("音"), upper), 0, 3);
    fields->addLayout(phoneticRow, 0, 4);
    fields->addWidget(keyLabel(upper, QStringLiteral("(F3)")), 0, 5);
    fields->addWidget(new QLabel(QStringLiteral("义"), upper), 1, 0);
    fields->addWidget(Edit2, 1, 1, 1, 4);
    fields->addWidget(keyLabel(upper, QStringLiteral("(F2)")), 1, 5);
    fields->addWidget(new QLabel(QStringLiteral("提示"), upper), 2, 0);
    fields->addLayout(hintRow, 2, 1);
    fields->addWidget(keyLabel(upper, QStringLiteral("(F4)")), 2, 2);
    fields->addWidget(new QLabel(QStringLiteral("类别"), upper), 2, 3);
    fields->addWidget(Edit5, 2, 4);
    fields->setColumnStretch(1, 3);
    fields->setColumnStretch(4, 2);
    upperLayout->addLayout(fields);

    auto *detailsRow = new QHBoxLayout;
    SBinsert = toolButton(upper, QStringLiteral("SBinsert"), QStringLiteral("【】"), QStringLiteral("添加标记（F9）"));
    SBinsert->hide();
    detailsRow->addWidget(new QLabel(QStringLiteral("详解和例句"), upper));
    detailsRow->addWidget(keyLabel(upper, QStringLiteral("(F5)")));
    detailsRow->addWidget(SBinsert);
    detailsRow->addStretch(1);
    detailsRow->addWidget(keyLabel(upper, QStringLiteral("(F6)")));
    detailsRow->addSpacing(20);
    detailsRow->addWidget(Button4);
    detailsRow->addWidget(Button1);
    upperLayout->addLayout(detailsRow);

    Panel1->setMinimumHeight(100);
    Panel1->setMaximumHeight(300);
    auto *panelLayout = new QHBoxLayout(Panel1);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    Splitter1 = PNamed(new QSplitter(Qt::Horizontal, Panel1), QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    // Each rich edit sits in a holder of its own, so that hiding it leaves its part of the panel.
    for (QTextEdit **edit : {&ReExpl, &ReSent}) {
        auto *holder = new QWidget(Splitter1);
        auto *holderLayout = new QVBoxLayout(holder);
        holderLayout->setContentsMargins(0, 0, 0, 0);
        *edit = richEdit(holder, QLatin1String(edit == &ReExpl ? "ReExpl" : "ReSent"));
        holderLayout->addWidget(*edit);
    }
    panelLayout->addWidget(Splitter1);
    Splitter2->setStretchFactor(0, 1);
    Splitter2->setStretchFactor(1, 0);
    root->addWidget(Splitter2, 1);

    // Fields the keys and modes hide, and buttons shown only with a field's focus, keep their
    // place: the rest of the window stays where it was.
    for (QWidget *w : std::initializer_list<QWidget *>{Edit1, Edit2, Edit3, Edit4, ReExpl, ReSent, SBTellWrong, SBautotip,
                                                       SBinsert, SBReadPra, SBFindPra, SBStart, SBPause}) {
        QSizePolicy p = w->sizePolicy();
        p.setRetainSizeWhenHidden(true);
        w->setSizePolicy(p);
    }
}
