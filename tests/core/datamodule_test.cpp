#include "support/bankfixture.h"

#include "core/wordrecords.h"
#include "platform/inifile.h"
#include "support/drivendate.h"
#include "wordlists/newwordrow.h"

#include <QFile>

namespace {
const QString W = QStringLiteral("WordTable");
const QString K = QStringLiteral("单词");
}  // namespace

// ---------------------------------------------------------------- start-up: choosing the bank

class StartUp : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        programDir = dir.path() + QLatin1Char('/');
    }
    QString bank(const QString &name)
    {
        const QString p = programDir + name;
        BankFixture::makeBank(p);
        return p;
    }
    void writeDefault(const QString &path)
    {
        TIniFile ini(programDir + QStringLiteral("config.ini"));
        ini.WriteString(QStringLiteral("Lexorin"), QStringLiteral("默认词库"), path);
    }
    QTemporaryDir dir;
    QString programDir;
    ScriptedDialogs dialogs;
};

TEST_F(StartUp, FirstArgumentWinsAndAMissingOneEndsTheProgram)
{
    const QString def = bank(QStringLiteral("default.lxb"));
    writeDefault(def);
    const QString arg = bank(QStringLiteral("arg.lxb"));
    {
        TPdatamodule dm(programDir, {arg});
        EXPECT_FALSE(PTerminateRequested);
        EXPECT_EQ(PWordBankPath, arg);
        EXPECT_TRUE(dm.PConnection.isOpen());
    }
    {
        TPdatamodule dm(programDir, {programDir + QStringLiteral("nothere.lxb")});
        EXPECT_TRUE(PTerminateRequested);
        EXPECT_EQ(dialogs.lastText(), QStringLiteral("词库载入出错，程序自动终止"));
        EXPECT_FALSE(dm.PConnection.isOpen());
        EXPECT_FALSE(QFile::exists(programDir + QStringLiteral("nothere.lxb")));
    }
}

TEST_F(StartUp, FallsThroughDefaultBankThenProgramFolderThenDialog)
{
    const QString def = bank(QStringLiteral("default.lxb"));
    writeDefault(def);
    {
        TPdatamodule dm(programDir, {});
        EXPECT_EQ(PWordBankPath, def);
        EXPECT_EQ(PDefaultWordBank, def);
    }
    writeDefault(programDir + QStringLiteral("gone.lxb"));
    const QString english = bank(QStringLiteral("EnglishWord.lxb"));
    {
        TPdatamodule dm(programDir, {});
        EXPECT_EQ(PWordBankPath, english);
    }
    QFile::remove(english);
    const QString picked = bank(QStringLiteral("picked.lxb"));
    dialogs.answerFile(picked);
    {
        TPdatamodule dm(programDir, {});
        EXPECT_EQ(PWordBankPath, picked);
        ASSERT_FALSE(dialogs.shown().isEmpty());
        EXPECT_EQ(dialogs.shown().last().title, QStringLiteral("打开词库文件"));
        EXPECT_TRUE(dialogs.lastFilter().contains(QStringLiteral("*.lxb")));
    }
    // A cancelled dialog ends the program with the same message.
    {
        TPdatamodule dm(programDir, {});
        EXPECT_TRUE(PTerminateRequested);
        EXPECT_EQ(dialogs.lastText(), QStringLiteral("词库载入出错，程序自动终止"));
    }
}

TEST_F(StartUp, WritesNothingToTheSettingsAndSetsTheVersion)
{
    const QString english = bank(QStringLiteral("EnglishWord.lxb"));
    TPdatamodule dm(programDir, {});
    EXPECT_EQ(PVersion, QStringLiteral("V03_090919"));
    EXPECT_TRUE(PProgramDir.endsWith(QLatin1Char('/')));
    EXPECT_FALSE(QFile::exists(programDir + QStringLiteral("config.ini")));
    ASSERT_NE(PXmlDoc, nullptr);
}

