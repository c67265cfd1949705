// The mini browser's window: settings, look, geometry, marks, the list chooser, the return
// command and the application timer.

#include "core/currentlist.h"
#include "core/listviews.h"
#include "platform/inifile.h"
#include "platform/playtimer.h"
#include "services/publicform.h"
#include "services/utils.h"
#include "services/webaccess.h"
#include "shell/minibrowseform.h"
#include "shell/shelltestutil.h"
#include "shell/welcomeform.h"
#include "support/bankfixture.h"
#include "support/manualclock.h"
#include "support/minifixture.h"
#include "wordlists/dictform.h"
#include "support/qstringprinter.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace {

const QString MB = QStringLiteral("MiniBrowser");

class MiniBrowseForm : public MiniFixture {
protected:
    void TearDown() override
    {
        if (PWelcomeForm == welcome.get())
            PWelcomeForm = nullptr;
        welcome.reset();
        MiniFixture::TearDown();
    }

    void makeWelcome()
    {
        welcome = std::make_unique<TPWelcomeForm>();
        PWelcomeForm = welcome.get();
    }

    void addWords(const QString &table, const QStringList &words, const QString &mastery = QStringLiteral("00"))
    {
        for (const QString &w : words) {
            addWord(table, w, w + QStringLiteral("义"));
            dm->PUpdateOneDataFromTable(table, QStringLiteral("单词"), QStringLiteral("掌握类型"), w, mastery);
        }
    }

    void loadWordTable()
    {
        form->FormActivate();
        form->PLoadWords(QStringLiteral("WordTable"), QStringLiteral("WordTable"), QStringLiteral("MiniMaster"));
    }

    QStringList itemWords() const
    {
        QStringList out;
        for (int i = 0; i < PItemCount(publicForm->P_LVmini); ++i)
            out << PCaption(PItemAt(publicForm->P_LVmini, i));
        return out;
    }
    QString countOf(int i) const { return PSubItem(PItemAt(publicForm->P_LVmini, i), 2); }

    static QColor colorOf(const QWidget *w, QPalette::ColorRole role = QPalette::WindowText)
    {
        return w->palette().color(role);
    }

    std::unique_ptr<TPWelcomeForm> welcome;
};

}  // namespace

TEST_F(MiniBrowseForm, IsTheBorderlessOnTopBarWithItsControlsAndMenu)
{
    EXPECT_EQ(PMiniBrowseForm, form.get());
    EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form->PStaysOnTop());
    EXPECT_FALSE(form->PHasTaskbarButton());
    EXPECT_EQ(form->windowTitle(), "Tavisk迷你背单词 for LexorinV03 - Tavisk设计 ");
    EXPECT_EQ(form->minimumSize(), QSize(480, 27));
    EXPECT_EQ(form->size(), QSize(480, 27));
    EXPECT_NE(PBackBitmap, nullptr);
    for (const char *name : {"SBStart", "SBPause", "SBGoBack", "SBGoFront", "SBFontSize", "SBdown", "SBup", "SBCancel"})
        EXPECT_NE(form->findChild<QToolButton *>(name), nullptr) << name;
    EXPECT_EQ(form->SBGoFront->toolTip(), "向前");
    EXPECT_EQ(form->SBGoBack->toolTip(), "向后");
    EXPECT_EQ(form->TBProcess->minimum(), 1);
    EXPECT_EQ(form->LBProcess->text(), "0/0");
    EXPECT_EQ(form->TrackBar1->minimum(), 130);
    EXPECT_EQ(form->TrackBar1->maximum(), 255);
    EXPECT_EQ(form->TrackBar1->pageStep(), 15);
    QStringList menu;
    for (QAction *a : form->PopupMenu1->actions())
        menu << a->text();
    EXPECT_EQ(menu, QStringList({"已掌握", "已忘记", "查"}));
    EXPECT_TRUE(form->N4->isEnabled());
    EXPECT_EQ(form->CBCreateMode->count(), 6);
    EXPECT_EQ(form->CBCreateMode->itemText(0), "本词库内的单词表");
}

