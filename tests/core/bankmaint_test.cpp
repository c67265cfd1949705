#include "support/bankfiles.h"
#include "support/bankfixture.h"
#include "support/bankmedia.h"
#include "support/banksnapshot.h"

#include "core/bankmaint.h"
#include "services/utils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString W = QStringLiteral("WordTable");
const QString K = QStringLiteral("单词");
}  // namespace

class Maintenance : public BankFixture {
protected:
    void studiedWord(const QString &T, const QString &w)
    {
        addWord(T, w);
        dm->PUpdateOneDataFromTable(T, K, QStringLiteral("做过次数"), w, QStringLiteral("4"));
        dm->PUpdateOneDataFromTable(T, K, QStringLiteral("掌握类型"), w, QStringLiteral("11"));
        dm->PUpdateOneDataFromTable(T, K, QStringLiteral("上次是否做对"), w, QStringLiteral("对"));
    }
    void expectInitial(const QString &T)
    {
        for (const auto &[field, value] : std::initializer_list<std::pair<const char *, const char *>>{
                 {"做过次数", "0"}, {"做错次数", "0"}, {"经验点数", "10"}, {"上次是否做对", "未做"},
                 {"最近测试时间", "2000-01-01"}, {"掌握类型", "00"}})
            for (const QString &v : column(T, QString::fromUtf8(field)))
                EXPECT_EQ(v, QString::fromUtf8(value)) << qPrintable(T) << " " << field;
    }
};

TEST_F(Maintenance, AllTableNamesListsRegisteredListsThenWordTable)
{
    dm->PCreateNewWordTable(W, QStringLiteral("a"), QStringLiteral("addname"));
    dm->PCreateNewWordTable(W, QStringLiteral("b"), QStringLiteral("addname"));
    QString list;
    PGetAllTableNames(list);
    EXPECT_EQ(list, QStringLiteral("a,b,WordTable"));
}

TEST_F(Maintenance, InitialisationResetsEveryListAndEmptiesTheWorkTables)
{
    dm->PCreateNewWordTable(W, QStringLiteral("a"), QStringLiteral("addname"));
    dm->PCreateNewWordTable(W, QStringLiteral("b"), QStringLiteral("addname"));
    studiedWord(W, QStringLiteral("one"));
    studiedWord(QStringLiteral("a"), QStringLiteral("two"));
    studiedWord(QStringLiteral("b"), QStringLiteral("three"));
    dm->PInsertOneRecordToTable(QStringLiteral("UserTable"), QStringLiteral("经验值"), QStringLiteral("120"));
    dm->PUpdateOneFieldFromTable(QStringLiteral("UserTable"), QStringLiteral("掌握单词数"), QStringLiteral("7"));
    dm->PInsertOneRecordToTable(QStringLiteral("LogTable"), QStringLiteral("日期"), QStringLiteral("2026-12-6"));
    dm->PInsertOneRecordToTable(QStringLiteral("UsedWordTable"), K, QStringLiteral("one"));
    dm->PMoveAll(W, QStringLiteral("TempTable"));

    PInitWordBank();
    EXPECT_EQ(dialogs->lastText(), QStringLiteral("词库初始化成功"));
    for (const QString &t : {W, QStringLiteral("a"), QStringLiteral("b")})
        expectInitial(t);
    EXPECT_EQ(column(QStringLiteral("b"), K), QStringList{QStringLiteral("three")});
    for (const char *t : {"LogTable", "OptionTable", "TempTable", "UsedWordTable"})
        EXPECT_EQ(dm->PGetCountFromTable(QString::fromUtf8(t)), 0) << t;
    EXPECT_EQ(column(QStringLiteral("UserTable"), QStringLiteral("经验值")), QStringList{QStringLiteral("0")});
    EXPECT_EQ(column(QStringLiteral("UserTable"), QStringLiteral("掌握单词数")), QStringList{QStringLiteral("0")});
}

TEST_F(Maintenance, AListNameWithACommaMakesInitialisationFail)
{
    studiedWord(W, QStringLiteral("one"));
    dm->PInsertOneRecordToTable(QStringLiteral("TableNameTable"), QStringLiteral("表名"), QStringLiteral("x,y"));
    PInitWordBank();
    EXPECT_EQ(dialogs->lastText(), QStringLiteral("词库初始化失败"));
    // What ran before the failing list stays done.
    expectInitial(W);
}

// A compaction on a sound disk shrinks the bank; one that the disk cuts short shows "瘦身失败".
// Either way the bank keeps every row, no file is left beside it, and the next statement opens it.
struct Slimming {
    const char *name;
    const char *bankFile;
    qint64 room;  // bytes the disk can still take; -1 for a disk with room to spare
};

void PrintTo(const Slimming &s, std::ostream *os) { *os << s.name; }

class Compaction : public Maintenance, public ::testing::WithParamInterface<Slimming> {};