TEST_F(StartUp, AFileThatIsNoBankShowsTheEngineErrorAndEnds)
{
    const QString fake = programDir + QStringLiteral("fake.lxb");
    QFile f(fake);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    TPdatamodule dm(programDir, {fake});
    EXPECT_TRUE(PTerminateRequested);
    ASSERT_EQ(dialogs.shown().size(), 2);
    EXPECT_TRUE(dialogs.shown().at(0).text.contains(QStringLiteral("无法识别的数据库格式")));
    EXPECT_EQ(dialogs.shown().at(0).icon, Dialogs::Critical);
    EXPECT_EQ(QFileInfo(fake).size(), 4096);
}

// ---------------------------------------------------------------- generic operations

using TableOps = BankFixture;

TEST_F(TableOps, KeyedUpdateChangesEveryRowWithTheSpelling)
{
    addWord(W, QStringLiteral("twice"));
    addWord(W, QStringLiteral("other"));
    dm->PInsertOneRecordToTable(W, K, QStringLiteral("Twice"));
    dm->PUpdateOneDataFromTable(W, K, QStringLiteral("解释"), QStringLiteral("twice"), QStringLiteral("两次"));
    EXPECT_EQ(column(W, QStringLiteral("解释")),
              (QStringList{QStringLiteral("两次"), QStringLiteral("解释"), QStringLiteral("两次")}));
    EXPECT_EQ(dm->PGetOneDataFromTable(QStringLiteral("解释"), W, K, QStringLiteral("none")), QString());
}

TEST_F(TableOps, AggregatesAndCounts)
{
    EXPECT_EQ(dm->PGetCountFromTable(W), 0);
    // An empty sum is no integer: the engine error reaches the caller.
    EXPECT_THROW(dm->PGetSumFromTable(W, QStringLiteral("做过次数")), EngineError);
    EXPECT_EQ(dm->PGetMMFromTable(W, QStringLiteral("ID"), QStringLiteral("max")), QString());
    addWord(W, QStringLiteral("a"));
    addWord(W, QStringLiteral("b"));
    dm->PUpdateOneDataFromTable(W, K, QStringLiteral("做过次数"), QStringLiteral("b"), QStringLiteral("5"));
    EXPECT_EQ(dm->PGetSumFromTable(W, QStringLiteral("做过次数")), 5);
    EXPECT_EQ(dm->PGetMMFromTable(W, QStringLiteral("ID"), QStringLiteral("max")), QStringLiteral("2"));
    EXPECT_EQ(dm->PGetMMFromTable(W, QStringLiteral("做过次数"), QStringLiteral("min")), QStringLiteral("0"));
    EXPECT_EQ(dm->PGetCountFromTableWhere(W, QStringLiteral("经验点数"), QStringLiteral("10")), 2);
}

TEST_F(TableOps, OrderedSelectFlipsWithDesc)
{
    for (const char *w : {"pear", "apple", "fig"})
        addWord(W, QString::fromUtf8(w));
    auto ordered = [&](const QString &suffix) {
        QStringList out;
        dm->PSelectAllFromTableOrder(W, K, suffix);
        dm->PQuery.open();
        for (; !dm->PQuery.eof(); dm->PQuery.next())
            out << dm->PQuery.fieldByName(K);
        dm->PQuery.close();
        return out;
    };
    EXPECT_EQ(ordered(QString()), (QStringList{QStringLiteral("apple"), QStringLiteral("fig"), QStringLiteral("pear")}));
    EXPECT_EQ(ordered(QStringLiteral(" desc")),
              (QStringList{QStringLiteral("pear"), QStringLiteral("fig"), QStringLiteral("apple")}));
}

