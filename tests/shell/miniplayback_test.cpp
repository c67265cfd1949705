// The mini browser's word cycle, driven by a hand-worked clock.

#include "core/currentlist.h"
#include "core/listviews.h"
#include "platform/inifile.h"
#include "platform/playtimer.h"
#include "platform/sound.h"
#include "services/publicform.h"
#include "shell/minibrowseform.h"
#include "support/bankfixture.h"
#include "support/manualclock.h"
#include "support/minifixture.h"
#include "support/qstringprinter.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace {

// A word and its master type; its meaning is the word followed by "义".
struct Word {
    QString word, mastery;
};

class MiniPlayback : public MiniFixture {
protected:
    void SetUp() override
    {
        MiniFixture::SetUp();
        Sound::clearRequests();
    }

    // Puts the words into WordTable, activates the window on the settings file and loads them.
    void load(const QList<Word> &words)
    {
        for (const Word &w : words) {
            addWord(QStringLiteral("WordTable"), w.word, w.word + QStringLiteral("义"));
            dm->PUpdateOneDataFromTable(QStringLiteral("WordTable"), QStringLiteral("单词"), QStringLiteral("掌握类型"),
                                        w.word, w.mastery);
            dm->PUpdateOneDataFromTable(QStringLiteral("WordTable"), QStringLiteral("单词"), QStringLiteral("音标"),
                                        w.word, w.word + QStringLiteral("-ph"));
        }
        form->FormActivate();
        form->PLoadWords(QStringLiteral("WordTable"), QStringLiteral("WordTable"), QStringLiteral("MiniMaster"));
    }

    static QStringList readings()
    {
        QStringList out;
        for (const Sound::Request &r : Sound::requests())
            if (r.kind == Sound::Request::Speech)
                out << r.what;
        return out;
    }

    // The words as they come on screen while ms pass, each with the time it came.
    QList<QPair<qint64, QString>> watch(qint64 ms)
    {
        QList<QPair<qint64, QString>> seen;
        QString last = form->LBWord->text();
        for (qint64 t = 0; t < ms; t += 100) {
            clock->advance(100);
            if (form->LBWord->text() != last) {
                last = form->LBWord->text();
                seen << qMakePair(clock->now(), last);
            }
        }
        return seen;
    }

    QStringList itemWords() const
    {
        QStringList out;
        for (int i = 0; i < PItemCount(publicForm->P_LVmini); ++i)
            out << PCaption(PItemAt(publicForm->P_LVmini, i));
        return out;
    }

    bool playing() const { return form->TimerBrowse->enabled() || form->TimerRepeat->enabled(); }

};

using Pair = QPair<qint64, QString>;

}  // namespace

TEST_F(MiniPlayback, RepeatCountsFollowTheMasterType)
{
    const QString mode = QStringLiteral("MiniMaster");
    EXPECT_EQ(TPMiniBrowseForm::PRepeatCountOfMastery("01", mode), "1");
    EXPECT_EQ(TPMiniBrowseForm::PRepeatCountOfMastery("10", mode), "2");
    EXPECT_EQ(TPMiniBrowseForm::PRepeatCountOfMastery("11", mode), "0");
    for (const char *other : {"00", "", "未知", "1", "111"})
        EXPECT_EQ(TPMiniBrowseForm::PRepeatCountOfMastery(other, mode), "3") << other;
    EXPECT_EQ(TPMiniBrowseForm::PRepeatCountOfMastery("00", "browseform"), "0");

    load({{"alpha", "01"}, {"beta", "10"}, {"gamma", "11"}, {"delta", "00"}});
    QStringList counts;
    for (int i = 0; i < PItemCount(publicForm->P_LVmini); ++i)
        counts << PSubItem(PItemAt(publicForm->P_LVmini, i), 2);
    EXPECT_EQ(counts, QStringList({"1", "2", "0", "3"}));
    // Loading shows nothing and starts nothing.
    EXPECT_EQ(form->LBWord->text(), "Word");
    EXPECT_FALSE(playing());
    EXPECT_EQ(form->TBProcess->maximum(), 4);
}

