// The word browser's window: its list, browse modes, keys, clocks, practice box and ways out.

#include "platform/inifile.h"
#include "support/columnfit.h"
#include "support/qstringprinter.h"
#include "tools/browsefixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

namespace {

class Browser : public BrowseFixture {
protected:
    void SetUp() override
    {
        BrowseFixture::SetUp();
        makeGroup({QStringLiteral("apple"), QStringLiteral("banana"), QStringLiteral("cherry")});
    }
    QString ini(const QString &section, const QString &key) { return PConfigIni->ReadString(section, key, QStringLiteral("<none>")); }
    void keyUp(QWidget *w, Qt::Key key) { QTest::keyRelease(w, key); }
};

TEST_F(Browser, OpensOnTheGroupWithItsColumnsAndSettingsDefaults)
{
    dm->PUpdateOneDataFromTable(Tbl::TempTable, Col::Word, Col::LastRight, QStringLiteral("apple"), Code::Wrong);
    dm->PUpdateOneDataFromTable(Tbl::TempTable, Col::Word, Col::LastRight, QStringLiteral("cherry"), Code::Right);
    open();
    EXPECT_EQ(form->activationCount(), 1);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("学习单词"));
    EXPECT_EQ(form->MEpra->text(), QStringLiteral("拼写练习区（拼写后按【回车】）"));
    // The word, meaning, phonetic and hint boxes: only the word cannot be typed over.
    QList<std::pair<int, bool>> boxes;
    for (const QLineEdit *e : {form->Edit1, form->Edit2, form->Edit4, form->Edit3})
        boxes.append({e->font().pixelSize(), e->isReadOnly()});
    EXPECT_EQ(boxes, (QList<std::pair<int, bool>>{{21, true}, {19, false}, {19, false}, {14, false}}));

    QStringList captions;
    QList<int> widths;
    for (int i = 0; i < form->PListView->columnCount(); ++i) {
        captions << form->PListView->headerItem()->text(i);
        widths << form->PListView->columnWidth(i);
    }
    EXPECT_EQ(captions, (QStringList{"ID", "单词", "解释", "测试次数", "错误次数", "经验点数", "类别", "上次", "掌握类型"}));
    // Normal mode narrows the meaning; a column too narrow for its title is as wide as the title,
    // one holding codes (ID, 类别, 上次, 掌握类型) may widen for them.
    const QList<int> designed = {40, 120, 329, 30, 30, 30, 45, 30, 30};
    for (int i = 0; i < designed.size(); ++i) {
        const int title = form->PListView->header()->fontMetrics().horizontalAdvance(captions.at(i));
        EXPECT_GE(widths.at(i), designed.at(i)) << i;
        if (designed.at(i) <= title + 12) {
            EXPECT_GT(widths.at(i), title) << i;
        } else if (!QList<int>{0, 6, 7, 8}.contains(i)) {
            EXPECT_EQ(widths.at(i), designed.at(i)) << i;
        }
    }
    // Ordered by the last answer, ascending: empty first, then 对, then 错.
    EXPECT_EQ(listWords(), (QStringList{"banana", "cherry", "apple"}));
    EXPECT_EQ(cell(QStringLiteral("banana"), ModeCol::BrowseForm::Explanation), QStringLiteral("banana义"));

    EXPECT_EQ(form->Panel1->height(), 120);
    EXPECT_EQ(form->ReExpl->width(), 200);
    EXPECT_EQ(form->SEReadInterval->value(), 2);
    EXPECT_TRUE(form->CBBackMusic->isChecked());
    EXPECT_EQ(form->CBBrowseMode->currentText(), QStringLiteral("正常浏览"));
    EXPECT_FALSE(form->SBStart->isHidden());
    EXPECT_TRUE(form->SBPause->isHidden());
    EXPECT_TRUE(form->PanelTools1->isHidden());
    EXPECT_TRUE(form->Edit1->text().isEmpty());
    // The category choices: the group's own, then the standard four.
    QStringList categories;
    for (int i = 0; i < form->Edit5->count(); ++i)
        categories << form->Edit5->itemText(i);
    EXPECT_EQ(categories, PStandardCategories());
    EXPECT_EQ(PItemCount(form->TempListView), 0);
}

// The stored codes show whole: a five-digit ID, a standard category, "未做", "未知".
TEST_F(Browser, CodeColumnsShowTheirCellsWhole)
{
    raw(QStringLiteral("UPDATE TempTable SET ID=ID+12344, 所属类别='易混词', 上次是否做对='未做', 掌握类型='未知'"));
    open();
    PExpectCellsWhole(form->PListView, {0, 6, 7, 8});
    EXPECT_EQ(form->PListView->columnWidth(2), 329);
}

