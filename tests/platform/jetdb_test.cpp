#include "support/bankfixture.h"

#include "platform/jetcase.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <QProcess>
#include <sqlite3.h>

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

TEST_F(JetSemantics, NamesTheBankCannotTakeAreRefusedAndOthersStayOneName)
{
    addWord(W, QStringLiteral("keep"));
    // One name, not a second statement: no such list.
    EXPECT_THROW(dm->PDeleteAllFromTable(QStringLiteral("WordTable; drop table UserTable")), EngineError);
    EXPECT_THROW(dm->PSelectAllFromTable(QStringLiteral("a.b")), EngineError);
    EXPECT_THROW(dm->PDeleteAllFromTable(QStringLiteral("WordTable]; drop table [UserTable")), EngineError);
    EXPECT_THROW(dm->PGetMMFromTable(W, QStringLiteral("ID"), QStringLiteral("count")), EngineError);
    EXPECT_THROW(dm->PSelectFromTableLike(W, K, QStringLiteral("\"a\" or 1=1 or \"b\"")), EngineError);
    EXPECT_THROW(dm->PSelectAllFromTableOrder(W, K, QStringLiteral(" desc; drop table x")), EngineError);
    EXPECT_EQ(dm->PGetCountFromTable(W), 1);
    EXPECT_TRUE(dm->PConnection.tableNames().contains(QStringLiteral("UserTable")));
    EXPECT_NO_THROW(dm->PCreateNewWordTable(W, QStringLiteral("四级词汇"), QStringLiteral("addname")));
}

// A field the table does not have is an error wherever it is named, never a text every row holds.
TEST_F(JetSemantics, AFieldTheTableLacksIsAnErrorNotAText)
{
    addWord(W, QStringLiteral("go"));
    const QString missing = QStringLiteral("没有的字段");
    const std::function<void()> uses[] = {
        [&] { dm->PGetCountFromTableWhere(W, missing, missing); },
        [&] { dm->PGetOneDataFromTable(missing, W, K, QStringLiteral("go")); },
        [&] { dm->PUpdateOneDataFromTable(W, missing, K, missing, QStringLiteral("gone")); },
        [&] {
            dm->PSelectFieldsFromTableOrder(W, {K, missing}, QString(), QString());
            dm->PQuery.open();
        },
    };
    for (const auto &use : uses) {
        EXPECT_THROW(use(), EngineError);
        dm->PQuery.close();
    }
    EXPECT_EQ(column(W, K), QStringList{QStringLiteral("go")});
}

TEST_F(JetSemantics, SameParameterNameBindsEachUseInTurn)
{
    addWord(W, QStringLiteral("colour"));
    dm->PUpdateOneDataFromTable(W, K, K, QStringLiteral("colour"), QStringLiteral("color"));
    EXPECT_EQ(column(W, K), QStringList{QStringLiteral("color")});
}

// Values bind by name whatever order they were given in; a name the statement repeats takes its
// values in turn (the last one for every further use); a name without a value is refused.
TEST_F(JetSemantics, ParametersBindByNameInAnyOrder)
{
    addWord(W, QStringLiteral("fig"));
    addWord(W, QStringLiteral("kiwi"));
    JetQuery &q = dm->PQuery;
    const auto meanings = [&] { return column(W, QStringLiteral("解释")); };
    q.setSql(QStringLiteral("update WordTable set 解释=:解释, 联想=:联想 where 单词=:单词"));
    q.setParam(K, QStringLiteral("kiwi"));
    q.setParam(QStringLiteral("联想"), QStringLiteral("猕猴"));
    q.setParam(QStringLiteral("解释"), QStringLiteral("猕猴桃"));
    EXPECT_EQ(q.execSql(), 1);
    EXPECT_EQ(meanings(), (QStringList{QStringLiteral("解释"), QStringLiteral("猕猴桃")}));
    EXPECT_EQ(column(W, QStringLiteral("联想")), (QStringList{QString(), QStringLiteral("猕猴")}));

    q.setSql(QStringLiteral("update WordTable set 解释=:单词 where 单词=:单词 or 单词=:单词"));
    q.setParam(K, QStringLiteral("果"));
    q.setParam(K, QStringLiteral("fig"));
    EXPECT_EQ(q.execSql(), 1);  // the third use takes the last value: fig
    EXPECT_EQ(meanings(), (QStringList{QStringLiteral("果"), QStringLiteral("猕猴桃")}));

    q.setSql(QStringLiteral("update WordTable set 解释=:解释 where 单词=:单词"));
    q.setParam(QStringLiteral("解释"), QStringLiteral("x"));
    try {
        q.execSql();
        ADD_FAILURE() << "a statement ran without the value of one of its parameters";
    } catch (const EngineError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("参数“单词”没有值。"));
    }
    EXPECT_EQ(meanings(), (QStringList{QStringLiteral("果"), QStringLiteral("猕猴桃")}));
}

