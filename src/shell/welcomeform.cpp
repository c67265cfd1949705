#include "shell/welcomeform.h"

#include "vocab/bankvocab.h"
#include "core/bankmaint.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "platform/dialogs.h"
#include "platform/http.h"
#include "platform/inifile.h"
#include "platform/linklabel.h"
#include "services/addresses.h"
#include "services/pronunciation.h"
#include "services/utils.h"
#include "services/webaccess.h"
#include "shell/aboutbox.h"
#include "shell/minibrowseform.h"
#include "shell/optionform.h"
#include "services/handovers.h"
#include "platform/windowkit.h"
#include "platform/windowlook.h"

#include <QCursor>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>

TPWelcomeForm *PWelcomeForm = nullptr;

namespace {


QPushButton *bigButton(QWidget *parent, const char *name, const QString &caption, int y)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(14, y, 118, 36);
    return b;
}

QToolButton *pictureButton(QWidget *parent, const char *name, const QString &hint, QStyle::StandardPixmap icon,
                           int x)
{
    QToolButton *b = PMakePictureButton(parent, QLatin1String(name), icon, hint);
    b->setIconSize(QSize(22, 22));
    b->setGeometry(x, 156, 34, 34);
    return b;
}

TLinkLabel *articleLabel(QWidget *parent, const char *name, const QString &caption, int y)
{
    auto *l = new TLinkLabel(caption, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(152, y, 178, 22);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 160));
    l->setPalette(p);
    return l;
}

}  // namespace