TEST_F(MiniPlayback, EachWordIsReadAndShownAsLongAsItsMasterTypeSays)
{
    load({{"alpha", "01"}, {"beta", "10"}, {"gamma", "11"}, {"delta", "00"}});
    EXPECT_EQ(form->TimerBrowse->interval(), 1000);
    EXPECT_EQ(form->TimerRepeat->interval(), 2000);

    form->SBStartClick();
    EXPECT_TRUE(form->SBStart->isHidden());
    EXPECT_FALSE(form->SBPause->isHidden());

    const QList<Pair> seen = watch(21000);
    // On screen 4 s, 6 s, 2 s and 8 s; after the last word the first comes again.
    EXPECT_EQ(seen, QList<Pair>({{1000, "alpha"}, {5000, "beta"}, {11000, "gamma"}, {13000, "delta"},
                                 {21000, "alpha"}}));
    EXPECT_EQ(readings(), QStringList({"alpha", "alpha", "beta", "beta", "beta", "gamma", "delta", "delta", "delta",
                                       "delta", "alpha"}));
    EXPECT_EQ(form->LBPron->text(), " alpha-ph ");
    EXPECT_EQ(form->LBProcess->text(), "1/4");
    EXPECT_EQ(form->TBProcess->value(), 1);
}

TEST_F(MiniPlayback, RepeatingCanBeSwitchedOffOrSetByHand)
{
    load({{"alpha", "01"}, {"gamma", "11"}});
    form->CBRepeat->setChecked(false);
    form->SBStartClick();
    EXPECT_EQ(watch(4000), QList<Pair>({{1000, "alpha"}, {3000, "gamma"}}));
    EXPECT_EQ(readings(), QStringList({"alpha", "gamma"}));

    // By hand: every word, mastered ones too, gets the chosen number of extra readings.
    form->SBPauseClick();
    form->CBRepeat->setChecked(true);
    form->RBRepeatTimesManu->setChecked(true);
    form->SERepeatTimes->setValue(2);
    Sound::clearRequests();
    PMiniIndex = 1;
    form->SBStartClick();
    clock->advance(2000);  // first and second half of gamma
    EXPECT_EQ(form->LBWord->text(), "gamma");
    EXPECT_EQ(form->MeMean->text(), "gamma义") << "the filter never blanks a word that is repeated";
    clock->advance(4000);
    EXPECT_EQ(readings(), QStringList({"gamma", "gamma", "gamma"}));
}

TEST_F(MiniPlayback, TheMeaningFilterHidesMastersWhileNewWordsShowAtOnce)
{
    load({{"gamma", "11"}, {"delta", "00"}});
    form->CBDelay->setChecked(false);
    ASSERT_TRUE(form->CBFilter->isChecked());
    form->SBStartClick();

    clock->advance(1000);
    EXPECT_EQ(form->LBWord->text(), "gamma");
    EXPECT_EQ(form->MeMean->text(), "");
    clock->advance(1000);
    EXPECT_EQ(form->MeMean->text(), "") << "second half of a mastered word";
    clock->advance(1000);
    EXPECT_EQ(form->LBWord->text(), "delta");
    EXPECT_EQ(form->MeMean->text(), "delta义") << "a new word after a mastered one shows its meaning at once";

    // Without the filter a mastered word shows its meaning too.
    form->SBPauseClick();
    form->CBFilter->setChecked(false);
    PMiniIndex = 0;
    form->SBStartClick();
    clock->advance(1000);
    EXPECT_EQ(form->LBWord->text(), "gamma");
    EXPECT_EQ(form->MeMean->text(), "gamma义");
}

TEST_F(MiniPlayback, ADelayedMeaningWaitsForTheSecondHalf)
{
    load({{"alpha", "01"}, {"beta", "11"}});
    ASSERT_TRUE(form->CBDelay->isChecked());
    form->CBFilter->setChecked(false);
    form->SBStartClick();
    for (const char *word : {"alpha", "beta"}) {
        clock->advance(1000);
        EXPECT_EQ(form->LBWord->text(), word);
        EXPECT_EQ(form->MeMean->text(), "") << word;
        clock->advance(1000);
        EXPECT_EQ(form->MeMean->text(), QString::fromUtf8(word) + QStringLiteral("义"));
        if (QString::fromUtf8(word) == QLatin1String("alpha"))
            clock->advance(2000);  // its one extra reading
    }
}

