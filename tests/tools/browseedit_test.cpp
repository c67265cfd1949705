// The word browser's editing: saving, emphasis, marks, categories, the online overwrite, the
// look-up menus and the hand-overs on the study group.

#include "platform/http.h"
#include "platform/inifile.h"
#include "services/addresses.h"
#include "services/richtext.h"
#include "services/webaccess.h"
#include "support/loopbackweb.h"
#include "support/qstringprinter.h"
#include "support/recordingbrowser.h"
#include "tools/browsefixture.h"
#include "wordlists/eventhook.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDomDocument>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTextBlock>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <optional>

namespace {

class BrowserEditing : public BrowseFixture {
protected:
    // apple twice (IDs 1 and 4), as a list can hold a spelling twice.
    void SetUp() override
    {
        BrowseFixture::SetUp();
        makeGroup({QStringLiteral("apple"), QStringLiteral("banana"), QStringLiteral("cherry"), QStringLiteral("apple")});
        open();
        form->CheckBox1->setChecked(false);
    }

    void editShown(const QString &meaning)
    {
        form->Edit2->setText(meaning);
        form->Edit3->setText(QStringLiteral("联想"));
        form->Edit4->setText(QStringLiteral("ph"));
        form->Edit5->setEditText(QStringLiteral("新类"));
        form->ReExpl->setPlainText(QStringLiteral("详解"));
        form->ReSent->setPlainText(QStringLiteral("A sentence."));
    }
    // What a save of the shown word must leave in both tables.
    Bank savedAs(Bank b, const QString &word, const QString &meaning) const
    {
        const QString sentences = PRichTextOf(form->ReSent);
        for (const QString &t : {Tbl::WordTable, Tbl::TempTable}) {
            const QList<std::pair<QString, QString>> fields = {
                {Col::Explanation, meaning}, {Col::Association, QStringLiteral("联想")}, {Col::Phonetic, QStringLiteral("ph")},
                {Col::Category, QStringLiteral("新类")}, {Col::Details, QStringLiteral("详解")}, {Col::Example, sentences}};
            for (const auto &f : fields)
                expectSet(b, t, word, f.first, f.second);
        }
        return b;
    }
    void selectText(QTextEdit *edit, int from, int to)
    {
        QTextCursor c = edit->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        edit->setTextCursor(c);
    }
    QTextCharFormat formatAt(QTextEdit *edit, int position)
    {
        QTextCursor c(edit->document());
        c.setPosition(position + 1);
        return c.charFormat();
    }
};

TEST_F(BrowserEditing, ASaveAfterASortWritesTheShownWordToBothTablesAndItsOwnRows)
{
    selectOnly({QStringLiteral("apple")});
    const int browseIndex = PBrowseIndex;
    form->PListView->header()->sectionClicked(1);  // descending by word: the rows move
    ASSERT_NE(rowOf(QStringLiteral("apple")), browseIndex);
    const Bank before = bank();
    editShown(QStringLiteral("苹果"));
    Sound::clearRequests();
    form->Button4->click();

    EXPECT_EQ(bank(), savedAs(before, QStringLiteral("apple"), QStringLiteral("苹果")));
    EXPECT_TRUE(PIsRichTextSource(QString::fromStdString(bank()["WordTable"][0]["例句"])));
    for (int i = 0; i < PItemCount(form->PListView); ++i) {
        QTreeWidgetItem *item = PItemAt(form->PListView, i);
        const bool apple = PSubItem(item, 0) == QStringLiteral("apple");
        EXPECT_EQ(PSubItem(item, 1), apple ? QStringLiteral("苹果") : PSubItem(item, 0) + QStringLiteral("义"));
        EXPECT_EQ(PSubItem(item, 5), apple ? QStringLiteral("新类") : QStringLiteral("基本词"));
    }
    // The new category is offered and stays in the box.
    EXPECT_EQ(form->Edit5->currentText(), QStringLiteral("新类"));
    EXPECT_EQ(form->Edit5->itemText(0), QStringLiteral("新类"));
    EXPECT_EQ(spoken(), QStringList{QStringLiteral("ok")});
    EXPECT_TRUE(dialogs->shown().isEmpty());
}

TEST_F(BrowserEditing, ASaveDuringAutoBrowseOnTheLastRowWritesThatRow)
{
    form->SBStartClick();
    const int last = PItemCount(form->PListView) - 1;
    while (PBrowseIndex <= last)
        clock->advance(2000);
    const QString word = listWords()[last];
    ASSERT_EQ(form->Edit1->text(), word);
    const Bank before = bank();
    editShown(QStringLiteral("新义"));
    form->Button4Click();
    EXPECT_EQ(bank(), savedAs(before, word, QStringLiteral("新义")));
    EXPECT_EQ(cell(word, ModeCol::BrowseForm::Explanation), QStringLiteral("新义"));
    EXPECT_EQ(spoken(), QStringList{QStringLiteral("ok")});
    EXPECT_TRUE(dialogs->shown().isEmpty());
}

TEST_F(BrowserEditing, ARefusedMeaningWritesNothingAndSaysNoOk)
{
    selectOnly({QStringLiteral("banana")});
    const Bank before = bank();
    const QList<std::pair<const char *, const char *>> refused = {{"", "单词和解释都不能为空"},
                                                                  {"banana", "单词和解释不能完全相同"}};
    for (const auto &r : refused) {
        dialogs->clear();
        editShown(QString::fromUtf8(r.first));
        form->Button4Click();
        EXPECT_EQ(dialogs->texts(), QStringList{QString::fromUtf8(r.second)});
        EXPECT_EQ(form->Edit3->text(), QStringLiteral("联想"));  // the edits stay
    }
    EXPECT_EQ(bank(), before);
    EXPECT_TRUE(spoken().isEmpty());
    EXPECT_EQ(cell(QStringLiteral("banana"), ModeCol::BrowseForm::Explanation), QStringLiteral("banana义"));
}

TEST_F(BrowserEditing, WithoutThePhoneticFontASaveKeepsTheStoredTranscription)
{
    for (const QString &t : {Tbl::WordTable, Tbl::TempTable})
        dm->PUpdateOneDataFromTable(t, Col::Word, Col::Phonetic, QStringLiteral("cherry"), QStringLiteral("'tʃeri"));
    const QString nbsp(QChar(0xA0));
    const QString details = QStringLiteral("a\r\nb") + nbsp + QStringLiteral("c") + QChar(0x2028) + QStringLiteral("d") + QChar(0x2029);
    for (const QString &t : {Tbl::WordTable, Tbl::TempTable}) {
        dm->PUpdateOneDataFromTable(t, Col::Word, Col::Details, QStringLiteral("cherry"), details);
        dm->PUpdateOneDataFromTable(t, Col::Word, Col::Example, QStringLiteral("cherry"), QStringLiteral("One cherry.\r\nTwo."));
    }
    selectOnly({QStringLiteral("cherry")});
    // The transcription and the untouched details stay as stored; the example is written as
    // the sentence box's rich text on every save, showing the same lines.
    Bank expected = bank();
    for (const QString &t : {Tbl::WordTable, Tbl::TempTable}) {
        expectSet(expected, t, QStringLiteral("cherry"), Col::Explanation, QStringLiteral("樱桃"));
        expectSet(expected, t, QStringLiteral("cherry"), Col::Example, PRichTextOf(form->ReSent));
    }
    form->Edit2->setText(QStringLiteral("樱桃"));
    form->Button4Click();
    EXPECT_EQ(bank(), expected);
    const QString stored = dm->PGetOneDataFromTable(Col::Example, Tbl::TempTable, Col::Word, QStringLiteral("cherry"));
    EXPECT_TRUE(PIsRichTextSource(stored));
    QTextEdit shown;
    PShowStoredText(&shown, stored);
    EXPECT_EQ(shown.toPlainText(), QStringLiteral("One cherry.\nTwo."));

    // A change in the details keeps every character around it.
    QTextCursor c(form->ReExpl->document());
    c.setPosition(1);
    c.insertText(QStringLiteral("X"));
    form->Button4Click();
    EXPECT_EQ(dm->PGetOneDataFromTable(Col::Details, Tbl::WordTable, Col::Word, QStringLiteral("cherry")), QStringLiteral("aX") + details.mid(1));
    EXPECT_TRUE(dialogs->shown().isEmpty());
}

TEST_F(BrowserEditing, ASaveThatFailsHalfwayWritesNeitherTable)
{
    selectOnly({QStringLiteral("banana")});
    const QStringList meanings = column(Tbl::WordTable, Col::Explanation);
    raw(QStringLiteral("alter table TempTable rename to GoneTable"));
    editShown(QStringLiteral("香蕉"));
    form->Button4Click();
    EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("更改banana失败")});
    EXPECT_EQ(column(Tbl::WordTable, Col::Explanation), meanings);
    EXPECT_EQ(cell(QStringLiteral("banana"), ModeCol::BrowseForm::Explanation), QStringLiteral("banana义"));
    EXPECT_TRUE(spoken().isEmpty());
}

