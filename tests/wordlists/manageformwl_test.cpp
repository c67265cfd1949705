#include "support/qstringprinter.h"
#include "wordlists/manageformwl.h"

#include "core/currentlist.h"
#include "core/listviews.h"
#include "support/columnfit.h"
#include "support/drivendate.h"
#include "services/richtext.h"
#include "wordlists/eventhook.h"
#include "wordlists/wordlistwindows.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

namespace {
const QString W = QStringLiteral("WordTable");
const QString L = QStringLiteral("L");
const QString K = QStringLiteral("单词");
using Rows = QList<QStringList>;
}  // namespace

class ManageFormWL : public WordListWindows {
protected:
    void SetUp() override
    {
        WordListWindows::SetUp();
        QFile pron(programDir + QStringLiteral("WordPron.dat"));
        ASSERT_TRUE(pron.open(QIODevice::WriteOnly));
        pron.write("app|\xC3\xA6p\napple|\xCB\x88\xC3\xA6pl\n");
        pron.close();
        newList(L);
        newList(QStringLiteral("L2"));
        addWord(L, QStringLiteral("apple"), QStringLiteral("苹果"));
        addWord(L, QStringLiteral("pear"), QStringLiteral("梨"), QStringLiteral("水果"));
        addWord(W, QStringLiteral("sun"));
        PSetCurrentTable(L);
        form = std::make_unique<TPManageFormWL>();
        QDir::setCurrent(programDir);
    }
    void TearDown() override
    {
        QDir::setCurrent(QDir::tempPath());
        form.reset();
        WordListWindows::TearDown();
    }
    // Every field of every row of T, in table order.
    Rows bank(const QString &T)
    {
        Rows out;
        dm->PSelectAllFromTable(T);
        dm->PQuery.open();
        while (!dm->PQuery.eof()) {
            QStringList row;
            for (const QString &f : dm->PQuery.fieldNames())
                row << dm->PQuery.fieldByName(f);
            out << row;
            dm->PQuery.next();
        }
        dm->PQuery.close();
        return out;
    }
    QTreeWidgetItem *item(int i) { return form->PLV->topLevelItem(i); }
    void pick(int i) { form->PLV->setCurrentItem(item(i)); }
    // Selects text in the example box as the learner does.
    void selectInExample(int from, int to)
    {
        QTextCursor c = form->Memo2->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        form->Memo2->setTextCursor(c);
    }
    void keyUp(Qt::Key key) { QTest::keyRelease(form->PLV, key); }
    std::unique_ptr<TPManageFormWL> form;
};

TEST_F(ManageFormWL, ActivationShowsTheCurrentListAndChoosingAnotherMakesItCurrent)
{
    ASSERT_TRUE(whileShown(form.get(), [&] {
        EXPECT_EQ(rows(form->PLV), (Rows{{"1", "apple", "苹果", "0", "0", "10", "基本词", ""},
                                         {"2", "pear", "梨", "0", "0", "10", "水果", ""}}));
        EXPECT_EQ(form->CBCurrentWTb->currentText(), L);
        EXPECT_EQ(form->CBCurrentWTb->count(), 3);
        EXPECT_EQ(form->LBWordCount->text(), QStringLiteral("2词"));
        QStringList categories;
        for (int i = 0; i < form->Edit5->count(); ++i)
            categories << form->Edit5->itemText(i);
        EXPECT_EQ(categories, (QStringList{"水果", "基本词", "派生词", "生僻词", "易混词"}));

        pick(1);
        EXPECT_EQ(form->Edit1->text(), QStringLiteral("pear"));
        EXPECT_EQ(form->Edit2->text(), QStringLiteral("梨"));
        EXPECT_EQ(form->Edit5->currentText(), QStringLiteral("水果"));
        EXPECT_EQ(form->ComboBox3->currentIndex(), -1);
        EXPECT_EQ(form->LBSelectFlag->text(), QStringLiteral("第2项"));

        form->CBCurrentWTb->setCurrentIndex(0);
        emit form->CBCurrentWTb->activated(0);
        EXPECT_EQ(PCurrentTable, W);
        EXPECT_EQ(captions(form->PLV), QStringList{"1"});
        EXPECT_EQ(form->LBWordCount->text(), QStringLiteral("1词"));
    }));
    PLoadCurrentTableName();
    EXPECT_EQ(PCurrentTable, W);
}

