#include "support/qstringprinter.h"
#include "platform/dialogs.h"
#include "support/bankfixture.h"
#include "core/bankmaint.h"
#include "core/wordbookimport.h"
#include "support/bankmedia.h"
#include "support/banksnapshot.h"

#include <QAbstractFileIconProvider>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTreeWidget>
#include <cstdio>
#include <future>
#include <sqlite3.h>
#include <thread>

namespace {
const QString W = QStringLiteral("WordTable");
const QString K = QStringLiteral("单词");
const QString M = QStringLiteral("解释");
const char *const kSecondProgramBank = "LEXORIN_SECOND_PROGRAM_BANK";
const char *const kSecondProgramValues = "LEXORIN_SECOND_PROGRAM_VALUES";
const char *const kAddingProgramBank = "LEXORIN_ADDING_PROGRAM_BANK";
const char *const kAddingProgramWords = "LEXORIN_ADDING_PROGRAM_WORDS";
const char *const kStored = "stored: ";
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

// The other program adding words: this test binary started again by BankSharing. Each word gets an
// opening of the bank of its own; each one the bank took is reported on a line of its own.
TEST(AddingProgram, AddsWordsEachOnAnOpeningOfItsOwn)
{
    const QString path = qEnvironmentVariable(kAddingProgramBank);
    if (path.isEmpty())
        GTEST_SKIP() << "started by BankSharing only";
    const int words = qEnvironmentVariableIntValue(kAddingProgramWords);
    ASSERT_GT(words, 0);
    for (int i = 0; i < words; ++i) {
        const QString word = QStringLiteral("added%1").arg(i);
        JetConnection c;
        c.setConnectionString(PConnectionText(path));
        try {
            c.execute(QStringLiteral("insert into WordTable(单词) values(:单词)"), {{K, word}});
        } catch (const EngineError &) {
            continue;  // told it was not stored
        }
        std::printf("%s%s\n", kStored, qPrintable(word));
        std::fflush(stdout);
    }
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

// Compacting again and again while another program opens the bank, adds a word and closes it, word
// after word: every word that program was told was stored stays, and the bank stays whole.
TEST_F(BankSharing, CompactingWhileAnotherProgramAddsWordsLosesNone)
{
    for (int i = 0; i < 200; ++i)
        addWord(W, QStringLiteral("mine%1").arg(i), QString(100, QLatin1Char('x')));
    QProcess adding;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kAddingProgramBank), bankPath);
    env.insert(QString::fromLatin1(kAddingProgramWords), QStringLiteral("1500"));
    adding.setProcessEnvironment(env);
    adding.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=AddingProgram.*")});
    ASSERT_TRUE(adding.waitForStarted());
    int compacted = 0;
    do {
        PSlimWordBank();
        compacted += dialogs->lastText().startsWith(QStringLiteral("瘦身成功")) ? 1 : 0;
    } while (!adding.waitForFinished(1));
    ASSERT_EQ(adding.exitCode(), 0) << adding.readAllStandardOutput().toStdString();
    QStringList stored;
    for (const QByteArray &line : adding.readAllStandardOutput().split('\n'))
        if (line.startsWith(kStored))
            stored << QString::fromUtf8(line.mid(int(qstrlen(kStored))));
    EXPECT_GT(compacted, 0);
    EXPECT_GT(stored.size(), 0);

    EXPECT_EQ(bankIntegrity(dm->PConnection.handle()), QStringLiteral("ok"));
    const QStringList words = column(W, K);
    QStringList lost;
    for (const QString &w : stored)
        if (!words.contains(w))
            lost << w;
    EXPECT_EQ(lost, QStringList()) << "of " << stored.size() << " words, after " << compacted << " compactions";
    EXPECT_EQ(words.size(), 200 + stored.size());
}

namespace {

// Another program holding the bank's exclusive lock from a thread of its own: taken when made, given
// up on release(), or after holdMs when that is given.
class BankLock {
public:
    explicit BankLock(const QString &path, int holdMs = -1) : m_released(m_release.get_future().share())
    {
        std::promise<bool> taken;
        std::future<bool> isTaken = taken.get_future();
        m_thread = std::thread([this, path, holdMs, &taken] {
            sqlite3 *db = nullptr;
            sqlite3_open(path.toUtf8().constData(), &db);
            taken.set_value(sqlite3_exec(db, "PRAGMA journal_mode=DELETE; BEGIN EXCLUSIVE;", nullptr, nullptr,
                                         nullptr) == SQLITE_OK);
            if (holdMs < 0)
                m_released.wait();
            else
                m_released.wait_for(std::chrono::milliseconds(holdMs));
            sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        });
        m_taken = isTaken.get();
    }
    ~BankLock()
    {
        release();
        m_thread.join();
    }
    bool taken() const { return m_taken; }
    void release()
    {
        if (!m_done)
            m_release.set_value();
        m_done = true;
    }

private:
    std::promise<void> m_release;
    std::shared_future<void> m_released;
    std::thread m_thread;
    bool m_taken = false;
    bool m_done = false;
};

}  // namespace