TEST_F(MiniBrowseForm, AFreshSettingsFileGivesTheDesignValuesAndWritesOnlyTheThreeRuleKeys)
{
    ASSERT_TRUE(PConfigIni->ReadSection(MB).isEmpty());
    form->FormActivate();

    EXPECT_EQ(colorOf(form.get(), QPalette::Window), QColor(0xA6, 0xCA, 0xF0)) << "sky blue 15780518";
    EXPECT_EQ(colorOf(form->LBWord), QColor(Qt::red));
    EXPECT_EQ(colorOf(form->LBPron), QColor(0, 128, 0));
    EXPECT_EQ(colorOf(form->MeMean, QPalette::Text), QColor(Qt::blue));
    EXPECT_EQ(colorOf(form->LBclW), QColor(Qt::red));
    EXPECT_EQ(form->TrackBar1->value(), 225);
    EXPECT_NEAR(form->windowOpacity(), 225 / 255.0, 0.01);
    EXPECT_EQ(form->TimerBrowse->interval(), 1000);
    EXPECT_EQ(form->TimerRepeat->interval(), 2000);
    EXPECT_TRUE(form->RBRepeatTimesAuto->isChecked());
    EXPECT_TRUE(form->CBRepeat->isChecked());
    EXPECT_TRUE(form->CBFilter->isChecked());
    EXPECT_TRUE(form->CBDelay->isChecked());
    EXPECT_TRUE(form->CBPron->isChecked());
    EXPECT_TRUE(form->CBMean->isChecked());
    EXPECT_FALSE(form->CBNotShowMasterMode->isChecked());
    EXPECT_FALSE(form->GBRepeatRule->isHidden());
    EXPECT_TRUE(form->SERepeatTimes->isHidden());
    EXPECT_FALSE(form->PLWordTable->isHidden());
    EXPECT_EQ(form->height(), 27);

    QStringList keys = PConfigIni->ReadSection(MB);
    keys.sort();
    QStringList expected{"重复生词", "过滤熟词", "词义缓出"};
    expected.sort();
    EXPECT_EQ(keys, expected);
    EXPECT_TRUE(PConfigIni->ReadBool(MB, "重复生词", false));

    // A second activation writes nothing new and changes nothing.
    form->FormActivate();
    EXPECT_EQ(PConfigIni->ReadSection(MB).size(), 3);
}

TEST_F(MiniBrowseForm, StoredSettingsAreAppliedAndWrittenBackByTheirControls)
{
    PConfigIni->WriteInteger(MB, "背景颜色", 0x00FF00);
    PConfigIni->WriteInteger(MB, "单词颜色", 0xFF0000);
    PConfigIni->WriteInteger(MB, "透明度", 200);
    PConfigIni->WriteBool(MB, "显示解释", false);
    PConfigIni->WriteBool(MB, "自动重复", false);
    PConfigIni->WriteInteger(MB, "手动重复遍数", 5);
    PConfigIni->WriteBool(MB, "重复生词", false);
    form->FormActivate();

    EXPECT_EQ(colorOf(form.get(), QPalette::Window), QColor(0, 255, 0));
    EXPECT_EQ(colorOf(form->LBWord), QColor(0, 0, 255));
    EXPECT_EQ(colorOf(form->LBclW), QColor(0, 0, 255));
    EXPECT_NEAR(form->windowOpacity(), 200 / 255.0, 0.01);
    EXPECT_TRUE(form->RBRepeatTimesManu->isChecked());
    EXPECT_FALSE(form->SERepeatTimes->isHidden());
    EXPECT_EQ(form->SERepeatTimes->value(), 5);
    EXPECT_TRUE(form->GBRepeatRule->isHidden());
    // Without the meaning its two rules go too.
    EXPECT_TRUE(form->MeMean->isHidden());
    EXPECT_TRUE(form->CBDelay->isHidden());
    EXPECT_TRUE(form->CBFilter->isHidden());

    form->CBMean->setChecked(true);
    EXPECT_FALSE(form->MeMean->isHidden());
    EXPECT_FALSE(form->CBFilter->isHidden());
    EXPECT_TRUE(PConfigIni->ReadBool(MB, "显示解释", false));
    form->CBPron->setChecked(false);
    EXPECT_TRUE(form->LBPron->isHidden());
    EXPECT_FALSE(PConfigIni->ReadBool(MB, "显示音标", true));
    form->TrackBar1->setValue(150);
    EXPECT_NEAR(form->windowOpacity(), 150 / 255.0, 0.01);
    EXPECT_EQ(PConfigIni->ReadInteger(MB, "透明度", 0), 150);
    form->RBRepeatTimesAuto->setChecked(true);
    EXPECT_TRUE(PConfigIni->ReadBool(MB, "自动重复", false));
    EXPECT_TRUE(form->SERepeatTimes->isHidden());
    form->SERepeatTimes->setValue(7);
    EXPECT_EQ(PConfigIni->ReadInteger(MB, "手动重复遍数", 0), 7);
}