// The stored codes show whole in the list's large font: a five-digit ID, a standard category, "未知".
TEST_F(ManageFormWL, CodeColumnsShowTheirCellsWhole)
{
    raw(QStringLiteral("UPDATE L SET ID=ID+12344, 所属类别='易混词', 掌握类型='未知'"));
    ASSERT_TRUE(whileShown(form.get(), [&] {
        PExpectCellsWhole(form->PLV, {0, 6, 7});
        EXPECT_EQ(form->PLV->columnWidth(2), 360);
    }));
}

TEST_F(ManageFormWL, AddingFollowsThePhoneticsStoresANewWordAndRefusesItsDouble)
{
    DrivenDate date(QDateTime(QDate(2009, 3, 4), QTime(10, 0)));
    dm->PInsertOneRecordToTable(QStringLiteral("UsedWordTable"), K, QStringLiteral("plum"));
    const QString L2 = QStringLiteral("L2");
    ASSERT_TRUE(whileShown(form.get(), [&] {
        form->CBCurrentWTb->setCurrentText(L2);
        emit form->CBCurrentWTb->activated(form->CBCurrentWTb->currentIndex());
        ASSERT_EQ(PItemCount(form->PLV), 0);
        EXPECT_TRUE(form->Edit4->isReadOnly());
        form->NAppend->trigger();
        EXPECT_FALSE(form->Edit4->isReadOnly());
        EXPECT_FALSE(form->PLV->isEnabled());
        EXPECT_EQ(form->BTConfirm->text(), QStringLiteral("确认添加 &C"));
        QStringList phonetics;
        for (const char *c : {"a", "p", "p", "l", "e"}) {
            QTest::keyClicks(form->Edit1, QString::fromUtf8(c));
            phonetics << form->Edit4->text();
        }
        EXPECT_EQ(phonetics, (QStringList{"", "", "æp", "", "ˈæpl"}));

        // Refusals keep what was typed.
        form->BTConfirm->click();
        form->Edit2->setText(QStringLiteral("apple"));
        form->BTConfirm->click();
        EXPECT_EQ(form->Edit1->text(), QStringLiteral("apple"));
        EXPECT_EQ(form->Edit4->text(), QStringLiteral("ˈæpl"));

        form->Edit2->setText(QStringLiteral("苹果"));
        form->Edit3->setText(QStringLiteral("联想"));
        form->Memo1->setPlainText(QStringLiteral("详细"));
        form->Memo2->setPlainText(QStringLiteral("An apple a day.\n一天一苹果。"));
        selectInExample(3, 8);
        form->NStress->trigger();
        form->Edit5->setEditText(QStringLiteral("水果"));
        form->BTConfirm->click();
        EXPECT_TRUE(form->Edit1->text().isEmpty());
        EXPECT_TRUE(form->Memo2->toPlainText().isEmpty());
        EXPECT_EQ(form->PEditorMode(), QStringLiteral("添加"));
        EXPECT_EQ(form->LBWordCount->text(), QStringLiteral("1词"));

        form->Edit1->setText(QStringLiteral("Apple"));
        form->Edit2->setText(QStringLiteral("大苹果"));
        form->BTConfirm->click();
        EXPECT_EQ(form->Edit1->text(), QStringLiteral("Apple"));
        EXPECT_EQ(form->Edit2->text(), QStringLiteral("大苹果"));

        form->Edit1->setText(QStringLiteral("plum"));
        form->Edit2->setText(QStringLiteral("李子"));
        form->BTConfirm->click();
    }));
    EXPECT_EQ(messages(), (QStringList{"单词和解释都不能为空", "单词和解释不能完全相同", "该单词已存在"}));
    const Rows stored = bank(L2);
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(stored.at(0).mid(1), (QStringList{"apple", "ˈæpl", "苹果", "联想", "详细", "An apple a day.\n一天一苹果。", "0",
                                                "0", "10", "水果", "", "2009-03-04", "00"}));
    EXPECT_EQ(stored.at(1).mid(1),
              (QStringList{"plum", "", "李子", "", "", "", "0", "0", "0", "", "", "2009-03-04", "00"}));
    // The list shows each new word under its stored ID; its category only after a reload.
    EXPECT_EQ(rows(form->PLV), (Rows{{stored.at(0).at(0), "apple", "苹果", "0", "0", "10", "", "00"},
                                     {stored.at(1).at(0), "plum", "李子", "0", "0", "0", "", "00"}}));
}