TEST_F(Browser, StoredPanelSizesAndIntervalAreAppliedWithinTheirLimits)
{
    PConfigIni->WriteInteger(Ini::BrowseForm, Ini::DetailsHeight, 500);
    PConfigIni->WriteInteger(Ini::BrowseForm, Ini::DetailsWidth, 310);
    PConfigIni->WriteInteger(Ini::BrowseForm, Ini::BrowseReadInterval, 15);
    open();
    EXPECT_EQ(form->Panel1->height(), 300);
    EXPECT_EQ(form->ReExpl->width(), 310);
    EXPECT_EQ(form->SEReadInterval->value(), 9);
    // The control brought the value into range and its change was written back.
    EXPECT_EQ(ini(Ini::BrowseForm, Ini::BrowseReadInterval), QStringLiteral("9"));
}

struct ModeCase {
    const char *mode;
    int wordWidth, meaningWidth;
    bool word, meaning, phonetic, hint, details;
};
void PrintTo(const ModeCase &c, std::ostream *os) { PrintCase(os, c.mode); }

class BrowseModes : public Browser, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(BrowseModes, AModeChosenIsStoredAndAppliedAtTheNextOpening)
{
    const ModeCase c = GetParam();
    open();
    form->CBBrowseMode->setCurrentText(QString::fromUtf8(c.mode));
    emit form->CBBrowseMode->activated(form->CBBrowseMode->currentIndex());
    EXPECT_EQ(ini(Ini::Browse, Ini::BrowseMode), QString::fromUtf8(c.mode));

    // Fields the learner showed by hand stay as the mode leaves them; the next opening applies it.
    for (QWidget *w : {static_cast<QWidget *>(form->Edit1), static_cast<QWidget *>(form->Edit2),
                       static_cast<QWidget *>(form->Edit3), static_cast<QWidget *>(form->Edit4),
                       static_cast<QWidget *>(form->ReExpl)})
        w->setVisible(true);
    form->Hide();
    open();
    EXPECT_EQ(form->CBBrowseMode->currentText(), QString::fromUtf8(c.mode));
    EXPECT_EQ(form->PListView->columnWidth(1), c.wordWidth);
    EXPECT_EQ(form->PListView->columnWidth(2), c.meaningWidth);
    EXPECT_EQ(!form->Edit1->isHidden(), c.word);
    EXPECT_EQ(!form->Edit2->isHidden(), c.meaning);
    EXPECT_EQ(!form->Edit4->isHidden(), c.phonetic);
    EXPECT_EQ(!form->Edit3->isHidden(), c.hint);
    EXPECT_EQ(!form->ReExpl->isHidden(), c.details);
    EXPECT_FALSE(form->ReSent->isHidden());
}

INSTANTIATE_TEST_SUITE_P(All, BrowseModes,
                         ::testing::Values(ModeCase{"正常浏览", 120, 329, true, true, true, true, true},
                                           ModeCase{"词义回想", 429, 20, true, false, true, false, false},
                                           ModeCase{"单词回想", 20, 429, false, true, false, true, true}),
                         [](const ::testing::TestParamInfo<ModeCase> &i) {
                             return std::string(i.index == 0 ? "Normal" : i.index == 1 ? "RecallMeaning" : "RecallWord");
                         });

// Whatever a mode, a key or the focus hides or shows, every other control stays where it was.
TEST_F(Browser, ControlsThatHideLeaveTheRestWhereItWas)
{
    open();
    QWidget *const watched[] = {form->PListView, form->Edit1, form->Edit2, form->Edit3, form->Edit4, form->Edit5,
                                form->ReExpl, form->ReSent, form->Button4, form->Button1, form->MEpra};
    const auto places = [&] {
        QList<QRect> out;
        for (QWidget *w : watched)
            out << QRect(w->mapTo(form.get(), QPoint(0, 0)), w->size());
        return out;
    };
    const auto settled = [&] {
        form->layout()->activate();
        settle();
        return places();
    };
    const QList<QRect> normal = settled();
    const auto expectKept = [&](const char *what) {
        const QList<QRect> now = settled();
        for (int i = 0; i < normal.size(); ++i)
            if (!watched[i]->isHidden()) {
                EXPECT_EQ(now.at(i), normal.at(i)) << what << " " << watched[i]->objectName().toStdString();
            }
    };
    for (const char *mode : {"单词回想", "词义回想"}) {
        form->PSetBrowseMode(QString::fromUtf8(mode));
        expectKept(mode);
    }
    form->PSetBrowseMode(QStringLiteral("正常浏览"));
    for (QWidget *w : {static_cast<QWidget *>(form->ReExpl), static_cast<QWidget *>(form->ReSent)}) {
        w->hide();
        expectKept("a rich edit hidden");
        w->show();
    }
    for (QWidget *w : {static_cast<QWidget *>(form->SBTellWrong), static_cast<QWidget *>(form->SBautotip),
                       static_cast<QWidget *>(form->SBinsert)}) {
        w->setVisible(!w->isVisible());
        expectKept("a focus button");
    }
}