TEST_F(TableOps, NewListsAreRegisteredAndDroppingUnregisters)
{
    addWord(W, QStringLiteral("word"));
    dm->PCreateNewWordTable(W, QStringLiteral("MyList"), QStringLiteral("addname"));
    EXPECT_EQ(dm->PGetCountFromTable(QStringLiteral("MyList")), 0);
    EXPECT_EQ(column(QStringLiteral("TableNameTable"), QStringLiteral("表名")), QStringList{QStringLiteral("MyList")});
    // TempTable is made without registration; WordTable is never registered.
    dm->PCreateNewWordTable(W, QStringLiteral("Scratch"), QString());
    EXPECT_EQ(dm->PGetCountFromTable(QStringLiteral("TableNameTable")), 1);
    dm->PDropTable(QStringLiteral("MyList"), QStringLiteral("havename"));
    EXPECT_EQ(dm->PGetCountFromTable(QStringLiteral("TableNameTable")), 0);
    EXPECT_FALSE(dm->PConnection.tableNames().contains(QStringLiteral("MyList")));
    // Creating a list that exists is an engine error and registers nothing.
    EXPECT_THROW(dm->PCreateNewWordTable(W, QStringLiteral("Scratch"), QStringLiteral("addname")), EngineError);
    EXPECT_EQ(dm->PGetCountFromTable(QStringLiteral("TableNameTable")), 0);
}

TEST_F(TableOps, RenamingKeepsRowsAndReplacesTheRegistration)
{
    dm->PCreateNewWordTable(W, QStringLiteral("Old"), QStringLiteral("addname"));
    addWord(QStringLiteral("Old"), QStringLiteral("one"));
    addWord(QStringLiteral("Old"), QStringLiteral("two"));
    dm->PChangeTableName(QStringLiteral("Old"), QStringLiteral("New"));
    EXPECT_EQ(column(QStringLiteral("New"), K), (QStringList{QStringLiteral("one"), QStringLiteral("two")}));
    EXPECT_EQ(column(QStringLiteral("TableNameTable"), QStringLiteral("表名")), QStringList{QStringLiteral("New")});
    EXPECT_EQ(dm->PGetCountFromTable(QStringLiteral("TableNameTable")), 1);
    EXPECT_FALSE(dm->PConnection.tableNames().contains(QStringLiteral("Old")));
}

TEST_F(TableOps, AFailedRenameLeavesTheListRegisteredAndWhole)
{
    dm->PCreateNewWordTable(W, QStringLiteral("Mine"), QStringLiteral("addname"));
    addWord(QStringLiteral("Mine"), QStringLiteral("kept"));
    // The target exists: the copy fails after the registration was removed; all of it rolls back.
    EXPECT_THROW(dm->PChangeTableName(QStringLiteral("Mine"), QStringLiteral("UserTable")), EngineError);
    EXPECT_EQ(column(QStringLiteral("TableNameTable"), QStringLiteral("表名")), QStringList{QStringLiteral("Mine")});
    EXPECT_EQ(column(QStringLiteral("Mine"), K), QStringList{QStringLiteral("kept")});
}

