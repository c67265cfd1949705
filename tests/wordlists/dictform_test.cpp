#include "wordlists/dictform.h"

#include "core/currentlist.h"
#include "platform/inifile.h"
#include "platform/linklabel.h"
#include "services/publicform.h"
#include "support/banksnapshot.h"
#include "wordlists/eventhook.h"
#include "wordsvcfixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QTimer>

#include <optional>

namespace {

class DictForm : public WordServiceFixture {
protected:
    void SetUp() override
    {
        WordServiceFixture::SetUp();
        PDictFoundTable.clear();
        PDictFoundWord.clear();
        form = std::make_unique<TPDictForm>();
        dialogs->clear();
    }
    void TearDown() override
    {
        form.reset();
        WordServiceFixture::TearDown();
    }
    void lookUp(const QString &word)
    {
        form->MeWord->setText(word);
        form->PopFind0->trigger();
    }
    QString hint() const { return form->LBhint->text(); }
    // Nothing of a word is on show.
    void expectNoResult()
    {
        EXPECT_TRUE(form->EdMean->text().isEmpty());
        EXPECT_TRUE(form->EdPron->text().isEmpty());
        EXPECT_TRUE(form->RESent->toPlainText().isEmpty());
        EXPECT_TRUE(form->PnMove->isHidden());
        EXPECT_TRUE(form->GBadd->isHidden());
        EXPECT_TRUE(form->ImgWordSvc->isHidden());
    }
    QStringList moveTargets() const
    {
        QStringList out;
        for (int i = 0; i < form->CBWordTableMove->count(); ++i)
            out << form->CBWordTableMove->itemText(i);
        return out;
    }
    std::unique_ptr<TPDictForm> form;
};

// Look-ups that show nothing: what the status line says, and whether the service was asked.
struct Refusal {
    const char *typed;
    const char *hint;
    int requests;
};

void PrintTo(const Refusal &r, std::ostream *os) { *os << '"' << r.typed << '"'; }

class DictRefusal : public DictForm, public ::testing::WithParamInterface<Refusal> {};

TEST_P(DictRefusal, ShowsOnlyItsHintWithoutAnErrorBox)
{
    addWord(W, QStringLiteral("apple"));
    addWord(Temp, QStringLiteral("study"));
    addWord(W, QStringLiteral("study"));
    serveUnknown(QStringLiteral("xyzzy"));
    web.serve(query(QStringLiteral("broken")), "<dict><key>broken", "text/xml");
    web.serve(query(QStringLiteral("failing")), "oops", "text/plain", 500);
    // A result on show before the look-up goes.
    lookUp(QStringLiteral("apple"));
    ASSERT_FALSE(form->PnMove->isHidden());

    lookUp(QString::fromUtf8(GetParam().typed));
    EXPECT_EQ(hint(), QString::fromUtf8(GetParam().hint));
    expectNoResult();
    EXPECT_EQ(web.requestCount(), GetParam().requests);
    EXPECT_TRUE(dialogs->shown().isEmpty()) << dialogs->texts().join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Words, DictRefusal,
    ::testing::Values(Refusal{"study", "正在学习的单词不可查", 0}, Refusal{" study ", "正在学习的单词不可查", 0},
                      Refusal{"apple pie", "只能查英语单词", 0}, Refusal{"苹果", "只能查英语单词", 0},
                      Refusal{"xyzzy", "查无此词", 1}, Refusal{"broken", "海词网站的回应有误，请稍后再试", 1},
                      Refusal{"failing", "海词网站的回应有误，请稍后再试", 1}));

TEST_F(DictForm, AnEmptyWordBoxAsksForAWordAndKeepsTheResult)
{
    addWord(W, QStringLiteral("apple"));
    lookUp(QStringLiteral("apple"));
    lookUp(QString());
    EXPECT_EQ(hint(), QStringLiteral("请输入所查单词"));
    EXPECT_EQ(form->EdMean->text(), QStringLiteral("解释"));
}

// While the service is asked the window handles events: the status line says so, the learner's
// keys and a second look-up go nowhere. Each outcome has words of its own.
enum class Service { Knows, DoesNotKnow, IsSilent, Errs, IsDown };

struct Asking {
    Service service;
    const char *hint;
    int requests;
};

void PrintTo(const Asking &a, std::ostream *os) { *os << a.hint; }

class DictAsking : public DictForm, public ::testing::WithParamInterface<Asking> {};

TEST_P(DictAsking, TheWindowSaysItIsAskingTakesNoSecondLookUpAndEndsInTheOutcomesOwnWords)
{
    ShortHttpTimeouts quick(2000, 300);
    std::optional<ProxyEnvironment> down;
    const QString pear = QStringLiteral("pear");
    switch (GetParam().service) {
    case Service::Knows:
        serveWord(pear, pear, QStringLiteral("n. 梨"));
        break;
    case Service::DoesNotKnow:
        serveUnknown(pear);
        break;
    case Service::IsSilent:
        web.setSilent(true);
        break;
    case Service::Errs:
        web.serve(query(pear), "oops", "text/plain", 500);
        break;
    case Service::IsDown:
        down.emplace("http://127.0.0.1:" + QByteArray::number(LoopbackWeb::closedPort()));
        break;
    }
    addWord(W, QStringLiteral("apple"));
    lookUp(QStringLiteral("apple"));
    form->show();

    bool ran = false, findEnabled = true;
    QString during;
    QMetaObject::invokeMethod(
        form.get(),
        [&] {
            ran = true;
            during = hint();
            findEnabled = form->BTFind->isEnabled() || form->PopFind0->isEnabled();
            QTest::keyClicks(form->MeWord, QStringLiteral("s"));
            QTest::keyClick(form->MeWord, Qt::Key_Return);
            form->PFindWord();
        },
        Qt::QueuedConnection);
    lookUp(pear);
    QCoreApplication::removePostedEvents(form.get(), QEvent::MetaCall);

    EXPECT_TRUE(ran);
    EXPECT_EQ(during, QStringLiteral("正在查询海词网站……"));
    EXPECT_FALSE(findEnabled);
    EXPECT_EQ(form->MeWord->text(), pear);
    EXPECT_EQ(hint(), QString::fromUtf8(GetParam().hint));
    EXPECT_EQ(web.requestCount(), GetParam().requests);
    EXPECT_EQ(form->EdMean->text().isEmpty(), GetParam().service != Service::Knows);
    EXPECT_TRUE(form->BTFind->isEnabled());
    EXPECT_TRUE(form->PopFind0->isEnabled());
    EXPECT_TRUE(dialogs->shown().isEmpty()) << dialogs->texts().join('|').toStdString();
    form->hide();
}

INSTANTIATE_TEST_SUITE_P(Outcomes, DictAsking,
                         ::testing::Values(Asking{Service::Knows, "在海词网站上找到该词", 1},
                                           Asking{Service::DoesNotKnow, "查无此词", 1},
                                           Asking{Service::IsSilent, "海词网站没有回应，请稍后再试", 1},
                                           Asking{Service::Errs, "海词网站的回应有误，请稍后再试", 1},
                                           Asking{Service::IsDown, "无法连接海词网站，请检查网络连接", 0}));

TEST_F(DictForm, TheStatusLinePaintsTheAskingTextWhileASilentServiceKeepsTheLookUpWaiting)
{
    ShortHttpTimeouts quick(2000, 300);
    web.setSilent(true);
    form->show();
    bool looking = false;
    QStringList painted;
    PHookEvents(form->LBhint, [&](QEvent *e) {
        if (e->type() == QEvent::Paint && looking)
            painted << hint();
        return false;
    });
    looking = true;
    lookUp(QStringLiteral("pear"));
    looking = false;
    EXPECT_TRUE(painted.contains(QStringLiteral("正在查询海词网站……"))) << painted.join('|').toStdString();
    EXPECT_EQ(hint(), QStringLiteral("海词网站没有回应，请稍后再试"));
    expectNoResult();
    form->hide();
}

TEST_F(DictForm, TheWordBoxOpensWithItsTextSelectedSoTypingStartsANewWord)
{
    addWord(W, QStringLiteral("expend"));
    addWord(L1, QStringLiteral("serendipity"));
    lookUp(QStringLiteral("expend"));
    const bool opened = whileModal(form.get(), [&] { form->ShowModal(); }, [&] {
        QTest::keyClicks(form->MeWord, QStringLiteral("serendipity"));
        QTest::keyClick(form->MeWord, Qt::Key_Return);
        form->close();
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(form->MeWord->text(), QStringLiteral("serendipity"));
    EXPECT_EQ(PDictFoundTable, L1);
    EXPECT_EQ(web.requestCount(), 0);
}

TEST_F(DictForm, AWordInTwoListsIsFoundInWordTableAndMayMoveToEveryOtherList)
{
    addWord(L1, QStringLiteral("apple"), QStringLiteral("L1的解释"));
    addWord(W, QStringLiteral("apple"), QStringLiteral("n. 苹果"));
    dm->PUpdateOneDataFromTable(W, QStringLiteral("单词"), QStringLiteral("例句"), QStringLiteral("apple"),
                                QStringLiteral("An apple a day.\n每天一苹果。"));
    lookUp(QStringLiteral("apple"));
    EXPECT_EQ(hint(), QStringLiteral("在单词表“ WordTable ”中找到该词"));
    EXPECT_EQ(PDictFoundTable, W);
    EXPECT_EQ(PDictFoundWord, QStringLiteral("apple"));
    EXPECT_EQ(form->EdMean->text(), QStringLiteral("n. 苹果"));
    EXPECT_EQ(form->RESent->toPlainText(), QStringLiteral("An apple a day.\n每天一苹果。"));
    EXPECT_FALSE(form->PnMove->isHidden());
    EXPECT_TRUE(form->GBadd->isHidden());
    EXPECT_EQ(moveTargets(), (QStringList{L1, L2}));
    EXPECT_EQ(form->CBWordTableMove->currentText(), L1);
    EXPECT_EQ(web.requestCount(), 0);
}

// Word after word: every box shows the new word alone, and the move targets follow its list.
TEST_F(DictForm, EachFoundWordReplacesTheLastOneWhollyAndOffersEveryOtherList)
{
    addWord(W, QStringLiteral("apple"), QStringLiteral("n. 苹果"));
    for (const auto &f : {std::pair{"音标", "ˈæpl"}, {"详解", "详解"}, {"例句", "An apple a day."}})
        dm->PUpdateOneDataFromTable(W, QStringLiteral("单词"), QString::fromUtf8(f.first), QStringLiteral("apple"),
                                    QString::fromUtf8(f.second));
    addWord(L1, QStringLiteral("pear"), QStringLiteral("n. 梨"));
    addWord(L1, QStringLiteral("plum"), QStringLiteral("n. 李子"));

    lookUp(QStringLiteral("apple"));
    EXPECT_EQ(moveTargets(), (QStringList{L1, L2}));
    const QStringList shown{form->EdPron->text(), form->REExpl->toPlainText(), form->RESent->toPlainText()};
    ASSERT_EQ(shown, (QStringList{"ˈæpl", "详解", "An apple a day."}));
    lookUp(QStringLiteral("pear"));
    EXPECT_EQ(form->EdMean->text(), QStringLiteral("n. 梨"));
    for (const QString &left : {form->EdPron->text(), form->REExpl->toPlainText(), form->RESent->toPlainText()})
        EXPECT_TRUE(left.isEmpty()) << left.toStdString();
    EXPECT_EQ(moveTargets(), (QStringList{W, L2}));

    // The learner's pick goes back to the first target, and a new list is offered at once.
    form->CBWordTableMove->setCurrentText(L2);
    lookUp(QStringLiteral("plum"));
    EXPECT_EQ(form->CBWordTableMove->currentText(), W);
    form->CBWordTableMove->setCurrentText(L2);
    dm->PCreateNewWordTable(W, QStringLiteral("L3"), QStringLiteral("addname"));
    lookUp(QStringLiteral("plum"));
    EXPECT_EQ(moveTargets(), (QStringList{W, L2, QStringLiteral("L3")}));
    EXPECT_EQ(form->CBWordTableMove->currentText(), W);
    EXPECT_TRUE(dialogs->shown().isEmpty());

    // A list renamed as many lists as before; then names that cannot be read at all.
    raw(QStringLiteral("ALTER TABLE L2 RENAME TO L4"));
    raw(QStringLiteral("UPDATE TableNameTable SET 表名='L4' WHERE 表名='L2'"));
    lookUp(QStringLiteral("plum"));
    EXPECT_EQ(moveTargets(), (QStringList{W, QStringLiteral("L4"), QStringLiteral("L3")}));
    raw(QStringLiteral("ALTER TABLE TableNameTable RENAME TO Gone"));
    lookUp(QStringLiteral("apple"));
    EXPECT_EQ(form->EdMean->text(), QStringLiteral("n. 苹果"));
    EXPECT_EQ(moveTargets(), QStringList());
    EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("词库刷新出错")});
}

TEST_F(DictForm, MovingIntoAListThatHasTheWordChangesNothingAndMovingElsewhereTakesTheWholeRow)
{
    addTestedWord(W, QStringLiteral("apple"));
    addWord(W, QStringLiteral("pear"));
    addWord(L1, QStringLiteral("apple"), QStringLiteral("L1的解释"));
    const QStringList w = rows(W), l1 = rows(L1);

    lookUp(QStringLiteral("apple"));
    form->CBWordTableMove->setCurrentText(L1);
    form->Button1->click();
    EXPECT_EQ(hint(), QStringLiteral("单词表 L1 中已有该词"));
    EXPECT_EQ(rows(W), w);
    EXPECT_EQ(rows(L1), l1);
    expectNoResult();

    lookUp(QStringLiteral("apple"));
    form->CBWordTableMove->setCurrentText(L2);
    form->Button1->click();
    EXPECT_EQ(hint(), QStringLiteral("转移成功"));
    EXPECT_EQ(rows(L2), QStringList{w.first()});
    EXPECT_EQ(rows(W), QStringList{w.last()});
    EXPECT_EQ(rows(L1), l1);
}

TEST_F(DictForm, SaveDeleteAndMoveActOnlyOnTheWordFoundNeverOnAnEditedWordBox)
{
    addWord(W, QStringLiteral("apple"));
    addWord(W, QStringLiteral("apply"));
    const QStringList before = rows(W);
    for (QPushButton *command : {form->BTsave, form->Button5, form->Button1}) {
        lookUp(QStringLiteral("apple"));
        form->EdMean->setText(QStringLiteral("改过的解释"));
        form->MeWord->setText(QStringLiteral("apply"));
        command->click();
        EXPECT_EQ(hint(), QStringLiteral("单词改变，无法保存")) << command->objectName().toStdString();
        EXPECT_EQ(rows(W), before) << command->objectName().toStdString();
        EXPECT_TRUE(rows(L2).isEmpty());
    }
}

TEST_F(DictForm, DeleteTakesTheWordFromTheListItWasFoundInOnly)
{
    addWord(W, QStringLiteral("pear"));
    addWord(L1, QStringLiteral("apple"));
    addWord(L1, QStringLiteral("apple"));
    addWord(L2, QStringLiteral("apple"));
    const QStringList w = rows(W), l2 = rows(L2);
    lookUp(QStringLiteral("apple"));
    form->Button5->click();
    EXPECT_EQ(hint(), QStringLiteral("已删除"));
    EXPECT_TRUE(rows(L1).isEmpty());
    EXPECT_EQ(rows(L2), l2);
    EXPECT_EQ(rows(W), w);
    expectNoResult();
}

TEST_F(DictForm, SaveWritesTheFourFieldsOfTheFoundRowsAndRefusesAnEmptyMeaning)
{
    addTestedWord(L1, QStringLiteral("apple"));
    addTestedWord(L2, QStringLiteral("apple"));
    const QStringList l2 = rows(L2);
    lookUp(QStringLiteral("apple"));
    ASSERT_EQ(PDictFoundTable, L1);

    form->EdMean->clear();
    form->BTsave->click();
    EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("单词和解释都不能为空")});
    EXPECT_EQ(dm->PGetOneDataFromTable(QStringLiteral("解释"), L1, QStringLiteral("单词"), QStringLiteral("apple")),
              QStringLiteral("旧解释"));

    form->EdPron->setText(QStringLiteral("ˈæpl"));
    form->EdMean->setText(QStringLiteral("n. 苹果"));
    form->REExpl->setPlainText(QStringLiteral("新详解"));
    form->RESent->setPlainText(QStringLiteral("I like apples."));
    QTextCursor c(form->RESent->document());
    c.movePosition(QTextCursor::NextWord, QTextCursor::MoveAnchor, 2);
    c.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
    form->RESent->setTextCursor(c);
    form->PopSent4->trigger();  // "更突出"
    form->BTsave->click();

    auto field = [&](const char *f) {
        return dm->PGetOneDataFromTable(QString::fromUtf8(f), L1, QStringLiteral("单词"), QStringLiteral("apple"));
    };
    EXPECT_EQ(field("音标"), QStringLiteral("ˈæpl"));
    EXPECT_EQ(field("解释"), QStringLiteral("n. 苹果"));
    EXPECT_EQ(field("详解"), QStringLiteral("新详解"));
    EXPECT_EQ(field("联想"), QStringLiteral("记忆"));
    EXPECT_EQ(field("做过次数"), QStringLiteral("5"));
    EXPECT_EQ(rows(L2), l2);
    // The emphasis comes back when the word is shown again.
    lookUp(QStringLiteral("apple"));
    EXPECT_EQ(form->RESent->toPlainText(), QStringLiteral("I like apples."));
    QTextCursor shown(form->RESent->document());
    shown.setPosition(9);
    EXPECT_EQ(shown.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(shown.charFormat().foreground().color(), QColor(Qt::red));
    shown.setPosition(2);
    EXPECT_NE(shown.charFormat().fontWeight(), QFont::Bold);
}

