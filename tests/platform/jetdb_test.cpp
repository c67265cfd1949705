#include "support/bankfixture.h"

#include <QFile>
#include <QProcess>

namespace {
const QString W = QStringLiteral("WordTable");
const QString K = QStringLiteral("单词");
}  // namespace

using JetSemantics = BankFixture;

TEST_F(JetSemantics, TextKeysCompareWithoutLetterCase)
{
    addWord(W, QStringLiteral("Apple"));
    EXPECT_EQ(dm->PGetCountFromTableWhere(W, K, QStringLiteral("apple")), 1);
    dm->PUpdateOneDataFromTable(W, K, QStringLiteral("解释"), QStringLiteral("APPLE"), QStringLiteral("苹果"));
    EXPECT_EQ(dm->PGetOneDataFromTable(QStringLiteral("解释"), W, K, QStringLiteral("apple")), QStringLiteral("苹果"));
    // The stored spelling keeps its letters.
    EXPECT_EQ(column(W, K), QStringList{QStringLiteral("Apple")});
}

TEST_F(JetSemantics, TextStaysTextAndIntegersRefuseNonNumbers)
{
    addWord(W, QStringLiteral("go"));
    dm->PUpdateOneDataFromTable(W, K, QStringLiteral("掌握类型"), QStringLiteral("go"), QStringLiteral("01"));
    EXPECT_EQ(dm->PGetOneDataFromTable(QStringLiteral("掌握类型"), W, K, QStringLiteral("go")), QStringLiteral("01"));
    dm->PUpdateOneDataFromTable(W, K, QStringLiteral("掌握类型"), QStringLiteral("go"), QStringLiteral("00"));
    EXPECT_EQ(dm->PGetOneDataFromTable(QStringLiteral("掌握类型"), W, K, QStringLiteral("go")), QStringLiteral("00"));

    dm->PUpdateOneDataFromTable(W, K, QStringLiteral("做过次数"), QStringLiteral("go"), QStringLiteral("12"));
    EXPECT_EQ(dm->PGetSumFromTable(W, QStringLiteral("做过次数")), 12);
    EXPECT_THROW(dm->PUpdateOneDataFromTable(W, K, QStringLiteral("做过次数"), QStringLiteral("go"),
                                             QStringLiteral("abc")),
                 EngineError);
    EXPECT_EQ(dm->PGetOneDataFromTable(QStringLiteral("做过次数"), W, K, QStringLiteral("go")), QStringLiteral("12"));
}

TEST_F(JetSemantics, UnorderedSelectKeepsInsertionOrderAndCountersNumberNewRows)
{
    const QStringList words{QStringLiteral("zebra"), QStringLiteral("apple"), QStringLiteral("mango"),
                            QStringLiteral("banana")};
    for (const auto &w : words)
        addWord(W, w);
    EXPECT_EQ(column(W, K), words);
    EXPECT_EQ(column(W, QStringLiteral("ID")),
              (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}));
    // Even a select that can use the spelling index answers in insertion order.
    dm->PSelectFromTableLike(W, K, QStringLiteral("\"%a%\""));
    dm->PQuery.open();
    QStringList seen;
    for (; !dm->PQuery.eof(); dm->PQuery.next())
        seen << dm->PQuery.fieldByName(K);
    dm->PQuery.close();
    EXPECT_EQ(seen, words);
}

TEST_F(JetSemantics, ListsMadeBySelectIntoAcceptRowsWithTheSameId)
{
    addWord(W, QStringLiteral("one"));
    addWord(W, QStringLiteral("two"));
    dm->PCreateNewWordTable(W, QStringLiteral("L1"), QStringLiteral("addname"));
    dm->PMoveAll(W, QStringLiteral("L1"));
    dm->PMoveAll(W, QStringLiteral("L1"));  // the same IDs again
    EXPECT_EQ(dm->PGetCountFromTable(QStringLiteral("L1")), 4);
    // A row added afresh gets a number above every one present.
    dm->PInsertOneRecordToTable(QStringLiteral("L1"), K, QStringLiteral("three"));
    EXPECT_EQ(dm->PGetOneDataFromTable(QStringLiteral("ID"), QStringLiteral("L1"), K, QStringLiteral("three")),
              QStringLiteral("3"));
    // Deletes by ID and spelling together take only the matching rows.
    dm->PDeleteTwoKeyRecordFromTable(QStringLiteral("L1"), QStringLiteral("ID"), QStringLiteral("1"), K,
                                     QStringLiteral("one"));
    EXPECT_EQ(column(QStringLiteral("L1"), K),
              (QStringList{QStringLiteral("two"), QStringLiteral("two"), QStringLiteral("three")}));
}

TEST_F(JetSemantics, SelectIntoCopiesTheFourteenColumnsInOrder)
{
    addWord(W, QStringLiteral("cat"));
    dm->PCreateAndMoveAll(W, QStringLiteral("Copy1"));
    dm->PSelectAllFromTable(QStringLiteral("Copy1"));
    dm->PQuery.open();
    const QStringList expected{QStringLiteral("ID"), QStringLiteral("单词"), QStringLiteral("音标"),
                               QStringLiteral("解释"), QStringLiteral("联想"), QStringLiteral("详解"),
                               QStringLiteral("例句"), QStringLiteral("做过次数"), QStringLiteral("做错次数"),
                               QStringLiteral("经验点数"), QStringLiteral("所属类别"), QStringLiteral("上次是否做对"),
                               QStringLiteral("最近测试时间"), QStringLiteral("掌握类型")};
    EXPECT_EQ(dm->PQuery.fieldNames(), expected);
    EXPECT_EQ(dm->PQuery.recordCount(), 1);
    EXPECT_EQ(dm->PQuery.fieldByName(QStringLiteral("经验点数")), QStringLiteral("10"));
    EXPECT_EQ(dm->PQuery.fieldByName(QStringLiteral("联想")), QString());  // NULL reads as ""
    dm->PQuery.close();
    // The copy keeps Jet's column rules too.
    EXPECT_THROW(dm->PUpdateOneFieldFromTable(QStringLiteral("Copy1"), QStringLiteral("经验点数"), QStringLiteral("x")),
                 EngineError);
    EXPECT_EQ(dm->PGetCountFromTableWhere(QStringLiteral("Copy1"), K, QStringLiteral("CAT")), 1);
}

