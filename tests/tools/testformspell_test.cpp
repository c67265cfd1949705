// The spelling test driven headless on a driven clock: the questions, the answers' effect on each
// word and on the lesson, regret, the time limit, the options, and what the end and an early
// close leave in the bank.

#include "services/handovers.h"
#include "tools/testformspell.h"

#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "core/listviews.h"
#include "platform/inifile.h"
#include "platform/sound.h"
#include "services/publicform.h"
#include "core/studycounters.h"
#include "support/bankfixture.h"
#include "support/banksnapshot.h"
#include "support/drivendate.h"
#include "support/manualclock.h"
#include "support/qstringprinter.h"
#include "tools/showwrongform.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <sqlite3.h>

namespace {

const QString W = Tbl::WordTable;
const QString kToday = QStringLiteral("2026-12-07");

class SpellTest : public BankFixture {
protected:
    void SetUp() override
    {
        BankFixture::SetUp();
        PEnsureUserRow();
        dm->PUpdateOneFieldFromTable(Tbl::UserTable, Col::UserExperience, QStringLiteral("7000"));
        PSetCurrentTable(W);
        review = std::make_unique<TPShowWrongForm>();
        form = std::make_unique<TPTestFormSpell>();
        savedSeam = PHandOvers();
        PHandOvers().createForm = [this] { ++builderShown; };
        counters = PStudyCounters();
    }
    void TearDown() override
    {
        PHandOvers() = savedSeam;
        form.reset();
        review.reset();
        BankFixture::TearDown();
    }

    // The group: these words in the current list and in TempTable.
    void group(const QStringList &words)
    {
        for (const QString &w : words)
            addWord(W, w, QStringLiteral("释义") + w);
        dm->PMoveAll(W, Tbl::TempTable);
    }
    void open()
    {
        form->Show();
        QApplication::processEvents();
    }
    void start()
    {
        open();
        QTest::keyClick(form.get(), Qt::Key_Return);  // the default button: "开始"
    }
    QString asked() const { return form->PstaticText->text(); }
    void answer(const QString &typed)
    {
        form->Penteredit->setText(typed);
        QTest::keyClick(form->Penteredit, Qt::Key_Return);
    }
    // Every statistic of every row of T, one text per row.
    QStringList stats(const QString &T)
    {
        const QStringList fields{Col::Word,       Col::TimesDone,  Col::TimesWrong, Col::Experience,
                                 Col::LastRight,  Col::LastTested, Col::MasterType};
        QList<QStringList> cols;
        for (const QString &f : fields)
            cols << column(T, f);
        QStringList out;
        for (int r = 0; r < cols[0].size(); ++r) {
            QStringList row;
            for (const QStringList &c : cols)
                row << c.value(r);
            out << row.join(QLatin1Char('|'));
        }
        return out;
    }
    QString stat(const QString &word, const QString &field)
    {
        return dm->PGetOneDataFromTable(field, W, Col::Word, word);
    }
    QString userExperience() { return column(Tbl::UserTable, Col::UserExperience).value(0); }
    QString ini(const QString &key) { return PConfigIni->ReadString(Ini::SpellTest, key, QStringLiteral("<none>")); }

    ManualClock clock;
    DrivenDate date{QDateTime(QDate(2026, 12, 7), QTime(10, 0))};
    std::unique_ptr<TPShowWrongForm> review;
    std::unique_ptr<TPTestFormSpell> form;
    TPHandOvers savedSeam;
    int builderShown = 0;
    TPStudyCounters counters;
};

TEST_F(SpellTest, SixWordsCountDownToTheEndAndAreWrittenBackOnce)
{
    const QStringList words{QStringLiteral("apple"), QStringLiteral("pear"), QStringLiteral("plum"),
                            QStringLiteral("grape"), QStringLiteral("lemon"), QStringLiteral("melon")};
    group(words);
    open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("RevuZudazod - 拼写测试"));
    EXPECT_FALSE(form->Penteredit->isEnabled());
    EXPECT_EQ(form->Button1->text(), QStringLiteral("开始"));
    QTest::keyClick(form.get(), Qt::Key_Return);