TEST_F(BrowserEditing, EmphasisInTheSentencesSurvivesSavingAndReselectionButNotInTheDetails)
{
    selectOnly({QStringLiteral("cherry")});
    form->ReSent->setPlainText(QStringLiteral("One cherry.\n一颗樱桃。"));
    form->ReExpl->setPlainText(QStringLiteral("Details here"));
    selectText(form->ReSent, 4, 10);
    form->findChild<QAction *>(QStringLiteral("N10"))->trigger();  // 更突出
    selectText(form->ReSent, 0, 3);
    form->findChild<QAction *>(QStringLiteral("N12"))->trigger();  // 突出
    selectText(form->ReSent, 1, 2);
    form->findChild<QAction *>(QStringLiteral("N11"))->trigger();  // 取消突出 on the "n"
    selectText(form->ReExpl, 0, 7);
    form->findChild<QAction *>(QStringLiteral("PopExpl5"))->trigger();
    ASSERT_EQ(formatAt(form->ReExpl, 0).fontWeight(), QFont::Bold);
    form->Button4Click();

    selectOnly({QStringLiteral("banana")});
    selectOnly({QStringLiteral("cherry")});
    EXPECT_EQ(form->ReSent->toPlainText(), QStringLiteral("One cherry.\n一颗樱桃。"));
    // "One" bold but its "n" reset, "cherry" bold red, the translation plain.
    const QList<std::tuple<int, bool, bool>> expected = {{0, true, false}, {1, false, false}, {2, true, false},
                                                         {5, true, true}, {11, false, false}};
    for (const auto &[position, bold, red] : expected) {
        const QTextCharFormat f = formatAt(form->ReSent, position);
        EXPECT_EQ(f.fontWeight() == QFont::Bold, bold) << position;
        EXPECT_EQ(f.foreground().color() == QColor(255, 0, 0), red) << position;
    }
    EXPECT_EQ(form->ReExpl->toPlainText(), QStringLiteral("Details here"));
    EXPECT_NE(formatAt(form->ReExpl, 0).fontWeight(), QFont::Bold);
    EXPECT_EQ(column(Tbl::TempTable, Col::Details)[2], QStringLiteral("Details here"));
}