TEST_F(MiniBrowseForm, TransparencyIsKeptWhereTheWindowStaysVisible)
{
    for (int stored : {0, -40, 129, 1000}) {
        PConfigIni->WriteInteger(MB, "透明度", stored);
        form->FormActivate();
        const int expected = stored > 255 ? 255 : 130;
        EXPECT_EQ(form->TrackBar1->value(), expected) << stored;
        EXPECT_NEAR(form->windowOpacity(), expected / 255.0, 0.01) << stored;
    }
}

TEST_F(MiniBrowseForm, TheRestoreButtonsWriteTheirValues)
{
    PConfigIni->WriteInteger(MB, "透明度", 140);
    PConfigIni->WriteInteger(MB, "背景颜色", 0);
    PConfigIni->WriteBool(MB, "显示音标", false);
    PConfigIni->WriteInteger(MB, "换词间隔", 5);
    PConfigIni->WriteInteger(MB, "重复间隔", 3);
    PConfigIni->WriteBool(MB, "过滤熟词", false);
    form->FormActivate();
    form->resize(700, form->height());

    form->Button1->click();
    EXPECT_EQ(form->width(), 480);
    EXPECT_EQ(PConfigIni->ReadInteger(MB, "背景颜色", 0), 15780518);
    EXPECT_EQ(PConfigIni->ReadInteger(MB, "单词颜色", 0), 255);
    EXPECT_EQ(PConfigIni->ReadInteger(MB, "音标颜色", 0), 32768);
    EXPECT_EQ(PConfigIni->ReadInteger(MB, "解释颜色", 0), 16711680);
    EXPECT_EQ(PConfigIni->ReadInteger(MB, "透明度", 0), 225);
    EXPECT_TRUE(PConfigIni->ReadBool(MB, "显示音标", false));
    EXPECT_TRUE(PConfigIni->ReadBool(MB, "显示解释", false));
    EXPECT_EQ(colorOf(form.get(), QPalette::Window), PColorFromValue(15780518));

    form->CBNotShowMasterMode->setChecked(true);
    form->Button2->click();
    EXPECT_EQ(form->TimerRepeat->interval(), 1000) << "restored to 1 s although a fresh file reads 2";
    EXPECT_EQ(form->TimerBrowse->interval(), 1000);
    EXPECT_EQ(PConfigIni->ReadInteger(MB, "重复间隔", 0), 1);
    EXPECT_EQ(PConfigIni->ReadInteger(MB, "换词间隔", 0), 2);
    EXPECT_EQ(PConfigIni->ReadInteger(MB, "手动重复遍数", 0), 2);
    EXPECT_TRUE(PConfigIni->ReadBool(MB, "过滤熟词", false));
    EXPECT_TRUE(PConfigIni->ReadBool(MB, "自动重复", false));
    EXPECT_TRUE(form->CBNotShowMasterMode->isChecked()) << "hiding is not a stored rule";
}

