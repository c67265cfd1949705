// The word-entry editor's controls, menus and their wiring.
#include "wordlists/manageformwl.h"

#include "core/listviews.h"
#include "vocab/bankvocab.h"
#include "platform/linklabel.h"
#include "services/utils.h"
#include "services/webaccess.h"
#include "platform/windowkit.h"
#include "platform/windowlook.h"
#include "wordlists/eventhook.h"

#include <QCheckBox>
#include <QCursor>
#include <QMouseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

TPManageFormWL *PManageFormWL = nullptr;

namespace {


QFont pixelFont(const QFont &base, int pixels, bool bold = false)
{
    QFont f = base;
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

// The editor's own look-up addresses: the word goes in as typed.
struct Lookup {
    const char *caption;
    const char *prefix;
    const char *suffix;
};
const Lookup kLookups[] = {
    {"查百度词典", "http://www.baidu.com/baidu?ie=gb2312&bs=&sr=&z=&ct=1048576&cl=3&f=8&word=", ""},
    {"查金山词霸在线词典", "http://www.iciba.com/", "/"},
    {"查dict.cn在线词典", "http://dict.cn/search/?q=", ""},
    {"查谷词在线词典", "http://dict.youdao.com/searchw.jsp?word=", "&type=1"},
};

}  // namespace

TPManageFormWL::TPManageFormWL(QWidget *parent)
    : TPForm(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                         Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("PManageFormWL"));
    setWindowTitle(QStringLiteral("词条管理"));
    setMinimumSize(800, 480);
    resize(800, 612);
    QPalette p = palette();
    p.setColor(QPalette::Window, NamedColor::MoneyGreen);
    setPalette(p);
    setAutoFillBackground(true);
    setFont(pixelFont(QFont(QStringLiteral("宋体")), 13));
    setKeyPreview(true);
    buildLayout();
    buildMenus();
    connectHandlers();
    PCenterOnScreen(this);
    // Empty fields at start; the first activation fills the rest.
    Pcleartext();
}