TEST_F(BrowserEditing, MarksChangeTheSelectedRowsByTheirIdOnly)
{
    selectOnly({QStringLiteral("banana")});
    PItemAt(form->PListView, rowOf(QStringLiteral("apple")))->setSelected(true);
    const QString appleId = PCaption(PItemAt(form->PListView, rowOf(QStringLiteral("apple"))));
    const QList<std::pair<const char *, QString>> marks = {{"N23", Code::Master11}, {"N22", Code::Master00}};
    for (const auto &m : marks) {
        Bank expected = bank();
        for (const QString &t : {Tbl::WordTable, Tbl::TempTable}) {
            expectSet(expected, t, QStringLiteral("banana"), Col::MasterType, m.second);
            expectSet(expected, t, QStringLiteral("apple"), Col::MasterType, m.second, appleId.toInt());
        }
        form->findChild<QAction *>(QString::fromUtf8(m.first))->trigger();
        EXPECT_EQ(bank(), expected) << m.first;
        EXPECT_EQ(cell(QStringLiteral("banana"), ModeCol::BrowseForm::MasterType), m.second);
    }
    EXPECT_TRUE(dialogs->shown().isEmpty());

    // A refused mark writes neither table, says so once and leaves the list as it was.
    Bank before = bank();
    refuse(QStringLiteral("update"), Tbl::TempTable, QStringLiteral("new.ID = ") + appleId);
    form->findChild<QAction *>(QStringLiteral("N23"))->trigger();
    EXPECT_EQ(bank(), before);
    EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("词库更新失败")});
    EXPECT_EQ(cell(QStringLiteral("banana"), ModeCol::BrowseForm::MasterType), Code::Master00);
}

