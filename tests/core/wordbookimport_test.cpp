#include "core/wordbookimport.h"

#include "core/listviews.h"
#include "core/wordrecords.h"
#include "platform/inifile.h"
#include "services/phonetic.h"
#include "support/bankfixture.h"
#include "support/wordbooksamples.h"

#include <QDate>
#include <QFile>
#include <QSet>
#include <QStringEncoder>
#include <QTreeWidget>
#include <sqlite3.h>

using wordbook::Encoding;

namespace {
const QString W = QStringLiteral("WordTable");
const QString L = QStringLiteral("MyList");
const QString K = QStringLiteral("单词");

struct Item {
    QString word, meaning, phonetic;
    bool operator==(const Item &o) const
    {
        return word == o.word && meaning == o.meaning && phonetic == o.phonetic;
    }
};
void PrintTo(const Item &i, std::ostream *os)
{
    *os << '{' << i.word.toStdString() << " | " << i.meaning.toStdString() << " | " << i.phonetic.toStdString()
        << '}';
}
}  // namespace

class WordBookImport : public BankFixture {
protected:
    void SetUp() override
    {
        BankFixture::SetUp();
        dm->PCreateNewWordTable(W, L, QStringLiteral("addname"));
    }
    void setLayout(const QString &layout) { PConfigIni->WriteString(QStringLiteral("DBTool"), QStringLiteral("新词入库"), layout); }
    QString writeExport(const QString &text, Encoding e, const QString &name = QStringLiteral("export.txt"))
    {
        const QString path = programDir + name;
        EXPECT_TRUE(wordbook::writeText(path, text, e));
        return path;
    }
    bool import(const QString &path)
    {
        dialogs->answerFile(path);
        return PImportWordBookText(&list, dm->OpenDialog1);
    }
    QList<Item> items() const
    {
        QList<Item> out;
        for (int i = 0; i < list.topLevelItemCount(); ++i) {
            const QTreeWidgetItem *it = list.topLevelItem(i);
            EXPECT_EQ(PSubItemCount(it), 2);  // word, meaning, phonetic
            out << Item{it->text(0), it->text(1), it->text(2)};
        }
        return out;
    }
    QTreeWidget list;
};

// ---------------------------------------------------------------- reading

TEST_F(WordBookImport, KingsoftLayoutFromGb18030WithCrLf)
{
    // No setting yet: the default layout.
    ASSERT_TRUE(import(writeExport(wordbook::kingsoftSample(), Encoding::Gb18030)));
    EXPECT_EQ(dialogs->shown().last().kind, QStringLiteral("open"));
    EXPECT_EQ(dialogs->shown().last().title, QStringLiteral("打开金山词霸生词本文件"));
    EXPECT_EQ(dialogs->lastFilter(), PFilterToQt(QStringLiteral("金山词霸生词本导出文本(*.txt)|*.txt")));
    // Lines before the first word and after an empty word line have no word to go to; "#" and
    // other marks mean nothing here; nothing is trimmed; a later meaning replaces an earlier one.
    EXPECT_EQ(items(), (QList<Item>{
                           {"abandon", "vt. 放弃；抛弃", "əˈbændən"},
                           {"ability", "", ""},
                           {"able", "adj. 能够的", ""},
                           {"New York ", "n. 纽约", ""},
                           {"Apple", "n. 苹果", "ˈæpl"},
                       }));
}

TEST_F(WordBookImport, GoogleLayoutFromUtf16TakesPhoneticsFromThePhoneticFile)
{
    ASSERT_TRUE(wordbook::writeText(programDir + QStringLiteral("WordPron.dat"), wordbook::phoneticFile(),
                                    Encoding::Utf8));
    setLayout(QStringLiteral("谷歌金山词霸"));
    ASSERT_TRUE(import(writeExport(wordbook::googleSample(), Encoding::Utf16LeBom)));
    EXPECT_EQ(dialogs->shown().last().title, QStringLiteral("打开谷歌金山词霸生词本文件"));
    EXPECT_EQ(dialogs->lastFilter(), PFilterToQt(QStringLiteral("谷歌金山词霸生词本导出文本(*.txt)|*.txt")));
    EXPECT_EQ(items(), (QList<Item>{
                           {"abandon", "vt. 放弃", "əˈbændən"},
                           {"able", "adj. 能够的", ""},
                           {"missing", "", ""},
                           {"abandon", "又一次", "əˈbændən"},
                       }));
    // The import reads the phonetic file once, by the same rule as the single look-up.
    for (const Item &i : items()) {
        QString single;
        PLookupPhonetic(i.word, single);
        EXPECT_EQ(i.phonetic, single) << i.word.toStdString();
    }
}

TEST_F(WordBookImport, GoogleLayoutWithoutPhoneticFileLeavesPhoneticsEmpty)
{
    setLayout(QStringLiteral("谷歌金山词霸"));
    ASSERT_TRUE(import(writeExport(wordbook::googleSample(), Encoding::Utf8)));
    ASSERT_EQ(list.topLevelItemCount(), 4);
    for (const Item &i : items())
        EXPECT_TRUE(i.phonetic.isEmpty());
}