// Details as another program may have stored them: Windows line ends, a lone CR, no-break spaces,
// Unicode line and paragraph separators. A plain-text box shows each of them otherwise.
const QString OddDetails = QStringLiteral("第一行\r\n第二\u00a0行\u2028第三行\u2029end\r");

TEST_F(DictForm, AnUnchangedSaveStoresTheDetailsByteForByteAndLeavesTheBankAsItWas)
{
    addTestedWord(W, QStringLiteral("apple"));
    dm->PUpdateOneDataFromTable(W, QStringLiteral("单词"), QStringLiteral("详解"), QStringLiteral("apple"), OddDetails);
    lookUp(QStringLiteral("apple"));
    form->BTsave->click();
    EXPECT_EQ(dm->PGetOneDataFromTable(QStringLiteral("详解"), W, QStringLiteral("单词"), QStringLiteral("apple")),
              OddDetails);
    // The example's markup is the rich edit's own after the first save: a second one changes nothing.
    const QStringList bank = bankSnapshot(dm->PConnection.handle());
    lookUp(QStringLiteral("apple"));
    form->BTsave->click();
    EXPECT_EQ(bankSnapshot(dm->PConnection.handle()), bank);
    EXPECT_TRUE(dialogs->shown().isEmpty()) << dialogs->texts().join('|').toStdString();
}

