// A new bank has no learner row: the program must still keep and play the current word list.

#include "core/currentlist.h"
#include "core/datamodule.h"
#include "support/scripteddialogs.h"
#include "services/publicform.h"
#include "shell/minibrowseform.h"
#include "shell/startup.h"
#include "shell/welcomeform.h"
#include "support/bankfixture.h"
#include "support/loopbackweb.h"
#include "shell/shelltestutil.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <gtest/gtest.h>

TEST(NewBank, StartUpMakesTheLearnerRowAndTheMiniBrowserPlaysWordTable)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString bank = dir.filePath(QStringLiteral("EnglishWord.lxb"));
    BankFixture::makeBank(bank);
    {
        JetConnection c;
        c.setConnectionString(PConnectionText(bank));
        c.execute(QStringLiteral("insert into WordTable(单词) values(:单词)"), {{QStringLiteral("单词"), QStringLiteral("apple")}});
    }
    ScriptedDialogs dialogs;
    LoopbackWeb web;
    ShellTest::serveSite(web);
    ASSERT_TRUE(PStartUp(dir.path(), {}));
    EXPECT_EQ(Pdatamodule->PGetCountFromTable(QStringLiteral("UserTable")), 1);
    EXPECT_EQ(Pdatamodule->PGetOneDataFromTable(QStringLiteral("当前单词表"), QStringLiteral("UserTable"),
                                                QStringLiteral("经验值"), QStringLiteral("0")),
              QStringLiteral("WordTable"));

    auto *miniEntry = PWelcomeForm->findChild<QAction *>(QStringLiteral("MenuItem1"));
    ASSERT_NE(miniEntry, nullptr);
    miniEntry->trigger();
    ShellTest::settle();
    EXPECT_TRUE(dialogs.texts().isEmpty()) << qPrintable(dialogs.texts().join(QLatin1Char('|')));
    ASSERT_EQ(PPublicForm->P_LVmini->topLevelItemCount(), 1);
    EXPECT_EQ(PPublicForm->P_LVmini->topLevelItem(0)->text(0), QStringLiteral("apple"));
    PShutDown();
}
