#include "shell/welcomeform.h"

#include "core/currentlist.h"
#include "platform/http.h"
#include "platform/inifile.h"
#include "platform/linklabel.h"
#include "support/bankfiles.h"
#include "support/recordingbrowser.h"
#include "services/addresses.h"
#include "services/pronunciation.h"
#include "services/publicform.h"
#include "services/webaccess.h"
#include "shell/minibrowseform.h"
#include "study/studytoolselectform.h"
#include "wordlists/dictform.h"
#include "wordlists/inputformaiciba.h"
#include "wordlists/manageformtb.h"
#include "wordlists/manageformwl.h"
#include "wordlists/samesubstrwordform.h"
#include "wordlists/inputformwordsvc.h"
#include "shell/shelltestutil.h"
#include "support/bankfixture.h"
#include "support/qstringprinter.h"
#include "support/loopbackweb.h"

#include <QAction>
#include <QCursor>
#include <QFile>
#include <QElapsedTimer>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using ShellTest::settle;

namespace {

// Counts the close requests a window receives.
class CloseCounter : public QObject {
public:
    int closes = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Close)
            ++closes;
        return false;
    }
};

class WelcomeWindow : public BankFixture {
protected:
    void SetUp() override
    {
        BankFixture::SetUp();
        ShellTest::serveSite(web);
        publicForm = std::make_unique<TPPublicForm>();
        mini = std::make_unique<TPMiniBrowseForm>();
        mini->TimerApp->setEnabled(false);  // no hand-over of its own in the middle of a test
        PMiniBrowseForm = mini.get();
        form = std::make_unique<TPWelcomeForm>();
        dialogs->clear();
    }

    void TearDown() override
    {
        form.reset();
        PMiniBrowseForm = nullptr;
        mini.reset();
        PStopBackMusic();
        publicForm.reset();
        PStatusPageText.clear();
        BankFixture::TearDown();
    }

    QAction *action(const char *name) { return form->findChild<QAction *>(QLatin1String(name)); }

    void setUserRow(const QString &experience, const QString &mastered)
    {
        PEnsureUserRow();
        dm->PUpdateOneFieldFromTable(QStringLiteral("UserTable"), QStringLiteral("经验值"), experience);
        dm->PUpdateOneFieldFromTable(QStringLiteral("UserTable"), QStringLiteral("掌握单词数"), mastered);
    }

    QString ini(const QString &section, const QString &key)
    {
        return TIniFile(programDir + QStringLiteral("config.ini")).ReadString(section, key, QStringLiteral("<none>"));
    }

    LoopbackWeb web;
    RecordingBrowser browser;
    std::unique_ptr<TPPublicForm> publicForm;
    std::unique_ptr<TPMiniBrowseForm> mini;
    std::unique_ptr<TPWelcomeForm> form;
};

struct Entry {
    const char *name;
    const char *caption;
    bool enabled;
};

QStringList captionsOf(QMenu *menu)
{
    QStringList out;
    for (QAction *a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

}  // namespace

// ------------------------------------------------------------------ creation and controls

TEST_F(WelcomeWindow, CreationSetsTheCaptionStatusPageAndArticleTitles)
{
    EXPECT_EQ(PWelcomeForm, form.get());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("LexorinV03_090919"));
    EXPECT_EQ(PStatusPageText, QString::fromUtf8(ShellTest::statusPage()));
    EXPECT_EQ(form->LBArticle1->text(), QStringLiteral("文章1"));
    EXPECT_EQ(form->LBArticle2->text(), QStringLiteral("文章2"));
    EXPECT_EQ(form->LBArticle3->text(), QStringLiteral("文章3"));
    // The status page once and the article page for each title, asked together.
    QStringList asked = web.requests();
    asked.sort();
    EXPECT_EQ(asked, QStringList({Addr::ArticlePage(), Addr::ArticlePage(), Addr::ArticlePage(), Addr::StatusPage()}));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->size(), QSize(342, 207));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(192, 220, 192));
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_NE(flags & Qt::Tool, Qt::Tool) << "the welcome window keeps its taskbar entry";
}