TEST_F(DictForm, AnEditedDetailsKeepsEveryCharacterTheLearnerDidNotTouch)
{
    addTestedWord(W, QStringLiteral("apple"));
    dm->PUpdateOneDataFromTable(W, QStringLiteral("单词"), QStringLiteral("详解"), QStringLiteral("apple"), OddDetails);
    lookUp(QStringLiteral("apple"));
    QTextCursor c = form->REExpl->document()->find(QStringLiteral("第二"));
    ASSERT_FALSE(c.isNull());
    c.insertText(QStringLiteral("2nd"));
    form->BTsave->click();
    EXPECT_EQ(dm->PGetOneDataFromTable(QStringLiteral("详解"), W, QStringLiteral("单词"), QStringLiteral("apple")),
              QStringLiteral("第一行\r\n2nd\u00a0行\u2028第三行\u2029end\r"));
}

TEST_F(DictForm, AnOnlineWordIsAddedAsOneNewRowWithTheFieldsOfANewWrongWord)
{
    writePhonetics("pear|peə\r\n");
    serveWord(QStringLiteral("pear"), QStringLiteral("pear"), QStringLiteral("n. 梨"), 1);
    addTestedWord(L1, QStringLiteral("apple"));
    const QStringList before = rows(L1);
    form->CBWordTableAdd->addItem(L1);

    lookUp(QStringLiteral("pear"));
    EXPECT_EQ(hint(), QStringLiteral("在海词网站上找到该词"));
    EXPECT_EQ(form->EdMean->text(), QStringLiteral("n. 梨"));
    EXPECT_EQ(form->EdPron->text(), QStringLiteral("peə"));
    EXPECT_EQ(form->RESent->toPlainText(), QStringLiteral("pear sentence 1.\n例句1。\n\n\n\n"));
    EXPECT_FALSE(form->GBadd->isHidden());
    EXPECT_FALSE(form->ImgWordSvc->isHidden());
    EXPECT_TRUE(form->PnMove->isHidden());

    form->CBWordTableAdd->setCurrentText(L1);
    form->Button4->click();
    EXPECT_EQ(hint(), QStringLiteral("添加成功"));
    expectNoResult();
    const QStringList after = rows(L1);
    ASSERT_EQ(after.size(), 2);
    EXPECT_EQ(after.first(), before.first());
    QStringList added = after.last().split('|');
    const QString sentences = added.takeAt(6);
    added.removeFirst();  // the counter's ID
    EXPECT_EQ(added, (QStringList{"pear", "peə", "n. 梨", "", "", "0", "0", "10", "", "错", "2026-03-04", "00"}));
    EXPECT_TRUE(sentences.startsWith("<!DOCTYPE HTML")) << sentences.toStdString();
    EXPECT_TRUE(sentences.contains("pear sentence 1.")) << sentences.toStdString();
}