TEST_F(WordBookImport, CancelUnknownLayoutAndUnreadableFileLeaveTheListEmpty)
{
    const QString path = writeExport(wordbook::kingsoftSample(), Encoding::Utf8);
    ASSERT_TRUE(import(path));
    ASSERT_EQ(list.topLevelItemCount(), 5);

    // Cancelled dialog.
    EXPECT_FALSE(PImportWordBookText(&list, dm->OpenDialog1));
    EXPECT_EQ(list.topLevelItemCount(), 0);

    // A layout the program does not know: the dialog keeps its title and nothing is read.
    ASSERT_TRUE(import(path));
    setLayout(QStringLiteral("别的词典"));
    dm->OpenDialog1.Title = QStringLiteral("打开词库文件");
    EXPECT_FALSE(import(path));
    EXPECT_EQ(dialogs->shown().last().title, QStringLiteral("打开词库文件"));
    EXPECT_EQ(list.topLevelItemCount(), 0);

    // A file that cannot be read is an error that names it.
    setLayout(QStringLiteral("金山词霸"));
    ASSERT_TRUE(import(path));
    const QString gone = programDir + QStringLiteral("gone.txt");
    try {
        import(gone);
        ADD_FAILURE() << "no error for an unreadable file";
    } catch (const EngineError &e) {
        EXPECT_TRUE(e.message().contains(gone)) << e.message().toStdString();
    }
    EXPECT_EQ(list.topLevelItemCount(), 0);
}

// ---------------------------------------------------------------- storing

TEST_F(WordBookImport, StoresEachWordWithTheImportDefaults)
{
    ASSERT_TRUE(import(writeExport(wordbook::kingsoftSample(), Encoding::Gb18030)));
    PStoreImportedWords(&list, L);

    EXPECT_EQ(column(L, K), (QStringList{"abandon", "ability", "able", "New York ", "Apple"}));
    EXPECT_EQ(column(L, QStringLiteral("音标")), (QStringList{"əˈbændən", "", "", "", "ˈæpl"}));
    EXPECT_EQ(column(L, QStringLiteral("解释")), (QStringList{"vt. 放弃；抛弃", "", "adj. 能够的", "n. 纽约", "n. 苹果"}));
    const QStringList ids = column(L, QStringLiteral("ID"));
    EXPECT_EQ(QSet<QString>(ids.begin(), ids.end()).size(), 5);
    EXPECT_FALSE(ids.contains(QString()));
    const QStringList five(5, QString());
    EXPECT_EQ(column(L, QStringLiteral("联想")), five);
    EXPECT_EQ(column(L, QStringLiteral("详解")), five);
    EXPECT_EQ(column(L, QStringLiteral("例句")), five);
    EXPECT_EQ(column(L, QStringLiteral("所属类别")), QStringList(5, QStringLiteral("未知")));
    EXPECT_EQ(column(L, QStringLiteral("做过次数")), QStringList(5, QStringLiteral("0")));
    EXPECT_EQ(column(L, QStringLiteral("做错次数")), QStringList(5, QStringLiteral("0")));
    EXPECT_EQ(column(L, QStringLiteral("经验点数")), QStringList(5, QStringLiteral("10")));
    EXPECT_EQ(column(L, QStringLiteral("上次是否做对")), five);
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    EXPECT_EQ(column(L, QStringLiteral("最近测试时间")), QStringList(5, today));
    EXPECT_EQ(column(L, QStringLiteral("掌握类型")), five);
    EXPECT_EQ(dm->PGetCountFromTable(W), 0);  // only the chosen list
}

TEST_F(WordBookImport, WordsTheListHoldsAreSkippedWithoutRegardToCase)
{
    addWord(L, QStringLiteral("APPLE"), QStringLiteral("旧的解释"), QStringLiteral("基本词"));
    setLayout(QStringLiteral("谷歌金山词霸"));
    const QString path = writeExport(wordbook::googleSample(), Encoding::Utf16LeBom);
    ASSERT_TRUE(import(path));
    // "abandon" twice in the file: the second finds the first already stored.
    PStoreImportedWords(&list, L);
    EXPECT_EQ(column(L, K), (QStringList{"APPLE", "abandon", "able", "missing"}));
    EXPECT_EQ(column(L, QStringLiteral("解释")), (QStringList{"旧的解释", "vt. 放弃", "adj. 能够的", ""}));

    // The same file again adds nothing.
    ASSERT_TRUE(import(path));
    PStoreImportedWords(&list, L);
    EXPECT_EQ(dm->PGetCountFromTable(L), 4);

    // A word differing only in letter case leaves the stored row as it was.
    setLayout(QStringLiteral("金山词霸"));
    ASSERT_TRUE(import(writeExport(wordbook::kingsoftSample(), Encoding::Utf8)));
    PStoreImportedWords(&list, L);
    EXPECT_EQ(column(L, K), (QStringList{"APPLE", "abandon", "able", "missing", "ability", "New York "}));
    EXPECT_EQ(dm->PGetOneDataFromTable(QStringLiteral("解释"), L, K, QStringLiteral("apple")), QStringLiteral("旧的解释"));
    EXPECT_EQ(dm->PGetOneDataFromTable(QStringLiteral("所属类别"), L, K, QStringLiteral("apple")), QStringLiteral("基本词"));
    EXPECT_EQ(dm->PGetOneDataFromTable(QStringLiteral("音标"), L, K, QStringLiteral("able")), QString());
}

