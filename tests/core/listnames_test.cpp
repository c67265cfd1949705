#include "core/choosers.h"
#include "core/currentlist.h"
#include "core/grouptransfer.h"
#include "core/listviews.h"
#include "core/wordbookimport.h"
#include "core/wordlistops.h"
#include "core/writeback.h"
#include "platform/inifile.h"
#include "support/bankfixture.h"
#include "support/banksnapshot.h"
#include "vocab/bankvocab.h"
#include "wordlists/newwordrow.h"

#include <QTreeWidget>
#include <algorithm>

namespace {

const QString W = QStringLiteral("WordTable");
const QString K = QStringLiteral("单词");

class ListNames : public BankFixture {
protected:
    void SetUp() override
    {
        BankFixture::SetUp();
        PEnsureUserRow();
        PLoadCurrentTableName();
        lv.setSelectionMode(QAbstractItemView::ExtendedSelection);
    }
    QStringList registered() { return column(Tbl::TableNameTable, Col::TableName); }
    // The word-list manager's rows: the registered lists, "WordTable", an empty row, the total.
    void fillManager(const QStringList &lists, const QStringList &selected)
    {
        PClearItems(&lv);
        for (const QString &name : lists + QStringList{W, QString(), QStringLiteral("合计")})
            PAddItem(&lv, name)->setSelected(selected.contains(name));
    }

    QTreeWidget lv;
};

}  // namespace

// One rule for every list name: what the bank can take is accepted and made exactly as asked;
// anything else is refused with its reason before anything runs.
TEST_F(ListNames, ANameIsTakenWhenTheBankCanHoldItAndRefusedWithItsReasonOtherwise)
{
    dm->PCreateNewWordTable(W, QStringLiteral("L1"), QStringLiteral("addname"));
    dm->PCreateNewWordTable(W, QStringLiteral("Q__单词"), QStringLiteral("addname"));
    const QString taken = QStringLiteral("已有同名的单词表（不分大小写）");
    const QList<std::pair<QString, QString>> names = {
        {QStringLiteral("TOEFL core"), QString()},
        {QStringLiteral("1st list"), QString()},
        {QStringLiteral("x;drop table WordTable"), QString()},
        {QStringLiteral("a\"b'c,d-e"), QString()},
        {QStringLiteral("\"hi\" ;#=x"), QString()},
        {QStringLiteral("核心　词汇 "), QString()},  // a blank inside and at the end
        {QString(64, QChar(0x8BCD)), QString()},
        {QString(), QStringLiteral("名称不能为空")},
        {QStringLiteral(" \t"), QStringLiteral("名称不能为空")},
        {QStringLiteral(" lead"), QStringLiteral("名称不能以空格开头")},
        {QStringLiteral("　lead"), QStringLiteral("名称不能以空格开头")},
        {QString(65, QLatin1Char('a')), QStringLiteral("名称不能超过64个字符")},
        {QStringLiteral("a\tb"), QStringLiteral("名称不能含有控制字符")},
        {QStringLiteral("a\nb"), QStringLiteral("名称不能含有控制字符")},
        {QStringLiteral("v1.2"), QStringLiteral("名称不能含有“.”")},
        {QStringLiteral("hi!"), QStringLiteral("名称不能含有“!”")},
        {QStringLiteral("a`b"), QStringLiteral("名称不能含有“`”")},
        {QStringLiteral("[x"), QStringLiteral("名称不能含有“[”")},
        {QStringLiteral("x]; drop table 单词表 --"), QStringLiteral("名称不能含有“]”")},
        {QStringLiteral("SQLite_words"), QStringLiteral("名称不能以“sqlite_”开头")},
        {QStringLiteral("wordtable"), taken},
        {QStringLiteral("l1"), taken},
        {QStringLiteral("LXB_counters"), taken},
        {QStringLiteral("toefl CORE  "), taken},
        {QStringLiteral("wordtable__单词"), QStringLiteral("名称已被词库内部使用")},
        // Its own index would take the name of another list.
        {QStringLiteral("q"), QStringLiteral("名称会与单词表“Q__单词”冲突")},
        {QStringLiteral("Q__单"), QString()},
    };
    QStringList lists = {QStringLiteral("L1"), QStringLiteral("Q__单词")};
    for (const auto &[name, refusal] : names) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(PWordTableNameRefusal(name), refusal);
        const QStringList before = bankSnapshot(dm->PConnection.handle());
        const QStringList tables = dm->PConnection.tableNames();
        dialogs->clear();
        dialogs->answerInput(name);
        PNewWordTable();
        if (!refusal.isEmpty()) {
            EXPECT_EQ(dialogs->texts().mid(1), QStringList{refusal});
            EXPECT_EQ(bankSnapshot(dm->PConnection.handle()), before);
            continue;
        }
        lists << name;
        EXPECT_EQ(dialogs->texts().mid(1), QStringList{QStringLiteral("新建词表“ ") + name + QStringLiteral(" ”成功")});
        EXPECT_EQ(dm->PConnection.tableNames(), tables + QStringList{name});
        EXPECT_EQ(registered(), lists);
        EXPECT_EQ(dm->PGetCountFromTable(name), 0);
        // The learner's row and the settings file give the name back as it was.
        PSetCurrentTable(name);
        PLoadCurrentTableName();
        EXPECT_EQ(PCurrentTable, name);
        ASSERT_TRUE(PConfigIni->WriteString(Ini::CrazySpeller, Ini::CrazyTable, name));
        PConfigIni->Reload();
        EXPECT_EQ(PConfigIni->ReadString(Ini::CrazySpeller, Ini::CrazyTable, QString()), name);
    }
    // The data layer itself refuses what the rule refuses, with the reason.
    try {
        dm->PSelectAllFromTable(QStringLiteral("x]; drop table 单词表 --"));
        ADD_FAILURE() << "no refusal";
    } catch (const EngineError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("表名“x]; drop table 单词表 --”无效：名称不能含有“]”。"));
    }
}

