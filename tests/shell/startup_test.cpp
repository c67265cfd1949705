#include "shell/startup.h"

#include "core/datamodule.h"
#include "platform/linklabel.h"
#include "support/scripteddialogs.h"
#include "services/publicform.h"
#include "services/webaccess.h"
#include "shell/aboutbox.h"
#include "shell/minibrowseform.h"
#include "shell/optionform.h"
#include "shell/shelltestutil.h"
#include "shell/welcomeform.h"
#include "study/createform.h"
#include "study/studytoolselectform.h"
#include "tools/browseform.h"
#include "tools/directcheckform.h"
#include "tools/recallformspell.h"
#include "wordlists/inputformaiciba.h"
#include "wordlists/manageformtb.h"
#include "wordlists/manageformwl.h"
#include "wordlists/samesubstrwordform.h"
#include "support/bankfixture.h"
#include "support/loopbackweb.h"
#include "support/manualclock.h"
#include "support/qstringprinter.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ProgramStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ShellTest::serveSite(web);
    }
    void TearDown() override
    {
        PShutDown();
        PTerminateRequested = false;
        PStatusPageText.clear();
    }

    QStringList filesInProgramDir() const
    {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QList<QWidget *> windows() const
    {
        return {PMiniBrowseForm, PWelcomeForm,   PManageFormTB,       PManageFormWL, PStudyToolSelectForm,
                PCreateForm,     Pbrowseform,    AboutBox,            POptionForm,   PInputFormAiCiba,
                PPublicForm,     PRecallFormSpell, PSameSubStrWordForm, PDirectCheckForm};
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    LoopbackWeb web;
};

}  // namespace

TEST_F(ProgramStart, AMissingFirstArgumentEndsTheProgramWithoutTouchingAFileOrTheWeb)
{
    const QString missing = dir.path() + QStringLiteral("/nowhere.lxb");
    EXPECT_FALSE(PStartUp(dir.path(), {missing}));
    EXPECT_EQ(dialogs.texts(), QStringList{"词库载入出错，程序自动终止"});
    EXPECT_TRUE(PTerminateRequested);
    EXPECT_EQ(web.requestCount(), 0);
    // The windows are made all the same, and none shows.
    ASSERT_NE(Pdatamodule, nullptr);
    for (QWidget *w : windows()) {
        ASSERT_NE(w, nullptr);
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    }
    PShutDown();
    EXPECT_EQ(filesInProgramDir(), QStringList());
}

TEST_F(ProgramStart, ABankMakesEveryWindowOnceAndFetchesTheSite)
{
    const QString bank = dir.path() + QStringLiteral("/Mine.lxb");
    BankFixture::makeBank(bank);
    ASSERT_TRUE(PStartUp(dir.path(), {bank}));
    EXPECT_TRUE(dialogs.shown().isEmpty()) << dialogs.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(PWordBankPath, bank);
    for (QWidget *w : windows()) {
        ASSERT_NE(w, nullptr);
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    }
    EXPECT_EQ(PWelcomeForm->LBArticle1->text(), QStringLiteral("文章1"));
    EXPECT_EQ(PStatusPageText, QString::fromUtf8(ShellTest::statusPage()));
    EXPECT_EQ(web.requestCount(), 4);

    PShutDown();
    EXPECT_EQ(Pdatamodule, nullptr);
    for (QWidget *w : windows())
        EXPECT_EQ(w, nullptr);
}

TEST_F(ProgramStart, StartingAgainReplacesTheWholeSet)
{
    const QString bank = dir.path() + QStringLiteral("/Mine.lxb");
    BankFixture::makeBank(bank);
    ASSERT_TRUE(PStartUp(dir.path(), {bank}));
    QPointer<QWidget> firstWelcome = PWelcomeForm;
    ASSERT_TRUE(PStartUp(dir.path(), {bank}));
    EXPECT_TRUE(firstWelcome.isNull());
    EXPECT_NE(PWelcomeForm, nullptr);
}

TEST_F(ProgramStart, TheMainWindowHandsOverToTheWelcomeWindowAtItsFirstTick)
{
    const QString bank = dir.path() + QStringLiteral("/Mine.lxb");
    BankFixture::makeBank(bank);
    ManualClock clock;
    ASSERT_TRUE(PStartUp(dir.path(), {bank}));
    {
        JetConnection c;
        c.setConnectionString(PConnectionText(bank));
        c.execute(QStringLiteral("insert into TempTable (单词) values ('left over')"));
        c.close();
    }
    PMiniBrowseForm->Show();
    clock.advance(999);
    EXPECT_FALSE(PWelcomeForm->isVisible());
    clock.advance(1);
    ASSERT_TRUE(PWelcomeForm->isVisible());
    ShellTest::settle();
    EXPECT_FALSE(PMiniBrowseForm->isVisible());
    EXPECT_GE(PWelcomeForm->activationCount(), 1);
    EXPECT_EQ(Pdatamodule->PGetCountFromTable(QStringLiteral("TempTable")), 0);
    PWelcomeForm->hide();
}