TEST_F(DictForm, AddingUnderAnEditedWordLeavesTheListsRowOfThatWordIntact)
{
    serveWord(QStringLiteral("pear"), QStringLiteral("pear"), QStringLiteral("n. 梨"));
    addTestedWord(L1, QStringLiteral("apple"));
    const QString old = rows(L1).first();
    lookUp(QStringLiteral("pear"));
    form->MeWord->setText(QStringLiteral("apple"));
    form->CBWordTableAdd->addItem(L1);
    form->CBWordTableAdd->setCurrentText(L1);
    form->Button4->click();
    const QStringList after = rows(L1);
    ASSERT_EQ(after.size(), 2);
    EXPECT_EQ(after.first(), old);
    EXPECT_TRUE(after.last().contains("|apple||n. 梨|")) << after.last().toStdString();
}

TEST_F(DictForm, AFailedAddSaysSoAndKeepsTheResultOnShow)
{
    serveWord(QStringLiteral("pear"), QStringLiteral("pear"), QStringLiteral("n. 梨"));
    form->MeWord->setText(QStringLiteral("pear"));
    QTest::keyClick(form->MeWord, Qt::Key_Return);
    ASSERT_EQ(form->EdMean->text(), QStringLiteral("n. 梨"));
    form->CBWordTableAdd->addItem(QStringLiteral("Gone"));
    form->Button4->click();
    ASSERT_EQ(dialogs->shown().size(), 1);
    EXPECT_EQ(dialogs->shown().first().text, QStringLiteral("添加失败"));
    EXPECT_EQ(dialogs->shown().first().icon, Dialogs::Critical);
    EXPECT_EQ(form->EdMean->text(), QStringLiteral("n. 梨"));
    EXPECT_FALSE(form->GBadd->isHidden());
}

