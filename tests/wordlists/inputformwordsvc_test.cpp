#include "wordlists/inputformwordsvc.h"

#include "core/currentlist.h"
#include "wordlists/eventhook.h"
#include "wordsvcfixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

class InputFormWordSvc : public WordServiceFixture {
protected:
    void SetUp() override
    {
        WordServiceFixture::SetUp();
        PSetCurrentTable(L1);
        form = std::make_unique<TPInputFormWordSvc>();
        dialogs->clear();
    }
    void TearDown() override
    {
        form.reset();
        WordServiceFixture::TearDown();
    }
    void import(const QString &text)
    {
        form->MeInputList->setPlainText(text);
        form->BtCreate->click();
    }
    QString box() const { return form->MeInputList->toPlainText(); }
    QStringList words(const QString &T) { return column(T, QStringLiteral("单词")); }
    std::unique_ptr<TPInputFormWordSvc> form;
};

TEST_F(InputFormWordSvc, AHundredLinesAreImportedAndAHundredAndOneRefused)
{
    QStringList lines;
    for (int i = 0; i < 101; ++i) {
        lines << QStringLiteral("word%1").arg(i);
        serveWord(lines.last(), lines.last(), QStringLiteral("释义"), 0);
    }
    const QString tooMany = lines.join('\n') + QLatin1Char('\n');
    import(tooMany);
    EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("一次最多允许100词入库,而单词输入框中已有101行了。")});
    EXPECT_EQ(box(), tooMany);
    EXPECT_EQ(web.requestCount(), 0);
    EXPECT_TRUE(words(L1).isEmpty());

    lines.removeLast();
    import(lines.join('\n') + QLatin1Char('\n'));
    EXPECT_EQ(words(L1), lines);
    EXPECT_EQ(web.requestCount(), 100);
    EXPECT_EQ(form->ProgressBar1->value(), 100);
    EXPECT_EQ(form->ProgressBar1->maximum(), 100);
    EXPECT_EQ(form->LVWordList->topLevelItemCount(), 100);
}

TEST_F(InputFormWordSvc, TheRowTakesTheServicesHeadwordAndTheFieldsOfANewWord)
{
    writePhonetics("Apple|ˈæpl\r\napple|wrong\r\n");
    serveWord(QStringLiteral("apple"), QStringLiteral("Apple"), QStringLiteral("n. 苹果"), 2);
    form->CBKeepUnique->setChecked(false);
    import(QStringLiteral("apple"));
    const QStringList stored = rows(L1);
    ASSERT_EQ(stored.size(), 1);
    QStringList fields = stored.first().split('|');
    fields.removeFirst();  // the counter's ID
    EXPECT_EQ(fields, (QStringList{"Apple", "ˈæpl", "n. 苹果", "", "",
                                   "Apple sentence 1.\n例句1。\nApple sentence 2.\n例句2。\n\n", "0", "0", "10", "",
                                   "", "2026-03-04", "00"}));
    EXPECT_EQ(web.requests(), QStringList{query(QStringLiteral("apple"))});
}

TEST_F(InputFormWordSvc, ImportingAWordTheListHasAddsARowAndLeavesTheOldOneIntact)
{
    addTestedWord(L1, QStringLiteral("apple"));
    const QStringList before = rows(L1);
    serveWord(QStringLiteral("apple"), QStringLiteral("apple"), QStringLiteral("n. 苹果"));
    form->CBKeepUnique->setChecked(false);
    import(QStringLiteral("apple\napple"));
    const QStringList after = rows(L1);
    ASSERT_EQ(after.size(), 3);
    EXPECT_EQ(after.first(), before.first());
    EXPECT_TRUE(after.at(1).contains("|apple||n. 苹果|"));
    EXPECT_TRUE(rows(W).isEmpty());
}