TEST_F(MiniBrowseForm, ColoursComeFromTheColourDialog)
{
    form->FormActivate();
    dialogs->answerColor(QColor(10, 20, 30));
    form->LBclWClick(form->LBclP);
    EXPECT_EQ(colorOf(form->LBPron), QColor(10, 20, 30));
    EXPECT_EQ(PConfigIni->ReadInteger(MB, "音标颜色", 0), 10 | (20 << 8) | (30 << 16));
    EXPECT_EQ(PConfigIni->ReadInteger(MB, "单词颜色", 0), 255);
    EXPECT_EQ(PConfigIni->ReadInteger(MB, "解释颜色", 0), 16711680);

    // Cancelled: the colours stay and are written as they are.
    PConfigIni->DeleteKey(MB, "单词颜色");
    form->LBclWClick(form->LBclW);
    EXPECT_EQ(colorOf(form->LBWord), QColor(Qt::red));
    EXPECT_EQ(PConfigIni->ReadInteger(MB, "单词颜色", 0), 255);

    dialogs->answerColor(QColor(255, 255, 0));
    form->PLclBackClick();
    EXPECT_EQ(colorOf(form.get(), QPalette::Window), QColor(255, 255, 0));
    EXPECT_EQ(colorOf(form->PLclBack, QPalette::Window), QColor(255, 255, 0));
    EXPECT_EQ(PConfigIni->ReadInteger(MB, "背景颜色", 0), 0x00FFFF);
    EXPECT_EQ(PColorToValue(PColorFromValue(15780518)), 15780518);
}

TEST_F(MiniBrowseForm, ExpandingCollapsingAndTheFontSize)
{
    // The panel's captions are measured only once the panel comes into sight.
    QList<QLabel *> captions;
    for (const char *caption : {"颜色", "透明度", "换词间隔", "重复间隔秒数"}) {
        const auto labels = form->findChildren<QLabel *>();
        const auto it = std::find_if(labels.begin(), labels.end(), [&](QLabel *l) { return l->text() == QString::fromUtf8(caption); });
        ASSERT_NE(it, labels.end()) << caption;
        captions << *it;
    }
    form->show();
    form->FormActivate();
    for (QLabel *l : captions)
        EXPECT_NE(l->size(), l->sizeHint()) << l->text().toStdString();
    form->SBdown->click();
    EXPECT_EQ(form->height(), 327);
    for (QLabel *l : captions)
        EXPECT_EQ(l->size(), l->sizeHint()) << l->text().toStdString();
    EXPECT_FALSE(form->PStaysOnTop());
    EXPECT_TRUE(form->PHasTaskbarButton());
    EXPECT_TRUE(form->SBdown->isHidden());
    EXPECT_FALSE(form->SBup->isHidden());

    // The font toggle on the expanded window changes only the bar.
    form->SBFontSize->click();
    EXPECT_EQ(form->PBarHeight(), 35);
    EXPECT_EQ(form->height(), 327);
    EXPECT_EQ(form->LBWord->font().pointSize(), 22);
    EXPECT_EQ(form->LBPron->font().pointSize(), 18);
    EXPECT_EQ(form->MeMean->font().pointSize(), 20);

    form->SBup->click();
    EXPECT_EQ(form->height(), 35);
    EXPECT_TRUE(form->PStaysOnTop());
    EXPECT_FALSE(form->PHasTaskbarButton());
    EXPECT_FALSE(form->SBdown->isHidden());

    form->SBFontSize->click();
    EXPECT_EQ(form->PBarHeight(), 27);
    EXPECT_EQ(form->height(), 27);
    EXPECT_EQ(form->LBWord->font().pointSize(), 16);
    EXPECT_TRUE(form->LBWord->font().bold());

    // Activation collapses but leaves the style and the arrow alone.
    form->SBdown->click();
    form->FormActivate();
    EXPECT_EQ(form->height(), 27);
    EXPECT_FALSE(form->SBup->isHidden());
    EXPECT_FALSE(form->PStaysOnTop());
}

TEST_F(MiniBrowseForm, AnotherSourceIsNotThereYet)
{
    form->FormActivate();
    form->CBCreateMode->setCurrentIndex(2);
    emit form->CBCreateMode->activated(2);
    EXPECT_EQ(dialogs->lastText(), "该接口尚在完善中");
    EXPECT_TRUE(form->PLWordTable->isHidden());
    form->CBCreateMode->setCurrentIndex(0);
    emit form->CBCreateMode->activated(0);
    EXPECT_FALSE(form->PLWordTable->isHidden());
}