TEST_F(JetSemantics, DoubleQuotedLikePatternIsALiteral)
{
    addWord(W, QStringLiteral("don't stop"));
    addWord(W, QStringLiteral("stopper"));
    addWord(W, QStringLiteral("go"));
    dm->PSelectFromTableLike(W, K, QStringLiteral("\"%STOP%\""));
    dm->PQuery.open();
    EXPECT_EQ(dm->PQuery.recordCount(), 2);
    dm->PQuery.close();
    // A quote inside a double-quoted literal is text, never the end of the statement.
    dm->PSelectFromTableLike(W, K, QStringLiteral("\"don't%\""));
    dm->PQuery.open();
    EXPECT_EQ(dm->PQuery.recordCount(), 1);
    dm->PQuery.close();
    // Words of the statement inside a literal are text too.
    addWord(W, QStringLiteral("in order by size"));
    dm->PSelectFromTableLike(W, K, QStringLiteral("\"%order by%\""));
    dm->PQuery.open();
    EXPECT_EQ(dm->PQuery.fieldByName(K), QStringLiteral("in order by size"));
    EXPECT_EQ(dm->PQuery.recordCount(), 1);
    dm->PQuery.close();
}

TEST_F(JetSemantics, NamesThatAreNotPlainIdentifiersAreRefused)
{
    addWord(W, QStringLiteral("keep"));
    EXPECT_THROW(dm->PDeleteAllFromTable(QStringLiteral("WordTable; drop table UserTable")), EngineError);
    EXPECT_THROW(dm->PSelectAllFromTable(QStringLiteral("a,b")), EngineError);
    EXPECT_THROW(dm->PGetMMFromTable(W, QStringLiteral("ID"), QStringLiteral("count")), EngineError);
    EXPECT_THROW(dm->PSelectFromTableLike(W, K, QStringLiteral("\"a\" or 1=1 or \"b\"")), EngineError);
    EXPECT_THROW(dm->PSelectAllFromTableOrder(W, K, QStringLiteral(" desc; drop table x")), EngineError);
    EXPECT_EQ(dm->PGetCountFromTable(W), 1);
    EXPECT_TRUE(dm->PConnection.tableNames().contains(QStringLiteral("UserTable")));
    // A Chinese list name is a plain identifier.
    EXPECT_NO_THROW(dm->PCreateNewWordTable(W, QStringLiteral("四级词汇"), QStringLiteral("addname")));
}

TEST_F(JetSemantics, SameParameterNameBindsEachUseInTurn)
{
    addWord(W, QStringLiteral("colour"));
    dm->PUpdateOneDataFromTable(W, K, K, QStringLiteral("colour"), QStringLiteral("color"));
    EXPECT_EQ(column(W, K), QStringList{QStringLiteral("color")});
}

using Connection = BankFixture;

TEST_F(Connection, RefusesFilesThatAreNoBankOrHaveAnotherPassword)
{
    const QString text = programDir + QStringLiteral("notes.lxb");
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is not a database, just text\n");
    f.close();
    JetConnection c;
    c.setConnectionString(PConnectionText(text));
    try {
        c.open();
        FAIL() << "opened a text file";
    } catch (const EngineError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("无法识别的数据库格式")));
    }
    EXPECT_FALSE(c.isOpen());

    const QString other = programDir + QStringLiteral("other.lxb");
    JetConnection::initialiseBankFile(other, QStringLiteral("another"));
    c.setConnectionString(PConnectionText(other));
    EXPECT_THROW(c.open(), EngineError);

    // A missing file is refused and never created.
    const QString missing = programDir + QStringLiteral("missing.lxb");
    c.setConnectionString(PConnectionText(missing));
    EXPECT_THROW(c.open(), EngineError);
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(Connection, ParsesTheConnectionTextAndReopensWhenClosed)
{
    EXPECT_EQ(dm->PConnection.dataSource(), bankPath);
    addWord(W, QStringLiteral("first"));
    dm->PConnection.close();
    EXPECT_FALSE(dm->PConnection.isOpen());
    EXPECT_EQ(dm->PGetCountFromTable(W), 1);
    EXPECT_TRUE(dm->PConnection.isOpen());
}

TEST_F(Connection, TheCommandLineToolListsTheBanksTables)
{
    dm->PConnection.close();
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {bankPath, QStringLiteral(".tables")});
    ASSERT_TRUE(p.waitForFinished(10000));
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    for (const char *t : {"WordTable", "UserTable", "LogTable", "TableNameTable", "UsedWordTable", "OptionTable",
                          "TempTable"})
        EXPECT_TRUE(out.contains(QLatin1String(t))) << t;
}

TEST_F(Connection, TransactionsRollBackEverythingOnFailure)
{
    addWord(W, QStringLiteral("stay"));
    {
        JetTransaction t(dm->PConnection);
        dm->PUpdateOneFieldFromTable(W, QStringLiteral("解释"), QStringLiteral("changed"));
        dm->PDeleteAllFromTable(W);
    }  // no commit
    EXPECT_EQ(column(W, QStringLiteral("解释")), QStringList{QStringLiteral("解释")});
    EXPECT_EQ(dm->PConnection.transactionDepth(), 0);
}