TEST_F(ManageFormWL, SavingChangesEveryRowOfTheWordKeepsEmphasisAndOnlyTheShownCells)
{
    // A second row of the same word (a copy, as a move between lists leaves it).
    dm->PMoveOneRecordToTable(L, L, K, QStringLiteral("apple"));
    ASSERT_TRUE(whileShown(form.get(), [&] {
        pick(2);
        form->Edit2->setText(QStringLiteral("红苹果"));
        form->Edit5->setEditText(QStringLiteral("易混词"));
        form->ComboBox3->setCurrentText(QStringLiteral("11"));
        form->Memo1->setPlainText(QStringLiteral("详"));
        form->Memo2->setPlainText(QStringLiteral("An apple a day."));
        selectInExample(3, 8);
        form->NStressMore->trigger();
        form->BTConfirm->click();
        EXPECT_EQ(form->Edit5->currentText(), QStringLiteral("易混词"));
        EXPECT_EQ(rows(form->PLV).at(0), (QStringList{"1", "apple", "苹果", "0", "0", "10", "基本词", ""}));
        EXPECT_EQ(rows(form->PLV).at(2), (QStringList{"1", "apple", "红苹果", "0", "0", "10", "易混词", "11"}));

        pick(1);
        EXPECT_FALSE(form->Memo2->toHtml().contains(QStringLiteral("#ff0000")));
        pick(0);
        EXPECT_EQ(form->Edit2->text(), QStringLiteral("红苹果"));
        QTextCursor c(form->Memo2->document());
        c.setPosition(5);
        EXPECT_EQ(c.charFormat().fontWeight(), QFont::Bold);
        EXPECT_EQ(c.charFormat().foreground().color(), QColor(255, 0, 0));
        c.setPosition(1);
        EXPECT_NE(c.charFormat().fontWeight(), QFont::Bold);
    }));
    const Rows after = bank(L);
    for (int i : {0, 2}) {
        EXPECT_EQ(after.at(i).at(3), QStringLiteral("红苹果"));
        EXPECT_EQ(after.at(i).at(5), QStringLiteral("详"));
        EXPECT_TRUE(PIsRichTextSource(after.at(i).at(6)));
        EXPECT_EQ(after.at(i).at(10), QStringLiteral("易混词"));
        EXPECT_EQ(after.at(i).at(13), QStringLiteral("11"));
    }
    EXPECT_EQ(after.at(1).at(3), QStringLiteral("梨"));
    EXPECT_TRUE(messages().isEmpty()) << messages().join(QLatin1Char('|')).toStdString();
    // The rich text never went through a file.
    EXPECT_FALSE(QFile::exists(programDir + QStringLiteral("temp.txt")));
}

TEST_F(ManageFormWL, SavingGoesByTheWordInTheBoxNeverByAStaleRow)
{
    const Rows before = bank(L);
    ASSERT_TRUE(whileShown(form.get(), [&] {
        pick(0);
        form->PLVColumnClick(1);  // descending: pear, apple
        form->NAppend->trigger();
        form->Edit1->setText(QStringLiteral("kiwi"));
        form->BTextAddMode->click();
        EXPECT_EQ(form->PEditorMode(), QStringLiteral("编辑"));
        EXPECT_EQ(form->BTConfirm->text(), QStringLiteral("确认更改 &C"));
        EXPECT_TRUE(form->Edit1->isReadOnly());
        form->Edit2->setText(QStringLiteral("猕猴桃"));
        form->BTConfirm->click();

        // Another word typed over the shown one is saved, and the shown row keeps its cells.
        form->NAppend->trigger();
        form->Edit1->setText(QStringLiteral("pear"));
        form->BTextAddMode->click();
        form->Edit2->setText(QStringLiteral("大梨"));
        form->BTConfirm->click();
        EXPECT_EQ(field(L, QStringLiteral("pear"), QStringLiteral("解释")), QStringLiteral("大梨"));
        EXPECT_EQ(rows(form->PLV), (Rows{{"2", "pear", "梨", "0", "0", "10", "水果", ""},
                                         {"1", "apple", "苹果", "0", "0", "10", "基本词", ""}}));

        // The shown word deleted from under the fields.
        pick(0);
        ASSERT_EQ(form->Edit1->text(), QStringLiteral("pear"));
        form->NDelete->trigger();
        EXPECT_EQ(form->LBWordCount->text(), QStringLiteral("1词"));
        form->Edit2->setText(QStringLiteral("大梨"));
        form->BTConfirm->click();
        EXPECT_EQ(rows(form->PLV), (Rows{{"1", "apple", "苹果", "0", "0", "10", "基本词", ""}}));
    }));
    EXPECT_EQ(messages(), (QStringList{"更改kiwi失败", "更改pear失败"}));
    EXPECT_EQ(bank(L), before.mid(0, 1));
}