TEST_F(TableOps, MovesCopyRowsAndKeepTheSource)
{
    dm->PCreateNewWordTable(W, QStringLiteral("Dst"), QStringLiteral("addname"));
    addWord(W, QStringLiteral("alpha"));
    addWord(W, QStringLiteral("beta"));
    dm->PMoveOneRecordToTable(W, QStringLiteral("Dst"), K, QStringLiteral("ALPHA"));
    dm->PMoveTwoKeyRecordToTable(W, QStringLiteral("Dst"), QStringLiteral("ID"), QStringLiteral("2"), K,
                                 QStringLiteral("beta"));
    EXPECT_EQ(column(QStringLiteral("Dst"), K), (QStringList{QStringLiteral("alpha"), QStringLiteral("beta")}));
    EXPECT_EQ(column(QStringLiteral("Dst"), QStringLiteral("ID")), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(dm->PGetCountFromTable(W), 2);
}

// ---------------------------------------------------------------- record operations

using RecordOps = BankFixture;

TEST_F(RecordOps, InsertWritesEveryFieldInOrder)
{
    PInsertWordRecord(W, K, QStringLiteral("音标"), QStringLiteral("解释"), QStringLiteral("联想"),
                      QStringLiteral("详解"), QStringLiteral("例句"), QStringLiteral("所属类别"), QStringLiteral("book"),
                      QStringLiteral("/bʊk/"), QStringLiteral("n. 书"), QStringLiteral("联"), QStringLiteral("详"),
                      QStringLiteral("例"), QStringLiteral("基本词"));
    dm->PSelectFromTableWhere(W, K, QStringLiteral("book"));
    dm->PQuery.open();
    EXPECT_EQ(dm->PQuery.fieldByName(QStringLiteral("音标")), QStringLiteral("/bʊk/"));
    EXPECT_EQ(dm->PQuery.fieldByName(QStringLiteral("所属类别")), QStringLiteral("基本词"));
    EXPECT_EQ(dm->PQuery.fieldByName(QStringLiteral("做过次数")), QString());  // a column nobody set
    dm->PQuery.close();
}

TEST_F(RecordOps, AWordUpdateSetsEachFieldOnEveryRowOfTheSpellingOnly)
{
    addWord(W, QStringLiteral("twin"));
    addWord(W, QStringLiteral("other"));
    addWord(W, QStringLiteral("twin"));
    const QStringList fields = {QStringLiteral("音标"), QStringLiteral("解释"), QStringLiteral("联想"),
                                QStringLiteral("详解"), QStringLiteral("例句"), QStringLiteral("所属类别")};
    QStringList untouched;
    for (const QString &f : fields)
        untouched << column(W, f).at(1);
    PUpdateWordRecord(W, K, fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], QStringLiteral("twin"),
                      QStringLiteral("p"), QStringLiteral("m"), QStringLiteral("a"), QStringLiteral("d"),
                      QStringLiteral("e"), QStringLiteral("c"));
    const QStringList values = {QStringLiteral("p"), QStringLiteral("m"), QStringLiteral("a"),
                                QStringLiteral("d"), QStringLiteral("e"), QStringLiteral("c")};
    for (int i = 0; i < fields.size(); ++i)
        EXPECT_EQ(column(W, fields[i]), (QStringList{values[i], untouched[i], values[i]})) << fields[i].toStdString();

    // A field named twice takes its values in turn: the later one stays.
    PUpdateWordRecord(W, K, fields[1], fields[1], fields[2], fields[3], fields[4], fields[5], QStringLiteral("other"),
                      QStringLiteral("first"), QStringLiteral("second"), {}, {}, {}, {});
    EXPECT_EQ(column(W, fields[1]), (QStringList{QStringLiteral("m"), QStringLiteral("second"), QStringLiteral("m")}));

    // The key among the fields: once it has changed, the fields after it find no row of the old spelling.
    PUpdateWordRecord(W, K, K, fields[0], fields[2], fields[3], fields[4], fields[5], QStringLiteral("other"),
                      QStringLiteral("renamed"), QStringLiteral("lost"), QStringLiteral("lost"), {}, {}, {});
    EXPECT_EQ(column(W, K), (QStringList{QStringLiteral("twin"), QStringLiteral("renamed"), QStringLiteral("twin")}));
    EXPECT_EQ(column(W, fields[0]).at(1), untouched[0]);
    EXPECT_EQ(column(W, fields[2]).at(1), untouched[2]);
}

TEST_F(RecordOps, AFailurePartWayLeavesNoHalfWrittenWord)
{
    addWord(W, QStringLiteral("whole"));
    // The third value is no integer: the two before it must not stay written.
    EXPECT_THROW(PUpdateWordRecord3(W, K, QStringLiteral("解释"), QStringLiteral("做过次数"), QStringLiteral("经验点数"),
                                    QStringLiteral("whole"), QStringLiteral("changed"), QStringLiteral("3"),
                                    QStringLiteral("many")),
                 EngineError);
    EXPECT_EQ(column(W, QStringLiteral("解释")), QStringList{QStringLiteral("解释")});
    EXPECT_EQ(column(W, QStringLiteral("做过次数")), QStringList{QStringLiteral("0")});

    // A new word whose update fails is not added at all.
    EXPECT_THROW(PInsertWordRecord(W, K, QStringLiteral("音标"), QStringLiteral("解释"), QStringLiteral("联想"),
                                   QStringLiteral("详解"), QStringLiteral("例句"), QStringLiteral("没有此字段"),
                                   QStringLiteral("half"), {}, {}, {}, {}, {}, {}),
                 EngineError);
    EXPECT_EQ(dm->PGetCountFromTableWhere(W, K, QStringLiteral("half")), 0);
}