TEST_F(WelcomeWindow, ButtonsLinksAndHintsAreThere)
{
    const struct {
        const char *name;
        const char *caption;
        bool enabled;
    } buttons[] = {{"Button1", "词库选择", true},
                   {"Button2", "单词学习", true},
                   {"Button3", "词库维护", true},
                   {"Button6", "实用工具", true}};
    for (const auto &b : buttons) {
        auto *button = form->findChild<QPushButton *>(QLatin1String(b.name));
        ASSERT_NE(button, nullptr) << b.name;
        EXPECT_EQ(button->text(), QString::fromUtf8(b.caption)) << b.name;
        EXPECT_EQ(button->isEnabled(), b.enabled) << b.name;
    }
    const struct {
        const char *name;
        const char *hint;
    } pictures[] = {{"SpeedButton1", "主页"}, {"SpeedButton3", "关于"}, {"SpeedButton4", "设置"}, {"SpeedButton5", "下载"}};
    for (const auto &p : pictures) {
        auto *button = form->findChild<QToolButton *>(QLatin1String(p.name));
        ASSERT_NE(button, nullptr) << p.name;
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(p.hint)) << p.name;
        EXPECT_TRUE(button->isEnabled()) << p.name;
    }
    auto *help = form->findChild<TLinkLabel *>(QStringLiteral("LBhelp"));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->text(), QStringLiteral("?"));
    EXPECT_EQ(help->toolTip(), QStringLiteral("在线帮助"));
    EXPECT_EQ(help->cursor().shape(), Qt::WhatsThisCursor);
    EXPECT_EQ(help->geometry().right(), form->width() - 5) << "anchored top right";
    EXPECT_EQ(form->LBArticle1->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(WelcomeWindow, MenusHoldEveryEntryWithItsCaptionAndState)
{
    const Entry entries[] = {
        {"N1", "查看当前词库所在路径", true},
        {"N2", "打开其它词库...", true},
        {"MenuItem1", "迷你单词浏览器...", true},
        {"N3", "小词典...", true},
        {"N17", "批量查词分析器...", true},
        {"MenuItem2", "自定义词库生成器...", true},
        {"N19", "文章产词器...", false},
        {"N7", "下载现有词库---", true},
        {"N4", "基于海词网站...", true},
        {"N20061", "基于金山词霸2006生词本...", true},
        {"N5", "来自谷歌金山词霸2008生词本...", true},
        {"N41", "来自有道桌面词典2单词本...", false},
        {"N8", "词库瘦身", true},
        {"N9", "词库备份", true},
        {"N10", "词库初始化", true},
        {"N20", "用户经验清零", true},
        {"N18", "全局去重复", false},
        {"MenuItem5", "词表管理...", true},
        {"N6", "词条管理...", true},
    };
    for (const Entry &e : entries) {
        QAction *a = action(e.name);
        ASSERT_NE(a, nullptr) << e.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(e.caption)) << e.name;
        EXPECT_EQ(a->isEnabled(), e.enabled) << e.name;
    }
    EXPECT_EQ(captionsOf(form->PopupMenu1), QStringList({"查看当前词库所在路径", "打开其它词库..."}));
    EXPECT_EQ(captionsOf(form->PopupMenu2),
              QStringList({"迷你单词浏览器...", "小词典...", "批量查词分析器...", "自定义词库生成器...", "文章产词器..."}));
    EXPECT_EQ(captionsOf(form->PopupMenu3), QStringList({"新词入库", "词库管理", "词表管理...", "词条管理..."}));
    EXPECT_EQ(captionsOf(form->MenuItem3),
              QStringList({"下载现有词库---", "-", "基于海词网站...", "基于金山词霸2006生词本...",
                           "来自谷歌金山词霸2008生词本...", "来自有道桌面词典2单词本..."}));
    EXPECT_EQ(captionsOf(form->MenuItem4), QStringList({"词库瘦身", "词库备份", "词库初始化", "用户经验清零", "全局去重复"}));
    EXPECT_EQ(form->MenuItem3->menuAction()->objectName(), QString());  // the submenus are found by their menus
    EXPECT_EQ(form->findChild<QMenu *>(QStringLiteral("MenuItem3")), form->MenuItem3);
    EXPECT_EQ(form->findChild<QMenu *>(QStringLiteral("MenuItem4")), form->MenuItem4);
}