void TPManageFormWL::buildLayout()
{
    CBCurrentWTb = PNamed(new QComboBox(this), "CBCurrentWTb");
    CBCurrentWTb->setToolTip(QStringLiteral("当前单词表"));
    CBCurrentWTb->setMinimumWidth(140);
    LBWordCount = PMakeLabel(this, QStringLiteral("LBWordCount"));
    LBSelectFlag = PMakeLabel(this, QStringLiteral("LBSelectFlag"));
    CheckBox1 = PNamed(new QCheckBox(QStringLiteral("朗读"), this), "CheckBox1");
    CBBrowseMode = PNamed(new QComboBox(this), "CBBrowseMode");
    CBBrowseMode->addItems({QStringLiteral("正常浏览"), QStringLiteral("词义回想"), QStringLiteral("单词回想")});
    Label8 = PNamed(new TLinkLabel(QStringLiteral("?"), this), "Label8");
    Label8->setToolTip(QStringLiteral("操作帮助"));

    PLV = PMakeReportView(this, QStringLiteral("PLV"),
                          {{QStringLiteral("ID"), 40, false, PHeldTexts(Col::ID)},
                           {QStringLiteral("单词"), 150},
                           {QStringLiteral("解释"), 360},
                           {QStringLiteral("拼写次数"), 35},
                           {QStringLiteral("拼错次数"), 35},
                           {QStringLiteral("可用经验"), 35},
                           {QStringLiteral("类别"), 60, false, PHeldTexts(Col::Category)},
                           {QStringLiteral("掌握类型"), 35, false, PHeldTexts(Col::MasterType)}});
    PLV->header()->setMinimumSectionSize(20);
    PLV->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PLV->setFont(pixelFont(font(), 16));
    PLV->setStyleSheet(QStringLiteral(
        "QTreeView::item { border-right: 1px solid #d8d8d8; border-bottom: 1px solid #d8d8d8; }"
        // The selection stays visible while the focus is elsewhere.
        "QTreeView::item:selected { background: #3874d8; color: white; }"));
    for (int column : {3, 4, 5})
        PLV->headerItem()->setTextAlignment(column, Qt::AlignCenter);
    PTempLV = PMakeReportView(this, QStringLiteral("PTempLV"), {{QStringLiteral("ID")}});
    PTempLV->hide();

    Edit1 = PMakeLineEdit(this, QStringLiteral("Edit1"), true);
    Edit1->setFont(pixelFont(font(), 24, true));
    Edit4 = PMakeLineEdit(this, QStringLiteral("Edit4"), true);
    Edit4->setFont(pixelFont(font(), 21));
    QPalette green = Edit4->palette();
    green.setColor(QPalette::Text, Qt::darkGreen);
    Edit4->setPalette(green);
    Edit3 = PMakeLineEdit(this, QStringLiteral("Edit3"));
    Edit2 = PMakeLineEdit(this, QStringLiteral("Edit2"));
    Edit2->setFont(pixelFont(font(), 19, true));
    Memo1 = PNamed(new QTextEdit(this), "Memo1");
    Memo1->setFont(pixelFont(font(), 15));
    Memo1->setAcceptRichText(false);
    Memo2 = PNamed(new QTextEdit(this), "Memo2");
    Memo2->setFont(pixelFont(font(), 15));
    Edit5 = PNamed(new QComboBox(this), "Edit5");
    Edit5->setEditable(true);
    ComboBox3 = PNamed(new QComboBox(this), "ComboBox3");
    ComboBox3->addItems({QStringLiteral("11"), QStringLiteral("01"), QStringLiteral("10"), QStringLiteral("00")});
    Memo22 = PNamed(new QPlainTextEdit(this), "Memo22");
    Memo22->hide();
    BTConfirm = PMakeButton(this, QStringLiteral("BTConfirm"), QStringLiteral("确认更改 &C"));
    BTextAddMode = PMakeButton(this, QStringLiteral("BTextAddMode"), QStringLiteral("退出添加模式"));
    BTextAddMode->hide();

    auto *top = new QHBoxLayout;
    top->addWidget(CBCurrentWTb);
    top->addWidget(LBWordCount);
    top->addSpacing(12);
    top->addWidget(LBSelectFlag);
    top->addStretch();
    top->addWidget(CheckBox1);
    top->addWidget(CBBrowseMode);
    top->addWidget(Label8);

    auto *fields = new QGridLayout;
    const auto row = [&](int r, const QString &label, QWidget *field, const QString &key) {
        fields->addWidget(new QLabel(label, this), r, 0);
        fields->addWidget(field, r, 1);
        if (!key.isEmpty())
            fields->addWidget(new QLabel(key, this), r, 2);
    };
    row(0, QStringLiteral("单词"), Edit1, QStringLiteral("(F1)"));
    row(1, QStringLiteral("音标"), Edit4, QStringLiteral("(F2)"));
    row(2, QStringLiteral("联想"), Edit3, QStringLiteral("(F3)"));
    row(3, QStringLiteral("解释"), Edit2, QStringLiteral("(F4)"));
    row(4, QStringLiteral("类别"), Edit5, QString());
    row(5, QStringLiteral("掌握类型"), ComboBox3, QString());
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BTConfirm);
    buttons->addWidget(BTextAddMode);
    buttons->addStretch();
    fields->addLayout(buttons, 6, 1);

    auto *memos = new QGridLayout;
    memos->addWidget(new QLabel(QStringLiteral("详解 (F5)"), this), 0, 0);
    memos->addWidget(new QLabel(QStringLiteral("例句 (F6)"), this), 0, 1);
    memos->addWidget(Memo1, 1, 0);
    memos->addWidget(Memo2, 1, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addLayout(fields, 1);
    bottom->addLayout(memos, 1);

    auto *main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addWidget(PLV, 1);
    main->addLayout(bottom);
}

