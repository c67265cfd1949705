// The review of wrong answers: meanings shown and hidden, the quick check, ticking and moving
// words to another list, and the hand-over to the dictionary.

#include "services/handovers.h"
#include "tools/showwrongform.h"

#include "core/currentlist.h"
#include "core/listviews.h"
#include "support/bankfixture.h"
#include "support/qstringprinter.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace {

const QString W = QStringLiteral("WordTable");

class Review : public BankFixture {
protected:
    void SetUp() override
    {
        BankFixture::SetUp();
        addWord(W, QStringLiteral("apple"), QStringLiteral("苹果"));
        addWord(W, QStringLiteral("pear"), QStringLiteral("梨"));
        addWord(W, QStringLiteral("plum"), QStringLiteral("李子"));
        dm->PCreateNewWordTable(W, QStringLiteral("Hard"), QStringLiteral("addname"));
        PSetCurrentTable(W);
        form = std::make_unique<TPShowWrongForm>();
        savedHandOvers = PHandOvers();
        PHandOvers().dictForm = [this](const QString &w, bool mayChange) {
            dictCalls << w + QLatin1Char('/') + (mayChange ? QStringLiteral("yes") : QStringLiteral("no"));
        };
    }
    void TearDown() override
    {
        PHandOvers() = savedHandOvers;
        form.reset();
        BankFixture::TearDown();
    }

    // Fills the list as a test tool does and shows it (not modally, so the test can drive it).
    void fill(const QStringList &words)
    {
        form->PFill(words);
        form->Show();
        QApplication::processEvents();
    }
    QStringList meanings() const
    {
        QStringList out;
        for (int i = 0; i < PItemCount(form->PLVsw); ++i)
            out << PSubItem(PItemAt(form->PLVsw, i), 0);
        return out;
    }
    QStringList captions() const
    {
        QStringList out;
        for (int i = 0; i < PItemCount(form->PLVsw); ++i)
            out << PCaption(PItemAt(form->PLVsw, i));
        return out;
    }
    void type(const QString &text, Qt::Key key = Qt::Key_Return)
    {
        form->MEpra->setText(text);
        QTest::keyClick(form->MEpra, key);
    }
    void tick(int i) { PItemAt(form->PLVsw, i)->setCheckState(0, Qt::Checked); }
    // Answers the list chooser once it shows: its first entry, or cancel.
    void chooseOnce(bool confirm)
    {
        QTimer::singleShot(0, [confirm] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("PChooseForm") && w->isVisible())
                    w->findChild<QPushButton *>(confirm ? QStringLiteral("PChooseOK") : QStringLiteral("PChooseCancel"))
                        ->click();
        });
    }
    QStringList bankState() { return column(W, QStringLiteral("单词")) + QStringList{QStringLiteral("|")} +
                                      column(QStringLiteral("Hard"), QStringLiteral("单词")); }

    std::unique_ptr<TPShowWrongForm> form;
    TPHandOvers savedHandOvers;
    QStringList dictCalls;
};

TEST_F(Review, LooksAsItShould)
{
    EXPECT_EQ(PShowWrongForm, form.get());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("错题回顾"));
    EXPECT_EQ(form->size(), QSize(575, 471));
    EXPECT_EQ(form->minimumSize(), QSize(575, 360));
    EXPECT_EQ(form->PLVsw->headerItem()->text(0), QStringLiteral("单词"));
    EXPECT_EQ(form->PLVsw->headerItem()->text(1), QStringLiteral("解释"));
    EXPECT_EQ(form->PLVsw->header()->sectionSize(0), 150);
    EXPECT_EQ(form->Button3->text(), QStringLiteral("转移..."));
    fill({QStringLiteral("apple")});
    EXPECT_EQ(PItemAt(form->PLVsw, 0)->data(0, Qt::CheckStateRole), QVariant(int(Qt::Unchecked)))
        << "every item has its tick box";
    EXPECT_EQ(form->MEpra->text(), QStringLiteral("【回车】清空，【F9】查词，【F8】朗读，【Esc】离开"));
    EXPECT_EQ(form->MEpra->selectedText(), form->MEpra->text()) << "typing replaces the first hint";
}