TEST_F(BrowserEditing, ANewCategoryFromTheChooserGoesToTheSelectedRowsOfBothTables)
{
    selectOnly({QStringLiteral("cherry")});
    form->Edit2->setText(QStringLiteral("未保存的编辑"));
    Bank expected = bank();
    for (const QString &t : {Tbl::WordTable, Tbl::TempTable})
        expectSet(expected, t, QStringLiteral("cherry"), Col::Category, QStringLiteral("水果"));
    QString title;
    QTimer::singleShot(0, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("PChooseForm") && w->isVisible()) {
                title = w->findChild<QLabel *>(QStringLiteral("PChoosePrompt"))->text();
                w->findChild<QComboBox *>(QStringLiteral("PChooseCombo"))->setEditText(QStringLiteral("水果"));
                w->findChild<QPushButton *>(QStringLiteral("PChooseOK"))->click();
            }
    });
    form->N4Click();
    EXPECT_EQ(title, QStringLiteral("请输入或选择新类别"));
    EXPECT_EQ(bank(), expected);
    EXPECT_EQ(cell(QStringLiteral("cherry"), ModeCol::BrowseForm::Category), QStringLiteral("水果"));
    EXPECT_EQ(form->Edit5->currentText(), QStringLiteral("水果"));
    EXPECT_EQ(form->Edit5->findText(QStringLiteral("水果")), 0);
    EXPECT_EQ(form->Edit2->text(), QStringLiteral("未保存的编辑"));

    // Cancelled: nothing changes.
    QTimer::singleShot(0, [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("PChooseForm") && w->isVisible())
                w->close();
    });
    form->N4Click();
    EXPECT_EQ(bank(), expected);
}

class OnlineOverwrite : public BrowserEditing {
protected:
    void SetUp() override
    {
        BrowserEditing::SetUp();
        QFile pron(programDir + QStringLiteral("WordPron.dat"));
        ASSERT_TRUE(pron.open(QIODevice::WriteOnly));
        pron.write("apple|'\xC3\xA6pl\n");
        pron.close();
        selectOnly({QStringLiteral("banana")});
        form->Edit4->setText(QStringLiteral("stored"));
        before = bank();
    }
    QString query(const QString &word) { return Addr::WordServiceEndpoint() + QStringLiteral("ws.php?q=") + word; }
    Bank before;
};

TEST_F(OnlineOverwrite, AKnownWordReplacesMeaningSentencesAndPhoneticWithoutSaving)
{
    LoopbackWeb web;
    web.serve(query(QStringLiteral("apple")),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?><dict><key>apple</key><def>n. 苹果</def>"
              "<sent><orig>An apple.</orig><trans>一个苹果。</trans></sent></dict>",
              "text/xml");
    selectOnly({QStringLiteral("apple")});
    form->ReSent->setPlainText(QStringLiteral("old"));
    form->WordSvc2->trigger();
    EXPECT_EQ(form->Edit2->text(), QStringLiteral("n. 苹果"));
    EXPECT_EQ(form->ReSent->toPlainText(), QStringLiteral("An apple.\n一个苹果。\n\n\n\n"));
    EXPECT_EQ(form->Edit4->text(), QStringLiteral("'æpl"));
    EXPECT_TRUE(PXmlDoc->documentElement().isNull());
    EXPECT_EQ(bank(), before);
    EXPECT_TRUE(dialogs->shown().isEmpty());
}