// Two queries of the same statement open at once: each keeps its own values and its own row, and
// a statement given back serves the next query from its first row.
TEST_F(JetSemantics, TwoQueriesOfOneStatementKeepTheirOwnPlaces)
{
    for (const char *w : {"ant", "bee", "cat", "dog"})
        addWord(W, QString::fromLatin1(w));
    const auto at = [](const JetQuery &q) { return q.fieldByName(QStringLiteral("单词")); };
    const QString all = QStringLiteral("select * from WordTable");
    JetQuery a(&dm->PConnection), b(&dm->PConnection);
    a.setSql(all);
    a.open();
    a.next();
    b.setSql(QString(all));  // the same text made anew
    b.open();
    EXPECT_EQ(at(a), QStringLiteral("bee"));
    EXPECT_EQ(at(b), QStringLiteral("ant"));
    b.next();
    b.next();
    a.next();
    EXPECT_EQ(at(a), QStringLiteral("cat"));
    EXPECT_EQ(at(b), QStringLiteral("cat"));
    b.next();
    EXPECT_EQ(at(a), QStringLiteral("cat"));
    EXPECT_EQ(at(b), QStringLiteral("dog"));
    a.close();
    a.open();
    EXPECT_EQ(at(a), QStringLiteral("ant"));
    EXPECT_EQ(at(b), QStringLiteral("dog"));

    // The same keyed select with other values, and a count of the same text, while both are open.
    dm->PSelectFromTableWhere(W, K, QStringLiteral("dog"));
    dm->PQuery.open();
    JetQuery c(&dm->PConnection);
    c.setSql(dm->PQuery.sql());
    c.setParam(K, QStringLiteral("bee"));
    c.open();
    EXPECT_EQ(dm->PConnection.number(QStringLiteral("select count(*) from WordTable where 单词=:单词"),
                                     {QStringLiteral("ant")}),
              1);
    EXPECT_EQ(at(dm->PQuery), QStringLiteral("dog"));
    EXPECT_EQ(at(c), QStringLiteral("bee"));
    dm->PQuery.next();
    c.next();
    EXPECT_TRUE(dm->PQuery.eof());
    EXPECT_TRUE(c.eof());
    EXPECT_EQ(at(a), QStringLiteral("ant"));
}

// The bank's collation puts a text before every longer text that begins with it, letter case
// aside, in either direction of the sort: "go" before "good", an empty date before any date.
TEST_F(JetSemantics, ATextSortsBeforeTheLongerTextsThatBeginWithIt)
{
    const QStringList words{QStringLiteral("goods"), QStringLiteral("Go"),     QStringLiteral("good"),
                            QStringLiteral("g"),     QStringLiteral("gone"),   QStringLiteral("über alles"),
                            QStringLiteral("Über"),  QStringLiteral("übel")};
    const QStringList dates{QStringLiteral("2026-01-05"), QString(), QStringLiteral("2025-12-31"),
                            QStringLiteral("2026-01-0"), QStringLiteral("2026-01-05 "), QString(),
                            QStringLiteral("2026"), QStringLiteral("2025-12-31")};
    for (int i = 0; i < words.size(); ++i) {
        addWord(W, words[i]);
        dm->PUpdateOneDataFromTable(W, K, QStringLiteral("最近测试时间"), words[i], dates[i]);
    }
    const auto sorted = [&](const QString &F, const QString &suffix) {
        dm->PSelectAllFromTableOrder(W, F, suffix);
        dm->PQuery.open();
        QStringList seen;
        for (; !dm->PQuery.eof(); dm->PQuery.next())
            seen << dm->PQuery.fieldByName(F);
        dm->PQuery.close();
        return seen;
    };
    const QStringList byWord{QStringLiteral("g"),    QStringLiteral("Go"),    QStringLiteral("gone"),
                             QStringLiteral("good"), QStringLiteral("goods"), QStringLiteral("übel"),
                             QStringLiteral("Über"), QStringLiteral("über alles")};
    EXPECT_EQ(sorted(K, QString()), byWord);
    QStringList reversed(byWord.rbegin(), byWord.rend());
    EXPECT_EQ(sorted(K, QStringLiteral(" desc")), reversed);
    const QStringList byDate{QString(),                    QString(),
                             QStringLiteral("2025-12-31"), QStringLiteral("2025-12-31"),
                             QStringLiteral("2026"),       QStringLiteral("2026-01-0"),
                             QStringLiteral("2026-01-05"), QStringLiteral("2026-01-05 ")};
    EXPECT_EQ(sorted(QStringLiteral("最近测试时间"), QString()), byDate);
    EXPECT_EQ(dm->PGetMMFromTable(W, QStringLiteral("最近测试时间"), QStringLiteral("max")),
              QStringLiteral("2026-01-05 "));
}