TEST_F(ManageFormWL, ShuffleKeepsEveryRowWithItsIdAndReloads)
{
    for (int i = 0; i < 20; ++i)
        addWord(L, QStringLiteral("w%1").arg(i));
    Rows before = bank(L);
    PRandSeed(7);
    dialogs->answer(Dialogs::No);
    dialogs->answer(Dialogs::Yes);
    ASSERT_TRUE(whileShown(form.get(), [&] {
        form->NShuffle->trigger();
        EXPECT_EQ(bank(L), before);
        form->NShuffle->trigger();
        EXPECT_EQ(form->activationCount(), 1);
        QStringList shownIds;
        for (const QStringList &r : bank(L))
            shownIds << r.at(0);
        EXPECT_EQ(captions(form->PLV), shownIds);
    }));
    Rows after = bank(L);
    EXPECT_NE(after, before);
    std::sort(after.begin(), after.end());
    std::sort(before.begin(), before.end());
    EXPECT_EQ(after, before);
    EXPECT_EQ(messages(), QStringList{"乱序成功"});
    EXPECT_FALSE(QFile::exists(programDir + QStringLiteral("temp.txt")));
}

TEST_F(ManageFormWL, ResetClearsTheStatisticsAndASaveKeepsItsMasterType)
{
    dm->PUpdateOneFieldFromTable(L, QStringLiteral("做过次数"), QStringLiteral("5"));
    dm->PUpdateOneFieldFromTable(L, QStringLiteral("掌握类型"), QStringLiteral("11"));
    dm->PUpdateOneFieldFromTable(W, QStringLiteral("掌握类型"), QStringLiteral("11"));
    dialogs->answer(Dialogs::Yes);
    ASSERT_TRUE(whileShown(form.get(), [&] {
        form->NReset->trigger();
        EXPECT_EQ(rows(form->PLV).at(1), (QStringList{"2", "pear", "梨", "0", "0", "10", "水果", "未知"}));
        pick(0);
        EXPECT_EQ(form->ComboBox3->currentIndex(), -1);
        EXPECT_EQ(form->ComboBox3->placeholderText(), QStringLiteral("未知"));
        form->Edit2->setText(QStringLiteral("青苹果"));
        form->BTConfirm->click();
        EXPECT_EQ(rows(form->PLV).at(0), (QStringList{"1", "apple", "青苹果", "0", "0", "10", "基本词", "未知"}));
        // A type chosen in the box is stored, and the next word shows its own.
        form->ComboBox3->setCurrentText(QStringLiteral("10"));
        form->BTConfirm->click();
        pick(1);
        EXPECT_EQ(form->ComboBox3->placeholderText(), QStringLiteral("未知"));
        EXPECT_EQ(form->ComboBox3->currentIndex(), -1);
    }));
    EXPECT_EQ(dialogs->shown().first().icon, Dialogs::Warning);
    EXPECT_EQ(messages(), QStringList{"单词数据复原成功"});
    EXPECT_EQ(form->activationCount(), 1);
    const Rows after = bank(L);
    EXPECT_EQ(after.at(0).mid(7), (QStringList{"0", "0", "10", "基本词", "未做", "2000-01-01", "10"}));
    EXPECT_EQ(after.at(1).mid(7), (QStringList{"0", "0", "10", "水果", "未做", "2000-01-01", "未知"}));
    EXPECT_EQ(field(W, QStringLiteral("sun"), QStringLiteral("掌握类型")), QStringLiteral("11"));
}

