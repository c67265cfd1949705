#include "core/grouptransfer.h"

#include "core/listviews.h"
#include "core/studylog.h"
#include "platform/windowkit.h"
#include "core/studycounters.h"
#include "study/studyfixture.h"

#include <QTreeWidget>
#include <memory>

namespace {

class GroupTransfer : public StudyFixture {
protected:
    void SetUp() override
    {
        StudyFixture::SetUp();
        view.reset(PMakeReportView(nullptr, QStringLiteral("PLV2"), {TPColumn{QStringLiteral("ID")}}, true));
        // "go" stands twice, under two IDs.
        for (const char *w : {"go", "sit", "go", "run"})
            addWord(Tbl::WordTable, QLatin1String(w));
        ids = column(Tbl::WordTable, Col::ID);
        dm->PMoveAll(Tbl::WordTable, Tbl::TempTable);  // stale rows of an earlier group
    }
    QStringList temp() { return column(Tbl::TempTable, Col::ID); }
    void chosen(const QList<int> &rows)
    {
        for (int r : rows)
            PAddItem(view.get(), ids[r], {column(Tbl::WordTable, Col::Word)[r]});
    }
    void ticked(const QStringList &words, const QList<bool> &ticks)
    {
        for (int i = 0; i < words.size(); ++i)
            PAddItem(view.get(), words[i])->setCheckState(0, ticks[i] ? Qt::Checked : Qt::Unchecked);
    }

    std::unique_ptr<QTreeWidget> view;
    QStringList ids;
};

TEST_F(GroupTransfer, ChosenItemsCopyExactlyTheirOwnRows)
{
    chosen({2, 0, 3});  // both "go" rows, by their IDs
    EXPECT_TRUE(PMoveChosenToTempTable(view.get()));
    EXPECT_EQ(temp(), QStringList({ids[2], ids[0], ids[3]}));
    EXPECT_EQ(column(Tbl::TempTable, Col::Word), QStringList({"go", "go", "run"}));
    EXPECT_EQ(column(Tbl::WordTable, Col::ID), ids);
    EXPECT_TRUE(dialogs->shown().isEmpty());
}

TEST_F(GroupTransfer, TickedWordsCopyEveryRowOfTheWordOncePerTick)
{
    ticked({"go", "sit", "go"}, {true, false, false});
    EXPECT_TRUE(PMoveCheckedToTempTable(view.get()));
    EXPECT_EQ(temp(), QStringList({ids[0], ids[2]}));

    PClearItems(view.get());
    ticked({"go", "sit", "go", "run"}, {true, true, true, false});
    EXPECT_TRUE(PMoveCheckedToTempTable(view.get()));
    EXPECT_EQ(temp(), QStringList({ids[0], ids[2], ids[1], ids[0], ids[2]}));

    PClearItems(view.get());
    ticked({"go", "sit"}, {false, false});
    EXPECT_TRUE(PMoveCheckedToTempTable(view.get()));
    EXPECT_TRUE(temp().isEmpty());
}

TEST_F(GroupTransfer, AFailedCopyLeavesTempTableEmptyNotHalfFilled)
{
    // The first row copies, the second fails, and a "go" row could not be deleted afterwards: the
    // copy must undo itself rather than rely on the clean-up.
    dm->PDeleteOneRecordFromTable(Tbl::TempTable, Col::Word, QStringLiteral("go"));
    refuse(QStringLiteral("insert"), Tbl::TempTable, QStringLiteral("new.单词 = 'run'"));
    refuse(QStringLiteral("delete"), Tbl::TempTable, QStringLiteral("old.单词 = 'go'"));
    chosen({0, 3});
    EXPECT_FALSE(PMoveChosenToTempTable(view.get()));
    EXPECT_EQ(dialogs->texts(), QStringList({"词库刷新出错！"}));
    EXPECT_TRUE(temp().isEmpty());
}

class LessonLog : public StudyFixture {
protected:
    void SetUp() override
    {
        StudyFixture::SetUp();
        // The counters run for the whole process: bring them to whole minutes and log what earlier
        // tests left, so this test starts from a clean slate.
        TPStudyCounters &c = PStudyCounters();
        c.browseSeconds += (60 - c.browseSeconds % 60) % 60;
        c.testSeconds += (60 - c.testSeconds % 60) % 60;
        ASSERT_TRUE(PLogLesson());
        dm->PDeleteAllFromTable(Tbl::LogTable);
    }
    QStringList logRow()
    {
        QStringList row;
        for (const QString &f : {Col::LogDate, Col::StudyMinutes, Col::BrowseMinutes, Col::LogExperience,
                                 Col::MasteredCount})
            row << column(Tbl::LogTable, f).join(QLatin1Char('|'));
        return row;
    }
};

TEST_F(LessonLog, EachCloseLogsOnlyWhatTheCountersGainedSinceTheLastOne)
{
    PAddStudyLog(QStringLiteral("2026-12-7"), 10, 4, 7, 3);
    TPStudyCounters &c = PStudyCounters();
    c.browseSeconds += 125;
    c.testSeconds += 50;
    c.experience += 12;
    EXPECT_TRUE(PLogLesson());
    EXPECT_EQ(logRow(), QStringList({"2026-12-7", "12", "6", "19", "3"}));

    EXPECT_TRUE(PLogLesson());
    EXPECT_EQ(logRow(), QStringList({"2026-12-7", "12", "6", "19", "3"}));

    // Seconds left over count toward the next lesson: 175 + 10 s make a third minute.
    c.testSeconds += 10;
    c.experience -= 20;
    date->advanceDays(1);
    EXPECT_TRUE(PLogLesson());
    EXPECT_EQ(logRow(), QStringList({"2026-12-7|2026-12-8", "12|1", "6|0", "19|-20", "3|0"}));
    EXPECT_TRUE(dialogs->shown().isEmpty());
}

TEST_F(LessonLog, AFailedWriteIsReportedAndTheGainWaitsForTheNextClose)
{
    PStudyCounters().browseSeconds += 120;
    raw(QStringLiteral("alter table LogTable rename to LogTableAway"));
    EXPECT_FALSE(PLogLesson());
    ASSERT_EQ(dialogs->shown().size(), 1);
    EXPECT_EQ(dialogs->shown().at(0).icon, Dialogs::Critical);
    raw(QStringLiteral("alter table LogTableAway rename to LogTable"));
    EXPECT_TRUE(PLogLesson());
    EXPECT_EQ(logRow(), QStringList({"2026-12-7", "2", "2", "0", "0"}));
}

}  // namespace