void TPManageFormWL::buildMenus()
{
    MainMenu1 = PNamed(new QMenuBar(this), "MainMenu1");
    layout()->setMenuBar(MainMenu1);
    // The whole-program exit stays out of the editor's reach.
    MenuFile = PNamed(MainMenu1->addMenu(QStringLiteral("文件")), "MenuFile");
    NQuitAll = PNamed(MenuFile->addAction(QStringLiteral("完全退出")), "NQuitAll");
    MenuFile->menuAction()->setVisible(false);
    MenuOperate = PNamed(MainMenu1->addMenu(QStringLiteral("操作")), "MenuOperate");
    NShuffle = PNamed(MenuOperate->addAction(QStringLiteral("打乱单词顺序")), "NShuffle");
    NDedup = PNamed(MenuOperate->addAction(QStringLiteral("消除重复单词")), "NDedup");
    NReset = PNamed(MenuOperate->addAction(QStringLiteral("清除学习记录")), "NReset");
    MenuOperate->addSeparator();

    PopupMenu1 = PNamed(new QMenu(this), "PopupMenu1");
    for (const Lookup &l : kLookups) {
        QAction *a = PopupMenu1->addAction(QString::fromUtf8(l.caption));
        const QString prefix = QString::fromUtf8(l.prefix), suffix = QString::fromUtf8(l.suffix);
        connect(a, &QAction::triggered, this, [this, prefix, suffix] { POpenUrl(prefix + Edit1->text() + suffix); });
        LookupItems << a;
    }
    Edit1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Edit1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1->popup(Edit1->mapToGlobal(pos)); });

    PopupMenu2 = PNamed(new QMenu(this), "PopupMenu2");
    NDelete = PNamed(PopupMenu2->addAction(QStringLiteral("删除选中词")), "NDelete");
    NMove = PNamed(PopupMenu2->addAction(QStringLiteral("转移选中词...")), "NMove");
    NAppend = PNamed(PopupMenu2->addAction(QStringLiteral("添加新词")), "NAppend");
    PopupMenu2->addSeparator();
    NCategory = PNamed(PopupMenu2->addAction(QStringLiteral("更改选中单词类别")), "NCategory");
    PLV->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(PLV, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu2->popup(PLV->viewport()->mapToGlobal(pos)); });

    PopupMenu3 = PNamed(new QMenu(this), "PopupMenu3");
    NRead = PNamed(PopupMenu3->addAction(QStringLiteral("读")), "NRead");
    PopupMenu3->addSeparator();
    NStress = PNamed(PopupMenu3->addAction(QStringLiteral("突出")), "NStress");
    NStressMore = PNamed(PopupMenu3->addAction(QStringLiteral("更突出")), "NStressMore");
    NUnstress = PNamed(PopupMenu3->addAction(QStringLiteral("取消突出")), "NUnstress");
    NStar = PNamed(PopupMenu3->addAction(QStringLiteral("以“*”代替")), "NStar");
}

void TPManageFormWL::connectHandlers()
{
    using F = TPManageFormWL;
    // A row is shown when it becomes the one the learner picked, not when a selection merely grows.
    connect(PLV, &QTreeWidget::itemSelectionChanged, this, [this] {
        QTreeWidgetItem *item = PLV->currentItem();
        if (item && item->isSelected())
            PGuard([&] { PLVSelectItem(item); });
    });
    PConnect(PLV->header(), &QHeaderView::sectionClicked, this, &F::PLVColumnClick);
    PConnect(CBCurrentWTb, &QComboBox::activated, this, &F::CBCurrentWTbChange);
    PConnect(BTConfirm, &QPushButton::clicked, this, &F::BTConfirmClick);
    PConnect(BTextAddMode, &QPushButton::clicked, this, &F::BTextAddModeClick);
    PConnect(CBBrowseMode, &QComboBox::activated, this, &F::CBBrowseModeChange);
    PConnect(Edit1, &QLineEdit::textChanged, this, &F::Edit1Change);
    PConnect(Memo2, &QTextEdit::selectionChanged, this, &F::Memo2SelectionChange);
    m_hooks.add(Memo2->viewport(), [this](QEvent *e) {
        if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton)
            offerExampleMenu(QCursor::pos());
        return false;
    });
    Memo2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Memo2, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { offerExampleMenu(Memo2->viewport()->mapToGlobal(p)); });
    PConnect(NDelete, &QAction::triggered, this, &F::NDeleteClick);
    PConnect(NMove, &QAction::triggered, this, &F::NMoveClick);
    PConnect(NAppend, &QAction::triggered, this, &F::Pappendmode);
    PConnect(NCategory, &QAction::triggered, this, &F::NCategoryClick);
    PConnect(NShuffle, &QAction::triggered, this, &F::NShuffleClick);
    PConnect(NDedup, &QAction::triggered, this, &F::NDedupClick);
    PConnect(NReset, &QAction::triggered, this, &F::NResetClick);
    PConnect(Label8, &TLinkLabel::clicked, this, &F::Label8Click);
    connect(NQuitAll, &QAction::triggered, this, [] { QApplication::closeAllWindows(); });
    connect(NStress, &QAction::triggered, this, [this] { emphasise(1); });
    connect(NStressMore, &QAction::triggered, this, [this] { emphasise(2); });
    connect(NUnstress, &QAction::triggered, this, [this] { emphasise(0); });
    connect(NStar, &QAction::triggered, this, [this] { emphasise(-1); });
    connect(NRead, &QAction::triggered, this, [this] { PGuard([this] { readSelection(); }); });

    QWidget *const toggled[] = {Edit1, Edit4, Edit3, Edit2, Memo1, Memo2};
    for (int i = 0; i < 6; ++i) {
        QWidget *w = toggled[i];
        PBindKeyUp(Qt::Key_F1 + i, [w] { w->setVisible(!w->isVisible()); });
    }
    PBindKeyUp(Qt::Key_Escape, [this] { PLV->setFocus(); });
}