TEST_P(Compaction, ShrinksTheBankOrLeavesItAsItWas)
{
    const Slimming &c = GetParam();
    if (QString::fromLatin1(c.bankFile) != QFileInfo(bankPath).fileName()) {
        dm.reset();
        bankPath = programDir + QString::fromLatin1(c.bankFile);
        BankFixture::makeBank(bankPath);
        dm = std::make_unique<TPdatamodule>(programDir, QStringList{bankPath});
    }
    for (int i = 0; i < 300; ++i)
        addWord(W, QStringLiteral("w%1").arg(i), QString(200, QLatin1Char('x')));
    dm->PCreateAndMoveAll(W, QStringLiteral("L1"));
    dm->PDeleteAllFromTable(W);
    addWord(W, QStringLiteral("kept"));
    dm->PDropTable(QStringLiteral("L1"), QString());
    const QStringList before = bankSnapshot(dm->PConnection.handle());
    dm->PConnection.close();  // the size on disk once the log is folded in
    const QStringList files = QDir(programDir).entryList(QDir::Files | QDir::Hidden);
    const qint64 sizeBefore = QFileInfo(bankPath).size();

    bool refused = false;
    {
        std::unique_ptr<PFullDisk> disk;
        if (c.room >= 0)
            disk = std::make_unique<PFullDisk>(c.room);
        PSlimWordBank();
        refused = disk && disk->refusedAny();
    }
    const qint64 sizeAfter = QFileInfo(bankPath).size();
    if (c.room < 0) {
        EXPECT_EQ(dialogs->lastText(), QStringLiteral("瘦身成功，原词库大小为") + QString::number(sizeBefore / 1000) +
                                           QStringLiteral("KB，瘦身后为") + QString::number(sizeAfter / 1000) +
                                           QStringLiteral("KB"));
        EXPECT_LT(sizeAfter, sizeBefore);
    } else {
        ASSERT_TRUE(refused) << "the disk never filled up";
        EXPECT_EQ(dialogs->lastText(), QStringLiteral("瘦身失败"));
    }
    EXPECT_EQ(QDir(programDir).entryList(QDir::Files | QDir::Hidden), files);
    EXPECT_FALSE(dm->PConnection.isOpen());
    EXPECT_EQ(bankSnapshot(dm->PConnection.handle()), before);
    EXPECT_EQ(bankIntegrity(dm->PConnection.handle()), QStringLiteral("ok"));
    // Compacting again works.
    PSlimWordBank();
    EXPECT_TRUE(dialogs->lastText().startsWith(QStringLiteral("瘦身成功"))) << dialogs->lastText().toStdString();
    EXPECT_EQ(bankSnapshot(dm->PConnection.handle()), before);
}

INSTANTIATE_TEST_SUITE_P(Disks, Compaction,
                         ::testing::Values(Slimming{"RoomToSpare", "EnglishWord.lxb", -1},
                                           Slimming{"BankNamedLikeAScratchFile", "New.mdb", -1},
                                           Slimming{"DiskFullAtTheFirstByte", "EnglishWord.lxb", 0},
                                           Slimming{"DiskFullAfterTwoPages", "EnglishWord.lxb", 8200}),
                         [](const ::testing::TestParamInfo<Slimming> &i) { return std::string(i.param.name); });

TEST_F(Maintenance, ABankAnotherProgramHasOpenIsNotCompacted)
{
    for (int i = 0; i < 500; ++i)
        addWord(W, QStringLiteral("w%1").arg(i), QString(200, QLatin1Char('x')));
    dm->PCreateAndMoveAll(W, QStringLiteral("L1"));
    dm->PDropTable(QStringLiteral("L1"), QString());
    // A second copy of the program with a change of its own not yet folded into the file.
    const auto other = openSecondConnection(bankPath);
    other->execute(QStringLiteral("update WordTable set 解释=\"zz\" where 单词 like \"w1%\""));

    PSlimWordBank();
    EXPECT_EQ(dialogs->lastText(), QStringLiteral("瘦身失败"));
    EXPECT_FALSE(QFile::exists(programDir + QStringLiteral("New.mdb")));
    other->execute(QStringLiteral("insert into WordTable(单词) values(\"late\")"));
    other->close();
    EXPECT_EQ(dm->PGetCountFromTable(W), 501);
    EXPECT_EQ(dm->PGetCountFromTableWhere(W, QStringLiteral("解释"), QStringLiteral("zz")), 111);

    // Once the other program is gone the bank compacts and keeps every change.
    PSlimWordBank();
    EXPECT_TRUE(dialogs->lastText().startsWith(QStringLiteral("瘦身成功")));
    EXPECT_EQ(dm->PGetCountFromTable(W), 501);
    EXPECT_EQ(dm->PGetOneDataFromTable(QStringLiteral("解释"), W, K, QStringLiteral("w123")), QStringLiteral("zz"));
}

TEST_F(Maintenance, ASecondBackupOnOneDayOverwritesTheFirst)
{
    addWord(W, QStringLiteral("first"));
    PBackupWordBank();
    const QString target = programDir + PShortDateText() + QStringLiteral(".lxb");
    EXPECT_EQ(dialogs->lastText(), QStringLiteral("词库文件已成功备份到“") + target + QStringLiteral("”"));
    addWord(W, QStringLiteral("second"));
    PBackupWordBank();
    dm->PConnection.close();
    JetConnection c;
    c.setConnectionString(PConnectionText(target));
    JetQuery q(&c);
    q.setSql(QStringLiteral("select * from WordTable"));
    q.open();
    EXPECT_EQ(q.recordCount(), 2);
    q.close();
    EXPECT_FALSE(QFile::exists(target + QStringLiteral(".part")));
}