TEST_F(OnlineOverwrite, AnUnknownWordOrABrokenAnswerChangesOnlyThePhoneticWhenOneIsListed)
{
    LoopbackWeb web;
    const QList<QByteArray> answers = {"<dict><def>not found</def></dict>", "<dict><def>", "<dict/>"};
    for (const QByteArray &answer : answers) {
        web.serve(query(QStringLiteral("banana")), answer, "text/xml");
        form->WordSvc2->trigger();
        EXPECT_EQ(form->Edit2->text(), QStringLiteral("banana义")) << answer.constData();
        // No transcription listed for banana: what the field had stays.
        EXPECT_EQ(form->Edit4->text(), QStringLiteral("stored"));
    }
    EXPECT_TRUE(dialogs->shown().isEmpty());
    EXPECT_EQ(bank(), before);
}

// While the service is asked the browser handles events: it paints that it is asking, its clock
// counts, auto-browse holds the word still and a second look-up does not start. Each outcome has
// words of its own; only a known word changes the meaning.
enum class Service { Knows, DoesNotKnow, IsSilent, Errs, IsDown };

struct Overwrite {
    Service service;
    const char *hint;
    int requests;
};

void PrintTo(const Overwrite &o, std::ostream *os) { *os << o.hint; }

class OverwriteAsking : public OnlineOverwrite, public ::testing::WithParamInterface<Overwrite> {};

TEST_P(OverwriteAsking, TheBrowserPaintsCountsAndHoldsItsWordWhileAskingThenSaysTheOutcome)
{
    ShortHttpTimeouts quick(2000, 300);
    LoopbackWeb web;
    std::optional<ProxyEnvironment> down;
    const QString banana = QStringLiteral("banana");
    switch (GetParam().service) {
    case Service::Knows:
        web.serve(query(banana), "<dict><key>banana</key><def>n. 香蕉</def></dict>", "text/xml");
        break;
    case Service::DoesNotKnow:
        web.serve(query(banana), "<dict><def>not found</def></dict>", "text/xml");
        break;
    case Service::IsSilent:
        web.setSilent(true);
        break;
    case Service::Errs:
        web.serve(query(banana), "oops", "text/plain", 500);
        break;
    case Service::IsDown:
        down.emplace("http://127.0.0.1:" + QByteArray::number(LoopbackWeb::closedPort()));
        break;
    }
    form->show();
    form->SBStartClick();
    const int seconds = PBrowseSeconds;
    const QList<QTreeWidgetItem *> selected = form->PListView->selectedItems();

    bool asking = false, ran = false;
    QString during;
    QStringList painted;
    PHookEvents(form->LBWordSvcHint, [&](QEvent *e) {
        if (e->type() == QEvent::Paint && asking)
            painted << form->LBWordSvcHint->text();
        return false;
    });
    QMetaObject::invokeMethod(
        form.get(),
        [&] {
            ran = true;
            during = form->LBWordSvcHint->text();
            clock->advance(10000);  // five auto-browse steps
            form->WordSvc2->trigger();
        },
        Qt::QueuedConnection);
    asking = true;
    form->WordSvc2->trigger();
    asking = false;
    QCoreApplication::removePostedEvents(form.get(), QEvent::MetaCall);

    EXPECT_TRUE(ran);
    EXPECT_EQ(during, QStringLiteral("正在查询海词网站……"));
    EXPECT_TRUE(painted.contains(during)) << painted.join('|').toStdString();
    EXPECT_EQ(form->LBBrowseSumTime->text(), QString::number(seconds + 10) + QStringLiteral("秒"));
    EXPECT_EQ(form->PListView->selectedItems(), selected);
    EXPECT_EQ(form->Edit1->text(), banana);
    EXPECT_EQ(form->LBWordSvcHint->text(), QString::fromUtf8(GetParam().hint));
    EXPECT_EQ(web.requestCount(), GetParam().requests);
    EXPECT_EQ(form->Edit2->text(), GetParam().service == Service::Knows ? QStringLiteral("n. 香蕉") : QStringLiteral("banana义"));
    EXPECT_EQ(form->Edit4->text(), QStringLiteral("stored"));
    EXPECT_TRUE(PXmlDoc->documentElement().isNull());
    EXPECT_EQ(bank(), before);
    EXPECT_TRUE(dialogs->shown().isEmpty()) << dialogs->texts().join('|').toStdString();

    // Auto-browse goes on once the answer is in, and the next word shown clears the hint.
    EXPECT_TRUE(form->TimerAutoBrowse->enabled());
    clock->advance(10000);
    EXPECT_NE(form->PListView->selectedItems(), selected);
    EXPECT_NE(form->Edit1->text(), banana);
    EXPECT_TRUE(form->LBWordSvcHint->text().isEmpty());
    form->hide();
}