TEST_F(MiniPlayback, PausingDuringRepeatsAndResumingReadsTheWordAgainInFull)
{
    load({{"delta", "00"}, {"alpha", "01"}});
    form->SBStartClick();
    clock->advance(4500);  // first reading, second half, first extra reading
    EXPECT_EQ(readings(), QStringList({"delta", "delta"}));
    EXPECT_TRUE(form->TimerRepeat->enabled());

    form->SBPauseClick();
    EXPECT_FALSE(playing());
    EXPECT_FALSE(form->SBStart->isHidden());
    EXPECT_TRUE(form->SBPause->isHidden());
    clock->advance(10000);
    EXPECT_EQ(readings().size(), 2) << "nothing is read while paused";

    Sound::clearRequests();
    form->SBStartClick();
    clock->advance(1000 + 1000 + 3 * 2000 + 1000);
    EXPECT_EQ(readings(), QStringList({"delta", "delta", "delta", "delta", "alpha"}));
}

TEST_F(MiniPlayback, ManualMovesWrapAroundAndKeepPlaying)
{
    load({{"alpha", "11"}, {"beta", "11"}, {"gamma", "11"}});
    form->SBGoBackClick();
    EXPECT_EQ(form->LBWord->text(), "gamma");
    EXPECT_EQ(form->LBProcess->text(), "3/3");
    form->SBGoFrontClick();
    EXPECT_EQ(form->LBWord->text(), "alpha");
    EXPECT_EQ(PMiniIndex, 0);

    // One past the last, where the cycle leaves the index, also goes on to the first.
    PMiniIndex = 3;
    form->SBGoFrontClick();
    EXPECT_EQ(form->LBWord->text(), "alpha");

    form->TBProcess->setValue(2);
    EXPECT_EQ(PMiniIndex, 1);
    EXPECT_EQ(form->LBWord->text(), "beta");
    EXPECT_EQ(form->MeMean->text(), "");

    form->SBStartClick();
    form->SBGoFrontClick();
    EXPECT_TRUE(playing()) << "moving does not pause";
}

TEST_F(MiniPlayback, StartingOnAnEmptyListDoesNothing)
{
    load({});
    form->SBStartClick();
    EXPECT_EQ(form->LBWord->text(), "没有单词");
    EXPECT_FALSE(playing());
    EXPECT_FALSE(form->SBStart->isHidden());
    form->SBGoFrontClick();
    form->SBGoBackClick();
    form->PShowCurrentWord();
    EXPECT_EQ(form->LBWord->text(), "没有单词");
}

TEST_F(MiniPlayback, AShorterListResetsTheIndexAndALongerOneKeepsIt)
{
    load({{"a1", "00"}, {"a2", "00"}, {"a3", "00"}, {"a4", "00"}, {"a5", "00"}});
    form->SBGoBackClick();
    ASSERT_EQ(PMiniIndex, 4);
    ASSERT_EQ(form->LBProcess->text(), "5/5");

    dm->PCreateNewWordTable(QStringLiteral("WordTable"), QStringLiteral("Short"), QStringLiteral("addname"));
    for (const char *w : {"s1", "s2"})
        addWord(QStringLiteral("Short"), QString::fromUtf8(w));
    form->PLoadWords(QStringLiteral("WordTable"), QStringLiteral("Short"), QStringLiteral("MiniMaster"));
    EXPECT_EQ(PMiniIndex, 0);
    EXPECT_EQ(form->LBProcess->text(), "0/2");
    EXPECT_EQ(form->TBProcess->value(), 1);
    EXPECT_EQ(form->TBProcess->maximum(), 2);
    EXPECT_EQ(form->LBWord->text(), "a5") << "loading shows no word";

    form->SBGoFrontClick();
    ASSERT_EQ(PMiniIndex, 1);
    form->PLoadWords(QStringLiteral("WordTable"), QStringLiteral("WordTable"), QStringLiteral("MiniMaster"));
    EXPECT_EQ(PMiniIndex, 1);
    EXPECT_EQ(form->LBProcess->text(), "2/2");
}