namespace {

struct LifeNames {
    QString a, b, renamed;
};

LifeNames namesFor(const QString &a) { return {a, a + QStringLiteral(" 2"), QStringLiteral("新 ") + a}; }

// Every form a name takes in the bank (quoted, as a literal, as it is) written as a placeholder.
QString placeholders(QString text, const LifeNames &n)
{
    const std::pair<QString, QString> marks[] = {{n.b, QStringLiteral("‹B›")},
                                                 {n.renamed, QStringLiteral("‹R›")},
                                                 {n.a, QStringLiteral("‹A›")}};
    for (const auto &[name, mark] : marks) {
        text.replace(QString(name).replace(QLatin1Char('\''), QStringLiteral("''")), mark);
        text.replace(QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")), mark);
        text.replace(name, mark);
    }
    return text;
}

// The bank with names as placeholders, each table's block ordered by its name (the bank lists
// them by name) and the counters' rows sorted (they are kept in name order).
QStringList normalisedBank(sqlite3 *db, const LifeNames &n)
{
    QList<QStringList> blocks;
    for (const QString &line : bankSnapshot(db)) {
        const QString l = placeholders(line, n);
        if (l.startsWith(QLatin1String("t:")))
            blocks.append(QStringList{l});
        else
            blocks.last() << l;
    }
    for (QStringList &b : blocks)
        if (b.first().contains(QLatin1String("|t:lxb_counters|")))
            std::sort(b.begin() + 1, b.end());
    std::sort(blocks.begin(), blocks.end());
    QStringList out;
    for (const QStringList &b : blocks)
        out += b;
    return out;
}

}  // namespace

class ListLifeCycle : public ListNames, public ::testing::WithParamInterface<const char *> {
protected:
    // Runs a list's whole life under the names n in the open bank: after each step the bank and
    // what the learner was shown, names as placeholders.
    QStringList lifeCycle(const LifeNames &n)
    {
        QStringList record;
        const auto step = [&](const char *what) {
            record << QString::fromUtf8(what) << normalisedBank(dm->PConnection.handle(), n);
            for (const QString &t : dialogs->texts())
                record << placeholders(t, n);
            dialogs->clear();
        };
        PRandSeed(11);
        for (const QString &name : {n.a, n.b}) {
            dialogs->answerInput(name);
            PNewWordTable();
        }
        EXPECT_EQ(registered(), (QStringList{n.a, n.b}));
        step("create");

        for (const char *w : {"apple", "banana", "cherry"})
            addWord(n.a, QString::fromLatin1(w), QStringLiteral("释义") + QLatin1String(w));
        step("add words");

        // The editor's and the dictionary's new words, then the word browser's commands.
        TPWordRecord again;
        again.word = QStringLiteral("apple");
        again.explanation = QStringLiteral("又一个");
        PInsertEditorWord(n.a, again);
        PInsertNewWord(n.a, {QStringLiteral("elder"), QString(), QStringLiteral("长者"), QString(), QString(),
                             QStringLiteral("错")});
        dm->PMoveOneRecordToTable(n.a, n.a, K, QStringLiteral("banana"));  // a twin: same ID, same word
        PLoadAndDedupTable(&lv, n.a, K);
        const auto selectWord = [this](const QString &w) {
            for (int i = 0; i < PItemCount(&lv); ++i)
                PItemAt(&lv, i)->setSelected(PSubItem(PItemAt(&lv, i), PWordSub) == w);
        };
        selectWord(QStringLiteral("elder"));
        PDeleteSelectedWords(&lv, n.a);
        selectWord(QStringLiteral("cherry"));
        PUpdateSelectedField(&lv, n.a, Col::Category, QStringLiteral("核心"), 2);
        EXPECT_EQ(column(n.a, K), (QStringList{"apple", "banana", "cherry"}));
        record << QString::number(dm->PGetSumFromTable(n.a, Col::Experience))
               << dm->PGetMMFromTable(n.a, Col::Category, QStringLiteral("max"))
               << QString::number(dm->PGetCountFromTableWhere(n.a, Col::Category, QStringLiteral("核心")));
        dm->PSelectAllFromTableOrder(n.a, K, QStringLiteral(" desc"));
        dm->PQuery.open();
        for (; !dm->PQuery.eof(); dm->PQuery.next())
            record << dm->PQuery.fieldByName(K);
        dm->PQuery.close();
        step("word browser");

        QTreeWidget book;
        book.addTopLevelItem(new QTreeWidgetItem(QStringList{"Apple", "n. 苹果", "ˈæpl"}));
        book.addTopLevelItem(new QTreeWidgetItem(QStringList{"date", "n. 枣", "deɪt"}));
        PStoreImportedWords(&book, n.b);
        EXPECT_EQ(column(n.b, K), (QStringList{"Apple", "date"}));
        step("word-book import");

        EXPECT_EQ(PFindWordTable(QStringLiteral("DATE")), n.b);
        EXPECT_EQ(PFindWordTable(QStringLiteral("cherry")), n.a);
        PSearchAllTables(PMakeLikePattern(QStringLiteral("a")), &lv);
        record << QStringLiteral("search") << placeholders(viewSnapshot(&lv).join(QLatin1Char('\n')), n);

        PSetCurrentTable(n.a);
        PConfigIni->WriteString(Ini::CrazySpeller, Ini::CrazyTable, n.a);
        PLoadCurrentTableName();
        EXPECT_EQ(PCurrentTable, n.a);
        EXPECT_EQ(PConfigIni->ReadString(Ini::CrazySpeller, Ini::CrazyTable, QString()), n.a);
        step("current list");

        PRefreshListView(&lv, n.a, K, 0, Mode::MainFormDBT);
        for (int i = 0; i < PItemCount(&lv); ++i)
            PItemAt(&lv, i)->setSelected(PSubItem(PItemAt(&lv, i), PWordSub) == QLatin1String("banana"));
        PMoveWords(&lv, n.a, n.b, QStringLiteral("select"));
        PClearItems(&lv);
        for (const char *w : {"date", "Apple"})
            PAddItem(&lv, QString::fromLatin1(w), {QString(), QString(), QString()})
                ->setCheckState(0, *w == 'd' ? Qt::Checked : Qt::Unchecked);
        PMoveWords(&lv, n.b, n.a, QStringLiteral("check"));
        EXPECT_EQ(column(n.a, K), (QStringList{"apple", "cherry", "date"}));
        EXPECT_EQ(column(n.b, K), (QStringList{"Apple", "banana"}));
        step("move between lists");

        // The spelling filter's move: the word's rows copied, then deleted from their list.
        dm->PMoveOneRecordToTable(n.b, n.a, K, QStringLiteral("banana"));
        dm->PDeleteOneRecordFromTable(n.b, K, QStringLiteral("banana"));
        EXPECT_EQ(column(n.a, K), (QStringList{"apple", "cherry", "date", "banana"}));
        step("filter move");

        const TPBuilderRows rows = PReadGroupRows(n.a, K, true);
        EXPECT_EQ(rows.size(), 4);
        TPWordRecords two;
        for (const TPBuilderRow &r : rows.mid(0, 2))
            two << r.record();
        EXPECT_TRUE(PMoveChosenToTempTable(two));
        TPWriteBack back;
        back.words << TPWordWrite{n.a, Col::Word, QStringLiteral("apple"), {{Col::MasterType, Code::Master11}}};
        EXPECT_TRUE(PWriteBack(back));
        step("study group");

        QTreeWidget scratch;
        PShuffleTable(&scratch);
        step("shuffle");

        fillManager({n.a, n.b}, {n.a});
        dialogs->answerInput(n.renamed);
        PRenameWordTables(&lv);
        EXPECT_EQ(registered(), (QStringList{n.b, n.renamed}));
        EXPECT_EQ(PCurrentTable, n.renamed);
        step("rename");

        fillManager({n.b, n.renamed}, {n.b});
        dialogs->answer(Dialogs::Yes);
        PClearWordTables(&lv);
        EXPECT_EQ(dm->PGetCountFromTable(n.b), 0);
        step("empty");

        fillManager({n.b, n.renamed}, {n.b, n.renamed});
        dialogs->answer(Dialogs::Yes);
        dialogs->answer(Dialogs::Yes);
        PDropWordTables(&lv);
        EXPECT_TRUE(registered().isEmpty());
        step("drop");
        return record;
    }
};

// A list named with blanks, quotes, Chinese or a word of the statements lives exactly as a list
// with a plain name does: every step leaves the same bank and says the same, name for name.
TEST_P(ListLifeCycle, EveryStepActsAsOnAPlainlyNamedList)
{
    const QStringList tables = dm->PConnection.tableNames();
    const QStringList odd = lifeCycle(namesFor(QString::fromUtf8(GetParam())));
    EXPECT_EQ(dm->PConnection.tableNames(), tables);
    EXPECT_EQ(column(W, K), QStringList());

    const QString reference = programDir + QStringLiteral("Reference.lxb");
    makeBank(reference);
    PWordBankPath = reference;
    dm->PResetConnection();
    PEnsureUserRow();
    PLoadCurrentTableName();
    const QStringList plain = lifeCycle({QStringLiteral("Plain"), QStringLiteral("Other"), QStringLiteral("Later")});
    ASSERT_EQ(odd.size(), plain.size());
    for (int i = 0; i < odd.size(); ++i)
        EXPECT_EQ(odd.at(i), plain.at(i)) << "line " << i;
}

INSTANTIATE_TEST_SUITE_P(Names, ListLifeCycle,
                         ::testing::Values("TOEFL core", "it's", "say \"hi\"", "核心 词汇", "Order",
                                           "a\"; drop table WordTable --"));
