// The small dictionary's controls and menus, and the keys and clicks it watches.

#include "wordlists/dictform.h"

#include "vocab/bankvocab.h"
#include "core/datamodule.h"
#include "platform/linklabel.h"
#include "platform/speech.h"
#include "platform/windowkit.h"
#include "services/addresses.h"
#include "services/pronunciation.h"
#include "services/publicform.h"
#include "services/utils.h"
#include "services/webaccess.h"
#include "services/richtext.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {


constexpr int kClientWidth = 590;
constexpr int kClientHeight = 371;
constexpr int kCollapsedHeight = 182;  // the rich edits are cut off
constexpr int kTopHeight = 172;
// A list box shows a name of this many characters of average width whole.
constexpr int kListNameLength = 12;

// Shown or hidden, the control keeps its place, so nothing beside it moves when it comes and goes.
void keepPlace(QWidget *w)
{
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
}

// The move, delete and add groups may all show at once on one row: their frames are narrow, their
// buttons may be as narrow as the caption allows, and the list boxes are as wide whatever they hold.
QGroupBox *listGroup(QWidget *parent, const char *name, const QString &caption)
{
    QGroupBox *g = PMakeGroup(parent, name, caption);
    auto *layout = new QHBoxLayout(g);
    const QMargins m = layout->contentsMargins();
    layout->setContentsMargins(m.left() / 2, m.top(), m.right() / 2, m.bottom() / 2);
    return g;
}

QComboBox *listBox(QGroupBox *group, const char *name)
{
    auto *c = PNamed(new QComboBox(group), name);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(1);
    QStyleOptionComboBox option;
    option.initFrom(c);
    const QSize text(c->fontMetrics().averageCharWidth() * kListNameLength, c->fontMetrics().height());
    c->setMinimumWidth(c->style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, c).width());
    c->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    group->layout()->addWidget(c);
    return c;
}

QPushButton *groupButton(QGroupBox *group, const char *name)
{
    auto *b = PNamed(new QPushButton(QStringLiteral("确定"), group), name);
    const QFontMetrics m = b->fontMetrics();
    b->setMinimumWidth(m.horizontalAdvance(b->text()) + 2 * m.height());
    group->layout()->addWidget(b);
    return b;
}

}  // namespace

