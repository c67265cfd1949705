// The multiple-choice test driven with the mouse: answers, give-ups and regrets, what it writes
// back, the mastered-word count, the summary and the review.

#include "services/handovers.h"
#include "tools/testformselect.h"

#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "core/listviews.h"
#include "platform/inifile.h"
#include "core/studycounters.h"
#include "tools/createtestunit.h"
#include "tools/showwrongform.h"
#include "support/bankfixture.h"
#include "support/banksnapshot.h"
#include "support/drivendate.h"
#include "support/manualclock.h"
#include "support/qstringprinter.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <sqlite3.h>

namespace {

const QString W = Tbl::WordTable;
const char *const kInitial[] = {"10", "01", "", "00", "11"};

// What one answer makes of each history, written out rather than computed.
QString afterRight(const QString &old)
{
    static const QHash<QString, QString> m{{"10", "01"}, {"01", "11"}, {"", "1"}, {"00", "01"}, {"11", "11"}};
    return m.value(old);
}
QString afterWrong(const QString &old)
{
    static const QHash<QString, QString> m{{"10", "00"}, {"01", "10"}, {"", "0"}, {"00", "00"}, {"11", "10"}};
    return m.value(old);
}

class SelectTest : public BankFixture {
protected:
    void SetUp() override
    {
        BankFixture::SetUp();
        PEnsureUserRow();
        PSetCurrentTable(W);
        dm->PUpdateOneFieldFromTable(Tbl::UserTable, Col::MasteredCount, QStringLiteral("20"));
        PConfigIni->WriteString(Ini::Main, Ini::Tool, ToolName::MultipleChoice);
        PConfigIni->WriteBool(Ini::BackMusic, Ini::CanPlay, false);
        clock = std::make_unique<ManualClock>();
        date = std::make_unique<DrivenDate>(QDateTime(QDate(2026, 3, 10), QTime(9, 0)));
        review = std::make_unique<TPShowWrongForm>();
        savedHandOvers = PHandOvers();
        PHandOvers().browseSeconds = [] { return qint64(100); };
        PHandOvers().createForm = [this] { ++createFormShown; };
    }
    void TearDown() override
    {
        form.reset();
        review.reset();
        PHandOvers() = savedHandOvers;
        date.reset();
        clock.reset();
        BankFixture::TearDown();
    }

    // n words w0.. with meanings 释0.., their histories cycling through kInitial, as the group.
    void group(int n)
    {
        for (int i = 0; i < n; ++i) {
            addWord(W, word(i), QStringLiteral("释%1").arg(i));
            dm->PUpdateOneDataFromTable(W, Col::Word, Col::MasterType, word(i), QString::fromUtf8(kInitial[i % 5]));
        }
        dm->PMoveAll(W, Tbl::TempTable);
    }
    static QString word(int i) { return QStringLiteral("w%1").arg(i); }

    void open(int options = 4, const QString &type = QStringLiteral("看英文选中文"))
    {
        PConfigIni->WriteString(Ini::VovaDereridu, Ini::TestType, type);
        PConfigIni->WriteInteger(Ini::VovaDereridu, Ini::OptionCount, options);
        PPrepareTest();
        showForm();
    }
    void showForm()
    {
        form.reset();
        form = std::make_unique<TPTestFormSelect>();
        form->Show();
        QApplication::processEvents();
        ASSERT_EQ(form->activationCount(), 1);
    }
    QLineEdit *box(const QString &text)
    {
        for (QLineEdit *b : form->LB) {
            if (b->isVisible() && b->text() == text)
                return b;
        }
        return nullptr;
    }
    QLineEdit *wrongBox()
    {
        for (QLineEdit *b : form->LB) {
            if (b->isVisible() && b->text() != form->LBRightText->text())
                return b;
        }
        return nullptr;
    }
    void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(20, 17)); }
    QList<QStringList> rows(const QString &T)
    {
        QList<QStringList> out;
        const QStringList fields{Col::Word, Col::LastRight, Col::LastTested, Col::MasterType,
                                 Col::TimesDone, Col::TimesWrong, Col::Experience};
        dm->PSelectAllFromTable(T);
        dm->PQuery.open();
        for (; !dm->PQuery.eof(); dm->PQuery.next()) {
            QStringList r;
            for (const QString &f : fields)
                r << dm->PQuery.fieldByName(f);
            out << r;
        }
        dm->PQuery.close();
        return out;
    }
    QString mastered() { return column(Tbl::UserTable, Col::MasteredCount).value(0); }

    std::unique_ptr<ManualClock> clock;
    std::unique_ptr<DrivenDate> date;
    std::unique_ptr<TPShowWrongForm> review;
    std::unique_ptr<TPTestFormSelect> form;
    TPHandOvers savedHandOvers;
    int createFormShown = 0;
};

