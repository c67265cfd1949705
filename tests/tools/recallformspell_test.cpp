// Quick recall on a driven date: the queue of due words, the answers and the copies of a forgotten
// word, and what closing saves to the current list.

#include "tools/recallformspell.h"

#include "platform/linklabel.h"
#include "selfreviewfixture.h"
#include "support/banksnapshot.h"
#include "support/qstringprinter.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

namespace {

class Recall : public SelfReviewFixture {
protected:
    void SetUp() override
    {
        SelfReviewFixture::SetUp();
        form = std::make_unique<TPRecallFormSpell>();
    }
    void TearDown() override
    {
        form.reset();
        SelfReviewFixture::TearDown();
    }
    void open()
    {
        Sound::clearRequests();
        form->Show();
        PSettleEvents();
    }
    void tenWords()
    {
        for (int i = 0; i < 10; ++i)
            word(QStringLiteral("w%1").arg(i), Code::Master00);
    }
    // The queue as the session holds it: "word master" per row.
    QStringList queue() const
    {
        QStringList out;
        for (const TPWordRecord &r : form->session().rows())
            out << r.word + QLatin1Char(' ') + r.masterType;
        return out;
    }
    // Which of the three question panels shows, and whether the meaning does.
    QString panels() const
    {
        QString s;
        for (const QFrame *p : {form->Panel1, form->Panel2, form->Panel3, form->Panel5})
            s += p->isVisible() ? QLatin1Char('1') : QLatin1Char('0');
        return s;
    }
    void click(QAbstractButton *b) { b->click(); }
    // Where the word, the meaning and the answer buttons stand once the window has laid itself out.
    QString places()
    {
        PSettleEvents();
        QString out;
        // The buttons that answer stand in one row, whichever panel shows.
        const QPushButton *answer = form->Panel1->isVisible()   ? form->BitBtnYes
                                    : form->Panel2->isVisible() ? form->BitBtnRight
                                                                : form->BitBtn5;
        for (const QWidget *w : {static_cast<const QWidget *>(form->LBWord), static_cast<const QWidget *>(form->Panel5)}) {
            const QRect r = w->geometry();
            out += QStringLiteral("%1 %2,%3 %4x%5; ").arg(w->objectName()).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
        }
        return out + QStringLiteral("buttons at %1").arg(answer->mapTo(form.get(), QPoint()).y());
    }