TEST_F(Browser, AStoredTextThatIsNoModeSelectsNothingAndChangesNothing)
{
    PConfigIni->WriteString(Ini::Browse, Ini::BrowseMode, QStringLiteral("随便"));
    form->Edit2->hide();
    open();
    EXPECT_EQ(form->CBBrowseMode->currentIndex(), -1);
    EXPECT_TRUE(form->Edit2->isHidden());
    EXPECT_EQ(form->PListView->columnWidth(2), 368);
}

TEST_F(Browser, SelectingARowShowsEveryFieldAndReadsTheWordAloud)
{
    dm->PUpdateOneDataFromTable(Tbl::TempTable, Col::Word, Col::Association, QStringLiteral("banana"), QStringLiteral("香蕉联想"));
    dm->PUpdateOneDataFromTable(Tbl::TempTable, Col::Word, Col::Details, QStringLiteral("banana"), QStringLiteral("详解一\n详解二"));
    dm->PUpdateOneDataFromTable(Tbl::TempTable, Col::Word, Col::Example, QStringLiteral("banana"), QStringLiteral("A banana.\n一根香蕉。"));
    dm->PUpdateOneDataFromTable(Tbl::TempTable, Col::Word, Col::Phonetic, QStringLiteral("banana"), QStringLiteral("bə'nɑ:nə"));
    // The group's row is shown, not the current list's.
    dm->PUpdateOneDataFromTable(Tbl::WordTable, Col::Word, Col::Explanation, QStringLiteral("banana"), QStringLiteral("别的"));
    open();
    Sound::clearRequests();
    selectOnly({QStringLiteral("banana")});
    EXPECT_EQ(PBrowseIndex, rowOf(QStringLiteral("banana")));
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("banana"));
    EXPECT_EQ(form->Edit2->text(), QStringLiteral("banana义"));
    EXPECT_EQ(form->Edit3->text(), QStringLiteral("香蕉联想"));
    EXPECT_EQ(form->Edit5->currentText(), QStringLiteral("基本词"));
    EXPECT_EQ(form->ReExpl->toPlainText(), QStringLiteral("详解一\n详解二"));
    EXPECT_EQ(form->ReSent->toPlainText(), QStringLiteral("A banana.\n一根香蕉。"));
    // No phonetic font in this program folder: the stored transcription stays readable and savable.
    EXPECT_EQ(form->Edit4->text(), QStringLiteral("bə'nɑ:nə"));
    EXPECT_EQ(spoken(), QStringList{QStringLiteral("banana")});

    form->CheckBox1->setChecked(false);
    selectOnly({QStringLiteral("apple")});
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("apple"));
    EXPECT_EQ(spoken(), QStringList{QStringLiteral("banana")});
}

TEST_F(Browser, FunctionKeysToggleTheirFieldsAndF9FillsTheHint)
{
    open();
    selectOnly({QStringLiteral("cherry")});
    const QList<std::pair<Qt::Key, QWidget *>> toggles = {
        {Qt::Key_F1, form->Edit1}, {Qt::Key_F2, form->Edit2}, {Qt::Key_F3, form->Edit4},
        {Qt::Key_F4, form->Edit3}, {Qt::Key_F5, form->ReExpl}, {Qt::Key_F6, form->ReSent}};
    for (const auto &t : toggles) {
        keyUp(form->PListView, t.first);
        EXPECT_TRUE(t.second->isHidden()) << t.second->objectName().toStdString();
        keyUp(form->PListView, t.first);
        EXPECT_FALSE(t.second->isHidden()) << t.second->objectName().toStdString();
    }
    // F9 elsewhere does nothing; in the hint field it writes the first letter and a wildcard.
    keyUp(form->PListView, Qt::Key_F9);
    EXPECT_TRUE(handedTo.isEmpty());
    form->Edit3->setFocus();
    keyUp(form->Edit3, Qt::Key_F9);
    EXPECT_EQ(form->Edit3->text(), QStringLiteral("c%"));
}

