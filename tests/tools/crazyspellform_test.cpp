// Crazy spell on a driven clock: the time budget, right and wrong answers with their marks in the
// bank, the record across games, the selection rules, the effects and leaving the game.

#include "tools/crazyspellform.h"

#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "platform/inifile.h"
#include "platform/sound.h"
#include "services/pronunciation.h"
#include "services/publicform.h"
#include "support/bankfixture.h"
#include "support/drivendate.h"
#include "support/manualclock.h"
#include "support/qstringprinter.h"
#include "support/soundfiles.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <sqlite3.h>

namespace {

const QString W = Tbl::WordTable;

class CrazySpell : public BankFixture {
protected:
    void SetUp() override
    {
        BankFixture::SetUp();
        // Empty tones: which effect the game asks for is tested here, hearing one is the sound layer's.
        for (const char *e : {"press", "right", "wrong", "victory", "fail"})
            ASSERT_TRUE(writeToneWav(programDir + QStringLiteral("sound/effect/%1.wav").arg(QLatin1String(e)), 0));
        PSetCurrentTable(W);
        publicForm = std::make_unique<TPPublicForm>();
        form = std::make_unique<TPCrazySpellForm>();
    }
    void TearDown() override
    {
        form.reset();
        PStopBackMusic();
        publicForm.reset();
        BankFixture::TearDown();
    }

    void words(int n)
    {
        for (int i = 0; i < n; ++i)
            addWord(W, QStringLiteral("word%1").arg(i), QStringLiteral("意思%1").arg(i));
    }
    void setTable(const QString &table, const QString &rule = QString())
    {
        PConfigIni->WriteString(Ini::CrazySpeller, Ini::CrazyTable, table);
        if (!rule.isEmpty())
            PConfigIni->WriteString(Ini::CrazySpeller, Ini::CrazyRule, rule);
    }
    void open()
    {
        form->Show();
        QApplication::processEvents();
        Sound::clearRequests();
    }
    void press(QChar c = QLatin1Char('x')) { QTest::keyClick(form.get(), c.toLatin1()); }
    void type(const QString &answer)
    {
        form->MemoSpell->setText(answer);
        QTest::keyClick(form->MemoSpell, Qt::Key_Return);
    }
    void right() { type(form->currentWord()); }
    QStringList effects() const
    {
        QStringList out;
        for (const Sound::Request &r : Sound::requests())
            if (r.kind == Sound::Request::PlaySync)
                out << QFileInfo(r.what).baseName();
        return out;
    }
    QString text(QLabel *l) const { return l->text(); }
    int rows() const { return form->session().count(); }
    QStringList marks(const QString &word)
    {
        return {dm->PGetOneDataFromTable(Col::MasterType, W, Col::Word, word),
                dm->PGetOneDataFromTable(Col::LastRight, W, Col::Word, word)};
    }

    ManualClock clock;
    DrivenDate date{QDateTime(QDate(2026, 12, 7), QTime(10, 0))};
    std::unique_ptr<TPPublicForm> publicForm;
    std::unique_ptr<TPCrazySpellForm> form;
};

TEST_F(CrazySpell, ReadyUntilAKeyThenTenWordsGiveEightyOneSeconds)
{
    words(10);
    setTable(W);
    open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("狂拼到底"));
    EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form->geometry(), form->screen()->availableGeometry()) << "covers the work area";
    EXPECT_TRUE(form->LBStart->isVisible());
    EXPECT_FALSE(form->MemoSpell->isEnabled());
    EXPECT_EQ(form->game().budget(), 81);
    clock.advance(5000);
    EXPECT_EQ(text(form->LBtime), QStringLiteral("剩余时间")) << "the clock waits for the first key";

    press();
    EXPECT_FALSE(form->LBStart->isVisible());
    EXPECT_TRUE(form->MemoSpell->isEnabled());
    EXPECT_EQ(text(form->LBnum), QStringLiteral("剩余单词10个"));
    const QString word = form->currentWord();
    EXPECT_EQ(text(form->LBSpellHint), QStringLiteral("拼写提示：w"));
    EXPECT_EQ(text(form->LBmean), QStringLiteral("意思") + word.mid(4));
    clock.advance(1000);
    EXPECT_EQ(text(form->LBtime), QStringLiteral("剩余时间80秒"));

    right();
    EXPECT_EQ(rows(), 9);
    EXPECT_EQ(text(form->LBnum), QStringLiteral("剩余单词9个"));
    EXPECT_EQ(effects(), QStringList{QStringLiteral("right")});
    clock.advance(1000);
    EXPECT_EQ(text(form->LBtime), QStringLiteral("剩余时间82秒"));
}