    QStringList shown, order;
    while (form->Button1->text() != QStringLiteral("结束")) {
        ASSERT_FALSE(form->Button1->isEnabled());
        shown << form->Button1->text();
        EXPECT_EQ(form->Edit2->text(), QStringLiteral("释义") + asked());
        order << asked();
        // pear wrong (a leading blank), apple right in capitals, the rest right as written
        answer(asked() == QStringLiteral("pear")    ? QStringLiteral(" pear")
               : asked() == QStringLiteral("apple") ? QStringLiteral("APPLE")
                                                    : asked());
        ASSERT_LE(shown.size(), 6);
    }
    EXPECT_EQ(shown, (QStringList{QStringLiteral("6"), QStringLiteral("5"), QStringLiteral("4"), QStringLiteral("3"),
                                  QStringLiteral("2"), QStringLiteral("1")}));
    QStringList sorted = order;
    sorted.sort();
    QStringList expected = words;
    expected.sort();
    EXPECT_EQ(sorted, expected) << "every word once";
    EXPECT_TRUE(form->Button1->isEnabled());
    EXPECT_EQ(form->lessonExperience(), 5 * 10 - 5);
    // The hidden lists: no question left, every word answered in the order asked, with what the
    // answer made of its statistics.
    EXPECT_TRUE(viewSnapshot(form->PLV).isEmpty());
    QStringList answeredRows;
    for (const QString &w : order) {
        const QString id = dm->PGetOneDataFromTable(Col::ID, W, Col::Word, w);
        answeredRows << (w == QStringLiteral("pear") ? QStringLiteral("%1|pear|1|1|10|错|%2").arg(id, kToday)
                                                     : QStringLiteral("%1|%2|1|0|9|对|%3").arg(id, w, kToday)) +
                            QStringLiteral(" tick=0 sel=0");
    }
    EXPECT_EQ(viewSnapshot(form->PLV1), answeredRows);
    clock.advance(42000);

    const QStringList tempBefore = stats(Tbl::TempTable);
    dialogs->clear();
    QTest::keyClick(form->Penteredit, Qt::Key_Return);  // "结束"

    QStringList after = stats(W);
    QStringList expectedRows;
    for (const QString &w : words)
        expectedRows << (w == QStringLiteral("pear")
                             ? QStringLiteral("pear|1|1|10|错|%1|").arg(kToday)
                             : QStringLiteral("%1|1|0|9|对|%2|").arg(w, kToday));
    EXPECT_EQ(after, expectedRows);
    EXPECT_TRUE(stats(Tbl::TempTable).isEmpty());
    EXPECT_EQ(tempBefore.size(), 6);
    EXPECT_EQ(userExperience(), QStringLiteral("7045"));
    EXPECT_EQ(PStudyCounters().experience - counters.experience, 45);
    EXPECT_EQ(PStudyCounters().testSeconds - counters.testSeconds, 42);
    ASSERT_EQ(dialogs->texts().size(), 1);
    EXPECT_EQ(dialogs->lastText(),
              QStringLiteral("\n本次做对题数 5\n本次获得经验 45\n\n目前总经验值 7045\n目前等级 2\n下一等级经验值 7500\n\n"
                             "提示：经验等级仅代表您对单词拼写的熟悉程度。"));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(builderShown, 1);
}

TEST_F(SpellTest, RegretCountsARightAnswerOutButKeepsItsPoints)
{
    group({QStringLiteral("apple"), QStringLiteral("pear")});
    start();
    const QString first = asked();
    answer(first);
    QTest::keyClick(form->Penteredit, Qt::Key_Escape);
    EXPECT_EQ(form->LBhint->text(), QStringLiteral("你按下了反悔按钮，上一题将被认为没做对，但不会扣经验。"));
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(192, 192, 192));
    QTest::keyClick(form->Penteredit, Qt::Key_Escape);  // already "错": nothing more
    const QString second = asked();
    answer(QStringLiteral("wrong"));
    QTest::keyClick(form->Penteredit, Qt::Key_Escape);  // a wrong answer cannot be regretted
    EXPECT_FALSE(form->Penteredit->isEnabled()) << "nothing left to answer";
    EXPECT_EQ(form->lessonExperience(), 10 - 5);

    QTest::keyClick(form.get(), Qt::Key_Return);
    // the regretted word keeps the point it lost; the wrong one keeps all ten
    EXPECT_EQ(stat(first, Col::Experience), QStringLiteral("9"));
    EXPECT_EQ(stat(second, Col::Experience), QStringLiteral("10"));
    for (const QString &w : {first, second}) {
        EXPECT_EQ(stat(w, Col::LastRight), Code::Wrong) << w.toStdString();
        EXPECT_EQ(stat(w, Col::TimesWrong), QStringLiteral("1")) << w.toStdString();
        EXPECT_EQ(stat(w, Col::TimesDone), QStringLiteral("1")) << w.toStdString();
    }
    EXPECT_TRUE(dialogs->lastText().startsWith(QStringLiteral("\n本次做对题数 0\n本次获得经验 5\n")));
    EXPECT_EQ(userExperience(), QStringLiteral("7005"));
}