TEST_F(InputFormWordSvc, FailedLinesGoBackExactlyUnlessTheBoxIsCleared)
{
    serveWord(QStringLiteral("apple"), QStringLiteral("apple"), QStringLiteral("n. 苹果"));
    serveWord(QStringLiteral("pear"), QStringLiteral("pear"), QStringLiteral("n. 梨"));
    serveUnknown(QStringLiteral("xyzzy"));
    web.serve(query(QStringLiteral("broken")), "<dict><key>", "text/xml");
    const QString input = QStringLiteral("apple\nxyzzy\n pear\nbroken\npear\n");

    form->CBClearMemo->setChecked(false);
    import(input);
    // Lines go as typed: " pear" is not "pear".
    EXPECT_EQ(box(), QStringLiteral("xyzzy\n pear\nbroken"));
    EXPECT_EQ(words(L1), (QStringList{"apple", "pear"}));
    EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("已入库 2 行，3 行未能入库，已放回输入框。")});

    dialogs->clear();
    form->CBClearMemo->setChecked(true);
    import(input);
    EXPECT_EQ(box(), QString());
    EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("已入库 2 行，3 行未能入库。")});
}

TEST_F(InputFormWordSvc, EachLineReachesTheServiceAsItStandsBlanksEncoded)
{
    serveWord(QStringLiteral("ice%20cream%20"), QStringLiteral("ice cream"), QStringLiteral("冰淇淋"));
    form->CBClearMemo->setChecked(false);
    import(QStringLiteral("ice cream \n pear\nfig  "));
    EXPECT_EQ(web.requests(), (QStringList{query(QStringLiteral("ice%20cream%20")), query(QStringLiteral("%20pear")),
                                           query(QStringLiteral("fig%20%20"))}));
    EXPECT_EQ(words(L1), QStringList{"ice cream"});
    EXPECT_EQ(box(), QStringLiteral(" pear\nfig  "));
}

TEST_F(InputFormWordSvc, DuplicatesGoUnlessKeptAndAnEmptyBoxStillRefreshesTheList)
{
    serveWord(QStringLiteral("apple"), QStringLiteral("apple"), QStringLiteral("n. 苹果"));
    form->CBKeepUnique->setChecked(false);
    import(QStringLiteral("apple\napple"));
    EXPECT_EQ(words(L1), (QStringList{"apple", "apple"}));
    form->CBKeepUnique->setChecked(true);
    addWord(L1, QStringLiteral("zebra"));
    import(QString());
    EXPECT_EQ(web.requestCount(), 2);
    EXPECT_EQ(words(L1), (QStringList{"apple", "zebra"}));
    EXPECT_EQ(form->LVWordList->topLevelItemCount(), 2);
}

TEST_F(InputFormWordSvc, OfflineStoresNothingKeepsTheLearnersLinesAndSaysWhy)
{
    ProxyEnvironment dead("http://127.0.0.1:" + QByteArray::number(LoopbackWeb::closedPort()));
    import(QStringLiteral("apple\npear"));
    EXPECT_EQ(box(), QStringLiteral("apple\npear"));
    EXPECT_TRUE(words(L1).isEmpty());
    EXPECT_EQ(dialogs->texts(),
              QStringList{QStringLiteral("已入库 0 行，2 行未能入库，已放回输入框。\n无法连接海词网站，请检查网络连接。")});
}

TEST_F(InputFormWordSvc, AServiceThatStopsAnsweringCostsOneTimeOutAndTheRestGoBack)
{
    ShortHttpTimeouts quick(2000, 150);
    for (const char *w : {"apple", "pear", "plum", "fig"})
        serveWord(QString::fromLatin1(w), QString::fromLatin1(w), QStringLiteral("水果"));
    QObject::connect(form->ProgressBar1, &QProgressBar::valueChanged, [&](int v) {
        if (v == 2)
            web.setSilent(true);
    });
    import(QStringLiteral("apple\npear\nplum\nfig"));
    EXPECT_EQ(web.requestCount(), 2);
    EXPECT_EQ(words(L1), QStringList{"apple"});
    EXPECT_EQ(box(), QStringLiteral("pear\nplum\nfig"));
    EXPECT_EQ(form->ProgressBar1->value(), 4);
    EXPECT_EQ(dialogs->texts(),
              QStringList{QStringLiteral("已入库 1 行，3 行未能入库，已放回输入框。\n海词网站没有回应，请稍后再试。")});
}