struct SelectCase {
    const char *name;
    int words;
    int right;    // words w0 .. are answered right
    int regrets;  // of them, w0 .. are taken back
    int correctPercent;
    int masteredPercent;
};
void PrintTo(const SelectCase &r, std::ostream *os) { *os << r.name; }

class SelectRun : public SelectTest, public ::testing::WithParamInterface<SelectCase> {};

TEST_P(SelectRun, WritesResultsCountsMasteredAndSumsUp)
{
    const SelectCase run = GetParam();
    group(run.words);
    const qint64 testSecondsBefore = PStudyCounters().testSeconds;
    open();
    click(form->Button1);
    clock->advance(65000);
    EXPECT_EQ(form->LBTestSumTime->text(), "65秒");

    QStringList expectedLast, expectedMaster;
    for (int i = 0; i < run.words; ++i) {
        const bool right = i < run.right && i >= run.regrets;
        const QString old = QString::fromUtf8(kInitial[i % 5]);
        expectedLast << (right ? Code::Right : Code::Wrong);
        expectedMaster << (right ? afterRight(old) : afterWrong(old));
    }
    bool sawWrong = false, sawGiveUp = false;
    QList<int> order;
    for (int asked = 0; asked < run.words; ++asked) {
        const QString w = form->LBQuestion->text();
        const QString meaning = form->LBRightText->text();
        const int i = w.mid(1).toInt();
        order << i;
        ASSERT_EQ(meaning, QStringLiteral("释%1").arg(i));
        ASSERT_EQ(form->LBTitle->text(), QStringLiteral("第%1题，共%2题").arg(asked + 1).arg(run.words));
        if (i < run.right) {
            click(box(meaning));
            EXPECT_EQ(form->LBHint->text(), QStringLiteral("恭喜你，答对了！\n<%1>对应\n<%2>").arg(w, meaning));
            if (i < run.regrets) {
                click(form->BTPregret);
                EXPECT_FALSE(form->BTPregret->isEnabled());
            }
        } else if (i % 2 == 0) {
            click(form->BTPpass);
            EXPECT_EQ(form->LBHint->text(), QStringLiteral("<%1>\n对应<%2>\n而非<这题我放弃，请显示下一题>").arg(w, meaning));
            sawGiveUp = true;
        } else {
            const QString picked = wrongBox()->text();
            click(wrongBox());
            EXPECT_EQ(form->LBHint->text(), QStringLiteral("<%1>\n对应<%2>\n而非<%3>").arg(w, meaning, picked));
            EXPECT_EQ(form->palette().color(QPalette::Window), QColor(128, 128, 128));
            EXPECT_FALSE(form->BTPregret->isEnabled());
            sawWrong = true;
        }
    }
    EXPECT_EQ(sawWrong || sawGiveUp, run.right < run.words);
    ASSERT_EQ(form->Button1->text(), "结束");
    EXPECT_TRUE(form->Button1->isEnabled());
    EXPECT_FALSE(form->BTPpass->isEnabled());
    // The hidden lists: no question left, every word answered in the order asked, with its new
    // last answer, date and history.
    EXPECT_TRUE(viewSnapshot(form->PListView).isEmpty());
    QStringList answeredRows;
    for (int i : order) {
        answeredRows << QStringList{dm->PGetOneDataFromTable(Col::ID, W, Col::Word, word(i)), word(i),
                                    QStringLiteral("释%1").arg(i), expectedLast[i], "2026-03-10", expectedMaster[i]}
                                .join(QLatin1Char('|')) +
                            QStringLiteral(" tick=0 sel=0");
    }
    EXPECT_EQ(viewSnapshot(form->ListView1), answeredRows);
    clock->advance(5000);  // the clock stopped with the last answer

    QStringList reviewed;
    // Tied to the review, so that a review that never opens leaves no timer behind.
    QTimer::singleShot(0, review.get(), [&] {
        for (int k = 0; k < PItemCount(review->PLVsw); ++k)
            reviewed << PCaption(PItemAt(review->PLVsw, k));
        review->close();
    });
    click(form->Button1);

    const QList<QStringList> after = rows(W);
    ASSERT_EQ(after.size(), run.words);
    QStringList expectedReview;
    for (int i = 0; i < run.words; ++i) {
        EXPECT_EQ(after[i], QStringList({word(i), expectedLast[i], "2026-03-10", expectedMaster[i], "0", "0", "10"}));
        if (expectedLast[i] == Code::Wrong)
            expectedReview << word(i);
    }
    EXPECT_EQ(reviewed, expectedReview);
    const int delta = int(expectedMaster.count("01")) - int(expectedMaster.count("10"));
    EXPECT_EQ(mastered(), QString::number(20 + delta));
    EXPECT_EQ(PStudyCounters().testSeconds, testSecondsBefore + 65);
    const QString summary = QStringLiteral("\n做对%1题\n正确率 %2%\n掌握率 %3%\n浏览用时 0时1分40秒\n测试用时 0时1分5秒")
                                .arg(run.right)
                                .arg(run.correctPercent)
                                .arg(run.masteredPercent);
    EXPECT_EQ(dialogs->texts(), QStringList{summary});
    // A window without buttons or icon, titled with the program's title.
    EXPECT_EQ(dialogs->shown().value(0).kind, QStringLiteral("ask"));
    EXPECT_EQ(dialogs->shown().value(0).buttons, Dialogs::NoButtons);
    EXPECT_EQ(dialogs->shown().value(0).icon, Dialogs::NoIcon);
    EXPECT_TRUE(dialogs->shown().value(0).title.isEmpty());
    EXPECT_EQ(dm->PGetCountFromTable(Tbl::TempTable), 0);
    EXPECT_EQ(dm->PGetCountFromTable(Tbl::OptionTable), 0);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(createFormShown, 1);
}