TEST_F(MiniBrowseForm, ChoosingAListMakesItCurrentAndShowsItsFirstWordPaused)
{
    addWords("WordTable", {"apple", "pear"});
    dm->PCreateNewWordTable(QStringLiteral("WordTable"), QStringLiteral("Fruit"), QStringLiteral("addname"));
    addWords("Fruit", {"kiwi", "lime", "plum"});
    loadWordTable();
    EXPECT_EQ(form->LBWordCount->text(), "2词");
    ASSERT_EQ(form->CBWordTable->currentText(), "WordTable");
    const int fruit = form->CBWordTable->findText("Fruit");
    ASSERT_GE(fruit, 0);

    form->SBStartClick();
    PMiniIndex = 1;
    form->CBWordTable->setCurrentIndex(fruit);
    emit form->CBWordTable->activated(fruit);

    EXPECT_EQ(PCurrentTable, "Fruit");
    PCurrentTable.clear();
    PLoadCurrentTableName();
    EXPECT_EQ(PCurrentTable, "Fruit") << "kept in the bank";
    EXPECT_EQ(itemWords(), QStringList({"kiwi", "lime", "plum"}));
    EXPECT_EQ(form->LBWord->text(), "kiwi");
    EXPECT_EQ(form->LBProcess->text(), "1/3");
    EXPECT_FALSE(form->TimerBrowse->enabled());
    EXPECT_FALSE(form->SBStart->isHidden());
    EXPECT_EQ(form->LBWordCount->text(), "3词");
}

TEST_F(MiniBrowseForm, MasteredMarksTheFirstItemAndEveryRowOfTheWord)
{
    addWords("WordTable", {"apple", "pear", "apple"});
    loadWordTable();
    form->SBGoBackClick();  // the second "apple", the last item
    ASSERT_EQ(form->LBWord->text(), "apple");
    ASSERT_EQ(PMiniIndex, 2);

    form->PopupMenu1Popup();
    EXPECT_FALSE(form->TimerBrowse->enabled());
    form->N1->trigger();
    EXPECT_EQ(PMiniIndex, 0) << "the first item of the word";
    EXPECT_EQ(countOf(0), "0");
    EXPECT_EQ(countOf(2), "3");
    EXPECT_EQ(column("WordTable", "掌握类型"), QStringList({"11", "00", "11"}));
    EXPECT_TRUE(form->TimerBrowse->enabled()) << "playback resumes";
    EXPECT_TRUE(form->SBStart->isHidden());

    form->N2Click();
    EXPECT_EQ(countOf(0), "3");
    EXPECT_EQ(column("WordTable", "掌握类型"), QStringList({"00", "00", "00"}));
}

TEST_F(MiniBrowseForm, LookUpOpensTheDictionaryOnTheShownWordWithoutMoveOrDeleteThenPlays)
{
    TPDictForm dict;
    addWords("WordTable", {"apple", "pear"});
    loadWordTable();
    form->LBWord->setText(QStringLiteral(" pear "));
    form->PopupMenu1Popup();
    bool looked = false;
    QTimer::singleShot(0, [&] {
        looked = dict.isModalShowing() && dict.MeWord->text() == "pear" && PDictFoundTable == "WordTable" &&
                 dict.GBMove->isHidden() && dict.GBDelete->isHidden();
        dict.close();
    });
    form->N4->trigger();
    EXPECT_TRUE(looked);
    EXPECT_FALSE(dict.GBMove->isHidden());
    EXPECT_TRUE(form->TimerBrowse->enabled()) << "playback resumes";
}