TEST_F(Browser, F8SpeaksThePracticeTextTheSentenceSelectionOrTheWord)
{
    open();
    selectOnly({QStringLiteral("apple")});
    form->ReSent->setPlainText(QStringLiteral("An apple a day."));
    Sound::clearRequests();
    keyUp(form->PListView, Qt::Key_F8);
    form->MEpra->setFocus();
    form->MEpra->setText(QStringLiteral("aple"));
    keyUp(form->MEpra, Qt::Key_F8);
    form->ReSent->setFocus();
    QTextCursor c = form->ReSent->textCursor();
    c.setPosition(3);
    c.setPosition(8, QTextCursor::KeepAnchor);
    form->ReSent->setTextCursor(c);
    keyUp(form->ReSent, Qt::Key_F8);
    EXPECT_EQ(spoken(), (QStringList{"apple", "aple", "apple"}));
}

TEST_F(Browser, ThePracticeBoxFindsTheExactWordAndTogglesItsMeaning)
{
    // The meaning comes back from the current list, not from the group.
    dm->PUpdateOneDataFromTable(Tbl::WordTable, Col::Word, Col::Explanation, QStringLiteral("banana"), QStringLiteral("香蕉"));
    open();
    selectOnly({QStringLiteral("apple"), QStringLiteral("cherry")});
    form->MEpra->setFocus();
    const QString shownMeaning = cell(QStringLiteral("banana"), ModeCol::BrowseForm::Explanation);
    const QList<std::pair<const char *, const char *>> rounds = {{"banana", ""}, {"banana", "香蕉"}};
    for (const auto &r : rounds) {
        form->MEpra->setText(QString::fromUtf8(r.first));
        keyUp(form->MEpra, Qt::Key_Return);
        EXPECT_TRUE(form->MEpra->text().isEmpty());
        ASSERT_EQ(form->PListView->selectedItems().size(), 1);
        EXPECT_EQ(PSubItem(form->PListView->selectedItems().first(), 0), QStringLiteral("banana"));
        EXPECT_EQ(PBrowseIndex, rowOf(QStringLiteral("banana")));
        EXPECT_EQ(form->Edit1->text(), QStringLiteral("banana"));
        EXPECT_EQ(cell(QStringLiteral("banana"), ModeCol::BrowseForm::Explanation), QString::fromUtf8(r.second));
    }
    EXPECT_EQ(shownMeaning, QStringLiteral("banana义"));

    // Letter case counts, and nothing is trimmed: no row stays selected.
    for (const char *typed : {"Banana", "banana ", "bananas"}) {
        form->MEpra->setText(QString::fromUtf8(typed));
        keyUp(form->MEpra, Qt::Key_Return);
        EXPECT_TRUE(form->PListView->selectedItems().isEmpty()) << typed;
        EXPECT_TRUE(form->MEpra->text().isEmpty());
    }
}

TEST_F(Browser, TheClockCountsFromEachHandOverOnlyAndSurvivesModalWindowsAndOtherPrograms)
{
    open();
    clock->advance(3000);
    EXPECT_EQ(PBrowseSeconds, 3);
    EXPECT_EQ(form->LBBrowseSumTime->text(), QStringLiteral("3秒"));

    // A modal window over the browser and a trip to another program leave the clock going.
    TPForm modal;
    QTimer::singleShot(0, &modal, [&] { modal.close(); });
    modal.ShowModal();
    settle();
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(form.get(), &activate);
    EXPECT_EQ(form->activationCount(), 1);
    clock->advance(2000);
    EXPECT_EQ(PBrowseSeconds, 5);

    // Closing goes back to the builder and adds nothing to the study counters.
    selectOnly({QStringLiteral("apple")});
    form->close();
    EXPECT_EQ(handedTo, QStringList{QStringLiteral("CreateForm")});
    EXPECT_EQ(PStudyCounters().browseSeconds, 0);
    EXPECT_EQ(PItemCount(form->PListView), 0);
    EXPECT_EQ(dm->PGetCountFromTable(Tbl::TempTable), 3);
    clock->advance(5000);
    EXPECT_EQ(PBrowseSeconds, 5);

    // The next hand-over starts again at 0.
    open();
    EXPECT_EQ(PBrowseSeconds, 0);
    clock->advance(1000);
    EXPECT_EQ(PBrowseSeconds, 1);
}