TEST_F(DictForm, AnEmptyMeaningOrAMeaningEqualToTheWordAddsNothingAndClearsSilently)
{
    serveWord(QStringLiteral("pear"), QStringLiteral("pear"), QStringLiteral("n. 梨"));
    form->CBWordTableAdd->addItem(L1);
    for (const QString &meaning : {QString(), QStringLiteral("pear")}) {
        lookUp(QStringLiteral("pear"));
        form->EdMean->setText(meaning);
        form->Button4->click();
        EXPECT_TRUE(rows(L1).isEmpty());
        EXPECT_TRUE(dialogs->shown().isEmpty());
        expectNoResult();
    }
}

struct Selection {
    const char *selected;
    bool read;
    bool find;
};

void PrintTo(const Selection &s, std::ostream *os) { *os << '"' << s.selected << '"'; }

class DictSentenceMenu : public DictForm, public ::testing::WithParamInterface<Selection> {};

TEST_P(DictSentenceMenu, ReadAndFindFollowTheSelection)
{
    addWord(Temp, QStringLiteral("study"));
    form->RESent->setPlainText(QStringLiteral("I study an apple pie 苹果派 daily."));
    const QString s = QString::fromUtf8(GetParam().selected);
    const int at = form->RESent->toPlainText().indexOf(s);
    ASSERT_GE(at, 0);
    QTextCursor c(form->RESent->document());
    c.setPosition(at);
    c.setPosition(at + int(s.size()), QTextCursor::KeepAnchor);
    form->RESent->setTextCursor(c);
    EXPECT_EQ(form->PopSent1->isEnabled(), GetParam().read);
    EXPECT_EQ(form->PopSent2->isEnabled(), GetParam().find);
}