INSTANTIATE_TEST_SUITE_P(Outcomes, OverwriteAsking,
                         ::testing::Values(Overwrite{Service::Knows, "在海词网站上找到该词", 1},
                                           Overwrite{Service::DoesNotKnow, "查无此词", 1},
                                           Overwrite{Service::IsSilent, "海词网站没有回应，请稍后再试", 1},
                                           Overwrite{Service::Errs, "海词网站的回应有误，请稍后再试", 1},
                                           Overwrite{Service::IsDown, "无法连接海词网站，请检查网络连接", 0}));

TEST_F(OnlineOverwrite, AnAnswerForAWordNoLongerOnShowChangesNothing)
{
    LoopbackWeb web;
    web.serve(query(QStringLiteral("banana")), "<dict><key>banana</key><def>n. 香蕉</def></dict>", "text/xml");
    QMetaObject::invokeMethod(
        form.get(), [&] { selectOnly({QStringLiteral("cherry")}); }, Qt::QueuedConnection);
    form->WordSvc2->trigger();
    EXPECT_EQ(web.requestCount(), 1);
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("cherry"));
    EXPECT_EQ(form->Edit2->text(), QStringLiteral("cherry义"));
    EXPECT_TRUE(form->LBWordSvcHint->text().isEmpty());
    EXPECT_EQ(bank(), before);
}

TEST_F(BrowserEditing, TheSentenceMenuReadsAndLooksUpOnlyWhatItShould)
{
    selectOnly({QStringLiteral("cherry")});
    const QString hundred(100, QLatin1Char('x'));
    form->ReSent->setPlainText(QStringLiteral("An apple a day; 苹果 ") + hundred.left(99) + QStringLiteral(" ") + hundred);
    const int tail = 19 + 99 + 1;
    struct Case {
        int from, to;
        bool read, look;
    };
    const Case cases[] = {{0, 0, true, false},        // nothing selected
                          {0, 1, true, false},        // one letter
                          {11, 14, true, true},       // "day"
                          {10, 15, true, false},      // " day;": not letters only
                          {3, 8, true, false},        // "apple" is being studied
                          {0, 8, true, false},        // inner blank
                          {16, 18, false, false},     // Chinese
                          {19, 19 + 99, true, true},  // 99 letters
                          {tail, tail + 100, true, false}};
    for (const Case &c : cases) {
        selectText(form->ReSent, c.from, c.to);
        EXPECT_EQ(form->N8->isEnabled(), c.read) << c.from << "-" << c.to;
        EXPECT_EQ(form->N9->isEnabled(), c.look) << c.from << "-" << c.to;
    }
    selectText(form->ReSent, 10, 14);  // " day"
    EXPECT_TRUE(form->N9->isEnabled());
    form->N9->trigger();
    Sound::clearRequests();
    form->N8->trigger();
    EXPECT_EQ(handedTo, QStringList{QStringLiteral("DictForm:day")});
    EXPECT_EQ(spoken(), QStringList{QStringLiteral(" day")});
}

TEST_F(BrowserEditing, LookUpsSendTheWordOrThePracticeTextAsTyped)
{
    RecordingBrowser browser;
    selectOnly({QStringLiteral("cherry")});
    form->MEpra->setText(QStringLiteral(" pear tree "));
    const QList<std::pair<const char *, QString>> word = {{"N1", "百度"}, {"ChinaDaily1", "中国日报"}, {"AiCiBa1", "爱词霸"},
                                                          {"WordSvc1", "海词"}, {"N3", "谷词"}};
    const QList<std::pair<const char *, QString>> practice = {{"MenuItem1", "百度"}, {"MenuItem2", "爱词霸"},
                                                              {"MenuItem3", "海词"}, {"MenuItem4", "谷词"},
                                                              {"MenuItem6", "爱词霸短句"}, {"MenuItem7", "谷词句子"}};
    QStringList expected;
    for (const auto &e : word) {
        form->findChild<QAction *>(QString::fromUtf8(e.first))->trigger();
        expected << PLookupAddress(e.second, QStringLiteral("cherry"));
    }
    for (const auto &e : practice) {
        form->findChild<QAction *>(QString::fromUtf8(e.first))->trigger();
        expected << PLookupAddress(e.second, QStringLiteral(" pear tree "));
    }
    form->SBTellWrong->click();
    form->Label3Click();
    expected << Addr::PhoneticReportPage() << Addr::HelpPage(QStringLiteral("browse"));
    EXPECT_EQ(browser.opened(), expected);
    // The small dictionary gets it trimmed, from the menu and from F9 in the box.
    form->PopPra7->trigger();
    form->MEpra->setFocus();
    QTest::keyRelease(form->MEpra, Qt::Key_F9);
    EXPECT_EQ(handedTo, (QStringList{"DictForm:pear tree", "DictForm:pear tree"}));
}