TEST_F(SpellTest, TheTimeLimitAnswersAFiveLetterWordAfterEightSeconds)
{
    group({QStringLiteral("apple"), QStringLiteral("lemon")});
    PConfigIni->WriteBool(Ini::SpellTest, Ini::ShowTimeLimit, true);
    open();
    EXPECT_TRUE(form->CheckBox7->isChecked());
    EXPECT_EQ(form->Label1->text(), QStringLiteral("时间限制已开启(F7)"));
    QTest::keyClick(form.get(), Qt::Key_Return);
    const QString first = asked();
    form->Penteredit->setText(first.left(2));
    clock.advance(1000);
    EXPECT_EQ(form->Label1->text(), QStringLiteral("剩余时间：7"));
    clock.advance(6999);
    EXPECT_EQ(asked(), first);
    EXPECT_EQ(form->Label1->text(), QStringLiteral("剩余时间：1"));
    clock.advance(1);
    ASSERT_EQ(PItemCount(form->PLV1), 1) << "answered when its time ran out";
    EXPECT_EQ(PSubItem(PItemAt(form->PLV1, 0), 4), Code::Wrong);
    EXPECT_EQ(form->LBhint->text(), QStringLiteral("上题正确拼写：%1\n上题您的拼写：%2").arg(first, first.left(2)));

    // turning the limit on again mid-question gives the word its full time
    clock.advance(3000);
    QTest::keyClick(form->Penteredit, Qt::Key_F7);
    EXPECT_EQ(form->Label1->text(), QStringLiteral("时间限制已取消(F7)"));
    EXPECT_FALSE(form->Timer1->enabled());
    EXPECT_FALSE(form->Timer2->enabled());
    clock.advance(20000);
    EXPECT_EQ(PItemCount(form->PLV1), 1);
    form->CheckBox7->click();
    clock.advance(7999);
    EXPECT_EQ(PItemCount(form->PLV1), 1);
    clock.advance(1);
    EXPECT_EQ(form->Button1->text(), QStringLiteral("结束"));
    clock.advance(8000);  // the limit fires again on an empty list: nothing happens
    EXPECT_EQ(PItemCount(form->PLV1), 2);
}

TEST_F(SpellTest, ClosingMidTestWritesNothingButTheOptions)
{
    group({QStringLiteral("apple"), QStringLiteral("pear"), QStringLiteral("plum")});
    const QStringList before = stats(W);
    start();
    answer(asked());
    answer(QStringLiteral("x"));
    QTest::keyClick(form->Penteredit, Qt::Key_F2);
    EXPECT_TRUE(form->CheckBox2->isChecked());
    EXPECT_TRUE(form->Edit1->isVisibleTo(form.get()));
    clock.advance(5000);
    form->close();
    EXPECT_EQ(stats(W), before);
    EXPECT_EQ(userExperience(), QStringLiteral("7000"));
    EXPECT_TRUE(stats(Tbl::TempTable).isEmpty());
    EXPECT_EQ(PStudyCounters().testSeconds, counters.testSeconds);
    EXPECT_EQ(builderShown, 1);
    EXPECT_EQ(ini(Ini::ShowPhoneticKey), QStringLiteral("1"));
    EXPECT_EQ(ini(Ini::ShowExplanation), QStringLiteral("1"));
    EXPECT_EQ(ini(Ini::ShowTimeLimit), QStringLiteral("0"));
    EXPECT_EQ(ini(Ini::ShowTestReport), QStringLiteral("0"));
    EXPECT_TRUE(dialogs->shown().isEmpty());
}

TEST_F(SpellTest, OptionsAreReadOnEveryActivation)
{
    open();
    EXPECT_TRUE(form->Edit2->isVisibleTo(form.get()));
    EXPECT_FALSE(form->Memo2->isVisibleTo(form.get()));
    form->hide();
    PConfigIni->WriteBool(Ini::SpellTest, Ini::ShowExplanation, false);
    PConfigIni->WriteBool(Ini::SpellTest, Ini::ShowExample, true);
    PConfigIni->WriteBool(Ini::SpellTest, Ini::ShowTestReport, true);
    QWidget other;
    other.show();
    QApplication::processEvents();
    open();
    EXPECT_FALSE(form->Edit2->isVisibleTo(form.get()));
    EXPECT_TRUE(form->Memo2->isVisibleTo(form.get()));
    EXPECT_TRUE(form->CBShowTestReport->isChecked());
}