// A new word is one row: the editor's with its fields, no 上次是否做对 and no experience for a word
// learnt before; the dictionary's and the import's with their result and empty texts stored as such.
TEST_F(RecordOps, ANewWordIsOneRowWithTheStatisticsOfANewWord)
{
    DrivenDate date(QDateTime(QDate(2026, 1, 9), QTime(8, 0)));
    addWord(W, QStringLiteral("old"));
    dm->PInsertOneRecordToTable(QStringLiteral("UsedWordTable"), K, QStringLiteral("Used"));
    const auto row = [&](const QString &word) {
        dm->PSelectFromTableWhere(W, K, word);
        dm->PQuery.open();
        QStringList fields;
        for (int i = 1; i < dm->PQuery.fieldNames().size(); ++i)
            fields << (dm->PQuery.fieldUtf8At(i).isNull() ? QStringLiteral("NULL") : dm->PQuery.fieldAt(i));
        dm->PQuery.close();
        return fields;
    };
    TPWordRecord r;
    r.phonetic = QStringLiteral("/njuː/");
    r.explanation = QStringLiteral("新的");
    r.association = QStringLiteral("联");
    r.details = QStringLiteral("详");
    r.example = QStringLiteral("例");
    r.category = QStringLiteral("基本词");
    struct Case {
        QString word, experience;
    };
    for (const Case &c : {Case{QStringLiteral("fresh"), QStringLiteral("10")}, Case{QStringLiteral("used"), QStringLiteral("0")}}) {
        r.word = c.word;
        QString experience;
        const QString id = PInsertEditorWord(W, r, &experience);
        EXPECT_EQ(experience, c.experience);
        EXPECT_EQ(id, dm->PGetOneDataFromTable(QStringLiteral("ID"), W, K, c.word));
        EXPECT_EQ(row(c.word), (QStringList{c.word, "/njuː/", "新的", "联", "详", "例", "0", "0", c.experience, "基本词",
                                            "NULL", "2026-01-09", "00"}));
    }
    EXPECT_EQ(dm->PGetOneDataFromTable(QStringLiteral("ID"), W, K, QStringLiteral("used")), QStringLiteral("3"));

    PInsertNewWord(W, {QStringLiteral("dict"), QString(), QStringLiteral("词"), QString(), QStringLiteral("例"),
                       QStringLiteral("错")});
    EXPECT_EQ(row(QStringLiteral("dict")),
              (QStringList{"dict", "", "词", "", "", "例", "0", "0", "10", "", "错", "2026-01-09", "00"}));

    // A refused row leaves nothing behind and the list as it was.
    refuse(QStringLiteral("insert"), W, QStringLiteral("NEW.单词='bad'"));
    r.word = QStringLiteral("bad");
    EXPECT_THROW(PInsertEditorWord(W, r), EngineError);
    EXPECT_EQ(column(W, K), (QStringList{"old", "fresh", "used", "dict"}));
}

TEST_F(RecordOps, TableFieldsUpdateEveryRow)
{
    addWord(W, QStringLiteral("x"));
    addWord(W, QStringLiteral("y"));
    PUpdateTableFields(W, QStringLiteral("做过次数"), QStringLiteral("做错次数"), QStringLiteral("经验点数"),
                       QStringLiteral("上次是否做对"), QStringLiteral("最近测试时间"), QStringLiteral("掌握类型"),
                       QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("未做"),
                       QStringLiteral("2000-01-01"), QStringLiteral("00"));
    EXPECT_EQ(column(W, QStringLiteral("掌握类型")), (QStringList{QStringLiteral("00"), QStringLiteral("00")}));
    EXPECT_EQ(column(W, QStringLiteral("上次是否做对")), (QStringList{QStringLiteral("未做"), QStringLiteral("未做")}));
}