TEST_F(Maintenance, ABackupNeverOverwritesTheOpenBankUnderAnyName)
{
    dm.reset();
    const QString dated = programDir + PShortDateText() + QStringLiteral(".lxb");
    const QString elsewhere = dir.path() + QStringLiteral("/elsewhere.lxb");
    BankFixture::makeBank(elsewhere);
    // The backup's name is the bank itself, then a second name of it.
    for (const auto &[bank, link] : {std::pair{dated, false}, std::pair{elsewhere, true}}) {
        if (link)
            ASSERT_TRUE(QFile::remove(dated) && QFile::link(elsewhere, dated));
        else
            BankFixture::makeBank(dated);
        dm = std::make_unique<TPdatamodule>(programDir, QStringList{bank});
        addWord(W, QStringLiteral("mine"));
        dialogs->clear();
        PBackupWordBank();
        EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("“") + dated +
                                                QStringLiteral("”是正在使用的词库或它的附属文件，不能用于此操作。")});
        EXPECT_EQ(column(W, K), QStringList{QStringLiteral("mine")});
        EXPECT_FALSE(QFile::exists(dated + QStringLiteral(".part")));
        dm.reset();
    }
    EXPECT_TRUE(QFileInfo(dated).isSymLink());
    dm = std::make_unique<TPdatamodule>(programDir, QStringList{bankPath});
}

TEST_F(Maintenance, AnotherBankChosenAmongTheOpenBanksOwnFilesIsRefusedAndTheBankItselfReconnected)
{
    addWord(W, QStringLiteral("kept"));
    const QString link = programDir + QStringLiteral("again.lxb");
    ASSERT_TRUE(QFile::link(bankPath, link));
    for (const QString &suffix : {QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        const QString file = bankPath + suffix;
        ASSERT_TRUE(QFile::exists(file));
        dialogs->answerFile(file);
        EXPECT_FALSE(POpenWordBank());
        EXPECT_EQ(dialogs->lastText(),
                  QStringLiteral("“") + file + QStringLiteral("”是正在使用的词库或它的附属文件，不能用于此操作。"));
        EXPECT_EQ(dialogs->shown().last().icon, Dialogs::Critical);
        EXPECT_EQ(PWordBankPath, bankPath);
        EXPECT_TRUE(dm->PConnection.isOpen());
    }
    // The bank in use under another name: the same bank, connected again under its own name.
    dialogs->clear();
    dialogs->answerFile(link);
    EXPECT_FALSE(POpenWordBank());
    EXPECT_EQ(dialogs->shown().last().kind, QStringLiteral("open"));  // and no message after it
    EXPECT_EQ(PWordBankPath, bankPath);
    EXPECT_EQ(column(W, K), QStringList{QStringLiteral("kept")});
}

TEST_F(Maintenance, OpeningAFileThatIsNoBankKeepsTheBankThatWasOpen)
{
    addWord(W, QStringLiteral("kept"));
    const QString junk = writeJunkFile(programDir + QStringLiteral("junk.lxb"));
    dialogs->answerFile(junk);
    EXPECT_FALSE(POpenWordBank());
    EXPECT_EQ(dialogs->shown().last().icon, Dialogs::Critical);
    EXPECT_EQ(PWordBankPath, bankPath);
    EXPECT_EQ(column(W, K), QStringList{QStringLiteral("kept")});

    const QString other = programDir + QStringLiteral("other.lxb");
    BankFixture::makeBank(other);
    dialogs->answerFile(other);
    EXPECT_TRUE(POpenWordBank());
    EXPECT_EQ(dm->PGetCountFromTable(W), 0);
    // A cancelled dialog connects the same bank again.
    EXPECT_FALSE(POpenWordBank());
    EXPECT_EQ(PWordBankPath, other);
    EXPECT_TRUE(dm->PConnection.isOpen());
}

TEST_F(Maintenance, ABackupHoldsWhatAnotherConnectionCommittedButDidNotYetWriteIntoTheFile)
{
    addWord(W, QStringLiteral("mine"));
    // Another program with the bank open keeps its commits in the bank's log for a while.
    const auto other = openSecondConnection(bankPath);
    other->execute(QStringLiteral("insert into WordTable(单词) values(:单词)"), {{K, QStringLiteral("theirs")}});
    PBackupWordBank();
    const QString target = programDir + PShortDateText() + QStringLiteral(".lxb");
    ASSERT_EQ(dialogs->lastText(), QStringLiteral("词库文件已成功备份到“") + target + QStringLiteral("”"));
    other->close();
    dm.reset();
    dm = std::make_unique<TPdatamodule>(programDir, QStringList{target});
    EXPECT_EQ(column(W, K), (QStringList{"mine", "theirs"}));
}