// Keyed operations called for many lists and fields in turn each reach their own list and field.
TEST_F(JetSemantics, KeyedOperationsKeepEachListAndFieldApart)
{
    QStringList lists;
    for (int i = 0; i < 6; ++i) {
        lists << QStringLiteral("L%1").arg(i);
        dm->PCreateNewWordTable(W, lists.last(), QStringLiteral("addname"));
        dm->PInsertOneRecordToTable(lists.last(), K, QStringLiteral("tea"));
    }
    const QStringList fields{QStringLiteral("解释"), QStringLiteral("联想"), QStringLiteral("详解")};
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < lists.size(); ++i)
            for (const QString &f : fields)
                dm->PUpdateOneDataFromTable(lists[i], K, f, QStringLiteral("tea"), f + QString::number(i + round));
    for (int i = 0; i < lists.size(); ++i) {
        for (const QString &f : fields)
            EXPECT_EQ(dm->PGetOneDataFromTable(f, lists[i], K, QStringLiteral("TEA")), f + QString::number(i + 1));
        EXPECT_EQ(dm->PGetCountFromTableWhere(lists[i], QStringLiteral("解释"), QStringLiteral("解释%1").arg(i + 1)),
                  1);
    }
    // A name refused once is refused every time, after good ones and among them.
    for (int round = 0; round < 2; ++round) {
        EXPECT_THROW(dm->PGetOneDataFromTable(K, QStringLiteral("L0;drop"), K, QStringLiteral("tea")), EngineError);
        EXPECT_THROW(dm->PUpdateOneDataFromTable(lists[0], K, QStringLiteral("解释 "), QStringLiteral("tea"),
                                                 QStringLiteral("x")),
                     EngineError);
    }
    EXPECT_EQ(dm->PGetOneDataFromTable(QStringLiteral("解释"), lists[0], K, QStringLiteral("tea")),
              QStringLiteral("解释1"));
}

TEST_F(JetSemantics, NumbersAskedAgainAndAgainTakeEachTimesValues)
{
    addWord(W, QStringLiteral("pear"));
    addWord(W, QStringLiteral("plum"));
    addWord(W, QStringLiteral("Pear"));
    JetConnection &c = dm->PConnection;
    const QString byWord = QStringLiteral("select count(*) from WordTable where 单词=:单词");
    // The same prepared statement, rebound each time.
    EXPECT_EQ(c.number(byWord, {QStringLiteral("PEAR")}), 2);
    EXPECT_EQ(c.number(byWord, {QStringLiteral("plum")}), 1);
    EXPECT_EQ(c.number(byWord, {QStringLiteral("fig")}), 0);
    EXPECT_EQ(c.number(QStringLiteral("select ID from WordTable where 单词='fig'")), 0);
    EXPECT_EQ(dm->PGetCountFromTable(W), 3);
    EXPECT_EQ(dm->PGetCountFromTableWhere(W, K, QStringLiteral("pear")), 2);
    EXPECT_THROW(c.number(byWord), EngineError);
    EXPECT_THROW(c.number(QStringLiteral("delete from WordTable")), EngineError);
    // A refused call hands its statement back: the next one still works.
    EXPECT_EQ(c.number(byWord, {QStringLiteral("plum")}), 1);

    // A count leaves the shared query closed, and its rows are counted, not read.
    JetQuery &q = dm->PQuery;
    q.setSql(QStringLiteral("select ID from WordTable where 单词<>:单词"));
    q.setParam(K, QStringLiteral("fig"));
    q.open();
    EXPECT_EQ(q.recordCount(), 3);
    EXPECT_EQ(q.fieldAt(0), QStringLiteral("1"));
    dm->PGetCountFromTableWhere(W, K, QStringLiteral("plum"));
    EXPECT_FALSE(q.isActive());
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

// A bank whose log cannot be made for a reason other than read-only media is an error that says
// so, not a bank quietly opened for reading only.
TEST_F(Connection, ABankThatCannotBeOpenedForAnotherReasonIsAnErrorNotReadOnly)
{
    const QString path = programDir + QStringLiteral("blocked.lxb");
    JetConnection::initialiseBankFile(path, QString::fromLatin1(LxbPassword));
    JetConnection c;
    c.setConnectionString(PConnectionText(path));
    c.open();
    c.close();
    ASSERT_TRUE(QDir().mkdir(path + QStringLiteral("-wal")));
    try {
        c.open();
        FAIL() << "opened, read-only: " << c.isReadOnly();
    } catch (const EngineError &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("无法打开词库“") + path + QStringLiteral("”："))) << e.message().toStdString();
    }
    EXPECT_FALSE(c.isOpen());
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