TPDictForm::TPDictForm(QWidget *parent)
    : TPForm(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("PDictForm"));
    setWindowTitle(QStringLiteral("Tavisk海词词典 for LexorinV03 - Tavisk设计"));
    setFixedSize(kClientWidth, kClientHeight);

    auto *top = new QWidget(this);
    top->setGeometry(0, 0, kClientWidth, kTopHeight);

    MeWord = PNamed(new QLineEdit(top), "MeWord");
    QFont big = MeWord->font();
    big.setPointSize(16);
    big.setBold(true);
    MeWord->setFont(big);
    BTFind = PNamed(new QToolButton(top), "BTFind");
    BTFind->setText(QStringLiteral("查"));
    BTFind->setToolTip(QStringLiteral("查词"));
    SpeedButton1 = PNamed(new QToolButton(top), "SpeedButton1");
    SpeedButton1->setText(QStringLiteral("读"));
    SpeedButton1->setToolTip(QStringLiteral("朗读（F8）"));
    ImgWordSvc = PNamed(new TLinkLabel(QStringLiteral("海词"), top), "ImgWordSvc");
    ImgWordSvc->setToolTip(QStringLiteral("访问海词网站"));
    ImgWordSvc->setCursor(Qt::PointingHandCursor);
    ImgWordSvc->setStyleSheet(QStringLiteral("color: #0000a0; text-decoration: underline;"));
    Label3 = PNamed(new TLinkLabel(QStringLiteral("?"), top), "Label3");
    Label3->setToolTip(QStringLiteral("操作帮助"));
    Label3->setCursor(Qt::WhatsThisCursor);
    CheckBox1 = PNamed(new QCheckBox(QStringLiteral("收起"), top), "CheckBox1");
    CheckBox1->setToolTip(QStringLiteral("展开或收起详解和例句"));
    auto *row1 = new QHBoxLayout;
    row1->addWidget(MeWord, 1);
    row1->addWidget(BTFind);
    row1->addWidget(SpeedButton1);
    row1->addWidget(ImgWordSvc);
    row1->addWidget(CheckBox1);
    row1->addWidget(Label3);

    EdPron = PNamed(new QLineEdit(top), "EdPron");
    QPalette green = EdPron->palette();
    green.setColor(QPalette::Text, QColor(0, 128, 0));
    EdPron->setPalette(green);
    EdPron->setFixedWidth(160);
    EdMean = PNamed(new QLineEdit(top), "EdMean");
    auto *row2 = new QHBoxLayout;
    row2->addWidget(new QLabel(Col::Phonetic, top));
    row2->addWidget(EdPron);
    row2->addWidget(new QLabel(Col::Explanation, top));
    row2->addWidget(EdMean, 1);

    LBhint = PNamed(new QLabel(top), "LBhint");
    QPalette blue = LBhint->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 160));
    LBhint->setPalette(blue);
    // Empty, it is as tall as with a text in Chinese and English, so the rows below never move;
    // measured as the window is first shown, as measuring loads the Chinese fonts.
    whenFirstShown([this] {
        const QString had = LBhint->text();
        LBhint->setText(QStringLiteral("查无此词 Ag"));
        LBhint->setMinimumHeight(LBhint->sizeHint().height());
        LBhint->setText(had);
    });

    PnMove = PNamed(new QWidget(top), "PnMove");
    BTsave = PNamed(new QPushButton(QStringLiteral("保存修改 &C"), PnMove), "BTsave");
    GBMove = listGroup(PnMove, "GBMove", QStringLiteral("将该词转移到："));
    CBWordTableMove = listBox(GBMove, "CBWordTableMove");
    Button1 = groupButton(GBMove, "Button1");
    GBDelete = listGroup(PnMove, "GBDelete", QStringLiteral("删除该词："));
    Button5 = groupButton(GBDelete, "Button5");
    auto *pnLayout = new QHBoxLayout(PnMove);
    pnLayout->setContentsMargins(0, 0, 0, 0);
    pnLayout->addWidget(BTsave);
    pnLayout->addWidget(GBMove);
    pnLayout->addWidget(GBDelete);

    GBadd = listGroup(top, "GBadd", QStringLiteral("将该词添加到："));
    CBWordTableAdd = listBox(GBadd, "CBWordTableAdd");
    Button4 = groupButton(GBadd, "Button4");

    SBinsert = PNamed(new QToolButton(top), "SBinsert");
    SBinsert->setText(QStringLiteral("【】"));
    SBinsert->setToolTip(QStringLiteral("添加标记（F9）"));
    SBinsert->setFocusPolicy(Qt::NoFocus);
    row2->addWidget(SBinsert);
    auto *row4 = new QHBoxLayout;
    row4->addWidget(PnMove);
    row4->addWidget(GBadd);
    for (QWidget *w : std::initializer_list<QWidget *>{ImgWordSvc, PnMove, GBadd, SBinsert})
        keepPlace(w);

    auto *topLayout = new QVBoxLayout(top);
    topLayout->addLayout(row1);
    topLayout->addLayout(row2);
    topLayout->addWidget(LBhint);
    topLayout->addLayout(row4);
    topLayout->addStretch();

    // The lower panel keeps its height when the window collapses: the window cuts it off.
    Splitter1 = PNamed(new QSplitter(Qt::Horizontal, this), "Splitter1");
    Splitter1->setGeometry(4, kTopHeight, kClientWidth - 8, kClientHeight - kTopHeight - 4);
    Splitter1->setChildrenCollapsible(false);
    REExpl = PNamed(new QTextEdit(Splitter1), "REExpl");
    REExpl->setAcceptRichText(false);
    RESent = PNamed(new QTextEdit(Splitter1), "RESent");
    Splitter1->addWidget(REExpl);
    Splitter1->addWidget(RESent);
    Splitter1->setStretchFactor(1, 1);

    buildMenus();

    PConnect(MeWord, &QLineEdit::returnPressed, this, &TPDictForm::PFindWord);
    PConnect(BTFind, &QToolButton::clicked, this, &TPDictForm::BTFindClick);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { PSpeakWord(MeWord->text()); });
    connect(ImgWordSvc, &TLinkLabel::clicked, this, [] { POpenUrl(Addr::WordServiceHost() + QStringLiteral("/")); });
    connect(Label3, &TLinkLabel::clicked, this, [] { POpenUrl(Addr::HelpPage(QStringLiteral("dict"))); });
    PConnect(Button4, &QPushButton::clicked, this, &TPDictForm::Button4Click);
    PConnect(Button5, &QPushButton::clicked, this, &TPDictForm::Button5Click);
    PConnect(Button1, &QPushButton::clicked, this, &TPDictForm::Button1Click);
    PConnect(BTsave, &QPushButton::clicked, this, &TPDictForm::BTsaveClick);
    PConnect(RESent, &QTextEdit::selectionChanged, this, &TPDictForm::RESentSelectionChange);
    PConnect(CheckBox1, &QCheckBox::clicked, this, &TPDictForm::CheckBox1Click);
    PConnect(Splitter1, &QSplitter::splitterMoved, this, &TPDictForm::Splitter1Moved);
    connect(SBinsert, &QToolButton::clicked, this,
            [this] { PopMenuInsert->popup(QCursor::pos() - QPoint(0, 8)); });

    m_hooks.add(MeWord, [this](QEvent *e) { return MeWordKeyUp(e); });
    m_hooks.add(REExpl, [this](QEvent *e) { return REExplFocus(e); });
    m_hooks.add(RESent->viewport(), [this](QEvent *e) { return RESentMouse(e); });

    PCenterOnScreen(this);
    PGuard([this] {
        PLoadFormBackground(this);
        PClearResult();
        MeWord->clear();
        SBinsert->hide();
    });
}