TEST_F(CrazySpell, AWrongAnswerMarksTheWordAndBringsItBackTwice)
{
    words(1);
    addWord(W, QStringLiteral("other"), QStringLiteral("别的"));
    setTable(W, QStringLiteral("未掌握的单词"));
    dm->PUpdateOneDataFromTable(W, Col::Word, Col::MasterType, QStringLiteral("other"), Code::Master11);
    dm->PUpdateOneDataFromTable(W, Col::Word, Col::LastRight, QStringLiteral("word0"), Code::Right);
    const QStringList otherBefore = marks(QStringLiteral("other"));
    open();
    ASSERT_EQ(rows(), 1) << "the mastered word sits out";
    press();
    form->MemoSpell->setText(QString());
    QTest::keyClicks(form->MemoSpell, QStringLiteral("WORD0"));
    EXPECT_EQ(effects(), QStringList(5, QStringLiteral("press")));
    QTest::keyClick(form->MemoSpell, Qt::Key_Return);  // other letter case: wrong

    EXPECT_EQ(text(form->LBRightWord), QStringLiteral("前一词：word0"));
    EXPECT_EQ(text(form->LBnum), QStringLiteral("剩余单词2个"));
    EXPECT_EQ(marks(QStringLiteral("word0")), (QStringList{Code::Master00, Code::Wrong}));
    EXPECT_EQ(marks(QStringLiteral("other")), otherBefore);
    EXPECT_EQ(effects().last(), QStringLiteral("wrong"));
    EXPECT_TRUE(form->MemoSpell->text().isEmpty());

    type(QStringLiteral("nope"));  // three rows now: three right answers to win
    EXPECT_EQ(rows(), 3);
    right();
    right();
    EXPECT_TRUE(form->LBRightWord->text().isEmpty());
    EXPECT_FALSE(form->LBcontinue->isVisible());
    right();
    EXPECT_TRUE(form->LBcontinue->isVisible());
    EXPECT_FALSE(form->MemoSpell->isEnabled());
    EXPECT_EQ(effects().last(), QStringLiteral("victory"));
    // 9 s, plus 3 for each right word but the last
    EXPECT_EQ(text(form->LBrecord), QStringLiteral("最高记录：剩余15秒"));
    EXPECT_EQ(text(form->LBnum), QStringLiteral("剩余单词0个"));
}

TEST_F(CrazySpell, ABankErrorAfterAWrongAnswerIsReportedAndTheGameGoesOn)
{
    words(2);
    setTable(W);
    const QStringList before = marks(QStringLiteral("word0")) + marks(QStringLiteral("word1"));
    // the second of the two marks fails: neither may stay
    refuse(QStringLiteral("update of 上次是否做对"), W, QStringLiteral("1"), QStringLiteral("disk full"));
    open();
    press();
    dialogs->clear();
    type(QStringLiteral("nope"));
    ASSERT_EQ(dialogs->texts().size(), 1);
    EXPECT_TRUE(dialogs->lastText().contains(QStringLiteral("disk full")));
    EXPECT_EQ(marks(QStringLiteral("word0")) + marks(QStringLiteral("word1")), before);
    EXPECT_EQ(rows(), 3) << "the word still comes back";
    EXPECT_EQ(effects().last(), QStringLiteral("wrong"));
    EXPECT_TRUE(form->MemoSpell->isEnabled());
    right();
    EXPECT_EQ(rows(), 2);
}