    std::unique_ptr<TPRecallFormSpell> form;
};

TEST_F(Recall, TheQueueHoldsTheWordsDueAndShowsTheFirst)
{
    word(QStringLiteral("mastered"), Code::Master11, kEarlier);
    word(QStringLiteral("today"), Code::Master01, kToday);
    word(QStringLiteral("earlier"), Code::Master01);
    word(QStringLiteral("tenth"), Code::Master10, kToday);
    word(QStringLiteral("never"), Code::Master00, kToday);
    open();

    EXPECT_EQ(form->windowTitle(), QStringLiteral("Lexorin - 速忆复习器"));
    EXPECT_EQ(form->size(), QSize(436, 219));
    EXPECT_EQ(queue(), (QStringList{"earlier 01", "tenth 10", "never 00"}));
    EXPECT_EQ(form->PRecallIndex(), 0);
    EXPECT_EQ(form->LBWord->text(), QStringLiteral("earlier"));
    EXPECT_EQ(spoken(), QStringList{QStringLiteral("earlier")});
    EXPECT_EQ(panels(), QStringLiteral("1000")) << "asking, the meaning still hidden";
    EXPECT_EQ(form->EDmean->text(), QStringLiteral("earlier的解释"));
    EXPECT_EQ(form->PBar->maximum(), 2);
    EXPECT_EQ(form->PBar->value(), 0);
    EXPECT_TRUE(PMusicTimerOn());

    const auto asking = places();
    click(form->BitBtnYes);
    EXPECT_EQ(panels(), QStringLiteral("0101")) << "judging, with the meaning";
    EXPECT_EQ(places(), asking) << "the meaning opens where it was kept, the word stays";
    click(form->BitBtnRight);
    EXPECT_EQ(panels(), QStringLiteral("1000"));
    EXPECT_EQ(places(), asking);
    EXPECT_EQ(form->LBWord->text(), QStringLiteral("tenth"));
    EXPECT_EQ(form->PBar->value(), 1);
    EXPECT_EQ(queue().first(), QStringLiteral("earlier 11"));
}

// "否" straight away, or "是" and then "【错误】": the same result.
class RecallForgotten : public Recall, public ::testing::WithParamInterface<bool> {};

TEST_P(RecallForgotten, BringsTheFirstOfTenWordsBackAtItsPositions)
{
    tenWords();
    dm->PUpdateOneDataFromTable(W, Col::Word, Col::MasterType, QStringLiteral("w0"), Code::Master01);
    open();
    const auto asking = places();
    if (GetParam()) {
        click(form->BitBtnYes);
        click(form->BitBtnWrong);
    } else {
        click(form->BitBtnNo);
    }
    EXPECT_EQ(panels(), QStringLiteral("0011")) << "the meaning and 继续";
    EXPECT_EQ(places(), asking) << "nothing moves when 继续 takes the questions' place";
    // Copies at 2 and 6; the queue is too short for 13, 49 and 120, so those go to the end. The
    // row itself keeps no result until a copy is judged.
    EXPECT_EQ(queue(), (QStringList{"w0 ", "w1 00", "w0 10", "w2 00", "w3 00", "w4 00", "w0 10", "w5 00", "w6 00",
                                    "w7 00", "w8 00", "w9 00", "w0 10", "w0 10", "w0 10"}));
    EXPECT_EQ(form->PRecallIndex(), 0);

    click(form->BitBtn5);
    EXPECT_EQ(panels(), QStringLiteral("1000"));
    EXPECT_EQ(form->LBWord->text(), QStringLiteral("w1"));
    EXPECT_EQ(form->PBar->maximum(), 14);
    EXPECT_EQ(form->PBar->value(), 1);
}

INSTANTIATE_TEST_SUITE_P(Paths, RecallForgotten, ::testing::Bool());

struct SaveCase {
    Dialogs::Answer answer;
    bool saved;
};
void PrintTo(const SaveCase &c, std::ostream *os) { PrintCase(os, c.answer, c.saved); }

class RecallSave : public Recall, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(RecallSave, ClosingSavesOnlyWhenAskedAndOnlyThen)
{
    word(QStringLiteral("a"), Code::Master00, kEarlier);
    word(QStringLiteral("b"), Code::Master01);
    word(QStringLiteral("c"), Code::Master10, kEarlier);
    word(QStringLiteral("d"), Code::Master10, kToday);
    word(QStringLiteral("a"), Code::Master10, kEarlier);  // a second row of a (the update sets both)
    const QStringList before = rows();
    open();
    click(form->BitBtnYes);
    click(form->BitBtnRight);  // a: 10 -> 01, but its second row is still ahead: no date
    click(form->BitBtnNo);     // b: copies appended
    click(form->BitBtn5);
    click(form->BitBtnYes);
    click(form->BitBtnRight);  // c: 10 -> 01 today
    // d is left unanswered; it was dated today already.
    dialogs->answer(GetParam().answer);
    EXPECT_EQ(rows(), before) << "nothing reaches the bank before closing";
    form->close();

    EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("是否存档？")});
    EXPECT_EQ(dialogs->shown().first().icon, Dialogs::NoIcon);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(handOvers, QStringList{QStringLiteral("toolchoice")});
    EXPECT_FALSE(PMusicTimerOn());
    const QStringList after = GetParam().saved ? QStringList{"a 10 2026-12-01", "b 01 2000-01-01", "c 01 2026-12-07",
                                                             "d 10 2026-12-07", "a 10 2026-12-01"}
                                               : before;
    EXPECT_EQ(rows(), after);
}

INSTANTIATE_TEST_SUITE_P(Answers, RecallSave,
                         ::testing::Values(SaveCase{Dialogs::Yes, true}, SaveCase{Dialogs::No, false}));

TEST_F(Recall, AWordRecalledOnItsLastCopyIsSavedWithItsNewType)
{
    word(QStringLiteral("x"), Code::Master01, kEarlier);
    open();
    click(form->BitBtnNo);  // five copies of x, typed 10
    click(form->BitBtn5);
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(form->isVisible()) << i;
        click(form->BitBtnYes);
        if (i == 4)
            dialogs->answer(Dialogs::Yes);
        click(form->BitBtnRight);
    }
    EXPECT_FALSE(form->isVisible()) << "the end of the queue closes the window";
    EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("是否存档？")});
    EXPECT_EQ(rows(), QStringList{QStringLiteral("x 01 2026-12-07")});
    EXPECT_EQ(handOvers, QStringList{QStringLiteral("toolchoice")});
}

TEST_F(Recall, OnlyForgottenWordsAskNothingAndSaveNothing)
{
    word(QStringLiteral("x"), Code::Master00, kToday);
    word(QStringLiteral("y"), Code::Master01);
    const QStringList before = rows();
    open();
    click(form->BitBtnNo);
    click(form->BitBtn5);
    click(form->BitBtnYes);
    click(form->BitBtnWrong);
    form->close();
    EXPECT_TRUE(dialogs->texts().isEmpty());
    EXPECT_EQ(rows(), before);
}

// The bank refuses the first, a middle or the last word of the save: nothing is written at all,
// and one message says so.
class RecallRefused : public Recall, public ::testing::WithParamInterface<const char *> {};