TPWelcomeForm::TPWelcomeForm(QWidget *parent)
    : TPForm(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("PWelcomeForm"));
    setWindowTitle(QStringLiteral("LexorinV03"));
    setFixedSize(342, 207);
    setScreenSnap(10);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, NamedColor::MoneyGreen);
    setPalette(palette);
    setAutoFillBackground(true);

    Button1 = bigButton(this, "Button1", QStringLiteral("词库选择"), 14);
    Button2 = bigButton(this, "Button2", QStringLiteral("单词学习"), 60);
    Button3 = bigButton(this, "Button3", QStringLiteral("词库维护"), 106);
    Button6 = bigButton(this, "Button6", QStringLiteral("实用工具"), 152);
    setDefaultButton(Button2);

    auto *heading = new QLabel(QStringLiteral("推荐文章"), this);
    heading->setObjectName(QStringLiteral("LBHeading"));
    heading->setGeometry(152, 14, 150, 20);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    LBArticle1 = articleLabel(this, "LBArticle1", QStringLiteral("推荐文章一"), 40);
    LBArticle2 = articleLabel(this, "LBArticle2", QStringLiteral("推荐文章二"), 66);
    LBArticle3 = articleLabel(this, "LBArticle3", QStringLiteral("推荐文章三"), 92);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(152, 136, 178, 4);

    SpeedButton1 = pictureButton(this, "SpeedButton1", QStringLiteral("主页"), QStyle::SP_DirHomeIcon, 152);
    SpeedButton5 = pictureButton(this, "SpeedButton5", QStringLiteral("下载"), QStyle::SP_ArrowDown, 198);
    SpeedButton4 =
        pictureButton(this, "SpeedButton4", QStringLiteral("设置"), QStyle::SP_FileDialogDetailedView, 244);
    SpeedButton3 = pictureButton(this, "SpeedButton3", QStringLiteral("关于"), QStyle::SP_MessageBoxInformation, 290);

    LBhelp = new TLinkLabel(QStringLiteral("?"), this);
    LBhelp->setObjectName(QStringLiteral("LBhelp"));
    LBhelp->setToolTip(QStringLiteral("在线帮助"));
    LBhelp->setCursor(Qt::WhatsThisCursor);
    LBhelp->setAlignment(Qt::AlignCenter);
    LBhelp->setGeometry(width() - 18, 2, 14, 16);
    LBhelp->setFont(bold);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    N1 = PMakeAction(PopupMenu1, "N1", QStringLiteral("查看当前词库所在路径"));
    N2 = PMakeAction(PopupMenu1, "N2", QStringLiteral("打开其它词库..."));

    // The article word counter's entry (N19) is never enabled.
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    MenuItem1 = PMakeAction(PopupMenu2, "MenuItem1", QStringLiteral("迷你单词浏览器..."));
    N3 = PMakeAction(PopupMenu2, "N3", QStringLiteral("小词典..."));
    N17 = PMakeAction(PopupMenu2, "N17", QStringLiteral("批量查词分析器..."));
    MenuItem2 = PMakeAction(PopupMenu2, "MenuItem2", QStringLiteral("自定义词库生成器..."));
    N19 = PMakeAction(PopupMenu2, "N19", QStringLiteral("文章产词器..."), false);

    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    MenuItem3 = PopupMenu3->addMenu(QStringLiteral("新词入库"));
    MenuItem3->setObjectName(QStringLiteral("MenuItem3"));
    N7 = PMakeAction(MenuItem3, "N7", QStringLiteral("下载现有词库---"));
    N16 = MenuItem3->addSeparator();
    N16->setObjectName(QStringLiteral("N16"));
    N4 = PMakeAction(MenuItem3, "N4", QStringLiteral("基于海词网站..."));
    N20061 = PMakeAction(MenuItem3, "N20061", QStringLiteral("基于金山词霸2006生词本..."));
    N5 = PMakeAction(MenuItem3, "N5", QStringLiteral("来自谷歌金山词霸2008生词本..."));
    N41 = PMakeAction(MenuItem3, "N41", QStringLiteral("来自有道桌面词典2单词本..."), false);
    MenuItem4 = PopupMenu3->addMenu(QStringLiteral("词库管理"));
    MenuItem4->setObjectName(QStringLiteral("MenuItem4"));
    N8 = PMakeAction(MenuItem4, "N8", QStringLiteral("词库瘦身"));
    N9 = PMakeAction(MenuItem4, "N9", QStringLiteral("词库备份"));
    N10 = PMakeAction(MenuItem4, "N10", QStringLiteral("词库初始化"));
    N20 = PMakeAction(MenuItem4, "N20", QStringLiteral("用户经验清零"));
    N18 = PMakeAction(MenuItem4, "N18", QStringLiteral("全局去重复"), false);
    MenuItem5 = PMakeAction(PopupMenu3, "MenuItem5", QStringLiteral("词表管理..."));
    N6 = PMakeAction(PopupMenu3, "N6", QStringLiteral("词条管理..."));

    PConnect(Button1, &QPushButton::clicked, this, &TPWelcomeForm::Button1Click);
    PConnect(Button2, &QPushButton::clicked, this, &TPWelcomeForm::Button2Click);
    PConnect(Button3, &QPushButton::clicked, this, &TPWelcomeForm::Button3Click);
    PConnect(Button6, &QPushButton::clicked, this, &TPWelcomeForm::Button6Click);
    PConnect(SpeedButton1, &QToolButton::clicked, this, &TPWelcomeForm::SpeedButton1Click);
    PConnect(SpeedButton3, &QToolButton::clicked, this, &TPWelcomeForm::SpeedButton3Click);
    PConnect(SpeedButton4, &QToolButton::clicked, this, &TPWelcomeForm::SpeedButton4Click);
    PConnect(SpeedButton5, &QToolButton::clicked, this, &TPWelcomeForm::SpeedButton5Click);
    PConnect(LBArticle1, &TLinkLabel::clicked, this, &TPWelcomeForm::LBArticle1Click);
    PConnect(LBArticle2, &TLinkLabel::clicked, this, &TPWelcomeForm::LBArticle2Click);
    PConnect(LBArticle3, &TLinkLabel::clicked, this, &TPWelcomeForm::LBArticle3Click);
    PConnect(LBhelp, &TLinkLabel::clicked, this, &TPWelcomeForm::LBhelpClick);
    PConnect(N1, &QAction::triggered, this, &TPWelcomeForm::N1Click);
    PConnect(N2, &QAction::triggered, this, &TPWelcomeForm::N2Click);
    PConnect(MenuItem1, &QAction::triggered, this, &TPWelcomeForm::MenuItem1Click);
    PConnect(N3, &QAction::triggered, this, &TPWelcomeForm::N3Click);
    PConnect(MenuItem2, &QAction::triggered, this, &TPWelcomeForm::MenuItem2Click);
    PConnect(N4, &QAction::triggered, this, &TPWelcomeForm::MenuItem2Click);
    PConnect(N7, &QAction::triggered, this, &TPWelcomeForm::N7Click);
    PConnect(N20061, &QAction::triggered, this, &TPWelcomeForm::N20061Click);
    PConnect(N5, &QAction::triggered, this, &TPWelcomeForm::N5Click);
    PConnect(N8, &QAction::triggered, this, &TPWelcomeForm::N8Click);
    PConnect(N9, &QAction::triggered, this, &TPWelcomeForm::N9Click);
    PConnect(N10, &QAction::triggered, this, &TPWelcomeForm::N10Click);
    PConnect(N20, &QAction::triggered, this, &TPWelcomeForm::N20Click);
    PConnect(MenuItem5, &QAction::triggered, this, &TPWelcomeForm::MenuItem5Click);
    PConnect(N17, &QAction::triggered, this, &TPWelcomeForm::N17Click);
    PConnect(N6, &QAction::triggered, this, &TPWelcomeForm::N6Click);

    PCenterOnScreen(this);

    PWelcomeForm = this;
    PGuard([this] { FormCreate(); });
}