TEST_F(Browser, AutoBrowseWalksFromTheLastSelectedRowAndWrapsRound)
{
    open();
    form->CheckBox1->setChecked(false);
    form->SEReadInterval->setValue(3);
    PItemAt(form->PListView, 1)->setSelected(true);  // chosen by the learner
    form->SBStartClick();
    EXPECT_TRUE(form->SBStart->isHidden());
    EXPECT_FALSE(form->SBPause->isHidden());
    clock->advance(2999);
    EXPECT_EQ(form->Edit1->text(), listWords()[1]);

    // Row 1 is selected already, so the first tick shows nothing new; past the end one tick wraps.
    QStringList shown;
    QList<QList<int>> selected;
    for (int tick = 0; tick < 5; ++tick) {
        form->Edit1->clear();
        clock->advance(3000);
        shown << form->Edit1->text();
        QList<int> rows;
        for (int i = 0; i < PItemCount(form->PListView); ++i)
            if (PItemAt(form->PListView, i)->isSelected())
                rows << i;
        selected << rows;
    }
    const QStringList w = listWords();
    EXPECT_EQ(shown, (QStringList{QString(), w[2], QString(), w[0], w[1]}));
    EXPECT_EQ(selected, (QList<QList<int>>{{1}, {2}, {2}, {0}, {1}}));

    form->SBPauseClick();
    clock->advance(9000);
    EXPECT_EQ(PBrowseIndex, 2);
    EXPECT_FALSE(form->SBStart->isHidden());
    EXPECT_EQ(ini(Ini::BrowseForm, Ini::BrowseReadInterval), QStringLiteral("3"));
}

TEST_F(Browser, AutoBrowseOnAGroupOfOneShowsItWithoutKeepingItSelected)
{
    dm->PDeleteAllFromTable(Tbl::TempTable);
    dm->PMoveOneRecordToTable(Tbl::WordTable, Tbl::TempTable, Col::Word, QStringLiteral("apple"));
    open();
    form->CheckBox1->setChecked(false);
    form->SBStartClick();
    QStringList shown;
    for (int tick = 0; tick < 4; ++tick) {
        form->Edit1->clear();
        clock->advance(2000);
        shown << form->Edit1->text();
        EXPECT_TRUE(form->PListView->selectedItems().isEmpty());
    }
    EXPECT_EQ(shown, (QStringList{"apple", "", "apple", ""}));
}

TEST_F(Browser, TestLeavesForTheChosenTestWithTheBrowseSeconds)
{
    struct Case {
        const char *tool;  // nullptr: the key is missing
        const char *test;
    };
    const Case cases[] = {{nullptr, "TestFormSpell"}, {"传统拼写", "TestFormSpell"},
                          {"单项选择", "TestFormSelect"}, {"别的工具", "TestFormSpell"}};
    qint64 total = 0;
    int seconds = 3;
    for (const Case &c : cases) {
        if (c.tool)
            PConfigIni->WriteString(Ini::Main, Ini::Tool, QString::fromUtf8(c.tool));
        handedTo.clear();
        open();
        form->SBStartClick();
        clock->advance(seconds * 1000);
        keyUp(form->PListView, Qt::Key_F12);
        total += seconds;
        EXPECT_FALSE(form->isVisible());
        EXPECT_FALSE(form->TimerBrowse->enabled());
        EXPECT_FALSE(form->TimerAutoBrowse->enabled());
        EXPECT_EQ(handedTo, (QStringList{"PrepareTest", QString::fromUtf8(c.test)})) << (c.tool ? c.tool : "none");
        EXPECT_EQ(PStudyCounters().browseSeconds, total);
        // The multiple-choice summary reads the browser's own clock afterwards.
        EXPECT_EQ(PBrowseSeconds, seconds);
        ++seconds;
    }
}

TEST_F(Browser, AFailedTestPreparationLeadsBackToTheBuilder)
{
    PHandOvers().prepareTest = [] { throw EngineError(QStringLiteral("no such table: OptionTable")); };
    open();
    form->Button1->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(handedTo, QStringList{QStringLiteral("CreateForm")});
    EXPECT_EQ(dialogs->lastText(), QStringLiteral("no such table: OptionTable"));
}

TEST_F(Browser, TheToolsPanelAndTheMusicBox)
{
    open();
    form->CheckBox2->click();
    EXPECT_FALSE(form->PanelTools1->isHidden());
    form->CheckBox2->click();
    EXPECT_TRUE(form->PanelTools1->isHidden());
    form->CBBackMusic->setChecked(false);
    EXPECT_FALSE(PConfigIni->ReadBool(Ini::BackMusic, Ini::CanPlay, true));
}

}  // namespace