TEST_F(JetSemantics, CountersNeverHandANumberOutTwiceNotEvenAfterReopening)
{
    addWord(W, QStringLiteral("a"));
    addWord(W, QStringLiteral("b"));
    dm->PDeleteOneRecordFromTable(W, K, QStringLiteral("b"));
    addWord(W, QStringLiteral("c"));
    EXPECT_EQ(column(W, QStringLiteral("ID")), (QStringList{"1", "3"}));
    // The counter lives in the bank, not in the program.
    dm.reset();
    dm = std::make_unique<TPdatamodule>(programDir, QStringList{bankPath});
    dm->PDeleteOneRecordFromTable(W, K, QStringLiteral("c"));
    addWord(W, QStringLiteral("d"));
    EXPECT_EQ(column(W, QStringLiteral("ID")), (QStringList{"1", "4"}));

    // A renamed list's registration gets a new number, not the one its old row had.
    const QString names = QStringLiteral("TableNameTable");
    dm->PCreateNewWordTable(W, QStringLiteral("L1"), QStringLiteral("addname"));
    dm->PCreateNewWordTable(W, QStringLiteral("L2"), QStringLiteral("addname"));
    dm->PChangeTableName(QStringLiteral("L2"), QStringLiteral("L3"));
    EXPECT_EQ(column(names, QStringLiteral("ID")), (QStringList{"1", "3"}));
    // Rows copied in with their numbers move the counter on; a dropped and remade table starts anew.
    dm->PMoveAll(W, QStringLiteral("L1"));
    addWord(QStringLiteral("L1"), QStringLiteral("e"));
    EXPECT_EQ(column(QStringLiteral("L1"), QStringLiteral("ID")), (QStringList{"1", "4", "5"}));
    dm->PDropTable(QStringLiteral("L1"), QStringLiteral("havename"));
    dm->PCreateNewWordTable(W, QStringLiteral("L1"), QStringLiteral("addname"));
    addWord(QStringLiteral("L1"), QStringLiteral("f"));
    EXPECT_EQ(column(QStringLiteral("L1"), QStringLiteral("ID")), QStringList{"1"});
}

// Spellings that differ in letter case only, in several alphabets.
struct Twins {
    const char *name;
    const char *stored, *asked;
};

void PrintTo(const Twins &t, std::ostream *os) { *os << t.name; }

class CaseFolding : public BankFixture, public ::testing::WithParamInterface<Twins> {};

TEST_P(CaseFolding, EqualityAndLikeIgnoreCaseInEveryAlphabet)
{
    const QString stored = QString::fromUtf8(GetParam().stored), asked = QString::fromUtf8(GetParam().asked);
    addWord(W, QStringLiteral("yyy"));
    addWord(W, stored, QStringLiteral("找到了"));
    addWord(W, QStringLiteral("qqq"));
    EXPECT_EQ(dm->PGetOneDataFromTable(QStringLiteral("解释"), W, K, asked), QStringLiteral("找到了"));
    EXPECT_EQ(dm->PGetCountFromTableWhere(W, K, asked), 1);
    dm->PSelectFromTableLike(W, K, QLatin1Char('"') + asked.left(1) + QStringLiteral("%\""));
    dm->PQuery.open();
    ASSERT_FALSE(dm->PQuery.eof());
    EXPECT_EQ(dm->PQuery.fieldByName(K), stored);
    dm->PQuery.next();
    EXPECT_TRUE(dm->PQuery.eof());
    dm->PQuery.close();
    // The spelling index still serves equality.
    sqlite3_stmt *plan = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(dm->PConnection.handle(),
                                 "EXPLAIN QUERY PLAN SELECT * FROM WordTable WHERE 单词=?", -1, &plan, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(plan), SQLITE_ROW);
    EXPECT_TRUE(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(plan, 3)))
                    .contains(QStringLiteral("INDEX")));
    sqlite3_finalize(plan);
}

