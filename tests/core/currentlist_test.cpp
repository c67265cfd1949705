#include "support/qstringprinter.h"
#include "core/currentlist.h"
#include "core/studylog.h"

#include "support/bankfixture.h"

#include <limits>

#include <sqlite3.h>

namespace {
const QString Log = QStringLiteral("LogTable");
const QString User = QStringLiteral("UserTable");
}  // namespace

using CurrentList = BankFixture;

TEST_F(CurrentList, AnEmptyUserTableGivesNoNameUntilTheRowIsMade)
{
    PCurrentTable = QStringLiteral("stale");
    PLoadCurrentTableName();
    EXPECT_EQ(PCurrentTable, QString());

    PEnsureUserRow();
    EXPECT_EQ(column(User, QStringLiteral("经验值")), QStringList{"0"});
    EXPECT_EQ(column(User, QStringLiteral("掌握单词数")), QStringList{"0"});
    PLoadCurrentTableName();
    EXPECT_EQ(PCurrentTable, QStringLiteral("WordTable"));

    // A second call leaves the one row as it is.
    PSetCurrentTable(QStringLiteral("L1"));
    PEnsureUserRow();
    EXPECT_EQ(column(User, QStringLiteral("当前单词表")), QStringList{"L1"});
}

TEST_F(CurrentList, SettingTheCurrentListWritesItBack)
{
    PEnsureUserRow();
    PSetCurrentTable(QStringLiteral("表1"));
    EXPECT_EQ(PCurrentTable, QStringLiteral("表1"));
    PCurrentTable.clear();
    PLoadCurrentTableName();
    EXPECT_EQ(PCurrentTable, QStringLiteral("表1"));
}

using StudyLog = BankFixture;

TEST_F(StudyLog, TwoClosesOnOneDayLeaveOneRowWithTheSums)
{
    PAddStudyLog(QStringLiteral("2009-1-5"), 10, 4, 30, 0);
    PAddStudyLog(QStringLiteral("2009-1-6"), 1, 1, 1, 1);
    PAddStudyLog(QStringLiteral("2009-1-5"), 5, 2, 12, 3);
    EXPECT_EQ(column(Log, QStringLiteral("日期")), QStringList({"2009-1-6", "2009-1-5"}));
    EXPECT_EQ(column(Log, QStringLiteral("学习时间")), QStringList({"1", "15"}));
    EXPECT_EQ(column(Log, QStringLiteral("浏览用时")), QStringList({"1", "6"}));
    EXPECT_EQ(column(Log, QStringLiteral("经验")), QStringList({"1", "42"}));
    EXPECT_EQ(column(Log, QStringLiteral("掌握单词数")), QStringList({"1", "3"}));
}

TEST_F(StudyLog, ADayWithTwoRowsGetsAThirdAndKeepsTheOthers)
{
    PAddStudyLog(QStringLiteral("2009-1-5"), 10, 4, 30, 0);
    dm->PMoveAll(Log, Log);  // a second row for the day
    PAddStudyLog(QStringLiteral("2009-1-5"), 5, 2, 12, 0);
    EXPECT_EQ(column(Log, QStringLiteral("学习时间")), QStringList({"10", "10", "5"}));
    EXPECT_EQ(column(Log, QStringLiteral("经验")), QStringList({"30", "30", "12"}));
}

TEST_F(StudyLog, AnEmptyCounterCountsAsZero)
{
    dm->PInsertOneRecordToTable(Log, QStringLiteral("日期"), QStringLiteral("2009-1-5"));
    dm->PUpdateOneDataFromTable(Log, QStringLiteral("日期"), QStringLiteral("经验"), QStringLiteral("2009-1-5"),
                                QStringLiteral("7"));
    PAddStudyLog(QStringLiteral("2009-1-5"), 5, 2, 12, 0);
    EXPECT_EQ(column(Log, QStringLiteral("学习时间")), QStringList{"5"});
    EXPECT_EQ(column(Log, QStringLiteral("浏览用时")), QStringList{"2"});
    EXPECT_EQ(column(Log, QStringLiteral("经验")), QStringList{"19"});
}

TEST_F(StudyLog, SumsPast32BitsAreKeptAndHeldAtTheTop)
{
    PAddStudyLog(QStringLiteral("2009-1-5"), std::numeric_limits<qint64>::max() - 2, 1, 3000000000LL, 2147483647);
    PAddStudyLog(QStringLiteral("2009-1-5"), 5, 2, 12, 1);
    EXPECT_EQ(column(Log, QStringLiteral("学习时间")), QStringList{"9223372036854775807"});
    EXPECT_EQ(column(Log, QStringLiteral("经验")), QStringList{"3000000012"});
    EXPECT_EQ(column(Log, QStringLiteral("掌握单词数")), QStringList{"2147483648"});
}

TEST_F(StudyLog, AFailureKeepsTheDaysLog)
{
    PAddStudyLog(QStringLiteral("2009-1-5"), 10, 4, 30, 0);
    // The new row cannot be written: the old one must still be there afterwards.
    refuse(QStringLiteral("insert"), QStringLiteral("LogTable"));
    EXPECT_THROW(PAddStudyLog(QStringLiteral("2009-1-5"), 5, 2, 12, 0), EngineError);
    EXPECT_EQ(column(Log, QStringLiteral("日期")), QStringList{"2009-1-5"});
    EXPECT_EQ(column(Log, QStringLiteral("学习时间")), QStringList{"10"});
    EXPECT_EQ(column(Log, QStringLiteral("经验")), QStringList{"30"});
    EXPECT_EQ(dm->PConnection.transactionDepth(), 0);
}