TEST_F(ManageFormWL, DeDuplicatingKeepsTheFirstOfEachSpellingAndTheCountLabel)
{
    dm->PInsertOneRecordToTable(L, K, QStringLiteral("apple"));
    dm->PInsertOneRecordToTable(L, K, QStringLiteral("Apple"));
    dialogs->answer(Dialogs::Yes);
    ASSERT_TRUE(whileShown(form.get(), [&] {
        form->NDedup->trigger();
        EXPECT_EQ(form->LBWordCount->text(), QStringLiteral("4词"));
    }));
    EXPECT_EQ(messages(), QStringList{"成功删除当前单词表中的重复单词"});
    EXPECT_EQ(column(L, K), (QStringList{"apple", "pear", "Apple"}));
    EXPECT_EQ(column(L, QStringLiteral("解释")).first(), QStringLiteral("苹果"));
}

TEST_F(ManageFormWL, ListMenuMovesAndRecategorisesTheSelectedWords)
{
    QStringList offered;
    ASSERT_TRUE(whileShown(form.get(), [&] {
        pick(0);
        answerChooser(QString());
        form->NMove->trigger();
        EXPECT_EQ(PItemCount(form->PLV), 2);
        answerChooser(QStringLiteral("L2"), &offered);
        form->NMove->trigger();
        pick(0);
        answerChooser(QStringLiteral("新类"));
        form->NCategory->trigger();
        EXPECT_EQ(rows(form->PLV), (Rows{{"2", "pear", "梨", "0", "0", "10", "新类", ""}}));
    }));
    EXPECT_EQ(offered, (QStringList{"WordTable", "L2"}));
    EXPECT_EQ(column(QStringLiteral("L2"), K), QStringList{"apple"});
    EXPECT_EQ(bank(L).size(), 1);
    EXPECT_EQ(field(L, QStringLiteral("pear"), QStringLiteral("所属类别")), QStringLiteral("新类"));
}

TEST_F(ManageFormWL, FunctionKeysToggleTheFieldsAndEscOnlyFocusesTheList)
{
    ASSERT_TRUE(whileShown(form.get(), [&] {
        QWidget *const fields[] = {form->Edit1, form->Edit4, form->Edit3, form->Edit2, form->Memo1, form->Memo2};
        for (int i = 0; i < 6; ++i) {
            keyUp(Qt::Key(Qt::Key_F1 + i));
            for (int k = 0; k < 6; ++k)
                EXPECT_EQ(fields[k]->isVisible(), k > i) << i << " " << k;
        }
        keyUp(Qt::Key_F1);
        EXPECT_TRUE(form->Edit1->isVisible());
        form->Edit3->setFocus();
        QTest::keyClick(form->Edit3, Qt::Key_Escape);
        EXPECT_TRUE(form->isVisible());
        EXPECT_TRUE(form->PLV->hasFocus());
    }));
}

struct BrowseLook {
    const char *mode;
    int wordWidth, meaningWidth;
    bool word, meaning;
};
void PrintTo(const BrowseLook &c, std::ostream *os) { PrintCase(os, c.mode); }

class ManageFormWLModes : public ManageFormWL, public ::testing::WithParamInterface<BrowseLook> {};

TEST_P(ManageFormWLModes, EachBrowseModeSizesTheColumnsAndHidesItsFields)
{
    const BrowseLook b = GetParam();
    ASSERT_TRUE(whileShown(form.get(), [&] {
        form->CBBrowseMode->setCurrentText(QStringLiteral("单词回想"));
        form->PSetBrowseMode(QStringLiteral("单词回想"));
        form->CBBrowseMode->setCurrentText(QString::fromUtf8(b.mode));
        emit form->CBBrowseMode->activated(form->CBBrowseMode->currentIndex());
        EXPECT_EQ(form->PLV->columnWidth(1), b.wordWidth);
        EXPECT_EQ(form->PLV->columnWidth(2), b.meaningWidth);
        EXPECT_EQ(form->Edit1->isVisible(), b.word);
        EXPECT_EQ(form->Edit4->isVisible(), b.word);
        EXPECT_EQ(form->Edit2->isVisible(), b.meaning);
        EXPECT_EQ(form->Edit3->isVisible(), b.meaning);
        EXPECT_EQ(form->Memo1->isVisible(), b.meaning);
        EXPECT_TRUE(form->Memo2->isVisible());
    }));
}

INSTANTIATE_TEST_SUITE_P(Table, ManageFormWLModes,
                         ::testing::Values(BrowseLook{"正常浏览", 120, 300, true, true},
                                           BrowseLook{"词义回想", 400, 20, true, false},
                                           BrowseLook{"单词回想", 20, 400, false, true}));