TEST_F(CrazySpell, RunningOutOfTimeLosesAndALostGameKeepsTheRecord)
{
    words(1);
    setTable(W);
    open();
    press();
    right();  // won with 9 s left
    EXPECT_EQ(text(form->LBrecord), QStringLiteral("最高记录：剩余9秒"));

    press();  // a new game on a freshly loaded list
    EXPECT_TRUE(form->LBStart->isVisible());
    EXPECT_TRUE(form->LBrecord->text().isEmpty());
    EXPECT_EQ(form->game().record(), 9);
    press();
    clock.advance(3000);
    EXPECT_EQ(form->LBtime->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    clock.advance(1000);
    EXPECT_EQ(text(form->LBtime), QStringLiteral("剩余时间5秒"));
    EXPECT_EQ(form->LBtime->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    clock.advance(4000);
    EXPECT_TRUE(form->MemoSpell->isEnabled());
    Sound::clearRequests();
    clock.advance(1000);
    EXPECT_EQ(effects(), QStringList{QStringLiteral("fail")});
    EXPECT_TRUE(form->LBcontinue->isVisible());
    EXPECT_FALSE(form->MemoSpell->isEnabled());
    EXPECT_EQ(text(form->LBrecord), QStringLiteral("最高记录：剩余9秒"));
    EXPECT_EQ(text(form->LBnum), QStringLiteral("剩余单词1个"));
    clock.advance(5000);
    EXPECT_EQ(text(form->LBtime), QStringLiteral("剩余时间0秒")) << "the clock stops with the game";

    press();
    EXPECT_EQ(form->LBtime->palette().color(QPalette::WindowText), QColor(0, 128, 0));
}

TEST_F(CrazySpell, AnEmptyTableIsLostAfterOneSecondAndEnterDoesNothing)
{
    words(2);
    setTable(W, QStringLiteral("今日学过的单词"));
    open();
    EXPECT_EQ(form->game().budget(), 1);
    press();
    type(QStringLiteral("word0"));
    EXPECT_TRUE(effects().isEmpty());
    clock.advance(1000);
    EXPECT_EQ(effects(), QStringList{QStringLiteral("fail")});
    EXPECT_EQ(text(form->LBrecord), QStringLiteral("最高记录：剩余0秒"));
}

TEST_F(CrazySpell, TheGroupPlaysWholeAndLeavingKeepsItsMusic)
{
    words(3);
    dm->PMoveAll(W, Tbl::TempTable);
    dm->PDeleteOneRecordFromTable(W, Col::Word, QStringLiteral("word1"));
    setTable(Tbl::TempTable, QStringLiteral("已掌握的单词"));
    PPlayBackMusic(QStringLiteral("test"));
    open();
    EXPECT_EQ(rows(), 3) << "the rule does not apply to the group";
    press();
    QTest::keyClick(form->MemoSpell, Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(rows(), 0);
    EXPECT_TRUE(PMusicTimerOn());
}

TEST_F(CrazySpell, LeavingACurrentListGameStopsTheMusicAndTheClock)
{
    words(2);
    setTable(W);
    PPlayBackMusic(QStringLiteral("test"));
    open();
    press();
    form->SBCancel->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(PMusicTimerOn());
    EXPECT_EQ(rows(), 0);
    const QString before = text(form->LBtime);
    clock.advance(3000);
    EXPECT_EQ(text(form->LBtime), before);

    open();  // back to Ready, the record forgotten
    EXPECT_EQ(rows(), 2);
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(CrazySpell, AnimationsShareOneCounter)
{
    words(3);
    setTable(W);
    open();
    press();
    clock.advance(200);
    EXPECT_EQ(form->LBmean->font().pointSize(), 32) << "eleven ticks of 2 points from 10";
    right();
    EXPECT_TRUE(form->LBEffectR->isVisible());
    EXPECT_EQ(form->LBEffectR->font().pointSize(), 200);
    clock.advance(200);
    EXPECT_FALSE(form->LBEffectR->isVisible());
    EXPECT_FALSE(form->TimerEffectR->enabled());
    EXPECT_FALSE(form->TimerEffectS->enabled());
    // both ran at once and stopped when their common count passed 10
    EXPECT_EQ(form->LBmean->font().pointSize(), 26);
    EXPECT_EQ(form->LBEffectR->font().pointSize(), 160);

    type(QStringLiteral("nope"));
    EXPECT_EQ(form->LBEffectW->font().pointSize(), 100);
    clock.advance(200);
    EXPECT_FALSE(form->LBEffectW->isVisible());
    EXPECT_FALSE(form->TimerEffectW->enabled());
}

}  // namespace