TEST_F(WelcomeWindow, MenuButtonsPopTheirMenuUpBelowThePointer)
{
    form->Show();
    settle();
    const struct {
        QPushButton *button;
        QMenu *menu;
    } pairs[] = {{form->Button1, form->PopupMenu1}, {form->Button3, form->PopupMenu3}, {form->Button6, form->PopupMenu2}};
    for (const auto &p : pairs) {
        p.button->click();
        settle();
        EXPECT_TRUE(p.menu->isVisible()) << p.button->text().toStdString();
        EXPECT_EQ(p.menu->pos(), QCursor::pos() + QPoint(0, 10)) << p.button->text().toStdString();
        p.menu->hide();
    }
    form->hide();
}

// ------------------------------------------------------------------ links

TEST_F(WelcomeWindow, PictureButtonsAndLinksOpenTheirPages)
{
    form->SpeedButton1->click();
    form->SpeedButton5->click();
    QTest::mouseClick(form->LBhelp, Qt::LeftButton);
    form->N7->trigger();
    EXPECT_EQ(browser.opened(),
              QStringList({Addr::HomePage(), Addr::DownloadArticle(), Addr::HelpPage(), Addr::BankDownloads()}));
}

TEST_F(WelcomeWindow, AnArticleLinkFetchesItsAddressAtTheClick)
{
    const int before = web.requestCount();
    QTest::mouseClick(form->LBArticle2, Qt::LeftButton);
    EXPECT_EQ(browser.opened(), QStringList{ShellTest::articleUrl(2)});
    EXPECT_EQ(web.requestCount(), before + 1);

    // The page changed since start-up: the click follows the page as it is now.
    web.serve(Addr::ArticlePage(),
              "<li id=\"therecommendablepaper3\"><a target=_blank href=\"http://lexorin.example.net/new.html\">新</a>");
    QTest::mouseClick(form->LBArticle3, Qt::LeftButton);
    EXPECT_EQ(browser.last(), QStringLiteral("http://lexorin.example.net/new.html"));
    EXPECT_EQ(form->LBArticle3->text(), QStringLiteral("文章3")) << "captions are never refreshed";
}

TEST_F(WelcomeWindow, AFailedArticleFetchAtAClickIsReportedAndOpensNothing)
{
    web.serve(Addr::ArticlePage(), "gone", "text/html", 500);
    QTest::mouseClick(form->LBArticle1, Qt::LeftButton);
    EXPECT_TRUE(browser.opened().isEmpty());
    ASSERT_EQ(dialogs->shown().size(), 1);
    EXPECT_EQ(dialogs->shown().at(0).icon, Dialogs::Critical);
}

TEST_F(WelcomeWindow, AnArticleLinkWaitsForASilentSiteWithTheWindowHandlingEventsAndTakingNoSecondClick)
{
    ShortHttpTimeouts quick(2000, 300);
    web.setSilent(true);
    form->show();
    const int before = web.requestCount();
    bool ran = false;
    QTimer::singleShot(0, form.get(), [&] {
        ran = true;
        QTest::mouseClick(form->LBArticle2, Qt::LeftButton);
    });
    QTest::mouseClick(form->LBArticle1, Qt::LeftButton);
    EXPECT_TRUE(ran);
    EXPECT_EQ(web.requestCount(), before + 1);
    EXPECT_TRUE(browser.opened().isEmpty());
    ASSERT_EQ(dialogs->shown().size(), 1);
    EXPECT_TRUE(dialogs->shown().at(0).text.startsWith(QStringLiteral("网络请求超时："))) << dialogs->texts().join('|').toStdString();
    form->hide();
}

