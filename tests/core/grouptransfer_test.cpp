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
    TPWordRecords chosen(const QList<int> &rows)
    {
        TPWordRecords out;
        for (int r : rows) {
            TPWordRecord w;
            w.id = ids[r];
            w.word = column(Tbl::WordTable, Col::Word)[r];
            out << w;
        }
        return out;
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
    EXPECT_TRUE(PMoveChosenToTempTable(chosen({2, 0, 3})));  // both "go" rows, by their IDs
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

    // The words themselves, as a tick list's session holds them.
    EXPECT_TRUE(PMoveWordsToTempTable({"run", "go"}));
    EXPECT_EQ(temp(), QStringList({ids[3], ids[0], ids[2]}));
}

TEST_F(GroupTransfer, TheBuildersRowsReadInTableOrOrderOfTheirDates)
{
    const QStringList dates = {"2026-12-01", "", "2000-01-01", "2026-11-30"};
    for (int i = 0; i < 4; ++i)
        dm->PUpdateOneDataFromTable(Tbl::WordTable, Col::ID, Col::LastTested, ids[i], dates[i]);
    const auto read = [](const QString &order, bool descending) {
        QStringList out;
        for (const TPBuilderRow &row : PReadGroupRows(Tbl::WordTable, order, descending)) {
            const TPWordRecord r = row.record();
            out << r.id + QLatin1Char('|') + r.word + QLatin1Char('|') + r.lastTested + QLatin1Char('|') + r.category;
        }
        return out;
    };
    const QString cat = QStringLiteral("基本词");
    const auto at = [&](int i) { return ids[i] + QLatin1Char('|') + QStringList{"go", "sit", "go", "run"}[i] + QLatin1Char('|') + dates[i] + QLatin1Char('|') + cat; };
    EXPECT_EQ(read(QString(), false), QStringList({at(0), at(1), at(2), at(3)}));
    EXPECT_EQ(read(Col::LastTested, false), QStringList({at(1), at(2), at(3), at(0)}));
    EXPECT_EQ(read(Col::LastTested, true), QStringList({at(0), at(3), at(2), at(1)}));
    EXPECT_TRUE(dialogs->shown().isEmpty());
    EXPECT_TRUE(PReadGroupRows(QStringLiteral("NoSuchList")).isEmpty());
    EXPECT_EQ(dialogs->texts(), QStringList({"词库刷新出错"}));
}

TEST_F(GroupTransfer, AFailedCopyLeavesTempTableEmptyNotHalfFilled)
{
    // The first row copies, the second fails, and a "go" row could not be deleted afterwards: the
    // copy must undo itself rather than rely on the clean-up.
    dm->PDeleteOneRecordFromTable(Tbl::TempTable, Col::Word, QStringLiteral("go"));
    refuse(QStringLiteral("insert"), Tbl::TempTable, QStringLiteral("new.单词 = 'run'"));
    refuse(QStringLiteral("delete"), Tbl::TempTable, QStringLiteral("old.单词 = 'go'"));
    EXPECT_FALSE(PMoveChosenToTempTable(chosen({0, 3})));
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