TEST_F(Review, EnterTogglesEveryRowOfTheTypedWordAndEmptiesTheBox)
{
    fill({QStringLiteral("pear"), QStringLiteral("apple"), QStringLiteral("pear")});
    type(QStringLiteral("pear"));
    EXPECT_EQ(meanings(), (QStringList{QStringLiteral("梨"), QString(), QStringLiteral("梨")}));
    EXPECT_TRUE(form->MEpra->text().isEmpty());
    type(QStringLiteral("Apple"));  // letter case counts
    EXPECT_EQ(meanings(), (QStringList{QStringLiteral("梨"), QString(), QStringLiteral("梨")}));
    EXPECT_TRUE(form->MEpra->text().isEmpty()) << "an unknown word is cleared all the same";
    type(QStringLiteral("pear"));
    EXPECT_EQ(meanings(), (QStringList{QString(), QString(), QString()}));
}

// The Enter that closed a test's summary comes up in the box: a key pressed elsewhere is not the box's.
TEST_F(Review, AKeyPressedBeforeTheReviewOpenedDoesNothingWhenItComesUp)
{
    fill({QStringLiteral("pear")});
    const QString hint = form->MEpra->text();
    QTest::keyRelease(form->MEpra, Qt::Key_Return);
    QTest::keyRelease(form->MEpra, Qt::Key_Escape);
    EXPECT_EQ(form->MEpra->text(), hint);
    EXPECT_TRUE(form->isVisible());
    form->MEpra->setText(QStringLiteral("pear"));
    QTest::keyClick(form->MEpra, Qt::Key_Return);
    EXPECT_EQ(meanings(), QStringList{QStringLiteral("梨")});
    EXPECT_TRUE(form->MEpra->text().isEmpty());
}

TEST_F(Review, AWordGoneFromTheListShowsAnEmptyMeaning)
{
    fill({QStringLiteral("ghost"), QStringLiteral("plum")});
    type(QStringLiteral("ghost"));
    type(QStringLiteral("plum"));
    EXPECT_EQ(meanings(), (QStringList{QString(), QStringLiteral("李子")}));
}

TEST_F(Review, DoubleClickAndRightReleaseToggleTheSelectedItem)
{
    fill({QStringLiteral("apple"), QStringLiteral("pear")});
    QWidget *vp = form->PLVsw->viewport();
    QTest::mouseDClick(vp, Qt::LeftButton, {}, QPoint(200, 200));  // below the items: still the first
    EXPECT_EQ(meanings(), (QStringList{QStringLiteral("苹果"), QString()}));
    form->PLVsw->setCurrentItem(PItemAt(form->PLVsw, 1));
    EXPECT_EQ(form->selectedIndex(), 1);
    QTest::mouseRelease(vp, Qt::RightButton, {}, form->PLVsw->visualItemRect(PItemAt(form->PLVsw, 1)).center());
    EXPECT_EQ(meanings(), (QStringList{QStringLiteral("苹果"), QStringLiteral("梨")}));
    QTest::mouseRelease(vp, Qt::RightButton, {}, QPoint(200, 200));
    EXPECT_EQ(meanings(), (QStringList{QStringLiteral("苹果"), QString()}));
}

TEST_F(Review, AnEmptyListOrASelectionPastItsEndDoesNothing)
{
    fill({});
    form->PLVswDblClick();
    form->SpeedButton13Click();
    type(QStringLiteral("apple"));
    dialogs->clear();
    const QStringList before = bankState();
    form->Button3Click();
    EXPECT_TRUE(dialogs->shown().isEmpty()) << "no chooser for an empty list";
    EXPECT_EQ(bankState(), before);

    fill({QStringLiteral("apple"), QStringLiteral("pear"), QStringLiteral("plum")});
    form->PLVsw->setCurrentItem(PItemAt(form->PLVsw, 2));
    // refilled without a new showing: the remembered index now lies past the end
    form->PFill({QStringLiteral("pear")});
    ASSERT_EQ(form->selectedIndex(), 2);
    form->PLVswDblClick();
    form->SpeedButton13Click();
    EXPECT_EQ(meanings(), QStringList{QString()});
    EXPECT_TRUE(dictCalls.isEmpty());
}