TEST_F(MiniBrowseForm, MarksReachTheStudyGroupOnlyWhenOpenedFromTheBrowser)
{
    addWords("WordTable", {"apple", "pear"});
    addWords("TempTable", {"apple"});
    loadWordTable();
    form->SBGoFrontClick();
    form->SBGoBackClick();
    ASSERT_EQ(form->LBWord->text(), "apple");

    PConfigIni->WriteString(MB, "Sender", "欢迎");
    form->N1Click();
    EXPECT_EQ(column("WordTable", "掌握类型"), QStringList({"11", "00"}));
    EXPECT_EQ(column("TempTable", "掌握类型"), QStringList({"00"}));

    PConfigIni->WriteString(MB, "Sender", "学词");
    form->N1Click();
    EXPECT_EQ(dialogs->texts(), QStringList());
    EXPECT_EQ(column("TempTable", "掌握类型"), QStringList({"11"}));
    form->N2Click();
    EXPECT_EQ(column("TempTable", "掌握类型"), QStringList({"00"}));
    EXPECT_EQ(column("WordTable", "掌握类型"), QStringList({"00", "00"}));
}

TEST_F(MiniBrowseForm, AMarkOnAWordNotInTheListChangesNothing)
{
    addWords("WordTable", {"apple", "pear"});
    loadWordTable();
    ASSERT_EQ(form->LBWord->text(), "Word");
    PMiniIndex = 1;
    form->N1Click();
    EXPECT_EQ(PMiniIndex, 0);
    EXPECT_EQ(column("WordTable", "掌握类型"), QStringList({"00", "00"}));
    EXPECT_EQ(countOf(0), "3");
    EXPECT_EQ(countOf(1), "3");
}

TEST_F(MiniBrowseForm, MasteredWhileHidingRemovesTheWordAndShowsTheNext)
{
    addWords("WordTable", {"apple", "pear", "plum"});
    loadWordTable();
    form->CBNotShowMasterMode->setChecked(true);
    form->SBGoBackClick();
    ASSERT_EQ(form->LBWord->text(), "plum");

    form->N1Click();  // the last item goes: the first word follows
    EXPECT_EQ(itemWords(), QStringList({"apple", "pear"}));
    EXPECT_EQ(form->LBWord->text(), "apple");
    EXPECT_EQ(form->LBProcess->text(), "1/2");
    EXPECT_EQ(form->TBProcess->maximum(), 2);

    form->N1Click();
    EXPECT_EQ(form->LBWord->text(), "pear");
    EXPECT_EQ(form->LBProcess->text(), "1/1");

    // The last word of all: nothing is left to play.
    form->N1Click();
    EXPECT_EQ(PItemCount(publicForm->P_LVmini), 0);
    EXPECT_EQ(form->LBWord->text(), "没有单词");
    EXPECT_EQ(form->LBProcess->text(), "0/0");
    EXPECT_FALSE(form->TimerBrowse->enabled());
    EXPECT_FALSE(form->SBStart->isHidden());
    EXPECT_EQ(column("WordTable", "掌握类型"), QStringList({"11", "11", "11"}));
}

TEST_F(MiniBrowseForm, TheReturnCommandGoesWhereSenderSays)
{
    makeWelcome();
    addWords("WordTable", {"apple", "pear"});

    struct Case {
        const char *sender;  // nullptr: no key
        bool welcomeShown;
        bool closed;
    };
    for (const Case &c : {Case{"欢迎", true, false}, Case{"学词", false, false}, Case{"迷你", false, true},
                          Case{nullptr, false, true}}) {
        SCOPED_TRACE(c.sender ? c.sender : "no key");
        welcome->hide();
        if (c.sender)
            PConfigIni->WriteString(MB, "Sender", QString::fromUtf8(c.sender));
        else
            PConfigIni->DeleteKey(MB, "Sender");
        if (!PBackBitmap)
            PBackBitmap = new QPixmap();
        form->Show();
        loadWordTable();
        form->SBdownClick();
        form->GBWordTable->hide();
        form->N4->setEnabled(false);
        form->CBNotShowMasterMode->setChecked(true);
        form->SBStartClick();
        form->SBGoFrontClick();

        form->SBCancel->click();
        EXPECT_EQ(dialogs->texts(), QStringList());
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(welcome->isVisible(), c.welcomeShown);
        EXPECT_EQ(PBackBitmap == nullptr, c.closed) << "closing the main window frees the background";
        EXPECT_EQ(PMiniIndex, 0);
        EXPECT_FALSE(form->TimerBrowse->enabled());
        EXPECT_FALSE(form->TimerRepeat->enabled());
        EXPECT_FALSE(form->SBStart->isHidden());
        EXPECT_TRUE(form->SBPause->isHidden());
        EXPECT_FALSE(form->GBWordTable->isHidden());
        EXPECT_TRUE(form->N4->isEnabled());
        EXPECT_FALSE(form->CBNotShowMasterMode->isChecked());
        EXPECT_TRUE(form->CBNotShowMasterMode->isEnabled());
        EXPECT_EQ(form->height(), 27);
        EXPECT_TRUE(form->PStaysOnTop());
    }
}

