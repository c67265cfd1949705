#include "core/writeback.h"

#include "core/currentlist.h"
#include "core/wordrecordread.h"
#include "support/bankfixture.h"
#include "support/banksnapshot.h"
#include "vocab/bankvocab.h"

#include <string>
#include <utility>

namespace {

const QString W = Tbl::WordTable;

class WriteBack : public BankFixture {
protected:
    void SetUp() override
    {
        BankFixture::SetUp();
        PEnsureUserRow();
        for (const char *w : {"apple", "pear", "plum", "fig", "kiwi"})
            addWord(W, QString::fromLatin1(w));
        raw(QStringLiteral("insert into TempTable select * from WordTable"));
        raw(QStringLiteral("update UserTable set 经验值='40', 掌握单词数='3'"));
    }

    // Every word of the group answered: two counters, the last answer and the master type.
    TPWriteBack group() const
    {
        TPWriteBack b;
        int n = 0;
        for (const char *w : {"apple", "pear", "plum", "fig", "kiwi"}) {
            ++n;
            b.words.append({W, Col::Word, QString::fromLatin1(w),
                            {{Col::TimesDone, QString::number(n)},
                             {Col::TimesWrong, QString::number(n - 1)},
                             {Col::LastRight, Code::Right},
                             {Col::MasterType, Code::Master11}}});
            b.words.append({Tbl::TempTable, Col::Word, QString::fromLatin1(w), {{Col::LastRight, Code::Right}}});
        }
        b.learnerAdds = {{Col::UserExperience, 25}, {Col::MasteredCount, -1}};
        return b;
    }
    QStringList bank() { return bankSnapshot(dm->PConnection.handle()); }
};

TEST_F(WriteBack, WritesEveryFieldOfEveryWordAndTheLearnerCountersTogether)
{
    QList<qint64> totals;
    ASSERT_TRUE(PWriteBack(group(), QStringLiteral("词库更新失败"), &totals));
    EXPECT_EQ(column(W, Col::TimesDone), (QStringList{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(column(W, Col::TimesWrong), (QStringList{"0", "1", "2", "3", "4"}));
    EXPECT_EQ(column(W, Col::MasterType), QStringList(5, Code::Master11));
    EXPECT_EQ(totals, (QList<qint64>{65, 2}));
    EXPECT_EQ(column(Tbl::UserTable, Col::UserExperience), QStringList{"65"});
    EXPECT_TRUE(dialogs->texts().isEmpty());
}

TEST_F(WriteBack, LearnerCountersPast32BitsAreAddedAndHeldAtTheTop)
{
    raw(QStringLiteral("update UserTable set 经验值='9223372036854775800', 掌握单词数='3000000000'"));
    QList<qint64> totals;
    ASSERT_TRUE(PWriteBack(group(), QStringLiteral("词库更新失败"), &totals));
    EXPECT_EQ(totals, (QList<qint64>{9223372036854775807LL, 2999999999LL}));
    EXPECT_EQ(column(Tbl::UserTable, Col::UserExperience), QStringList{"9223372036854775807"});
    EXPECT_EQ(column(Tbl::UserTable, Col::MasteredCount), QStringList{"2999999999"});
}

// The bank refuses the first, a middle or the last word, or the learner row: nothing changes at all,
// and the learner sees one message, not one per word.
class WriteBackRefused : public WriteBack, public ::testing::WithParamInterface<std::pair<std::string, std::string>> {};

TEST_P(WriteBackRefused, LeavesTheWholeBankAsItWasAndSaysSoOnce)
{
    const QStringList before = bank();
    refuse(QStringLiteral("update"), QString::fromStdString(GetParam().first), QString::fromStdString(GetParam().second));
    const QStringList refusing = bank();
    EXPECT_FALSE(PWriteBack(group()));
    EXPECT_EQ(bank(), refusing);
    EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("词库更新失败")});
    EXPECT_EQ(before.size() + 1, refusing.size());  // only the trigger was added
}

INSTANTIATE_TEST_SUITE_P(KthWord, WriteBackRefused,
                         ::testing::Values(std::pair{"WordTable", "old.单词='apple'"},
                                           std::pair{"WordTable", "old.单词='plum'"},
                                           std::pair{"WordTable", "old.单词='kiwi'"},
                                           std::pair{"TempTable", "1"},
                                           std::pair{"UserTable", "1"}));

TEST_F(WriteBack, AWordWrittenTwiceEndsWithItsLaterValuesAndAnEmptyWriteChangesNothing)
{
    TPWriteBack b;
    b.words.append({W, Col::Word, QStringLiteral("pear"), {{Col::MasterType, Code::Master10}}});
    b.words.append({W, Col::Word, QStringLiteral("pear"), {}});
    b.words.append({W, Col::Word, QStringLiteral("pear"), {{Col::MasterType, Code::Master01}}});
    ASSERT_TRUE(PWriteBack(b));
    EXPECT_EQ(column(W, Col::MasterType).at(1), Code::Master01);
    EXPECT_EQ(column(W, Col::MasterType).at(0), column(W, Col::MasterType).at(2));
}

// Writes to one table and key that name different fields, as many of them, each set their own
// fields and nothing else; the same fields in another order too.
TEST_F(WriteBack, WritesOfOneTableNamingDifferentFieldsEachSetTheirOwn)
{
    TPWriteBack b;
    b.words.append({W, Col::Word, QStringLiteral("pear"), {{Col::MasterType, Code::Master10}}});
    b.words.append({W, Col::Word, QStringLiteral("plum"), {{Col::LastRight, Code::Wrong}}});
    b.words.append({W, Col::Word, QStringLiteral("fig"), {{Col::LastRight, Code::Right}, {Col::MasterType, Code::Master01}}});
    b.words.append({W, Col::Word, QStringLiteral("kiwi"), {{Col::MasterType, Code::Master11}, {Col::LastRight, Code::Wrong}}});
    const QStringList before = bank();
    raw(QStringLiteral("update WordTable set 掌握类型='10' where 单词='pear'"));
    raw(QStringLiteral("update WordTable set 上次是否做对='错' where 单词='plum'"));
    raw(QStringLiteral("update WordTable set 上次是否做对='对', 掌握类型='01' where 单词='fig'"));
    raw(QStringLiteral("update WordTable set 上次是否做对='错', 掌握类型='11' where 单词='kiwi'"));
    const QStringList expected = bank();
    raw(QStringLiteral("update WordTable set 上次是否做对=NULL, 掌握类型=NULL"));
    ASSERT_EQ(bank(), before);
    ASSERT_NE(expected, before);

    ASSERT_TRUE(PWriteBack(b));
    EXPECT_EQ(bank(), expected);
}

TEST_F(WriteBack, AFieldNameThatIsNoPlainNameIsRefusedBeforeAnythingIsWritten)
{
    const QStringList before = bank();
    TPWriteBack b = group();
    b.words.last().fields.append({QStringLiteral("单词=''; drop table WordTable; --"), QStringLiteral("x")});
    EXPECT_FALSE(PWriteBack(b));
    EXPECT_EQ(bank(), before);
}

TEST_F(WriteBack, RecordsReadBackWhatWasWrittenFieldByFieldAndAMissingColumnStaysEmpty)
{
    ASSERT_TRUE(PWriteBack(group()));
    const TPWordRecords rows = PReadWordRecords(W);
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows.at(2).word, QStringLiteral("plum"));
    EXPECT_EQ(rows.at(2).timesDone, QStringLiteral("3"));
    EXPECT_EQ(rows.at(2).timesWrong, QStringLiteral("2"));
    EXPECT_EQ(rows.at(2).lastRight, Code::Right);
    EXPECT_EQ(rows.at(0).explanation, QStringLiteral("解释"));
    dm->PSelectFieldsFromTableOrder(W, {Col::Word, Col::MasterType}, QString(), QString());
    const TPWordRecords narrow = PRecordsOfQuery(dm->PQuery);
    ASSERT_EQ(narrow.size(), 5);
    EXPECT_EQ(narrow.at(4).word, QStringLiteral("kiwi"));
    EXPECT_EQ(narrow.at(4).masterType, Code::Master11);
    EXPECT_TRUE(narrow.at(4).explanation.isEmpty());
    EXPECT_FALSE(dm->PQuery.isActive());
}

}  // namespace