// ------------------------------------------------------------------ creation without the site

class WelcomeWithoutSite : public BankFixture {
protected:
    void TearDown() override
    {
        PStatusPageText.clear();
        PTerminateRequested = false;
        PStartUpWebBudgetMs = PStartUpWebBudgetDefaultMs;
        BankFixture::TearDown();
    }
};

// The four start-up fetches share one budget: a site slower than it costs the budget once.
TEST_F(WelcomeWithoutSite, ASilentServerCostsOneBudgetAndLeavesTheCaptionsEmpty)
{
    LoopbackWeb web;
    web.setSilent(true);
    PStartUpWebBudgetMs = 300;
    QElapsedTimer clock;
    clock.start();
    TPWelcomeForm form;
    EXPECT_LT(clock.elapsed(), 300 + 700);
    EXPECT_GE(web.requestCount(), 1);
    EXPECT_TRUE(PStatusPageText.isEmpty());
    EXPECT_TRUE(form.LBArticle1->text().isEmpty());
    EXPECT_TRUE(form.LBArticle2->text().isEmpty());
    EXPECT_TRUE(form.LBArticle3->text().isEmpty());
    EXPECT_TRUE(dialogs->shown().isEmpty()) << "start-up without the site is not an error to the learner";
}

TEST_F(WelcomeWithoutSite, TheFourPagesAreFetchedTogether)
{
    LoopbackWeb web;
    ShellTest::serveSite(web);
    web.holdReplies(4);  // a fetch that waits for the one before it never gets an answer
    PStartUpWebBudgetMs = 3000;
    TPWelcomeForm form;
    EXPECT_EQ(PStatusPageText, QString::fromUtf8(ShellTest::statusPage()));
    EXPECT_EQ(form.LBArticle1->text(), QStringLiteral("文章1"));
    EXPECT_EQ(form.LBArticle2->text(), QStringLiteral("文章2"));
    EXPECT_EQ(form.LBArticle3->text(), QStringLiteral("文章3"));
}

TEST_F(WelcomeWithoutSite, AMissingStatusPageLeavesTheArticlesShown)
{
    LoopbackWeb web;
    web.serve(Addr::ArticlePage(), ShellTest::articlePage());  // the status page is not served: 404
    TPWelcomeForm form;
    EXPECT_TRUE(PStatusPageText.isEmpty());
    EXPECT_EQ(form.LBArticle1->text(), QStringLiteral("文章1"));
    EXPECT_EQ(form.LBArticle3->text(), QStringLiteral("文章3"));
}

TEST_F(WelcomeWithoutSite, AProgramAboutToEndAsksTheWebNothing)
{
    LoopbackWeb web;
    ShellTest::serveSite(web);
    PTerminateRequested = true;
    TPWelcomeForm form;
    EXPECT_EQ(web.requestCount(), 0);
    EXPECT_TRUE(PStatusPageText.isEmpty());
    EXPECT_TRUE(form.LBArticle1->text().isEmpty());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("LexorinV03_090919"));
}

// ------------------------------------------------------------------ activation and closing

TEST_F(WelcomeWindow, ActivationEmptiesTheStudyGroupAndStartsTheWelcomePiece)
{
    addWord(QStringLiteral("TempTable"), QStringLiteral("apple"));
    addWord(QStringLiteral("WordTable"), QStringLiteral("pear"));
    form->Show();
    settle();
    EXPECT_EQ(form->activationCount(), 1);
    EXPECT_EQ(dm->PGetCountFromTable(QStringLiteral("TempTable")), 0);
    EXPECT_EQ(column(QStringLiteral("WordTable"), QStringLiteral("单词")), QStringList{"pear"});
    EXPECT_EQ(ini(QStringLiteral("backmusic"), QStringLiteral("status")), QStringLiteral("welcome"));
    EXPECT_TRUE(PMusicTimerOn());
    EXPECT_TRUE(publicForm->TimerPlayMusic->enabled());

    // A message box opened here gives the focus back without a second activation.
    form->N1->trigger();
    settle();
    EXPECT_EQ(form->activationCount(), 1);
    form->hide();
}