INSTANTIATE_TEST_SUITE_P(Selections, DictSentenceMenu,
                         ::testing::Values(Selection{"apple", true, true}, Selection{" apple ", true, true},
                                           Selection{"I", true, false}, Selection{"an", true, true},
                                           Selection{"study", true, false}, Selection{"apple pie", true, false},
                                           Selection{"苹果派", false, false}));

TEST_F(DictForm, FindInTheSentenceMenuLooksUpTheTrimmedSelection)
{
    addWord(L2, QStringLiteral("apple"));
    form->RESent->setPlainText(QStringLiteral("an apple "));
    QTextCursor c(form->RESent->document());
    c.setPosition(2);
    c.setPosition(9, QTextCursor::KeepAnchor);
    form->RESent->setTextCursor(c);
    form->PopSent2->trigger();
    EXPECT_EQ(form->MeWord->text(), QStringLiteral("apple"));
    EXPECT_EQ(PDictFoundTable, L2);
}

TEST_F(DictForm, TheSharedWindowOpensItModallyWithoutMoveAndDeleteWhichComeBackOnEsc)
{
    TPPublicForm shared;
    addWord(L1, QStringLiteral("apple"));
    PSetCurrentTable(L1);
    PConfigIni->WriteInteger(QStringLiteral("DictForm"), QStringLiteral("详解框宽"), 250);
    const bool seen = whileModal(
        form.get(), [&] { shared.PShowWordInDict(QStringLiteral("apple"), QStringLiteral("no")); },
        [&] {
            EXPECT_EQ(form->MeWord->text(), QStringLiteral("apple"));
            EXPECT_EQ(hint(), QStringLiteral("在单词表“ L1 ”中找到该词"));
            EXPECT_FALSE(form->PnMove->isHidden());
            EXPECT_TRUE(form->GBMove->isHidden());
            EXPECT_TRUE(form->GBDelete->isHidden());
            EXPECT_EQ(form->REExpl->width(), 250);
            QStringList targets;
            for (int i = 0; i < form->CBWordTableAdd->count(); ++i)
            targets << form->CBWordTableAdd->itemText(i);
            EXPECT_EQ(targets, (QStringList{W, L1, L2}));
            EXPECT_EQ(form->CBWordTableAdd->currentText(), L1);
            QTest::keyRelease(form->MeWord, Qt::Key_Escape);
        });
    EXPECT_TRUE(seen);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->GBMove->isHidden());
    EXPECT_FALSE(form->GBDelete->isHidden());
    EXPECT_FALSE(form->GBadd->isHidden());
    // The look-up state outlives the window.
    EXPECT_EQ(PDictFoundTable, L1);
}