TEST_P(RecallRefused, ASaveTheBankRefusesWritesNoWordAndSaysSoOnce)
{
    for (const char *w : {"a", "b", "c"})
        word(QString::fromLatin1(w), Code::Master00);
    refuseChangesTo(QString::fromLatin1(GetParam()));
    const QStringList before = bankSnapshot(dm->PConnection.handle());
    open();
    for (int i = 0; i < 2; ++i) {
        click(form->BitBtnYes);
        click(form->BitBtnRight);
    }
    click(form->BitBtnYes);
    dialogs->answer(Dialogs::Yes);
    click(form->BitBtnRight);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(dialogs->texts(), (QStringList{"是否存档？", "词库更新失败"}));
    EXPECT_EQ(dialogs->shown().last().icon, Dialogs::Critical);
    EXPECT_EQ(bankSnapshot(dm->PConnection.handle()), before);
}

INSTANTIATE_TEST_SUITE_P(Words, RecallRefused, ::testing::Values("a", "b", "c"));

// Words never tested (an imported word's empty type, "未知" after clearing the records) end "1" or
// "知1" when recalled: they are answers of today, so closing asks and saves them.
TEST_F(Recall, RightAnswersOnNeverTestedWordsAreAskedForAndSaved)
{
    word(QStringLiteral("imported"), QString());
    word(QStringLiteral("cleared"), QStringLiteral("未知"));
    word(QStringLiteral("later"), Code::Master00);
    open();
    for (int i = 0; i < 2; ++i) {
        click(form->BitBtnYes);
        click(form->BitBtnRight);
    }
    dialogs->answer(Dialogs::Yes);
    form->close();
    EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("是否存档？")});
    EXPECT_EQ(rows(), (QStringList{"imported 1 2026-12-07", "cleared 知1 2026-12-07", "later 00 2000-01-01"}));
}

TEST_F(Recall, ALongWordIsShownWholeInASmallerFont)
{
    const QString longWord = QStringLiteral("pneumonoultramicroscopicsilicovolcanoconiosis");
    ASSERT_EQ(longWord.size(), 45);
    word(QStringLiteral("short"), Code::Master00);
    word(longWord, Code::Master00);
    open();
    const QFont shortFont = form->LBWord->font();
    EXPECT_EQ(shortFont.pointSize(), 20);
    EXPECT_LE(QFontMetrics(shortFont).horizontalAdvance(form->LBWord->text()), form->LBWord->contentsRect().width());
    click(form->BitBtnNo);
    click(form->BitBtn5);
    ASSERT_EQ(form->LBWord->text(), longWord);
    EXPECT_LT(form->LBWord->font().pointSize(), 20);
    EXPECT_LE(QFontMetrics(form->LBWord->font()).horizontalAdvance(longWord), form->LBWord->contentsRect().width());
    EXPECT_GE(form->LBWord->x(), 0);
    EXPECT_LE(form->LBWord->geometry().right(), form->Panel4->width()) << "the label stays inside its panel";
    EXPECT_EQ(form->size(), QSize(436, 219));
}

TEST_F(Recall, NothingDueSaysSoAndLeavesTheQuestionsAway)
{
    word(QStringLiteral("m"), Code::Master11);
    open();
    EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("本词表内暂时没有需复习的单词，请关闭本界面以尝试其它选择")});
    EXPECT_EQ(panels(), QStringLiteral("0000"));
    EXPECT_TRUE(spoken().isEmpty());
    click(form->BitBtnNo);  // hidden; even if reached, nothing happens
    click(form->BitBtnRight);
    EXPECT_EQ(queue(), QStringList());
    form->close();
    EXPECT_EQ(dialogs->texts().size(), 1);
    EXPECT_EQ(handOvers, QStringList{QStringLiteral("toolchoice")});
}

TEST_F(Recall, OneWordGivesAFilledBarAndTheDictionaryKeepsTheQueue)
{
    word(QStringLiteral("solo"), Code::Master10);
    open();
    EXPECT_EQ(form->PBar->maximum(), 1) << "0 to 0 would look busy";
    EXPECT_EQ(form->PBar->minimum(), 0);
    click(form->BitBtnNo);
    const int activations = form->activationCount();
    click(form->SBfind);
    click(form->SBSpeak);
    form->Label3->clicked();
    EXPECT_EQ(handOvers, QStringList{QStringLiteral("dict:solo")});
    EXPECT_EQ(spoken(), (QStringList{"solo", "solo"}));
    EXPECT_EQ(browser.opened().size(), 1);
    EXPECT_TRUE(browser.last().endsWith(QStringLiteral("recall.html")));
    EXPECT_EQ(form->activationCount(), activations);
    EXPECT_EQ(queue().size(), 6);
}

}  // namespace