TEST_F(WelcomeWindow, ClosingTheWelcomeWindowClosesTheMainWindow)
{
    CloseCounter counter;
    mini->installEventFilter(&counter);
    mini->Show();
    settle();
    mini->hide();
    form->Show();
    settle();
    form->close();
    settle();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(counter.closes, 1);
    EXPECT_FALSE(mini->isVisible());
    mini->removeEventFilter(&counter);
}

// ------------------------------------------------------------------ utilities menu

TEST_F(WelcomeWindow, TheMiniBrowserEntryHandsOverWithTheWelcomeWindowAsSender)
{
    PEnsureUserRow();
    PCurrentTable.clear();
    form->Show();
    settle();
    form->MenuItem1->trigger();
    settle();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(mini->isVisible());
    EXPECT_EQ(ini(QStringLiteral("MiniBrowser"), QStringLiteral("Sender")), QStringLiteral("欢迎"));
    EXPECT_EQ(PCurrentTable, QStringLiteral("WordTable")) << "the list is known before the words load";
    mini->hide();
}

// ------------------------------------------------------------------ new words

class WordBookEntries : public WelcomeWindow {
protected:
    void SetUp() override
    {
        WelcomeWindow::SetUp();
        import = std::make_unique<TPInputFormAiCiba>();
        PInputFormAiCiba = import.get();
    }
    void TearDown() override
    {
        PInputFormAiCiba = nullptr;
        import.reset();
        WelcomeWindow::TearDown();
    }
    std::unique_ptr<TPInputFormAiCiba> import;
};

TEST_F(WordBookEntries, TheKingsoftEntryNamesItsLayoutAndOpensTheImport)
{
    form->N20061->trigger();  // no file is picked: the import closes again
    EXPECT_EQ(ini(QStringLiteral("DBTool"), QStringLiteral("新词入库")), QStringLiteral("金山词霸"));
    ASSERT_EQ(dialogs->shown().size(), 1);
    EXPECT_EQ(dialogs->shown().at(0).kind, QStringLiteral("open"));
    EXPECT_GE(import->activationCount(), 1);
    EXPECT_FALSE(import->isVisible());
}

// The small dictionary and the bulk import open modally; the dictionary's entry hides the welcome
// window meanwhile and shows it again afterwards.
TEST_F(WelcomeWindow, TheDictionaryAndBulkImportEntriesOpenTheirWindowsModally)
{
    TPDictForm dict;
    TPInputFormWordSvc bulk;
    form->Show();
    struct Opening {
        QAction *entry;
        TPForm *window;
        bool welcomeHidden;
    } openings[] = {{form->N3, &dict, true}, {form->MenuItem2, &bulk, false}, {form->N4, &bulk, false}};
    for (const Opening &o : openings) {
        bool modal = false;
        bool welcomeShown = true;
        QTimer::singleShot(0, [&] {
            modal = o.window->isModalShowing();
            welcomeShown = form->isVisible();
            o.window->close();
        });
        o.entry->trigger();
        EXPECT_TRUE(modal) << o.entry->objectName().toStdString();
        EXPECT_EQ(welcomeShown, !o.welcomeHidden) << o.entry->objectName().toStdString();
        EXPECT_TRUE(form->isVisible());
        EXPECT_FALSE(o.window->isVisible());
    }
}

TEST_F(WordBookEntries, TheGoogleEntryWarnsFirstThenOpensTheImport)
{
    form->N5->trigger();
    EXPECT_EQ(ini(QStringLiteral("DBTool"), QStringLiteral("新词入库")), QStringLiteral("谷歌金山词霸"));
    ASSERT_EQ(dialogs->shown().size(), 2);
    EXPECT_EQ(dialogs->shown().at(0).text, QStringLiteral("请将谷歌金山词霸生词本另存为ANSI编码纯文本格式再进行此操作"));
    EXPECT_EQ(dialogs->shown().at(1).kind, QStringLiteral("open"));
    EXPECT_FALSE(import->isVisible());
}