TEST_F(SpellTest, ExampleSentencesShowAsTheyWereStored)
{
    group({QStringLiteral("apple"), QStringLiteral("pear")});
    QTextEdit rich;
    rich.setHtml(QStringLiteral("<b>A red</b> apple."));
    dm->PUpdateOneDataFromTable(W, Col::Word, Col::Example, QStringLiteral("apple"), rich.toHtml());
    dm->PUpdateOneDataFromTable(W, Col::Word, Col::Example, QStringLiteral("pear"), QStringLiteral("<b>not bold</b>"));
    dm->PDeleteAllFromTable(Tbl::TempTable);
    dm->PMoveAll(W, Tbl::TempTable);
    start();
    for (int i = 0; i < 2; ++i) {
        if (asked() == QStringLiteral("apple"))
            EXPECT_EQ(form->Memo2->toPlainText(), QStringLiteral("A red apple."));
        else
            EXPECT_EQ(form->Memo2->toPlainText(), QStringLiteral("<b>not bold</b>"));
        answer(asked());
    }
}

TEST_F(SpellTest, EachQuestionIsSpokenAndF8AndF9RepeatTheCurrentAndThePreviousWord)
{
    group({QStringLiteral("apple"), QStringLiteral("pear"), QStringLiteral("plum")});
    auto spoken = [] {
        QStringList out;
        for (const Sound::Request &r : Sound::requests())
            if (r.kind == Sound::Request::Speech)
                out << r.what;
        return out;
    };
    open();
    Sound::clearRequests();
    QTest::keyClick(form.get(), Qt::Key_Return);
    QStringList order{asked()};
    answer(QStringLiteral("?"));
    order << asked();
    EXPECT_EQ(spoken(), order) << "each word as it is shown";
    Sound::clearRequests();
    QTest::keyClick(form->Penteredit, Qt::Key_F8);
    QTest::keyClick(form->Penteredit, Qt::Key_F9);
    EXPECT_EQ(spoken(), (QStringList{order[1], order[0]}));

    QTest::keyClick(form->Penteredit, Qt::Key_F6);  // no longer spoken
    EXPECT_FALSE(form->CheckBox6->isChecked());
    answer(QStringLiteral("?"));
    order << asked();
    answer(QStringLiteral("?"));
    Sound::clearRequests();
    QTest::keyClick(form->Penteredit, Qt::Key_F9);  // after the last answer: still the one before
    EXPECT_EQ(spoken(), QStringList{order[1]});
    form->close();
    EXPECT_EQ(ini(Ini::ShowSpeak), QStringLiteral("0"));
}

TEST_F(SpellTest, AnEmptyGroupStartsNothing)
{
    open();
    QTest::keyClick(form.get(), Qt::Key_Return);
    EXPECT_EQ(form->Button1->text(), QStringLiteral("开始"));
    EXPECT_FALSE(form->Penteredit->isEnabled());
    EXPECT_FALSE(form->TimerTest->enabled());
}

TEST_F(SpellTest, AWordAskedTwiceIsWrittenTwiceTheLaterLast)
{
    group({QStringLiteral("apple"), QStringLiteral("kiwi")});
    dm->PMoveOneRecordToTable(W, Tbl::TempTable, Col::Word, QStringLiteral("apple"));
    start();
    int apples = 0;
    while (form->Button1->text() != QStringLiteral("结束"))
        answer(asked() == QStringLiteral("apple") && apples++ == 0 ? QStringLiteral("no") : asked());
    EXPECT_EQ(apples, 2);
    QTest::keyClick(form.get(), Qt::Key_Return);
    // the later (right) answer was made from the same stored row: 1 done, 0 wrong, 9 points
    EXPECT_EQ(stat(QStringLiteral("apple"), Col::LastRight), Code::Right);
    EXPECT_EQ(stat(QStringLiteral("apple"), Col::Experience), QStringLiteral("9"));
}

// The bank refuses the first, a middle or the last word answered, its group row or the learner's
// experience: the words and the experience are one write, so nothing of the test is stored, one
// message says so, and the summary still tells what the test was worth.
struct Refusal {
    const char *name;
    const char *table;
    int answered;  // which answered word the bank refuses; -1: every row of the table
};
void PrintTo(const Refusal &r, std::ostream *os) { *os << r.name; }