TEST_F(ManageFormWL, SelectingExampleTextOffersItsMenuUnlessOnlyBlanks)
{
    ASSERT_TRUE(whileShown(form.get(), [&] {
        form->Memo2->setPlainText(QStringLiteral("go   home 回家"));
        selectInExample(2, 5);
        form->offerExampleMenu(QPoint());
        EXPECT_FALSE(form->PopupMenu3->isVisible());
        selectInExample(0, 9);
        form->offerExampleMenu(QPoint());
        EXPECT_TRUE(form->PopupMenu3->isVisible());
        EXPECT_TRUE(form->NRead->isEnabled());
        form->PopupMenu3->hide();
        selectInExample(5, 12);
        EXPECT_FALSE(form->NRead->isEnabled());
        form->NStar->trigger();
        EXPECT_EQ(form->Memo2->toPlainText(), QStringLiteral("go   *"));
    }));
}

// The menu waits for a finished selection: keys that grow it keep the keyboard in the box.
TEST_F(ManageFormWL, TheExampleMenuOpensWhenASelectionIsFinishedNeverWhileItGrows)
{
    ASSERT_TRUE(whileShown(form.get(), [&] {
        form->activateWindow();
        form->Memo2->setPlainText(QStringLiteral("apple pie"));
        form->Memo2->setFocus();
        form->Memo2->moveCursor(QTextCursor::Start);
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(form->Memo2, Qt::Key_Right, Qt::ShiftModifier);
        EXPECT_FALSE(form->PopupMenu3->isVisible());
        EXPECT_EQ(form->Memo2->textCursor().selectedText(), QStringLiteral("apple"));
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(2, 2), form->Memo2->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(form->Memo2, &menuKey);
        EXPECT_TRUE(form->PopupMenu3->isVisible());
        form->PopupMenu3->hide();

        // A double-click picks a word and offers the menu once the button is up.
        QWidget *area = form->Memo2->viewport();
        const QPoint onPie = form->Memo2->cursorRect(QTextCursor(form->Memo2->document())).center() +
                             QPoint(form->Memo2->fontMetrics().horizontalAdvance(QStringLiteral("apple p")), 0);
        QTest::mouseDClick(area, Qt::LeftButton, Qt::NoModifier, onPie);
        QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, onPie);
        EXPECT_EQ(form->Memo2->textCursor().selectedText(), QStringLiteral("pie"));
        EXPECT_TRUE(form->PopupMenu3->isVisible());
        form->PopupMenu3->hide();
        // A plain click elsewhere leaves no selection and no menu.
        QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, onPie - QPoint(form->Memo2->fontMetrics().horizontalAdvance(QStringLiteral("le p")), 0));
        EXPECT_FALSE(form->Memo2->textCursor().hasSelection());
        EXPECT_FALSE(form->PopupMenu3->isVisible());
    }));
}

// The shown window taken apart while its example box holds a selection: once the editor's own
// part has ended, the button let go over that box in the teardown offers no menu.
TEST_F(ManageFormWL, TakingTheShownWindowApartRunsNoneOfItsHandlers)
{
    form->show();
    form->Memo2->setPlainText(QStringLiteral("go home"));
    selectInExample(0, 7);
    QWidget *area = form->Memo2->viewport();
    const QPointer<QMenu> menu = form->PopupMenu3;
    ASSERT_FALSE(menu->isVisible());
    bool probed = false, offered = false;
    PHookEvents(form.get(), [&](QEvent *) {
        if (PManageFormWL || probed)
            return false;
        probed = true;
        const QPointF at(2, 2);
        QMouseEvent up(QEvent::MouseButtonRelease, at, area->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                       Qt::NoModifier);
        QCoreApplication::sendEvent(area, &up);
        offered = menu->isVisible();
        return false;
    });
    form.reset();
    EXPECT_TRUE(probed);
    EXPECT_FALSE(offered);
    EXPECT_TRUE(menu.isNull());
}