// ------------------------------------------------------------------ bank choice

class BankChoice : public WelcomeWindow {
protected:
    void SetUp() override
    {
        WelcomeWindow::SetUp();
        otherPath = programDir + QStringLiteral("Other.lxb");
        makeBank(otherPath);
        const auto c = openSecondConnection(otherPath);
        c->execute(QStringLiteral("insert into UserTable (经验值, 当前单词表) values (5, 'WordTable')"));
        c->execute(QStringLiteral("insert into WordTable (单词) values ('other')"));
        addWord(QStringLiteral("WordTable"), QStringLiteral("mine"));
        PEnsureUserRow();
        PSetCurrentTable(QStringLiteral("WordTable"));
        PCurrentTable = QStringLiteral("stale");
    }

    QString question(const QString &path)
    {
        return QStringLiteral("当前词库：") + path + QStringLiteral("\n\n将其作为默认词库请点Yes，临时使用该词库请点No");
    }

    QString otherPath;
};

TEST_F(BankChoice, YesSwitchesTheBankAndMakesItTheDefault)
{
    dialogs->answerFile(otherPath);
    dialogs->answer(Dialogs::Yes);
    form->N2->trigger();
    ASSERT_EQ(dialogs->shown().size(), 2);
    EXPECT_EQ(dialogs->shown().at(0).kind, QStringLiteral("open"));
    EXPECT_EQ(dialogs->shown().at(0).title, QStringLiteral("打开词库文件"));
    EXPECT_EQ(dialogs->lastFilter(), PFilterToQt(QStringLiteral("Lexorin词库文件(*.lxb)|*.lxb")));
    EXPECT_EQ(dialogs->shown().at(1).kind, QStringLiteral("ask"));
    EXPECT_EQ(dialogs->shown().at(1).icon, Dialogs::NoIcon);
    EXPECT_EQ(dialogs->shown().at(1).text, question(otherPath));
    EXPECT_EQ(PWordBankPath, otherPath);
    EXPECT_EQ(ini(QStringLiteral("Lexorin"), QStringLiteral("默认词库")), otherPath);
    EXPECT_EQ(column(QStringLiteral("WordTable"), QStringLiteral("单词")), QStringList{"other"});
    EXPECT_EQ(PCurrentTable, QStringLiteral("WordTable")) << "the current list is read from the new bank";
}

TEST_F(BankChoice, NoUsesTheBankForThisRunOnly)
{
    dialogs->answerFile(otherPath);
    dialogs->answer(Dialogs::No);
    form->N2->trigger();
    EXPECT_EQ(dialogs->lastText(), question(otherPath));
    EXPECT_EQ(PWordBankPath, otherPath);
    EXPECT_EQ(column(QStringLiteral("WordTable"), QStringLiteral("单词")), QStringList{"other"});
    EXPECT_EQ(ini(QStringLiteral("Lexorin"), QStringLiteral("默认词库")), QStringLiteral("<none>"));
}

TEST_F(BankChoice, CancelReconnectsTheSameBankAndStillAsks)
{
    dialogs->answer(Dialogs::Yes);
    form->N2->trigger();
    ASSERT_EQ(dialogs->shown().size(), 2);
    EXPECT_EQ(dialogs->lastText(), question(bankPath));
    EXPECT_EQ(PWordBankPath, bankPath);
    EXPECT_EQ(column(QStringLiteral("WordTable"), QStringLiteral("单词")), QStringList{"mine"});
    EXPECT_EQ(ini(QStringLiteral("Lexorin"), QStringLiteral("默认词库")), bankPath);
    EXPECT_EQ(PCurrentTable, QStringLiteral("WordTable"));
}