TPWelcomeForm::~TPWelcomeForm()
{
    if (PWelcomeForm == this)
        PWelcomeForm = nullptr;
}

void TPWelcomeForm::FormCreate()
{
    setWindowTitle(QStringLiteral("Lexorin") + PVersion);
    PLoadFormBackground(this);
    LBArticle1->clear();
    LBArticle2->clear();
    LBArticle3->clear();

    // A program that is about to end asks the web nothing. Nothing to tell the learner when the
    // site does not answer: the captions stay empty and no update notice comes.
    if (PTerminateRequested)
        return;
    QStringList titles;
    PFetchStartUpPages(PStatusPageText, titles);
    LBArticle1->setText(titles.value(0));
    LBArticle2->setText(titles.value(1));
    LBArticle3->setText(titles.value(2));
}

void TPWelcomeForm::FormActivate()
{
    // Every window has a taskbar entry of its own here: the welcome window, a normal window, has
    // one whenever it is visible, whatever the mini browser did with its own.
    Pdatamodule->PDeleteAllFromTable(Tbl::TempTable);
    PPlayBackMusic(QStringLiteral("welcome"));
}

void TPWelcomeForm::FormClose(TCloseAction &)
{
    if (PMiniBrowseForm)
        PMiniBrowseForm->close();
}

void TPWelcomeForm::mousePressEvent(QMouseEvent *e)
{
    // The whole background drags the window, with any mouse button.
    e->accept();
    PStartDrag();
}

void TPWelcomeForm::popUp(QMenu *menu)
{
    menu->popup(QCursor::pos() + QPoint(0, 10));
}

void TPWelcomeForm::Button1Click() { popUp(PopupMenu1); }

void TPWelcomeForm::Button2Click()
{
    if (!PHandOvers().studyToolSelectForm)
        return;
    Hide();
    PHandOvers().studyToolSelectForm();
}

void TPWelcomeForm::Button3Click() { popUp(PopupMenu3); }

void TPWelcomeForm::Button6Click() { popUp(PopupMenu2); }

void TPWelcomeForm::SpeedButton1Click() { POpenUrl(Addr::HomePage()); }

void TPWelcomeForm::SpeedButton3Click()
{
    if (AboutBox)
        AboutBox->ShowModal();
}

void TPWelcomeForm::SpeedButton4Click()
{
    if (POptionForm)
        POptionForm->ShowModal();
}

void TPWelcomeForm::SpeedButton5Click() { POpenUrl(Addr::DownloadArticle()); }

void TPWelcomeForm::openArticle(const QString &N)
{
    // The window paints while the article page is fetched; clicks meanwhile go nowhere.
    HttpWaiter waiter;
    POpenUrl(PGetRecommendedUrlWaiting(N, waiter));
}

void TPWelcomeForm::LBArticle1Click() { openArticle(QStringLiteral("1")); }

void TPWelcomeForm::LBArticle2Click() { openArticle(QStringLiteral("2")); }

void TPWelcomeForm::LBArticle3Click() { openArticle(QStringLiteral("3")); }

void TPWelcomeForm::LBhelpClick() { POpenUrl(Addr::HelpPage()); }