TEST_F(MiniPlayback, ACycleOnAListThatShrankUnderItNeverReadsAMissingItem)
{
    load({{"a1", "11"}, {"a2", "11"}, {"a3", "11"}});
    form->SBStartClick();
    clock->advance(1000);
    form->SBGoBackClick();  // on a3, second half still due
    ASSERT_EQ(PMiniIndex, 2);

    dm->PCreateNewWordTable(QStringLiteral("WordTable"), QStringLiteral("Two"), QStringLiteral("addname"));
    addWord(QStringLiteral("Two"), QStringLiteral("b1"));
    addWord(QStringLiteral("Two"), QStringLiteral("b2"));
    dm->PUpdateOneFieldFromTable(QStringLiteral("Two"), QStringLiteral("掌握类型"), QStringLiteral("11"));
    form->PLoadWords(QStringLiteral("WordTable"), QStringLiteral("Two"), QStringLiteral("MiniMaster"));
    ASSERT_EQ(PMiniIndex, 2) << "an index equal to the number of words is kept";

    clock->advance(1000);  // second half on the index past the end
    EXPECT_EQ(form->MeMean->text(), "");
    clock->advance(1000);  // the next word wraps to the first
    EXPECT_EQ(form->LBWord->text(), "b1");
    EXPECT_EQ(readings().last(), "b1");

    // An empty table loaded while playing stops the cycle at its next tick.
    dm->PCreateNewWordTable(QStringLiteral("WordTable"), QStringLiteral("Empty"), QStringLiteral("addname"));
    form->PLoadWords(QStringLiteral("WordTable"), QStringLiteral("Empty"), QStringLiteral("MiniMaster"));
    const int before = readings().size();
    clock->advance(3000);
    EXPECT_EQ(readings().size(), before);
    EXPECT_FALSE(playing());
    EXPECT_EQ(form->LBWord->text(), "没有单词");
    EXPECT_EQ(form->LBProcess->text(), "0/0");
}

TEST_F(MiniPlayback, HidingMasteredWordsRemovesThemAndKeepsTheShownWord)
{
    load({{"a1", "11"}, {"a2", "00"}, {"a3", "11"}, {"a4", "01"}});
    form->SBGoFrontClick();
    form->SBGoFrontClick();
    form->SBGoFrontClick();
    ASSERT_EQ(form->LBWord->text(), "a4");
    form->CBNotShowMasterMode->setChecked(true);
    EXPECT_EQ(itemWords(), QStringList({"a2", "a4"}));
    EXPECT_EQ(PMiniIndex, 1);
    EXPECT_EQ(form->LBProcess->text(), "2/2");
    EXPECT_EQ(form->TBProcess->maximum(), 2);
    EXPECT_FALSE(form->CBNotShowMasterMode->isEnabled()) << "the learner cannot switch it off";

    // Activation clears and re-enables it.
    form->FormActivate();
    EXPECT_FALSE(form->CBNotShowMasterMode->isChecked());
    EXPECT_TRUE(form->CBNotShowMasterMode->isEnabled());
}

TEST_F(MiniPlayback, HidingEveryWordWhilePlayingStopsPlayback)
{
    load({{"a1", "11"}, {"a2", "11"}});
    form->SBStartClick();
    clock->advance(1500);
    ASSERT_EQ(form->LBWord->text(), "a1");
    form->CBNotShowMasterMode->setChecked(true);
    EXPECT_EQ(PItemCount(publicForm->P_LVmini), 0);
    EXPECT_FALSE(playing());
    EXPECT_FALSE(form->SBStart->isHidden());
    EXPECT_TRUE(form->SBPause->isHidden());
    EXPECT_EQ(form->LBWord->text(), "没有单词");
    EXPECT_EQ(form->LBProcess->text(), "0/0");
    const int before = readings().size();
    clock->advance(10000);
    EXPECT_EQ(readings().size(), before);
}

TEST_F(MiniPlayback, TheReadIntervalIsHalvedForTheWordTimer)
{
    load({{"a1", "00"}});
    form->SEReadInterval->setValue(3);
    EXPECT_EQ(form->TimerBrowse->interval(), 1500);
    form->SEReadInterval->setValue(1);
    EXPECT_EQ(form->TimerBrowse->interval(), 500);
    form->SERepeatInterval->setValue(3);
    EXPECT_EQ(form->TimerRepeat->interval(), 3000);
    EXPECT_EQ(PConfigIni->ReadInteger("MiniBrowser", "换词间隔", 0), 1);
    EXPECT_EQ(PConfigIni->ReadInteger("MiniBrowser", "重复间隔", 0), 3);
}

TEST_F(MiniPlayback, IntervalsOutOfRangeInTheSettingsAreClamped)
{
    PConfigIni->WriteInteger("MiniBrowser", "换词间隔", 0);
    PConfigIni->WriteInteger("MiniBrowser", "重复间隔", -5);
    PConfigIni->WriteInteger("MiniBrowser", "手动重复遍数", 1000);
    load({{"a1", "00"}});
    EXPECT_EQ(form->TimerBrowse->interval(), 500);
    EXPECT_EQ(form->TimerRepeat->interval(), 1000);
    EXPECT_EQ(form->SERepeatTimes->value(), 9);
}