TEST_F(BankChoice, AFileThatIsNoBankShowsTheEngineErrorAndKeepsTheOpenBank)
{
    const QString junk = writeJunkFile(programDir + QStringLiteral("junk.lxb"));

    dialogs->answerFile(junk);
    dialogs->answer(Dialogs::Yes);  // must not be used: no question after a failure
    form->N2->trigger();
    ASSERT_EQ(dialogs->shown().size(), 2);
    EXPECT_EQ(dialogs->shown().at(1).kind, QStringLiteral("message"));
    EXPECT_EQ(dialogs->shown().at(1).icon, Dialogs::Critical);
    EXPECT_FALSE(dialogs->shown().at(1).text.isEmpty());
    EXPECT_EQ(PWordBankPath, bankPath);
    EXPECT_EQ(column(QStringLiteral("WordTable"), QStringLiteral("单词")), QStringList{"mine"});
    addWord(QStringLiteral("WordTable"), QStringLiteral("after"));
    EXPECT_EQ(dm->PGetCountFromTable(QStringLiteral("WordTable")), 2) << "the open bank keeps working";
    EXPECT_EQ(PCurrentTable, QStringLiteral("WordTable"));
    EXPECT_EQ(ini(QStringLiteral("Lexorin"), QStringLiteral("默认词库")), QStringLiteral("<none>"));
}

TEST_F(BankChoice, ThePathEntryShowsTheBankInUse)
{
    form->N1->trigger();
    EXPECT_EQ(dialogs->texts(), QStringList{bankPath});
}

// ------------------------------------------------------------------ maintenance

TEST_F(WelcomeWindow, LearnerDataResetAnsweredNoChangesNothing)
{
    setUserRow(QStringLiteral("50"), QStringLiteral("7"));
    dm->PInsertOneRecordToTable(QStringLiteral("LogTable"), QStringLiteral("日期"), QStringLiteral("2009-1-5"));
    dialogs->answer(Dialogs::No);
    form->N20->trigger();
    EXPECT_EQ(dialogs->texts(), QStringList{"将您曾经所获得的经验值和掌握单词数清零，是否继续？"});
    EXPECT_EQ(dialogs->shown().at(0).icon, Dialogs::Warning);
    EXPECT_EQ(column(QStringLiteral("UserTable"), QStringLiteral("经验值")), QStringList{"50"});
    EXPECT_EQ(column(QStringLiteral("UserTable"), QStringLiteral("掌握单词数")), QStringList{"7"});
    EXPECT_EQ(dm->PGetCountFromTable(QStringLiteral("LogTable")), 1);
}

TEST_F(WelcomeWindow, LearnerDataResetAnsweredYesClearsExperienceAndLogButNoWord)
{
    setUserRow(QStringLiteral("50"), QStringLiteral("7"));
    dm->PInsertOneRecordToTable(QStringLiteral("LogTable"), QStringLiteral("日期"), QStringLiteral("2009-1-5"));
    addWord(QStringLiteral("WordTable"), QStringLiteral("apple"));
    dm->PUpdateOneDataFromTable(QStringLiteral("WordTable"), QStringLiteral("单词"), QStringLiteral("经验点数"),
                                QStringLiteral("apple"), QStringLiteral("42"));
    dialogs->answer(Dialogs::Yes);
    form->N20->trigger();
    EXPECT_EQ(dialogs->texts(),
              QStringList({"将您曾经所获得的经验值和掌握单词数清零，是否继续？", "用户数据清除成功"}));
    EXPECT_EQ(column(QStringLiteral("UserTable"), QStringLiteral("经验值")), QStringList{"0"});
    EXPECT_EQ(column(QStringLiteral("UserTable"), QStringLiteral("掌握单词数")), QStringList{"0"});
    EXPECT_EQ(dm->PGetCountFromTable(QStringLiteral("LogTable")), 0);
    EXPECT_EQ(column(QStringLiteral("WordTable"), QStringLiteral("经验点数")), QStringList{"42"});
}