INSTANTIATE_TEST_SUITE_P(Groups, SelectRun,
                         ::testing::Values(SelectCase{"SevenFiveRightOneRegretted", 7, 5, 1, 71, 57},
                                           SelectCase{"FiftyTwentyNineRight", 50, 29, 0, 58, 58},
                                           SelectCase{"SixAllRight", 6, 6, 0, 100, 100}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(SelectTest, MasteredCountMovesByNewlyRightMinusNewlyWrong)
{
    // w2, w4 and w6 answered wrong, the others right.
    group(7);
    open();
    click(form->Button1);
    for (int asked = 0; asked < 7; ++asked) {
        const int i = form->LBQuestion->text().mid(1).toInt();
        click(i == 6 || i == 2 || i == 4 ? wrongBox() : box(form->LBRightText->text()));
    }
    form->CBShowTestReport->setChecked(false);
    click(form->Button1);
    // New histories: 01 11 0 01 10 01 10 -> three "01", two "10".
    EXPECT_EQ(mastered(), "21");
}

struct Shape {
    const char *name;
    int words;
    int optionSetting;
    const char *type;
    int boxes;
    bool listening;
};
void PrintTo(const Shape &s, std::ostream *os) { *os << s.name; }

class SelectShape : public SelectTest, public ::testing::WithParamInterface<Shape> {};

TEST_P(SelectShape, BoxesFollowTheOptionsBuiltAndListeningHidesTheQuestion)
{
    const Shape shape = GetParam();
    group(shape.words);
    open(shape.optionSetting, QString::fromUtf8(shape.type));
    click(form->Button1);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(form->LB[i]->isVisible(), i < shape.boxes) << i;
        EXPECT_EQ(form->LB[i]->text().isEmpty(), i >= shape.boxes) << i;
    }
    EXPECT_EQ(form->LBQuestion->isVisible(), !shape.listening);
    EXPECT_EQ(form->BTread->isVisible(), shape.listening);
    // Every type but one asks the meaning of the word shown.
    const QString w = form->LBQuestion->text();
    EXPECT_EQ(form->LBRightText->text(), QStringLiteral("释") + w.mid(1));
    EXPECT_NE(box(form->LBRightText->text()), nullptr);

    // Hiding the question or showing "读" moves nothing else: the same places as a reading test.
    const auto places = [this] {
        form->layout()->activate();
        QList<QRect> out;
        for (QWidget *w : QList<QWidget *>{form->CBBackMusic, form->CBShowTestReport, form->Panel1,
                                           form->Button1, form->BTPpass, form->LBHint})
            out << w->geometry();
        return out;
    };
    const QList<QRect> shown = places();
    open(shape.optionSetting, QStringLiteral("看英文选中文"));
    EXPECT_EQ(shown, places());
}

INSTANTIATE_TEST_SUITE_P(Settings, SelectShape,
                         ::testing::Values(Shape{"ThreeListening", 6, 3, "听英文选中文", 3, true},
                                           Shape{"NineUnknownType", 6, 9, "汉译英", 6, false},
                                           Shape{"SixOfAGroupOfFour", 4, 6, "看英文选中文", 4, false}),
                         [](const auto &info) { return std::string(info.param.name); });

// The bank refuses the first, a middle or the last word answered, the group or the mastered count:
// nothing of the test is stored and one message says so before the summary.
struct Refusal {
    const char *name;
    const char *table;
    int answered;  // which answered word the bank refuses; -1: every row of the table
};
void PrintTo(const Refusal &r, std::ostream *os) { *os << r.name; }

class SelectRefused : public SelectTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(SelectRefused, NothingOfTheTestIsStoredAndOneMessageSaysSo)
{
    const Refusal r = GetParam();
    group(6);
    open();
    form->CBShowTestReport->setChecked(false);
    click(form->Button1);
    for (int asked = 0; asked < 6; ++asked)
        click(asked == 1 ? wrongBox() : box(form->LBRightText->text()));
    ASSERT_EQ(form->Button1->text(), "结束");
    refuse(QStringLiteral("update"), QString::fromUtf8(r.table),
           r.answered < 0 ? QStringLiteral("1")
                          : QStringLiteral("old.单词='%1'").arg(form->session().answered().at(r.answered).word));
    auto bank = [this] {
        QStringList out;
        for (const QString &line : bankSnapshot(dm->PConnection.handle()))
            if (!line.startsWith(QStringLiteral("TempTable:")) && !line.startsWith(QStringLiteral("OptionTable:")))
                out << line;
        return out;
    };
    const QStringList before = bank();
    click(form->Button1);
    EXPECT_EQ(bank(), before);
    EXPECT_EQ(dm->PGetCountFromTable(Tbl::TempTable), 0);
    ASSERT_EQ(dialogs->texts().size(), 2) << dialogs->texts().join(QLatin1Char('/')).toStdString();
    EXPECT_EQ(dialogs->texts().at(0), "词库更新失败");
    EXPECT_TRUE(dialogs->texts().at(1).startsWith(QStringLiteral("\n做对5题\n")));
    EXPECT_EQ(createFormShown, 1);
}

INSTANTIATE_TEST_SUITE_P(KthWord, SelectRefused,
                         ::testing::Values(Refusal{"First", "WordTable", 0}, Refusal{"Middle", "WordTable", 3},
                                           Refusal{"Last", "WordTable", 5}, Refusal{"Group", "TempTable", -1},
                                           Refusal{"MasteredCount", "UserTable", -1}),
                         [](const auto &info) { return std::string(info.param.name); });

// Giving up the last question is judged like a wrong answer and ends the test as an option does.
TEST_F(SelectTest, GivingUpTheLastQuestionEndsTheTest)
{
    group(6);
    open();
    form->CBShowTestReport->setChecked(false);
    click(form->Button1);
    for (int asked = 0; asked < 5; ++asked)
        click(box(form->LBRightText->text()));
    const QString w = form->LBQuestion->text();
    const QString meaning = form->LBRightText->text();
    ASSERT_EQ(form->LBTitle->text(), "第6题，共6题");
    ASSERT_TRUE(form->BTPpass->isEnabled());
    clock->advance(2000);
    click(form->BTPpass);
    EXPECT_EQ(form->LBHint->text(), QStringLiteral("<%1>\n对应<%2>\n而非<这题我放弃，请显示下一题>").arg(w, meaning));
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(128, 128, 128));
    EXPECT_EQ(form->Button1->text(), "结束");
    EXPECT_TRUE(form->Button1->isEnabled());
    EXPECT_FALSE(form->BTPpass->isEnabled());
    EXPECT_FALSE(form->BTPregret->isEnabled());
    for (QLineEdit *b : form->LB)
        EXPECT_FALSE(b->isEnabled());
    EXPECT_FALSE(form->TimerTest->enabled());
    click(form->Button1);
    EXPECT_EQ(dm->PGetOneDataFromTable(Col::LastRight, W, Col::Word, w), Code::Wrong);
    EXPECT_TRUE(dialogs->texts().value(0).startsWith(QStringLiteral("\n做对5题\n")));
}