TEST_F(BrowserEditing, MarkersGoIntoTheDetailsAtTheCaret)
{
    // F9 in the details offers the markers.
    form->ReExpl->setFocus();
    QTest::keyRelease(form->ReExpl, Qt::Key_F9);
    EXPECT_TRUE(form->PopMenuInsert->isVisible());
    form->PopMenuInsert->hide();

    QStringList captions;
    for (QAction *a : form->PopMenuInsert->actions())
        captions << a->text();
    EXPECT_EQ(captions, (QStringList{"【】", "【记】", "【辨】", "【派】", "【搭】"}));
    form->ReExpl->setPlainText(QStringLiteral("abcdef"));
    selectText(form->ReExpl, 2, 4);
    form->PopMenuInsert->actions()[1]->trigger();
    EXPECT_EQ(form->ReExpl->toPlainText(), QStringLiteral("ab【记】ef"));
}

TEST_F(BrowserEditing, TheMiniBrowserPlaysTheGroupAndHandsBackToARestartedClock)
{
    clock->advance(4000);
    form->SBStartClick();
    form->SpeedButton2->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->TimerBrowse->enabled());
    EXPECT_FALSE(form->TimerAutoBrowse->enabled());
    EXPECT_EQ(PConfigIni->ReadString(Ini::MiniBrowser, Ini::Sender, QString()), QStringLiteral("学词"));
    EXPECT_TRUE(mini->isVisible());
    EXPECT_TRUE(mini->GBWordTable->isHidden());
    EXPECT_FALSE(mini->N4->isEnabled());
    QStringList miniWords;
    for (int i = 0; i < PItemCount(publicForm->P_LVmini); ++i)
        miniWords << PCaption(PItemAt(publicForm->P_LVmini, i));
    EXPECT_EQ(miniWords, column(Tbl::TempTable, Col::Word));
    EXPECT_EQ(PStudyCounters().browseSeconds, 0);

    const int activations = form->activationCount();
    mini->SBCancelClick();
    settle();
    EXPECT_FALSE(mini->isVisible());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->activationCount(), activations + 1);
    EXPECT_EQ(PBrowseSeconds, 0);
    EXPECT_TRUE(form->TimerBrowse->enabled());
    EXPECT_FALSE(mini->GBWordTable->isHidden());
}

TEST_F(BrowserEditing, TheExitButtonClosesTheMainWindow)
{
    mini->Show();
    settle();
    form->SpeedButton3->click();
    EXPECT_FALSE(mini->isVisible());
}

TEST_F(BrowserEditing, CrazySpellAndTheSpellingFilterOpenOnTheGroupWithAutoBrowsePaused)
{
    const QList<std::pair<QToolButton *, QString>> buttons = {{form->SpeedButton8, "CrazySpellForm"},
                                                              {form->SpeedButton9, "SameSubStrWordForm"}};
    for (const auto &b : buttons) {
        handedTo.clear();
        form->SBStartClick();
        b.first->click();
        EXPECT_EQ(handedTo, QStringList{b.second});
        EXPECT_FALSE(form->TimerAutoBrowse->enabled());
        EXPECT_TRUE(form->TimerBrowse->enabled());
    }
    EXPECT_EQ(PConfigIni->ReadString(Ini::CrazySpeller, Ini::CrazyTable, QString()), QStringLiteral("TempTable"));
}

}  // namespace
