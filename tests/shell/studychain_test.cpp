// The whole program as start-up makes it: the welcome window leads through the tool choice and the
// builder to the word browser and the tests, and every window hands back to the one it came from.

#include "vocab/bankvocab.h"
#include "core/datamodule.h"
#include "platform/inifile.h"
#include "services/utils.h"
#include "shell/minibrowseform.h"
#include "shell/shelltestutil.h"
#include "shell/startup.h"
#include "shell/welcomeform.h"
#include "study/createform.h"
#include "core/studycounters.h"
#include "study/studytoolselectform.h"
#include "support/bankfixture.h"
#include "support/drivendate.h"
#include "support/manualclock.h"
#include "support/scripteddialogs.h"
#include "tools/browseform.h"
#include "tools/crazyspellform.h"
#include "tools/directcheckform.h"
#include "tools/linkerform.h"
#include "tools/recallformspell.h"
#include "tools/testformselect.h"
#include "tools/testformspell.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class StudyChain : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ShellTest::serveSite(web);
        const QString bank = dir.path() + QStringLiteral("/Mine.lxb");
        BankFixture::makeBank(bank);
        ASSERT_TRUE(PStartUp(dir.path(), {bank}));
        for (int i = 0; i < 30; ++i)
            Pdatamodule->PConnection.execute(
                QStringLiteral("insert into WordTable (单词,解释,做过次数,做错次数,经验点数,上次是否做对,最近测试时间,掌握类型) "
                               "values (:单词,:解释,'0','0','10','未做','2000-01-01','00')"),
                {{Col::Word, QStringLiteral("word%1").arg(i)}, {Col::Explanation, QStringLiteral("意思%1").arg(i)}});
        PMiniBrowseForm->hide();
        dialogs.clear();
        counters = PStudyCounters();
    }
    void TearDown() override
    {
        PShutDown();
        PTerminateRequested = false;
    }

    // From the welcome window through the tool choice to the builder with a group chosen.
    void buildGroupWith(const QString &tool)
    {
        PConfigIni->WriteString(Ini::Main, Ini::Tool, tool);
        PWelcomeForm->Show();
        ShellTest::settle();
        PWelcomeForm->Button2->click();
        ShellTest::settle();
        ASSERT_TRUE(PStudyToolSelectForm->isVisible());
        PStudyToolSelectForm->Button6->click();
        ShellTest::settle();
        ASSERT_TRUE(PCreateForm->isVisible()) << dialogs.texts().join('|').toStdString();
        EXPECT_EQ(PCreateForm->PLV1->topLevelItemCount(), 30);
        PCreateForm->Pcreatebutton->click();
        ASSERT_GT(PCreateForm->PLV2->topLevelItemCount(), 5);
    }
    int tempRows() { return Pdatamodule->PGetCountFromTable(Tbl::TempTable); }

    QTemporaryDir dir;
    LoopbackWeb web;
    ScriptedDialogs dialogs;
    ManualClock clock;
    DrivenDate date{QDateTime(QDate(2026, 12, 7), QTime(9, 0))};
    TPStudyCounters counters;
};

}  // namespace

TEST_F(StudyChain, BrowsingLeadsToTheSpellingTestWhichComesBackToTheBuilder)
{
    buildGroupWith(ToolName::Spell);
    const int group = PCreateForm->PLV2->topLevelItemCount();
    PCreateForm->BtGotoBrowse->click();
    ShellTest::settle();
    ASSERT_TRUE(Pbrowseform->isVisible());
    EXPECT_FALSE(PCreateForm->isVisible());
    EXPECT_EQ(tempRows(), group);

    clock.advance(125000);
    Pbrowseform->Button1->click();
    ShellTest::settle();
    EXPECT_FALSE(Pbrowseform->isVisible());
    ASSERT_TRUE(PTestFormSpell->isVisible());
    EXPECT_EQ(PStudyCounters().browseSeconds - counters.browseSeconds, 125);

    PTestFormSpell->close();
    ShellTest::settle();
    EXPECT_TRUE(PCreateForm->isVisible());
    PCreateForm->close();
    ShellTest::settle();
    EXPECT_TRUE(PStudyToolSelectForm->isVisible());
    EXPECT_EQ(Pdatamodule->PGetCountFromTableWhere(Tbl::LogTable, Col::LogDate, QStringLiteral("2026-12-7")), 1);
}

TEST_F(StudyChain, TheMultipleChoiceTestGetsItsOptionsAndGoesBackToTheBuilder)
{
    buildGroupWith(ToolName::MultipleChoice);
    const int group = PCreateForm->PLV2->topLevelItemCount();
    PCreateForm->BtGotoTest->click();
    ShellTest::settle();
    ASSERT_TRUE(PTestFormSelect->isVisible()) << dialogs.texts().join('|').toStdString();
    EXPECT_EQ(tempRows(), group);
    EXPECT_EQ(Pdatamodule->PGetCountFromTable(Tbl::OptionTable), group);

    PTestFormSelect->close();
    ShellTest::settle();
    EXPECT_TRUE(PCreateForm->isVisible());
    EXPECT_EQ(Pdatamodule->PGetCountFromTable(Tbl::OptionTable), 0);
}

namespace {
struct DirectTool {
    const char *name;
    QRadioButton *TPStudyToolSelectForm::*radio;
    TPForm *(*window)();
};

void PrintTo(const DirectTool &t, std::ostream *os) { *os << t.name; }

class StudyChainTools : public StudyChain, public ::testing::WithParamInterface<DirectTool> {};
}  // namespace

// Tools that need no group open straight from the tool choice and hand back to it when closed.
TEST_P(StudyChainTools, TheToolOpensFromTheToolChoiceAndHandsBack)
{
    PWelcomeForm->Show();
    ShellTest::settle();
    PWelcomeForm->Button2->click();
    ShellTest::settle();
    ASSERT_TRUE(PStudyToolSelectForm->isVisible());
    (PStudyToolSelectForm->*GetParam().radio)->click();
    TPForm *tool = GetParam().window();
    bool modal = false;
    QTimer::singleShot(0, tool, [&] {
        modal = tool->isModalShowing();
        if (modal)
            tool->close();
    });
    PStudyToolSelectForm->Button6->click();
    ShellTest::settle();
    if (!modal) {
        ASSERT_TRUE(tool->isVisible()) << dialogs.texts().join('|').toStdString();
        EXPECT_FALSE(PStudyToolSelectForm->isVisible());
        tool->close();
        ShellTest::settle();
    }
    EXPECT_FALSE(tool->isVisible());
    EXPECT_TRUE(PStudyToolSelectForm->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Tools, StudyChainTools,
    ::testing::Values(DirectTool{"QuickRecall", &TPStudyToolSelectForm::RBFastRecall,
                                 [] { return static_cast<TPForm *>(PRecallFormSpell); }},
                      DirectTool{"TickList", &TPStudyToolSelectForm::RBDirectCheck,
                                 [] { return static_cast<TPForm *>(PDirectCheckForm); }},
                      DirectTool{"Matching", &TPStudyToolSelectForm::RBConnect,
                                 [] { return static_cast<TPForm *>(PLinkerForm); }},
                      DirectTool{"CrazySpell", &TPStudyToolSelectForm::RBCrazySpell,
                                 [] { return static_cast<TPForm *>(PCrazySpellForm); }}),
    [](const ::testing::TestParamInfo<DirectTool> &info) { return std::string(info.param.name); });