TEST_F(MiniBrowseForm, TheApplicationTimerHandsOverAtOnceAndChecksForUpdatesAtTen)
{
    makeWelcome();
    form->Show();
    PStatusPageText = QStringLiteral("...thenewestversionis:V99_999999...");
    form->TimerAppTimer();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(welcome->isVisible());
    for (int tick = 2; tick <= 9; ++tick)
        form->TimerAppTimer();
    EXPECT_TRUE(dialogs->shown().isEmpty());
    form->TimerAppTimer();
    ASSERT_EQ(dialogs->shown().size(), 1);
    EXPECT_TRUE(dialogs->lastText().contains("V99_999999"));
    for (int tick = 11; tick <= 30; ++tick)
        form->TimerAppTimer();
    EXPECT_EQ(dialogs->shown().size(), 1) << "the notice runs once";
    EXPECT_EQ(PAppTicks, 30);
    PStatusPageText.clear();
}

TEST_F(MiniBrowseForm, TheTimersRunOnTheClockTheyAreGiven)
{
    EXPECT_EQ(form->TimerApp->interval(), 1000);
    EXPECT_EQ(form->TimerBrowse->interval(), 2000) << "until the settings are first applied";
    EXPECT_FALSE(form->TimerBrowse->enabled());
    EXPECT_FALSE(form->TimerRepeat->enabled());
    // Switching on a running timer does not restart it.
    addWords("WordTable", {"apple"});
    loadWordTable();
    form->SBStartClick();
    clock->advance(600);
    form->TimerBrowse->setEnabled(true);
    clock->advance(400);
    EXPECT_EQ(form->LBWord->text(), "apple");
}

TEST_F(MiniBrowseForm, ClickingASampleAsksForThatColourOnly)
{
    form->show();
    form->FormActivate();
    form->SBdownClick();
    dialogs->answerColor(QColor(10, 20, 30));
    dialogs->answerColor(QColor(200, 100, 0));
    QTest::mouseClick(form->LBclW, Qt::LeftButton);
    EXPECT_EQ(dialogs->shown().size(), 1);
    EXPECT_EQ(colorOf(form->LBWord), QColor(10, 20, 30));
    EXPECT_EQ(PConfigIni->ReadInteger(MB, "背景颜色", -1), -1) << "the background is not asked for";
    EXPECT_EQ(colorOf(form.get(), QPalette::Window), PColorFromValue(15780518));
}

TEST_F(MiniBrowseForm, OnlyTheFreeSurfaceMovesTheWindow)
{
    form->show();
    form->FormActivate();
    // A press the window takes for moving is accepted there; one on the bar or a control is not.
    for (QWidget *w : {static_cast<QWidget *>(form->LBWord), static_cast<QWidget *>(form->LBPron),
                       static_cast<QWidget *>(form->Panel1)}) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
        EXPECT_FALSE(press.isAccepted()) << w->objectName().toStdString();
    }
    QMouseEvent onSurface(QEvent::MouseButtonPress, QPointF(3, 3), form->mapToGlobal(QPointF(3, 3)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
    ASSERT_EQ(form->childAt(3, 3), nullptr);
    QApplication::sendEvent(form.get(), &onSurface);
    EXPECT_TRUE(onSurface.isAccepted());
}