class SpellRefused : public SpellTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(SpellRefused, NothingOfTheTestIsStoredAndOneMessageSaysSo)
{
    const Refusal r = GetParam();
    group({QStringLiteral("apple"), QStringLiteral("pear"), QStringLiteral("plum"), QStringLiteral("fig"),
           QStringLiteral("kiwi")});
    start();
    while (form->Button1->text() != QStringLiteral("结束"))
        answer(asked() == QStringLiteral("pear") ? QStringLiteral("no") : asked());
    const QString table = QString::fromUtf8(r.table);
    refuse(QStringLiteral("update"), table,
           r.answered < 0 ? QStringLiteral("1")
                          : QStringLiteral("old.单词='%1'").arg(form->session().answered().at(r.answered).word));
    // Every table as it stands, but the group: the test empties it when it closes.
    auto bank = [this] {
        QStringList out;
        for (const QString &line : bankSnapshot(dm->PConnection.handle()))
            if (!line.startsWith(QStringLiteral("TempTable:")))
                out << line;
        return out;
    };
    const QStringList before = bank();
    dialogs->clear();
    QTest::keyClick(form.get(), Qt::Key_Return);
    EXPECT_EQ(bank(), before);
    EXPECT_TRUE(stats(Tbl::TempTable).isEmpty());
    ASSERT_EQ(dialogs->texts().size(), 2) << dialogs->texts().join(QLatin1Char('/')).toStdString();
    EXPECT_EQ(dialogs->texts().at(0), QStringLiteral("词库更新失败"));
    EXPECT_EQ(dialogs->shown().at(0).icon, Dialogs::Critical);
    EXPECT_TRUE(dialogs->texts().at(1).startsWith(
        QStringLiteral("\n本次做对题数 4\n本次获得经验 35\n\n目前总经验值 7035\n")));
    EXPECT_EQ(builderShown, 1);
}

INSTANTIATE_TEST_SUITE_P(KthWord, SpellRefused,
                         ::testing::Values(Refusal{"First", "WordTable", 0}, Refusal{"Middle", "WordTable", 2},
                                           Refusal{"Last", "WordTable", 4}, Refusal{"Group", "TempTable", -1},
                                           Refusal{"Experience", "UserTable", -1}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(SpellTest, EmptyCountersCountAsZeroAndAreWrittenAsNumbers)
{
    for (const QString &w : {QStringLiteral("apple"), QStringLiteral("pear")})
        dm->PInsertOneRecordToTable(W, Col::Word, w);  // imported: no counters at all
    dm->PMoveAll(W, Tbl::TempTable);
    sqlite3_exec(dm->PConnection.handle(), "update UserTable set 经验值=null", nullptr, nullptr, nullptr);
    start();
    while (form->Button1->text() != QStringLiteral("结束"))
        answer(asked() == QStringLiteral("apple") ? asked() : QStringLiteral("?"));
    QTest::keyClick(form.get(), Qt::Key_Return);
    EXPECT_EQ(stats(W), (QStringList{QStringLiteral("apple|1|0|0|对|%1|").arg(kToday),
                                     QStringLiteral("pear|1|1|0|错|%1|").arg(kToday)}));
    EXPECT_EQ(userExperience(), QStringLiteral("-5"));
    EXPECT_EQ(dialogs->texts().size(), 1) << dialogs->texts().join(QLatin1Char('/')).toStdString();
}

TEST_F(SpellTest, TheReviewListsTheWrongWords)
{
    group({QStringLiteral("apple"), QStringLiteral("pear"), QStringLiteral("plum")});
    PConfigIni->WriteBool(Ini::SpellTest, Ini::ShowTestReport, true);
    start();
    while (form->Button1->text() != QStringLiteral("结束"))
        answer(asked() == QStringLiteral("apple") ? asked() : QStringLiteral("?"));
    QStringList listed;
    QTimer::singleShot(0, [&] {
        for (int i = 0; i < PItemCount(review->PLVsw); ++i)
            listed << PCaption(PItemAt(review->PLVsw, i)) + PSubItem(PItemAt(review->PLVsw, i), 0);
        review->close();
    });
    QTest::keyClick(form.get(), Qt::Key_Return);
    listed.sort();
    EXPECT_EQ(listed, (QStringList{QStringLiteral("pear"), QStringLiteral("plum")}));
    EXPECT_TRUE(stats(Tbl::TempTable).isEmpty());
    EXPECT_FALSE(form->isVisible());
}

}  // namespace
