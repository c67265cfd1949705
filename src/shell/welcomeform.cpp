#include "shell/welcomeform.h"

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
#include "wordlists/inputformaiciba.h"
#include "platform/windowkit.h"

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

// clMoneyGreen
const QColor MoneyGreen(192, 220, 192);

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
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setIconSize(QSize(22, 22));
    b->setAutoRaise(true);
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

QAction *item(QMenu *menu, const char *name, const QString &caption, bool enabled = true)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    a->setEnabled(enabled);
    return a;
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
    palette.setColor(QPalette::Window, MoneyGreen);
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
    N1 = item(PopupMenu1, "N1", QStringLiteral("查看当前词库所在路径"));
    N2 = item(PopupMenu1, "N2", QStringLiteral("打开其它词库..."));

    // The entries that open windows the program does not have yet stay disabled: the tool choice
    // (Button2), the small dictionary (N3), the spelling filter (N17), the bulk import (MenuItem2,
    // N4), the word-list manager (MenuItem5) and the word-entry editor (N6).
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    MenuItem1 = item(PopupMenu2, "MenuItem1", QStringLiteral("迷你单词浏览器..."));
    N3 = item(PopupMenu2, "N3", QStringLiteral("小词典..."), false);
    N17 = item(PopupMenu2, "N17", QStringLiteral("批量查词分析器..."), false);
    MenuItem2 = item(PopupMenu2, "MenuItem2", QStringLiteral("自定义词库生成器..."), false);
    N19 = item(PopupMenu2, "N19", QStringLiteral("文章产词器..."), false);

    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    MenuItem3 = PopupMenu3->addMenu(QStringLiteral("新词入库"));
    MenuItem3->setObjectName(QStringLiteral("MenuItem3"));
    N7 = item(MenuItem3, "N7", QStringLiteral("下载现有词库---"));
    N16 = MenuItem3->addSeparator();
    N16->setObjectName(QStringLiteral("N16"));
    N4 = item(MenuItem3, "N4", QStringLiteral("基于海词网站..."), false);
    N20061 = item(MenuItem3, "N20061", QStringLiteral("基于金山词霸2006生词本..."));
    N5 = item(MenuItem3, "N5", QStringLiteral("来自谷歌金山词霸2008生词本..."));
    N41 = item(MenuItem3, "N41", QStringLiteral("来自有道桌面词典2单词本..."), false);
    MenuItem4 = PopupMenu3->addMenu(QStringLiteral("词库管理"));
    MenuItem4->setObjectName(QStringLiteral("MenuItem4"));
    N8 = item(MenuItem4, "N8", QStringLiteral("词库瘦身"));
    N9 = item(MenuItem4, "N9", QStringLiteral("词库备份"));
    N10 = item(MenuItem4, "N10", QStringLiteral("词库初始化"));
    N20 = item(MenuItem4, "N20", QStringLiteral("用户经验清零"));
    N18 = item(MenuItem4, "N18", QStringLiteral("全局去重复"), false);
    MenuItem5 = item(PopupMenu3, "MenuItem5", QStringLiteral("词表管理..."), false);
    N6 = item(PopupMenu3, "N6", QStringLiteral("词条管理..."), false);

    Button2->setEnabled(false);

    PConnect(Button1, &QPushButton::clicked, this, &TPWelcomeForm::Button1Click);
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
    PConnect(N7, &QAction::triggered, this, &TPWelcomeForm::N7Click);
    PConnect(N20061, &QAction::triggered, this, &TPWelcomeForm::N20061Click);
    PConnect(N5, &QAction::triggered, this, &TPWelcomeForm::N5Click);
    PConnect(N8, &QAction::triggered, this, &TPWelcomeForm::N8Click);
    PConnect(N9, &QAction::triggered, this, &TPWelcomeForm::N9Click);
    PConnect(N10, &QAction::triggered, this, &TPWelcomeForm::N10Click);
    PConnect(N20, &QAction::triggered, this, &TPWelcomeForm::N20Click);

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

    // A program that is about to end asks the web nothing. Once a fetch fails the site is taken
    // as out of reach for the rest of the start-up, so a dead server costs one time-out, not four.
    bool siteAnswers = !PTerminateRequested;
    const auto fetch = [&siteAnswers](const std::function<QString()> &request) {
        if (!siteAnswers)
            return QString();
        try {
            return request();
        } catch (const WebError &) {
            // Nothing to tell the learner here: the captions stay empty, no update notice.
            siteAnswers = false;
            return QString();
        }
    };
    PStatusPageText = fetch([] { return PGetWebPage(Addr::StatusPage()); });
    LBArticle1->setText(fetch([] { return PGetRecommendedTitle(QStringLiteral("1")); }));
    LBArticle2->setText(fetch([] { return PGetRecommendedTitle(QStringLiteral("2")); }));
    LBArticle3->setText(fetch([] { return PGetRecommendedTitle(QStringLiteral("3")); }));
}

void TPWelcomeForm::FormActivate()
{
    // Every window has a taskbar entry of its own here: the welcome window, a normal window, has
    // one whenever it is visible, whatever the mini browser did with its own.
    Pdatamodule->PDeleteAllFromTable(QStringLiteral("TempTable"));
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

void TPWelcomeForm::LBArticle1Click() { POpenUrl(PGetRecommendedUrl(QStringLiteral("1"))); }

void TPWelcomeForm::LBArticle2Click() { POpenUrl(PGetRecommendedUrl(QStringLiteral("2"))); }

void TPWelcomeForm::LBArticle3Click() { POpenUrl(PGetRecommendedUrl(QStringLiteral("3"))); }

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
        PConfigIni->WriteString(QStringLiteral("Lexorin"), QStringLiteral("默认词库"), PWordBankPath);
}

void TPWelcomeForm::MenuItem1Click()
{
    if (!PMiniBrowseForm)
        return;
    hide();
    PConfigIni->WriteString(QStringLiteral("MiniBrowser"), QStringLiteral("Sender"), QStringLiteral("欢迎"));
    if (PCurrentTable.isEmpty())
        PLoadCurrentTableName();
    PMiniBrowseForm->PLoadWords(QStringLiteral("WordTable"), PCurrentTable, QStringLiteral("MiniMaster"));
    PMiniBrowseForm->Show();
}

void TPWelcomeForm::N7Click() { POpenUrl(Addr::BankDownloads()); }

void TPWelcomeForm::N20061Click()
{
    PConfigIni->WriteString(QStringLiteral("DBTool"), QStringLiteral("新词入库"), QStringLiteral("金山词霸"));
    if (PInputFormAiCiba)
        PInputFormAiCiba->ShowModal();
}

void TPWelcomeForm::N5Click()
{
    PDialogs().message(QStringLiteral("请将谷歌金山词霸生词本另存为ANSI编码纯文本格式再进行此操作"));
    PConfigIni->WriteString(QStringLiteral("DBTool"), QStringLiteral("新词入库"), QStringLiteral("谷歌金山词霸"));
    if (PInputFormAiCiba)
        PInputFormAiCiba->ShowModal();
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
        dm.PUpdateOneFieldFromTable(QStringLiteral("UserTable"), QStringLiteral("经验值"), QStringLiteral("0"));
        dm.PUpdateOneFieldFromTable(QStringLiteral("UserTable"), QStringLiteral("掌握单词数"), QStringLiteral("0"));
        dm.PDeleteAllFromTable(QStringLiteral("LogTable"));
    } catch (const EngineError &) {
        PDialogs().message(QStringLiteral("用户数据清除失败"));
        return;
    }
    PDialogs().message(QStringLiteral("用户数据清除成功"));
}