// The shown window taken apart while its word box has the focus: the focus change and hiding of
// that teardown reach none of the window's handlers, and once the dictionary's own part has ended
// its details box gaining the focus no longer brings up the mark button.
TEST_F(DictForm, TakingTheShownWindowApartRunsNoneOfItsHandlers)
{
    form->show();
    QApplication::setActiveWindow(form.get());
    form->MeWord->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), form->MeWord);
    QTextEdit *details = form->REExpl;
    const QPointer<QToolButton> marks = form->SBinsert;
    ASSERT_TRUE(marks->isHidden());
    bool probed = false, shown = false;
    PHookEvents(form.get(), [&](QEvent *) {
        if (PDictForm || probed)
            return false;
        probed = true;
        QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(details, &in);
        shown = !marks->isHidden();
        return false;
    });
    form.reset();
    EXPECT_TRUE(probed);
    EXPECT_FALSE(shown);
    EXPECT_TRUE(marks.isNull());
}

// What the window shows at a time, the look-ups and openings that lead there.
enum class Showing { Nothing, ListWord, OnlineWord, ListWordReopened, MarkButton };

const char *showingName(Showing s)
{
    switch (s) {
    case Showing::Nothing: return "Nothing";
    case Showing::ListWord: return "ListWord";
    case Showing::OnlineWord: return "OnlineWord";
    case Showing::ListWordReopened: return "ListWordReopened";
    case Showing::MarkButton: return "MarkButton";
    }
    return "";
}

void PrintTo(Showing s, std::ostream *os) { *os << showingName(s); }

class DictLayout : public DictForm {
protected:
    void SetUp() override
    {
        DictForm::SetUp();
        dm->PCreateNewWordTable(W, QStringLiteral("TOEFL core"), QStringLiteral("addname"));
        addWord(L1, QStringLiteral("apple"));
        serveWord(QStringLiteral("pear"), QStringLiteral("pear"), QStringLiteral("n. 梨"));
    }
    void TearDown() override
    {
        form->hide();
        DictForm::TearDown();
    }
    void show(Showing s)
    {
        form->show();
        if (s == Showing::ListWord || s == Showing::ListWordReopened || s == Showing::MarkButton) {
            lookUp(QStringLiteral("apple"));
            form->CBWordTableMove->setCurrentText(QStringLiteral("TOEFL core"));
        }
        if (s == Showing::OnlineWord)
            lookUp(QStringLiteral("pear"));
        if (s == Showing::ListWordReopened || s == Showing::MarkButton) {
            form->close();
            form->show();
        }
        if (s == Showing::MarkButton) {
            QApplication::setActiveWindow(form.get());
            form->REExpl->setFocus();
        }
        QCoreApplication::processEvents();
    }
    // Every control on show, by name (unnamed ones by kind and place in their parent), with its
    // place in the window.
    QMap<QString, QRect> places() const
    {
        QMap<QString, QRect> out;
        for (QWidget *w : shown(form.get()))
            out.insert(nameOf(w), QRect(w->mapTo(form.get(), QPoint()), w->size()));
        return out;
    }
    // What a learner would see cut or overlapping: a control given less than it needs, reaching
    // out of its parent or over a sibling, a list box too narrow for the name it shows.
    QStringList faults() const
    {
        QStringList out;
        for (QWidget *w : shown(form.get())) {
            const QSize least = w->minimumSize().isNull() ? w->minimumSizeHint() : w->minimumSize();
            if (w->width() < least.width() || w->height() < least.height())
                out << nameOf(w) + QStringLiteral(" squeezed");
            if (w->parentWidget() != form.get() && !w->parentWidget()->rect().contains(w->geometry()))
                out << nameOf(w) + QStringLiteral(" reaches out of its parent");
            for (QWidget *other : shown(w->parentWidget(), false))
                if (other != w && nameOf(w) < nameOf(other) && w->geometry().intersects(other->geometry()))
                    out << nameOf(w) + QStringLiteral(" overlaps ") + nameOf(other);
            if (auto *c = qobject_cast<QComboBox *>(w)) {
                QStyleOptionComboBox o;
                o.initFrom(c);
                const QRect field = c->style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, c);
                if (field.width() < c->fontMetrics().horizontalAdvance(c->currentText()))
                    out << nameOf(w) + QStringLiteral(" cuts ") + c->currentText();
            }
        }
        return out;
    }