TPDictForm::~TPDictForm() = default;

void TPDictForm::buildMenus()
{
    PopMenuFind = PNamed(new QMenu(this), "PopMenuFind");
    PopFind0 = PMakeAction(PopMenuFind, "PopFind0", QStringLiteral("查Tavisk海词词典"));
    PNamed(PopMenuFind->addSeparator(), "N1");
    PopFind1 = PMakeAction(PopMenuFind, "PopFind1", QStringLiteral("查百度词典---"));
    PopFind2 = PMakeAction(PopMenuFind, "PopFind2", QStringLiteral("查金山词霸在线词典---"));
    PopFind3 = PMakeAction(PopMenuFind, "PopFind3", QStringLiteral("查海词在线词典---"));
    PopFind4 = PMakeAction(PopMenuFind, "PopFind4", QStringLiteral("查谷词在线词典---"));
    PConnect(PopFind0, &QAction::triggered, this, &TPDictForm::PFindWord);
    const std::pair<QAction *, const char *> lookups[] = {
        {PopFind1, "百度"}, {PopFind2, "爱词霸"}, {PopFind3, "海词"}, {PopFind4, "谷词"}};
    for (const auto &l : lookups) {
        const QString service = QString::fromUtf8(l.second);
        connect(l.first, &QAction::triggered, this, [this, service] { PWebLookup(service, MeWord->text()); });
    }

    PopMenuSent = PNamed(new QMenu(this), "PopMenuSent");
    PopSent1 = PMakeAction(PopMenuSent, "PopSent1", QStringLiteral("读"));
    PopSent2 = PMakeAction(PopMenuSent, "PopSent2", QStringLiteral("查"));
    PNamed(PopMenuSent->addSeparator(), "N13");
    PopSent3 = PMakeAction(PopMenuSent, "PopSent3", QStringLiteral("突出"));
    PopSent4 = PMakeAction(PopMenuSent, "PopSent4", QStringLiteral("更突出"));
    PopSent5 = PMakeAction(PopMenuSent, "PopSent5", QStringLiteral("取消突出"));
    PNamed(PopMenuSent->addSeparator(), "N15");
    PopSent7 = PMakeAction(PopMenuSent, "PopSent7", QStringLiteral("剪切"));
    PopSent8 = PMakeAction(PopMenuSent, "PopSent8", QStringLiteral("复制"));
    PopSent9 = PMakeAction(PopMenuSent, "PopSent9", QStringLiteral("粘贴"));
    PopSent10 = PMakeAction(PopMenuSent, "PopSent10", QStringLiteral("全选"));
    PNamed(PopMenuSent->addSeparator(), "N21");
    PopSent11 = PMakeAction(PopMenuSent, "PopSent11", QStringLiteral("加入语境仓库"));
    PopSent11->setEnabled(false);
    connect(PopSent1, &QAction::triggered, this, [this] {
        if (PSpVoice)
            PSpVoice->Speak(QStringLiteral("<LANG LANGID=\"409\">") + RESent->textCursor().selectedText(),
                            TSpVoice::SVSFlagsAsync);
    });
    PConnect(PopSent2, &QAction::triggered, this, &TPDictForm::PopSent2Click);
    connect(PopSent3, &QAction::triggered, this, [this] { PEmphasise(RESent, EmphasisBold); });
    connect(PopSent4, &QAction::triggered, this, [this] { PEmphasise(RESent, EmphasisBoldRed); });
    connect(PopSent5, &QAction::triggered, this, [this] { PEmphasise(RESent, EmphasisNone); });
    connect(PopSent7, &QAction::triggered, RESent, &QTextEdit::cut);
    connect(PopSent8, &QAction::triggered, RESent, &QTextEdit::copy);
    connect(PopSent9, &QAction::triggered, RESent, &QTextEdit::paste);
    connect(PopSent10, &QAction::triggered, RESent, &QTextEdit::selectAll);
    RESent->setContextMenuPolicy(Qt::PreventContextMenu);

    PopMenuExpl = PNamed(new QMenu(this), "PopMenuExpl");
    PopExpl1 = PMakeAction(PopMenuExpl, "PopExpl1", QStringLiteral("剪切"));
    PopExpl2 = PMakeAction(PopMenuExpl, "PopExpl2", QStringLiteral("复制"));
    PopExpl3 = PMakeAction(PopMenuExpl, "PopExpl3", QStringLiteral("粘贴"));
    PopExpl4 = PMakeAction(PopMenuExpl, "PopExpl4", QStringLiteral("全选"));
    connect(PopExpl1, &QAction::triggered, REExpl, &QTextEdit::cut);
    connect(PopExpl2, &QAction::triggered, REExpl, &QTextEdit::copy);
    connect(PopExpl3, &QAction::triggered, REExpl, &QTextEdit::paste);
    connect(PopExpl4, &QAction::triggered, REExpl, &QTextEdit::selectAll);
    REExpl->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(REExpl, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopMenuExpl->popup(REExpl->mapToGlobal(pos)); });

    PopMenuInsert = PNamed(new QMenu(this), "PopMenuInsert");
    const char *marks[] = {"【】", "【记】", "【辨】", "【派】", "【搭】"};
    for (int i = 0; i < 5; ++i) {
        const QString caption = QString::fromUtf8(marks[i]);
        QAction *a = PMakeAction(PopMenuInsert, QStringLiteral("PopInsert%1").arg(i + 1).toLatin1().constData(), caption);
        connect(a, &QAction::triggered, this, [this, caption] { REExpl->textCursor().insertText(caption); });
    }
}


void TPDictForm::CheckBox1Click() { setFixedHeight(CheckBox1->isChecked() ? kCollapsedHeight : kClientHeight); }

bool TPDictForm::MeWordKeyUp(QEvent *e)
{
    if (e->type() != QEvent::KeyRelease)
        return false;
    const int key = static_cast<QKeyEvent *>(e)->key();
    if (key == Qt::Key_Escape) {
        close();
        return true;
    }
    if (key == Qt::Key_F8) {
        PGuard([this] { PSpeakWord(MeWord->text()); });
        return true;
    }
    return false;
}

bool TPDictForm::RESentMouse(QEvent *e)
{
    // The sentence menu opens when the right button comes up, not on the press.
    if (e->type() == QEvent::ContextMenu)
        return true;
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(e)->button() == Qt::RightButton) {
        PopMenuSent->popup(QCursor::pos());
        return true;
    }
    return false;
}

bool TPDictForm::REExplFocus(QEvent *e)
{
    if (e->type() == QEvent::FocusIn)
        SBinsert->show();
    else if (e->type() == QEvent::FocusOut && static_cast<QFocusEvent *>(e)->reason() != Qt::PopupFocusReason)
        SBinsert->hide();
    return false;
}