TEST_F(Review, TickAllAndInvert)
{
    fill({QStringLiteral("apple"), QStringLiteral("pear"), QStringLiteral("plum")});
    tick(1);
    form->Button2->click();
    auto states = [this] {
        QString s;
        for (int i = 0; i < PItemCount(form->PLVsw); ++i)
            s += PItemAt(form->PLVsw, i)->checkState(0) == Qt::Checked ? QLatin1Char('x') : QLatin1Char('-');
        return s;
    };
    EXPECT_EQ(states(), QStringLiteral("x-x"));
    form->Button1->click();
    EXPECT_EQ(states(), QStringLiteral("xxx"));
}

TEST_F(Review, MovingTickedWordsTakesThemFromTheListAndTheCurrentList)
{
    fill({QStringLiteral("apple"), QStringLiteral("pear"), QStringLiteral("plum")});
    const QStringList before = bankState();

    chooseOnce(true);
    form->Button3->click();  // nothing ticked
    EXPECT_EQ(bankState(), before);
    EXPECT_EQ(captions().size(), 3);

    tick(0);
    tick(2);
    chooseOnce(false);
    form->Button3->click();
    EXPECT_EQ(bankState(), before) << "cancelling the chooser changes nothing";

    form->PLVsw->setCurrentItem(PItemAt(form->PLVsw, 2));
    chooseOnce(true);
    form->Button3->click();
    EXPECT_EQ(captions(), QStringList{QStringLiteral("pear")});
    EXPECT_EQ(column(W, QStringLiteral("单词")), QStringList{QStringLiteral("pear")});
    QStringList moved = column(QStringLiteral("Hard"), QStringLiteral("单词"));
    moved.sort();
    EXPECT_EQ(moved, (QStringList{QStringLiteral("apple"), QStringLiteral("plum")}));
    EXPECT_EQ(form->selectedIndex(), 0);
}

TEST_F(Review, DictionaryAndEscOnKeyRelease)
{
    fill({QStringLiteral("apple"), QStringLiteral("pear")});
    form->PLVsw->setCurrentItem(PItemAt(form->PLVsw, 1));
    form->SpeedButton13->click();
    form->MEpra->setText(QStringLiteral("plum"));
    QTest::keyPress(form->MEpra, Qt::Key_F9);
    EXPECT_EQ(dictCalls.size(), 1) << "F9 acts when the key comes up";
    QTest::keyRelease(form->MEpra, Qt::Key_F9);
    EXPECT_EQ(dictCalls, (QStringList{QStringLiteral("pear/no"), QStringLiteral("plum/no")}));
    EXPECT_EQ(form->selectedIndex(), 1) << "the dictionary closing does not reset the selection";
    QTest::keyPress(form->MEpra, Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible());
    QTest::keyRelease(form->MEpra, Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(Review, ToolsOpenItOnlyWithWordsAndItStartsOnTheFirst)
{
    EXPECT_FALSE(PShowWrongWords({}));
    EXPECT_EQ(form->activationCount(), 0);

    form->PFill({QStringLiteral("old"), QStringLiteral("older")});
    form->PLVsw->setCurrentItem(PItemAt(form->PLVsw, 1));
    ASSERT_EQ(form->selectedIndex(), 1);
    QStringList seen;
    int selected = -1;
    QTimer::singleShot(0, [&] {
        QApplication::processEvents();  // the activation comes with the window system's events
        seen = captions() + meanings();
        selected = form->selectedIndex();
        form->close();
    });
    EXPECT_TRUE(PShowWrongWords({QStringLiteral("pear"), QStringLiteral("apple")}));
    EXPECT_EQ(seen, (QStringList{QStringLiteral("pear"), QStringLiteral("apple"), QString(), QString()}));
    EXPECT_EQ(selected, 0);
}

}  // namespace