private:
    static QList<QWidget *> shown(QWidget *parent, bool deep = true)
    {
        QList<QWidget *> out;
        for (QWidget *w : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!w->isVisible() || w->isWindow() || w->objectName().startsWith(QLatin1String("qt_")))
                continue;
            out << w;
            if (deep && !qobject_cast<QComboBox *>(w) && !qobject_cast<QTextEdit *>(w))
                out << shown(w);
        }
        return out;
    }
    static QString nameOf(const QWidget *w)
    {
        if (!w->objectName().isEmpty())
            return w->objectName();
        const auto *label = qobject_cast<const QLabel *>(w);
        return QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(':') +
               (label ? label->text() : QString::number(w->parentWidget()->children().indexOf(const_cast<QWidget *>(w))));
    }
};

class DictLayoutShowing : public DictLayout, public ::testing::WithParamInterface<Showing> {};

TEST_P(DictLayoutShowing, NothingIsCutOrOverlapping)
{
    show(GetParam());
    EXPECT_EQ(faults(), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Windows, DictLayoutShowing,
                         ::testing::Values(Showing::Nothing, Showing::ListWord, Showing::OnlineWord,
                                           Showing::ListWordReopened, Showing::MarkButton),
                         [](const ::testing::TestParamInfo<Showing> &i) { return std::string(showingName(i.param)); });

// Look-up after look-up, each with its own status line, and the mark button coming and going: a
// control on show stands where it stood whenever it was on show before.
TEST_F(DictLayout, EachControlKeepsItsPlaceWhateverTheWindowShows)
{
    QMap<QString, QRect> first;
    QStringList moved;
    const auto compare = [&](const char *when) {
        const QMap<QString, QRect> now = places();
        for (auto it = now.cbegin(); it != now.cend(); ++it) {
            if (!first.contains(it.key()))
                first.insert(it.key(), it.value());
            else if (first.value(it.key()) != it.value())
                moved << it.key() + QStringLiteral(" after ") + QString::fromLatin1(when);
        }
    };
    for (Showing s : {Showing::Nothing, Showing::ListWord, Showing::OnlineWord, Showing::MarkButton,
                      Showing::ListWordReopened}) {
        show(s);
        compare(showingName(s));
        if (s == Showing::Nothing) {
            EXPECT_EQ(hint(), QString());
        }
    }
    lookUp(QStringLiteral("apple pie"));
    compare("a refused word");
    form->LBhint->setText(QString(80, QLatin1Char('x')));
    compare("a long status line");
    EXPECT_EQ(moved, QStringList());
    EXPECT_TRUE(first.contains(QStringLiteral("ImgWordSvc")));
    EXPECT_TRUE(first.contains(QStringLiteral("SBinsert")));
    EXPECT_TRUE(first.contains(QStringLiteral("GBMove")));
}

TEST_F(DictForm, MovingTheSplitterStoresTheDetailsWidth)
{
    form->Show();
    form->Splitter1->setSizes({310, 200});
    emit form->Splitter1->splitterMoved(310, 1);
    EXPECT_EQ(PConfigIni->ReadInteger(QStringLiteral("DictForm"), QStringLiteral("详解框宽"), 0), 310);
    form->hide();
}

TEST_F(DictForm, CollapsingCutsTheWindowToItsUpperPart)
{
    form->CheckBox1->click();
    EXPECT_EQ(form->height(), 182);
    form->CheckBox1->click();
    EXPECT_EQ(form->height(), 371);
}

}  // namespace
