#include "support/qstringprinter.h"
#include "platform/dialogs.h"
#include "support/bankfixture.h"
#include "core/wordbookimport.h"

#include <QAbstractFileIconProvider>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTreeWidget>

namespace {
const QString W = QStringLiteral("WordTable");
const QString K = QStringLiteral("单词");
const QString M = QStringLiteral("解释");
const char *const kSecondProgramBank = "LEXORIN_SECOND_PROGRAM_BANK";
const char *const kSecondProgramValues = "LEXORIN_SECOND_PROGRAM_VALUES";
}  // namespace

// The other program on the bank: this test binary started again by BankSharing. It checks the
// pear's meaning the program wrote, then gives the apple a meaning of its own.
TEST(SecondProgram, SeesThePearAndChangesTheApple)
{
    const QString path = qEnvironmentVariable(kSecondProgramBank);
    if (path.isEmpty())
        GTEST_SKIP() << "started by BankSharing only";
    const QStringList values = qEnvironmentVariable(kSecondProgramValues).split(QLatin1Char('|'));
    ASSERT_EQ(values.size(), 2);
    JetConnection c;
    c.setConnectionString(PConnectionText(path));
    JetQuery q(&c);
    q.setSql(QStringLiteral("select * from WordTable where 单词=:单词"));
    q.setParam(K, QStringLiteral("pear"));
    q.open();
    ASSERT_FALSE(q.eof());
    EXPECT_EQ(q.fieldByName(M), values[0]);
    q.close();
    EXPECT_EQ(c.run(QStringLiteral("update WordTable set 解释=:解释 where 单词=:单词"),
                    {{M, values[1]}, {K, QStringLiteral("apple")}}, {}),
              1);
}

class BankSharing : public BankFixture {
protected:
    QString meaningOf(const QString &word) { return dm->PGetOneDataFromTable(M, W, K, word); }
    void reopen()
    {
        dm.reset();
        dm = std::make_unique<TPdatamodule>(programDir, QStringList{bankPath});
    }
    // Runs the second program to its end.
    void secondProgram(const QString &pearItSees, const QString &appleItWrites)
    {
        QProcess second;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kSecondProgramBank), bankPath);
        env.insert(QString::fromLatin1(kSecondProgramValues), pearItSees + QLatin1Char('|') + appleItWrites);
        second.setProcessEnvironment(env);
        second.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=SecondProgram.*")});
        ASSERT_TRUE(second.waitForFinished(60000));
        EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardOutput().toStdString();
    }
};

TEST_F(BankSharing, AnotherProgramsChangesSurviveAFileDialogAndTheExit)
{
    addWord(W, QStringLiteral("apple"), QStringLiteral("苹果"));
    addWord(W, QStringLiteral("pear"), QStringLiteral("梨"));
    // What a file dialog on the bank's folder asks of every file it lists.
    for (const QFileInfo &fi : QDir(dir.path()).entryInfoList(QDir::Files)) {
        PFileDialogIconProvider()->icon(fi);
        PFileDialogIconProvider()->type(fi);
    }
    secondProgram(QStringLiteral("梨"), QStringLiteral("second"));
    EXPECT_EQ(meaningOf(QStringLiteral("apple")), QStringLiteral("second"));
    dm->PUpdateOneDataFromTable(W, K, M, QStringLiteral("pear"), QStringLiteral("first"));
    secondProgram(QStringLiteral("first"), QStringLiteral("third"));
    reopen();
    EXPECT_EQ(meaningOf(QStringLiteral("apple")), QStringLiteral("third"));
    EXPECT_EQ(meaningOf(QStringLiteral("pear")), QStringLiteral("first"));
}
TEST_F(BankSharing, TheWordBookImportPointedAtTheBankOrItsFilesLosesNoCommit)
{
    addWord(W, QStringLiteral("apple"), QStringLiteral("苹果"));
    addWord(W, QStringLiteral("pear"), QStringLiteral("梨"));
    // The bank by its own name, its log and the log's index, and the bank under a name of a link.
    const QString link = programDir + QStringLiteral("wordbook.txt");
    ASSERT_TRUE(QFile::link(bankPath, link));
    QTreeWidget list;
    for (const QString &file : {bankPath, bankPath + QStringLiteral("-wal"), bankPath + QStringLiteral("-shm"), link}) {
        ASSERT_TRUE(QFile::exists(file)) << file.toStdString();
        dialogs->answerFile(file);
        try {
            PImportWordBookText(&list, dm->OpenDialog1);
            ADD_FAILURE() << "read " << file.toStdString();
        } catch (const EngineError &e) {
            EXPECT_EQ(e.message(), QStringLiteral("“") + file + QStringLiteral("”是正在使用的词库或它的附属文件，不能用于此操作。"));
        }
        EXPECT_EQ(list.topLevelItemCount(), 0);
    }
    secondProgram(QStringLiteral("梨"), QStringLiteral("second"));
    EXPECT_EQ(meaningOf(QStringLiteral("apple")), QStringLiteral("second"));
    dm->PUpdateOneDataFromTable(W, K, M, QStringLiteral("pear"), QStringLiteral("first"));
    secondProgram(QStringLiteral("first"), QStringLiteral("third"));
    reopen();
    EXPECT_EQ(meaningOf(QStringLiteral("apple")), QStringLiteral("third"));
    EXPECT_EQ(meaningOf(QStringLiteral("pear")), QStringLiteral("first"));
}
TEST_F(BankSharing, ABankThatCannotBeWrittenOpensReadOnlyAndRefusesChanges)
{
    addWord(W, QStringLiteral("apple"), QStringLiteral("苹果"));
    dm.reset();
    // The shared log's index cannot be made, as on read-only media.
    ASSERT_TRUE(QDir().mkdir(bankPath + QStringLiteral("-shm")));
    dialogs->clear();
    dm = std::make_unique<TPdatamodule>(programDir, QStringList{bankPath});
    ASSERT_FALSE(PTerminateRequested);
    ASSERT_TRUE(dm->PConnection.isReadOnly());
    ASSERT_EQ(dialogs->texts().size(), 1);
    EXPECT_TRUE(dialogs->lastText().contains(QStringLiteral("只读"))) << dialogs->lastText().toStdString();
    EXPECT_EQ(meaningOf(QStringLiteral("apple")), QStringLiteral("苹果"));
    try {
        dm->PUpdateOneDataFromTable(W, K, M, QStringLiteral("apple"), QStringLiteral("changed"));
        ADD_FAILURE() << "a change was accepted";
    } catch (const EngineError &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("词库是只读的"))) << e.message().toStdString();
    }
    ASSERT_TRUE(QDir().rmdir(bankPath + QStringLiteral("-shm")));
    reopen();
    EXPECT_FALSE(dm->PConnection.isReadOnly());
    EXPECT_EQ(meaningOf(QStringLiteral("apple")), QStringLiteral("苹果"));
}