TEST_F(SelectTest, ClosingBeforeTheEndWritesNothing)
{
    group(6);
    const QList<QStringList> before = rows(W);
    const qint64 testSecondsBefore = PStudyCounters().testSeconds;
    open(6, QStringLiteral("看中文选英文"));
    click(form->Button1);
    // The question is the meaning and the options spellings.
    EXPECT_EQ(form->LBRightText->text(), QStringLiteral("w") + form->LBQuestion->text().mid(1));
    click(box(form->LBRightText->text()));
    click(wrongBox());
    clock->advance(3000);
    form->close();
    EXPECT_EQ(rows(W), before);
    EXPECT_EQ(mastered(), "20");
    EXPECT_EQ(PStudyCounters().testSeconds, testSecondsBefore);
    EXPECT_EQ(dm->PGetCountFromTable(Tbl::TempTable), 0);
    EXPECT_EQ(dm->PGetCountFromTable(Tbl::OptionTable), 0);
    EXPECT_TRUE(dialogs->texts().isEmpty());
    EXPECT_EQ(createFormShown, 1);
}

// No questions, or fewer options rows than group words: the test ends when the questions do.
TEST_F(SelectTest, MissingQuestionsEndTheTestWithoutFailing)
{
    open();
    click(form->Button1);
    EXPECT_EQ(form->Button1->text(), "结束");
    click(form->Button1);
    EXPECT_EQ(dialogs->texts(), QStringList({"\n做对0题\n正确率 0%\n掌握率 0%\n浏览用时 0时1分40秒\n测试用时 0时0分0秒"}));

    group(7);
    PPrepareTest();
    dm->PDeleteOneRecordFromTable(Tbl::OptionTable, Col::Word, word(3));
    showForm();
    click(form->Button1);
    for (int asked = 0; asked < 6; ++asked)
        click(box(form->LBRightText->text()));
    EXPECT_EQ(form->Button1->text(), "结束");
    EXPECT_EQ(form->session().rightCount(), 6);
    EXPECT_EQ(form->session().total(), 7);
}

}  // namespace