// Selecting and saving a word without touching a field stores every field byte for byte; a
// changed plain field keeps the characters around the change; no font file erases nothing.
TEST_F(ManageFormWL, AnUnchangedSaveRewritesNothing)
{
    const QString nbsp(QChar(0xA0));
    const QString details = QStringLiteral("line\r\nnext") + nbsp + QStringLiteral("x") + QChar(0x2028) + QStringLiteral("y");
    const QString example = QStringLiteral("One\r\ntwo") + nbsp + QChar(0x2029) + QStringLiteral("three\r");
    for (const auto &[f, v] : {std::pair{QStringLiteral("详解"), details}, std::pair{QStringLiteral("例句"), example},
                               std::pair{QStringLiteral("音标"), QStringLiteral("\u02c8\u00e6p(\u0259)l")}})
        dm->PUpdateOneDataFromTable(L, K, f, QStringLiteral("apple"), v);
    ASSERT_FALSE(QFile::exists(programDir + QStringLiteral("ksphonet.ttf")));
    const Rows before = bank(L);
    Rows changed;
    ASSERT_TRUE(whileShown(form.get(), [&] {
        pick(0);
        EXPECT_EQ(form->Edit4->text(), QStringLiteral("\u02c8\u00e6p(\u0259)l"));
        form->BTConfirm->click();
        changed = bank(L);
        QTextCursor c(form->Memo1->document());
        c.movePosition(QTextCursor::End);
        c.insertText(QStringLiteral("!"));
        form->BTConfirm->click();
    }));
    EXPECT_EQ(changed, before);
    EXPECT_EQ(field(L, QStringLiteral("apple"), QStringLiteral("详解")), details + QStringLiteral("!"));
    EXPECT_EQ(field(L, QStringLiteral("apple"), QStringLiteral("例句")), example);
    EXPECT_TRUE(messages().isEmpty());
}

struct StoredMaster {
    const char *name;
    const char *type;
};

void PrintTo(const StoredMaster &m, std::ostream *os) { *os << m.name; }

class ManageFormWLMasterTypes : public ManageFormWL, public ::testing::WithParamInterface<StoredMaster> {};

// Whatever master type a word holds (one of the four choices, a quick-recall result, a reset's
// code, an odd stored text), the box shows it without offering it, and a save that leaves the box
// alone stores the row as it was.
TEST_P(ManageFormWLMasterTypes, ASaveThatLeavesTheBoxAloneKeepsTheStoredType)
{
    const QString type = QString::fromUtf8(GetParam().type);
    dm->PUpdateOneDataFromTable(L, K, QStringLiteral("掌握类型"), QStringLiteral("apple"), type);
    const Rows before = bank(L);
    QString shown;
    QStringList offered;
    Rows saved;
    ASSERT_TRUE(whileShown(form.get(), [&] {
        pick(1);
        pick(0);
        shown = form->ComboBox3->currentIndex() >= 0 ? form->ComboBox3->currentText()
                                                     : form->ComboBox3->placeholderText();
        for (int i = 0; i < form->ComboBox3->count(); ++i)
            offered << form->ComboBox3->itemText(i);
        form->BTConfirm->click();
        EXPECT_EQ(PSubItem(item(0), 6), type);
        saved = bank(L);
        // The word typed over emptied fields: its new meaning is stored, its master type kept.
        form->NAppend->trigger();
        form->Edit1->setText(QStringLiteral("apple"));
        form->BTextAddMode->click();
        form->Edit2->setText(QStringLiteral("青苹果"));
        form->BTConfirm->click();
    }));
    EXPECT_EQ(shown, type);
    EXPECT_EQ(offered, (QStringList{"11", "01", "10", "00"}));
    EXPECT_EQ(saved, before);
    EXPECT_EQ(field(L, QStringLiteral("apple"), QStringLiteral("解释")), QStringLiteral("青苹果"));
    EXPECT_EQ(field(L, QStringLiteral("apple"), QStringLiteral("掌握类型")), type);
    EXPECT_TRUE(messages().isEmpty()) << messages().join(QLatin1Char('|')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Stored, ManageFormWLMasterTypes,
                         ::testing::Values(StoredMaster{"Mastered", "11"}, StoredMaster{"Forgotten", "10"},
                                           StoredMaster{"RecalledFromEmpty", "1"},
                                           StoredMaster{"ForgottenFromEmpty", "0"},
                                           StoredMaster{"RecalledAfterReset", "知1"},
                                           StoredMaster{"AfterReset", "未知"},
                                           StoredMaster{"LeadingBlank", " 11"}, StoredMaster{"Empty", ""}),
                         [](const ::testing::TestParamInfo<StoredMaster> &i) { return std::string(i.param.name); });