TEST_F(WelcomeWindow, LearnerDataResetFailingHalfWayKeepsWhatWasDone)
{
    setUserRow(QStringLiteral("50"), QStringLiteral("7"));
    dm->PDropTable(QStringLiteral("LogTable"), QString());
    dialogs->answer(Dialogs::Yes);
    form->N20->trigger();
    EXPECT_EQ(dialogs->lastText(), QStringLiteral("用户数据清除失败"));
    EXPECT_EQ(column(QStringLiteral("UserTable"), QStringLiteral("经验值")), QStringList{"0"});
    EXPECT_EQ(column(QStringLiteral("UserTable"), QStringLiteral("掌握单词数")), QStringList{"0"});
}

TEST_F(WelcomeWindow, InitialisationRunsOnlyAfterYes)
{
    addWord(QStringLiteral("WordTable"), QStringLiteral("apple"));
    dm->PUpdateOneDataFromTable(QStringLiteral("WordTable"), QStringLiteral("单词"), QStringLiteral("掌握类型"),
                                QStringLiteral("apple"), QStringLiteral("11"));
    const QString warning = QStringLiteral("将整个词库中所有单词的用户信息重置为默认值，是否继续？");

    dialogs->answer(Dialogs::No);
    form->N10->trigger();
    EXPECT_EQ(dialogs->texts(), QStringList{warning});
    EXPECT_EQ(column(QStringLiteral("WordTable"), QStringLiteral("掌握类型")), QStringList{"11"});

    dialogs->clear();
    dialogs->answer(Dialogs::Yes);
    form->N10->trigger();
    EXPECT_EQ(dialogs->texts(), QStringList({warning, "词库初始化成功"}));
    EXPECT_EQ(column(QStringLiteral("WordTable"), QStringLiteral("掌握类型")), QStringList{"00"});
    EXPECT_EQ(column(QStringLiteral("WordTable"), QStringLiteral("上次是否做对")), QStringList{"未做"});
}

TEST_F(WelcomeWindow, CompactionAndBackupRunWithoutAQuestion)
{
    addWord(QStringLiteral("WordTable"), QStringLiteral("apple"));
    form->N8->trigger();
    ASSERT_EQ(dialogs->shown().size(), 1);
    EXPECT_TRUE(dialogs->lastText().startsWith(QStringLiteral("瘦身成功，原词库大小为"))) << dialogs->lastText().toStdString();
    EXPECT_EQ(column(QStringLiteral("WordTable"), QStringLiteral("单词")), QStringList{"apple"});

    dialogs->clear();
    form->N9->trigger();
    ASSERT_EQ(dialogs->shown().size(), 1);
    EXPECT_TRUE(dialogs->lastText().startsWith(QStringLiteral("词库文件已成功备份到“") + programDir));
    EXPECT_EQ(column(QStringLiteral("WordTable"), QStringLiteral("单词")), QStringList{"apple"});
}

TEST_F(WelcomeWindow, StudyingGoesThroughTheToolChoiceAndComesBackWhenItCloses)
{
    PEnsureUserRow();
    TPStudyToolSelectForm toolChoice;
    form->Show();
    settle();
    form->Button2->click();
    settle();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(toolChoice.isVisible());
    EXPECT_GE(toolChoice.activationCount(), 1);
    toolChoice.close();
    settle();
    EXPECT_FALSE(toolChoice.isVisible());
    EXPECT_TRUE(form->isVisible());
    form->hide();
}

TEST_F(WelcomeWindow, TheWordListEntriesOpenTheirWindowsModally)
{
    PEnsureUserRow();
    TPManageFormTB manager;
    TPManageFormWL editor;
    TPSameSubStrWordForm filter;
    const std::pair<const char *, TPForm *> entries[] = {{"MenuItem5", &manager}, {"N6", &editor}, {"N17", &filter}};
    for (const auto &[name, window] : entries) {
        bool modal = false;
        QTimer::singleShot(0, window, [window, &modal] {
            modal = window->isModalShowing();
            window->close();
        });
        action(name)->trigger();
        EXPECT_TRUE(modal) << name;
        EXPECT_EQ(window->activationCount(), 1) << name;
    }
}