TEST_F(WordBookImport, AFailingWordLeavesNothingAndTheWordsBeforeItStay)
{
    ASSERT_TRUE(import(writeExport(wordbook::kingsoftSample(), Encoding::Utf8)));
    // The engine refuses the third word after its row went in.
    char *err = nullptr;
    ASSERT_EQ(sqlite3_exec(dm->PConnection.handle(),
                           "CREATE TRIGGER refuse_able AFTER INSERT ON MyList WHEN NEW.单词 = 'able' "
                           "BEGIN SELECT RAISE(ABORT, '磁盘已满'); END",
                           nullptr, nullptr, &err),
              SQLITE_OK)
        << err;
    EXPECT_THROW(PStoreImportedWords(&list, L), EngineError);
    EXPECT_EQ(dm->PConnection.transactionDepth(), 0);

    // What landed is committed: it survives reopening the bank.
    dm->PConnection.close();
    EXPECT_EQ(column(L, K), (QStringList{"abandon", "ability"}));
    EXPECT_EQ(column(L, QStringLiteral("经验点数")), (QStringList{"10", "10"}));
    EXPECT_EQ(column(L, QStringLiteral("最近测试时间")).size(), 2);
}

TEST_F(WordBookImport, StoringIntoAListThatIsNotThereFailsWithNothingStored)
{
    ASSERT_TRUE(import(writeExport(wordbook::kingsoftSample(), Encoding::Utf8)));
    EXPECT_THROW(PStoreImportedWords(&list, QStringLiteral("NoSuchList")), EngineError);
    EXPECT_EQ(dm->PConnection.transactionDepth(), 0);
    PStoreImportedWords(&list, L);
    EXPECT_EQ(dm->PGetCountFromTable(L), 5);
}

TEST_F(WordBookImport, AccentedWordsTheListHoldsInAnotherCaseAreNotStoredAgain)
{
    addWord(L, QStringLiteral("café"), QStringLiteral("咖啡馆"));
    addWord(L, QStringLiteral("ÉCLAIR"), QStringLiteral("闪电泡芙"));
    for (const char *word : {"CAFÉ", "éclair", "naïve"})
        list.addTopLevelItem(new QTreeWidgetItem(QStringList{QString::fromUtf8(word), QStringLiteral("新"), QString()}));
    PStoreImportedWords(&list, L);
    EXPECT_EQ(column(L, K), (QStringList{"café", "ÉCLAIR", "naïve"}));
    EXPECT_EQ(column(L, QStringLiteral("解释")), (QStringList{"咖啡馆", "闪电泡芙", "新"}));
}

TEST_F(WordBookImport, ImportAndSingleLookUpReadThePhoneticFileAlikeAndSeeItChange)
{
    // UTF-8 and Chinese code-page lines mixed, Windows line ends, some with two carriage returns.
    QStringEncoder gb("GB18030");
    QByteArray bytes = "apple|\xCB\x88\xC3\xA6pl\r\r\n";
    bytes += QByteArray(gb.encode(QStringLiteral("苹果|píng guǒ\r\n")));
    bytes += "pear|pe\xC9\x99\r\n";
    bytes += QByteArray(gb.encode(QStringLiteral("梨|lí\r\r\n")));
    const QString pron = programDir + QStringLiteral("WordPron.dat");
    QFile f(pron);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    setLayout(QStringLiteral("谷歌金山词霸"));
    const QString path =
        writeExport(QStringLiteral("+apple\r\n+苹果\r\n+pear\r\n+梨\r\n+plum\r\n"), Encoding::Utf8);
    ASSERT_TRUE(import(path));
    const QStringList expected{QStringLiteral("ˈæpl"), QStringLiteral("píng guǒ"), QStringLiteral("peə"),
                               QStringLiteral("lí"), QString()};
    const QList<Item> read = items();
    ASSERT_EQ(read.size(), expected.size());
    for (int i = 0; i < read.size(); ++i) {
        QString single;
        PLookupPhonetic(read[i].word, single);
        EXPECT_EQ(read[i].phonetic, expected[i]) << i;
        EXPECT_EQ(single, expected[i]) << i;
    }
    // A changed file is read again.
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("plum|pl\xCA\x8Cm\n");
    f.close();
    ASSERT_TRUE(import(path));
    EXPECT_EQ(items().last().phonetic, QStringLiteral("plʌm"));
    EXPECT_EQ(items().first().phonetic, QString());
}