TEST_F(BankSharing, ALockHeldForAMomentAtTheOpeningIsWaitedFor)
{
    addWord(W, QStringLiteral("apple"), QStringLiteral("苹果"));
    dm.reset();
    dialogs->clear();
    {
        BankLock lock(bankPath, 500);
        ASSERT_TRUE(lock.taken());
        dm = std::make_unique<TPdatamodule>(programDir, QStringList{bankPath});
    }
    EXPECT_EQ(dialogs->texts(), QStringList());
    ASSERT_FALSE(PTerminateRequested);
    EXPECT_FALSE(dm->PConnection.isReadOnly());
    dm->PUpdateOneDataFromTable(W, K, M, QStringLiteral("apple"), QStringLiteral("changed"));
    reopen();
    EXPECT_EQ(meaningOf(QStringLiteral("apple")), QStringLiteral("changed"));
}

TEST_F(BankSharing, ALockHeldPastTheWaitIsAClearErrorAndNoReadOnlyBank)
{
    dm.reset();
    dialogs->clear();
    {
        BankLock lock(bankPath);
        ASSERT_TRUE(lock.taken());
        dm = std::make_unique<TPdatamodule>(programDir, QStringList{bankPath});
    }
    EXPECT_EQ(dialogs->texts(), (QStringList{QStringLiteral("词库“") + bankPath +
                                                 QStringLiteral("”正被另一个程序锁定，暂时无法打开，请稍后再试。"),
                                             QStringLiteral("词库载入出错，程序自动终止")}));
    EXPECT_TRUE(PTerminateRequested);
    EXPECT_FALSE(dm->PConnection.isOpen());
    // The lock gone, the same bank opens for writing.
    addWord(W, QStringLiteral("pear"), QStringLiteral("梨"));
    EXPECT_FALSE(dm->PConnection.isReadOnly());
    reopen();
    EXPECT_EQ(meaningOf(QStringLiteral("pear")), QStringLiteral("梨"));
}

// A bank the engine cannot write opens read-only with a warning and refuses every change, until
// it can be written again.
struct Media {
    const char *name;
    bool filesWritable;  // only new files cannot be made beside the bank
};

void PrintTo(const Media &m, std::ostream *os) { *os << m.name; }

class ReadOnlyMedia : public BankSharing, public ::testing::WithParamInterface<Media> {};

TEST_P(ReadOnlyMedia, TheBankOpensReadOnlyAndRefusesChanges)
{
    addWord(W, QStringLiteral("apple"), QStringLiteral("苹果"));
    dm.reset();
    dialogs->clear();
    {
        PReadOnlyFolder media(programDir, GetParam().filesWritable);
        dm = std::make_unique<TPdatamodule>(programDir, QStringList{bankPath});
        ASSERT_FALSE(PTerminateRequested);
        EXPECT_TRUE(dm->PConnection.isReadOnly());
        EXPECT_EQ(dialogs->texts(),
                  QStringList{QStringLiteral("词库“") + bankPath +
                              QStringLiteral("”位于只读位置，已以只读方式打开：可以查看，但不能保存任何更改。")});
        EXPECT_EQ(meaningOf(QStringLiteral("apple")), QStringLiteral("苹果"));
        try {
            dm->PUpdateOneDataFromTable(W, K, M, QStringLiteral("apple"), QStringLiteral("changed"));
            ADD_FAILURE() << "a change was accepted";
        } catch (const EngineError &e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("词库是只读的"))) << e.message().toStdString();
        }
        dm.reset();
    }
    reopen();
    EXPECT_FALSE(dm->PConnection.isReadOnly());
    dm->PUpdateOneDataFromTable(W, K, M, QStringLiteral("apple"), QStringLiteral("changed"));
    EXPECT_EQ(meaningOf(QStringLiteral("apple")), QStringLiteral("changed"));
}

INSTANTIATE_TEST_SUITE_P(Places, ReadOnlyMedia,
                         ::testing::Values(Media{"ReadOnlyDisk", false}, Media{"FolderThatTakesNoNewFiles", true}),
                         [](const ::testing::TestParamInfo<Media> &i) { return std::string(i.param.name); });