void TPWelcomeForm::N1Click() { PDialogs().message(PWordBankPath); }

void TPWelcomeForm::N2Click()
{
    TPdatamodule &dm = *Pdatamodule;
    dm.OpenDialog1.Title = QStringLiteral("打开词库文件");
    dm.OpenDialog1.Filter = QStringLiteral("Lexorin词库文件(*.lxb)|*.lxb");
    const QString path = dm.OpenDialog1.Execute() ? dm.OpenDialog1.FileName : PWordBankPath;
    const bool connected = PConnectWordBank(path);
    PEnsureUserRow();
    PLoadCurrentTableName();
    if (!connected)
        return;
    const QString question = QStringLiteral("当前词库：") + PWordBankPath + QStringLiteral("\n\n") +
                             QStringLiteral("将其作为默认词库请点Yes，临时使用该词库请点No");
    if (PDialogs().ask(question, QString(), Dialogs::NoIcon, Dialogs::YesNo) == Dialogs::Yes)
        PConfigIni->WriteString(Ini::Main, Ini::DefaultBank, PWordBankPath);
}

void TPWelcomeForm::MenuItem1Click()
{
    if (!PMiniBrowseForm)
        return;
    hide();
    PConfigIni->WriteString(Ini::MiniBrowser, Ini::Sender, QStringLiteral("欢迎"));
    if (PCurrentTable.isEmpty())
        PLoadCurrentTableName();
    PMiniBrowseForm->PLoadWords(Tbl::WordTable, PCurrentTable, Mode::MiniMaster);
    PMiniBrowseForm->Show();
}

void TPWelcomeForm::N3Click()
{
    if (!PHandOvers().dictFormPlain)
        return;
    hide();
    PHandOvers().dictFormPlain();
    Show();
}

void TPWelcomeForm::MenuItem2Click()
{
    PHandOver(PHandOvers().inputFormWordSvc);
}

void TPWelcomeForm::N7Click() { POpenUrl(Addr::BankDownloads()); }

void TPWelcomeForm::N20061Click()
{
    PConfigIni->WriteString(Ini::DBTool, Ini::WordBookLayout, QStringLiteral("金山词霸"));
    PHandOver(PHandOvers().inputFormAiCiba);
}

void TPWelcomeForm::N5Click()
{
    PDialogs().message(QStringLiteral("请将谷歌金山词霸生词本另存为ANSI编码纯文本格式再进行此操作"));
    PConfigIni->WriteString(Ini::DBTool, Ini::WordBookLayout, QStringLiteral("谷歌金山词霸"));
    PHandOver(PHandOvers().inputFormAiCiba);
}

void TPWelcomeForm::N17Click()
{
    PHandOver(PHandOvers().sameSubStrWordForm, true);
}

void TPWelcomeForm::N6Click()
{
    PHandOver(PHandOvers().manageFormWL);
}

void TPWelcomeForm::MenuItem5Click()
{
    PHandOver(PHandOvers().manageFormTB);
}

void TPWelcomeForm::N8Click() { PSlimWordBank(); }

void TPWelcomeForm::N9Click() { PBackupWordBank(); }

void TPWelcomeForm::N10Click()
{
    if (PDialogs().yesNo(QStringLiteral("将整个词库中所有单词的用户信息重置为默认值，是否继续？"), QString(),
                         Dialogs::Warning))
        PInitWordBank();
}

void TPWelcomeForm::N20Click()
{
    if (!PDialogs().yesNo(QStringLiteral("将您曾经所获得的经验值和掌握单词数清零，是否继续？"), QString(),
                          Dialogs::Warning))
        return;
    TPdatamodule &dm = *Pdatamodule;
    try {
        dm.PUpdateOneFieldFromTable(Tbl::UserTable, Col::UserExperience, QStringLiteral("0"));
        dm.PUpdateOneFieldFromTable(Tbl::UserTable, Col::MasteredCount, QStringLiteral("0"));
        dm.PDeleteAllFromTable(Tbl::LogTable);
    } catch (const EngineError &) {
        PDialogs().message(QStringLiteral("用户数据清除失败"));
        return;
    }
    PDialogs().message(QStringLiteral("用户数据清除成功"));
}