INSTANTIATE_TEST_SUITE_P(Alphabets, CaseFolding,
                         ::testing::Values(Twins{"LatinWithAccents", "café", "CAFÉ"},
                                           Twins{"LatinWithUmlauts", "ÄPFEL", "äpfel"}, Twins{"Greek", "σοφία", "ΣΟΦΊΑ"},
                                           Twins{"Cyrillic", "Ёлка", "ёЛКА"}, Twins{"PlainLetters", "Apple", "aPPLE"},
                                           // The first and last letters of the alphabet, in both cases.
                                           Twins{"PlainLettersAToZ", "Zanzibar", "zANZIBAr"},
                                           Twins{"PlainLettersZToA", "azAZ", "AZaz"}),
                         [](const ::testing::TestParamInfo<Twins> &i) { return std::string(i.param.name); });

TEST(JetLike, PatternsMatchWholeTextsWithoutRegardToCase)
{
    struct Case {
        const char *pattern, *text;
        bool match;
    } cases[] = {{"%", "", true},          {"a%", "Apple", true},    {"%É", "CAFé", true},   {"_afé", "Café", true},
                 {"c_f", "café", false},   {"%x%", "café", false},  {"a%e%e", "absentee", true},
                 {"%%a", "banana", true},  {"ab", "abc", false},    {"cafés", "CAFÉ", false}, {"ab_", "ab", false},    {"", "", true},        {"%ß%", "STRAẞE", true}};
    for (const Case &c : cases)
        EXPECT_EQ(jetLike(QString::fromUtf8(c.pattern), QString::fromUtf8(c.text)), c.match)
            << c.pattern << " / " << c.text;
    EXPECT_TRUE(jetLike(QStringLiteral("50!%"), QStringLiteral("50%"), QLatin1Char('!')));
    EXPECT_FALSE(jetLike(QStringLiteral("50!%"), QStringLiteral("500"), QLatin1Char('!')));
}

TEST(BankUpgrade, ABankOfAnEarlierBuildGetsCountersAndCaseRulesAndKeepsItsRows)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/old.lxb");
    JetConnection::initialiseBankFile(path, QString::fromLatin1(LxbPassword));
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    // The schema earlier builds made: ASCII-only case rule, numbers from the highest one left.
    const char *old =
        "CREATE TABLE \"WordTable\" (\"ID\" COUNTER_INTEGER,\"单词\" VARCHAR(100) COLLATE NOCASE,"
        "\"解释\" VARCHAR(250) COLLATE NOCASE);"
        "CREATE INDEX \"WordTable__ID\" ON \"WordTable\"(\"ID\");"
        "CREATE TRIGGER \"WordTable__ID_counter\" AFTER INSERT ON \"WordTable\" WHEN NEW.\"ID\" IS NULL BEGIN "
        "UPDATE \"WordTable\" SET \"ID\"=(SELECT IFNULL(MAX(\"ID\"),0)+1 FROM \"WordTable\") WHERE rowid=NEW.rowid; END;"
        "CREATE INDEX \"WordTable__单词\" ON \"WordTable\"(\"单词\");"
        "INSERT INTO WordTable(单词,解释) VALUES('zoo','动物园'),('café','咖啡馆'),('apple','苹果');";
    ASSERT_EQ(sqlite3_exec(db, old, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);

    JetConnection c;
    c.setConnectionString(PConnectionText(path));
    JetQuery q(&c);
    const auto rows = [&q] {
        QStringList out;
        q.setSql(QStringLiteral("select * from WordTable"));
        for (q.open(); !q.eof(); q.next())
            out << q.fieldByName(QStringLiteral("ID")) + QLatin1Char(':') + q.fieldByName(K);
        q.close();
        return out;
    };
    EXPECT_EQ(rows(), (QStringList{"1:zoo", "2:café", "3:apple"}));
    q.setSql(QStringLiteral("select * from WordTable where 单词=:单词"));
    q.setParam(K, QStringLiteral("CAFÉ"));
    q.open();
    EXPECT_EQ(q.recordCount(), 1);
    q.close();
    c.execute(QStringLiteral("delete from WordTable where 单词=:单词"), {{K, QStringLiteral("apple")}});
    c.execute(QStringLiteral("insert into WordTable(单词) values(:单词)"), {{K, QStringLiteral("pear")}});
    EXPECT_EQ(rows(), (QStringList{"1:zoo", "2:café", "4:pear"}));
    // Opening again changes nothing more.
    c.close();
    EXPECT_EQ(rows(), (QStringList{"1:zoo", "2:café", "4:pear"}));
}