TEST_F(InputFormWordSvc, AClickOnImportWhileTheServiceIsAskedStartsNoSecondImport)
{
    ShortHttpTimeouts quick(2000, 300);
    web.setSilent(true);
    form->show();
    bool clicked = false;
    QObject::connect(form->ProgressBar1, &QProgressBar::valueChanged, [&](int v) {
        if (v != 1 || clicked)
            return;
        clicked = true;
        // Handled once this thread waits for the service.
        QMetaObject::invokeMethod(form.get(), [&] { QTest::mouseClick(form->BtCreate, Qt::LeftButton); },
                                  Qt::QueuedConnection);
    });
    import(QStringLiteral("apple\npear"));
    QCoreApplication::removePostedEvents(form.get(), QEvent::MetaCall);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(web.requestCount(), 1);
    EXPECT_EQ(dialogs->texts(),
              QStringList{QStringLiteral("已入库 0 行，2 行未能入库，已放回输入框。\n海词网站没有回应，请稍后再试。")});
    EXPECT_EQ(box(), QStringLiteral("apple\npear"));
    form->hide();
}

TEST_F(InputFormWordSvc, TheWindowPaintsWhatItSaysWhileAFetchIsWaiting)
{
    ShortHttpTimeouts quick(2000, 150);
    web.setSilent(true);
    form->show();
    bool importing = false;
    bool exposedMidway = false;
    QStringList paintedMidway;
    QObject::connect(form->ProgressBar1, &QProgressBar::valueChanged, [&](int v) { importing = v == 1; });
    // As if another window had uncovered the foot of the window while the service keeps the
    // import waiting.
    QTimer uncover;
    uncover.setInterval(1);
    QObject::connect(&uncover, &QTimer::timeout, [&] {
        if (!importing || web.requestCount() == 0)
            return;
        uncover.stop();
        exposedMidway = true;
        form->LBhint->update();
    });
    uncover.start();
    PHookEvents(form->LBhint, [&](QEvent *e) {
        if (e->type() == QEvent::Paint && importing && exposedMidway)
            paintedMidway << form->LBhint->text();
        return false;
    });
    import(QStringLiteral("apple"));
    importing = false;
    EXPECT_TRUE(paintedMidway.contains(QStringLiteral("正在查询海词网站……"))) << paintedMidway.join('|').toStdString();
    EXPECT_TRUE(form->LBhint->text().isEmpty());
    form->hide();
}

TEST_F(InputFormWordSvc, TheChosenTargetBecomesTheCurrentListOfTheWholeProgram)
{
    addWord(L2, QStringLiteral("plum"));
    const bool opened = whileModal(form.get(), [&] { form->ShowModal(); }, [&] {
        EXPECT_EQ(form->ComboBox3->currentText(), L1);
        form->ComboBox3->setCurrentText(L2);
        form->close();
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(PCurrentTable, L2);
    EXPECT_EQ(dm->PGetOneDataFromTable(QStringLiteral("当前单词表"), QStringLiteral("UserTable"), QStringLiteral("ID"),
                                       QStringLiteral("1")),
              L2);
    ASSERT_EQ(form->LVWordList->topLevelItemCount(), 1);
    EXPECT_EQ(form->LVWordList->topLevelItem(0)->text(1), QStringLiteral("plum"));
}

TEST_F(InputFormWordSvc, CopyingSelectedWordsAppendsThemToTheBoxAndDeletingRemovesTheirRows)
{
    for (const char *w : {"apple", "pear", "plum"})
        addWord(L1, QString::fromLatin1(w));
    const bool opened = whileModal(form.get(), [&] { form->ShowModal(); }, [&] {
        form->MeInputList->setPlainText(QStringLiteral("fig"));
        form->LVWordList->topLevelItem(0)->setSelected(true);
        form->LVWordList->topLevelItem(2)->setSelected(true);
        form->N2->trigger();
        form->LVWordList->setCurrentItem(form->LVWordList->topLevelItem(2), 0, QItemSelectionModel::NoUpdate);
        EXPECT_EQ(form->EdWord->text(), QStringLiteral("plum"));
        EXPECT_EQ(form->EdExpl->text(), QStringLiteral("解释"));
        EXPECT_EQ(form->LBSelPos->text(), QStringLiteral("第 3 项"));
        form->Button4->click();
        form->close();
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(box(), QStringLiteral("fig\napple\nplum"));
    EXPECT_EQ(words(L1), QStringList{"pear"});
    EXPECT_EQ(form->LVWordList->topLevelItemCount(), 1);
}

}  // namespace
