#include "wordlists/inputformaiciba.h"

#include "platform/inifile.h"
#include "support/bankfixture.h"
#include "support/settle.h"
#include "support/wordbooksamples.h"

#include <QAction>
#include <QComboBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <sqlite3.h>

using wordbook::Encoding;

namespace {
const QString W = QStringLiteral("WordTable");
const QString L = QStringLiteral("MyList");
const QString K = QStringLiteral("单词");
}  // namespace

class InputFormAiCiba : public BankFixture {
protected:
    void SetUp() override
    {
        BankFixture::SetUp();
        dm->PCreateNewWordTable(W, L, QStringLiteral("addname"));
        dm->PCreateNewWordTable(W, QStringLiteral("Other"), QStringLiteral("addname"));
        // The learner's current list is not the target offered first.
        dm->PInsertOneRecordToTable(QStringLiteral("UserTable"), QStringLiteral("当前单词表"), L);
        addWord(W, QStringLiteral("zebra"));
        form = std::make_unique<TPInputFormAiCiba>();
    }
    void TearDown() override
    {
        form.reset();
        BankFixture::TearDown();
    }
    QString writeExport(const QString &text, Encoding e)
    {
        const QString path = programDir + QStringLiteral("export.txt");
        EXPECT_TRUE(wordbook::writeText(path, text, e));
        return path;
    }
    // Opens the window modally; once this opening's activation has run (and the window is still
    // up), runs whileOpen. Returns whether the window was still open by then.
    bool open(const std::function<void()> &whileOpen)
    {
        bool reached = false;
        const int activated = form->activationCount();
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QCoreApplication::sendPostedEvents();
            if (form->activationCount() == activated || !form->isVisible())
                return;
            poll.stop();
            reached = true;
            whileOpen();
        });
        poll.start();
        form->ShowModal();
        return reached;
    }
    QStringList comboItems() const
    {
        QStringList out;
        for (int i = 0; i < form->CBTableList->count(); ++i)
            out << form->CBTableList->itemText(i);
        return out;
    }
    QStringList listWords() const
    {
        QStringList out;
        for (int i = 0; i < form->PListView->topLevelItemCount(); ++i)
            out << form->PListView->topLevelItem(i)->text(0);
        return out;
    }
    QStringList messages() const
    {
        QStringList out;
        for (const auto &s : dialogs->shown())
            if (s.kind == QStringLiteral("message"))
                out << s.text;
        return out;
    }
    std::unique_ptr<TPInputFormAiCiba> form;
};

TEST_F(InputFormAiCiba, OpensOnTheFileOffersWordTableAndImportsIntoTheChosenList)
{
    addWord(L, QStringLiteral("old"));
    addWord(L, QStringLiteral("older"));
    dialogs->answerFile(writeExport(wordbook::kingsoftSample(), Encoding::Gb18030));
    const bool wasOpen = open([&] {
        EXPECT_EQ(comboItems(), (QStringList{"WordTable", "MyList", "Other"}));
        EXPECT_EQ(form->CBTableList->currentText(), W);
        EXPECT_EQ(form->LBaimWordCount->text(), QStringLiteral("1词"));
        EXPECT_EQ(form->LBWordCount->text(), QStringLiteral("5词"));
        EXPECT_EQ(listWords(), (QStringList{"abandon", "ability", "able", "New York ", "Apple"}));
        // The count follows the chosen target.
        form->CBTableList->setCurrentText(L);
        EXPECT_EQ(form->LBaimWordCount->text(), QStringLiteral("2词"));
        form->CBTableList->setCurrentText(QStringLiteral("Other"));
        EXPECT_EQ(form->LBaimWordCount->text(), QStringLiteral("0词"));
        form->CBTableList->setCurrentText(L);
        form->BTinput->click();
    });
    EXPECT_TRUE(wasOpen);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(dialogs->shown().first().title, QStringLiteral("打开金山词霸生词本文件"));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("当前列表中的单词已成功添加到单词表“MyList”")});
    EXPECT_EQ(form->LBaimWordCount->text(), QStringLiteral("7词"));
    EXPECT_EQ(column(L, K), (QStringList{"old", "older", "abandon", "ability", "able", "New York ", "Apple"}));
    EXPECT_EQ(dm->PGetCountFromTable(W), 1);
}

// The target's count may run from "0词" to six digits without moving the button beside it.
TEST_F(InputFormAiCiba, TheNewListButtonStaysPutWhateverTheTargetsCount)
{
    raw(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<123456) "
                       "INSERT INTO MyList(单词) SELECT 'w'||i FROM n"));
    dialogs->answerFile(writeExport(wordbook::kingsoftSample(), Encoding::Utf8));
    QStringList seen;
    ASSERT_TRUE(open([&] {
        for (const QString &target : {W, L, QStringLiteral("Other"), W}) {
            form->CBTableList->setCurrentText(target);
            PSettleEvents();
            seen << form->LBaimWordCount->text() + QStringLiteral(" @") + QString::number(form->BTnew->x());
        }
        form->close();
    }));
    const QString at = QStringLiteral(" @") + QString::number(form->BTnew->x());
    EXPECT_EQ(seen, (QStringList{"1词" + at, "123456词" + at, "0词" + at, "1词" + at}));
}

TEST_F(InputFormAiCiba, EachOpeningReadsAFileAgainAndKnownWordsAreNotAddedTwice)
{
    PConfigIni->WriteString(QStringLiteral("DBTool"), QStringLiteral("新词入库"), QStringLiteral("谷歌金山词霸"));
    const QString path = writeExport(wordbook::googleSample(), Encoding::Utf16LeBom);
    for (int round = 0; round < 2; ++round) {
        dialogs->answerFile(path);
        EXPECT_TRUE(open([&] {
            EXPECT_EQ(form->LBWordCount->text(), QStringLiteral("4词"));
            form->BTinput->click();
        }));
        EXPECT_EQ(dialogs->lastText(), QStringLiteral("当前列表中的单词已成功添加到单词表“WordTable”"));
        EXPECT_EQ(column(W, K), (QStringList{"zebra", "abandon", "able", "missing"}));
    }
    EXPECT_EQ(form->activationCount(), 2);
}

TEST_F(InputFormAiCiba, CancellingTheFileDialogClosesTheWindowSilently)
{
    const bool wasOpen = open([] {});
    EXPECT_FALSE(wasOpen);
    EXPECT_FALSE(form->isVisible());
    ASSERT_EQ(dialogs->shown().size(), 1);
    EXPECT_EQ(dialogs->shown().first().kind, QStringLiteral("open"));

    // So does a layout the program does not know, after its dialog.
    PConfigIni->WriteString(QStringLiteral("DBTool"), QStringLiteral("新词入库"), QStringLiteral("别的词典"));
    dialogs->answerFile(writeExport(wordbook::kingsoftSample(), Encoding::Utf8));
    EXPECT_FALSE(open([] {}));
    EXPECT_EQ(messages(), QStringList());
}

TEST_F(InputFormAiCiba, AFileThatCannotBeReadIsReportedAndTheWindowCloses)
{
    const QString gone = programDir + QStringLiteral("gone.txt");
    dialogs->answerFile(gone);
    EXPECT_FALSE(open([] {}));
    EXPECT_FALSE(form->isVisible());
    ASSERT_EQ(dialogs->shown().size(), 2);
    EXPECT_EQ(dialogs->shown().last().icon, Dialogs::Critical);
    EXPECT_TRUE(dialogs->lastText().contains(gone));
}

TEST_F(InputFormAiCiba, DeletingItemsNarrowsTheImportAndAnEmptyListImportsNothing)
{
    dialogs->answerFile(writeExport(wordbook::kingsoftSample(), Encoding::Utf8));
    EXPECT_TRUE(open([&] {
        QTreeWidget *v = form->PListView;
        // Double click takes the first selected item only; nothing when nothing is selected.
        v->clearSelection();
        emit v->itemDoubleClicked(v->topLevelItem(0), 0);
        EXPECT_EQ(listWords().size(), 5);
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualItemRect(v->topLevelItem(4)).center());
        ASSERT_TRUE(v->topLevelItem(4)->isSelected());
        emit v->itemDoubleClicked(v->topLevelItem(4), 0);
        EXPECT_EQ(listWords(), (QStringList{"abandon", "ability", "able", "New York "}));
        v->clearSelection();
        v->topLevelItem(3)->setSelected(true);
        v->topLevelItem(1)->setSelected(true);
        emit v->itemDoubleClicked(v->topLevelItem(3), 0);
        EXPECT_EQ(listWords(), (QStringList{"abandon", "able", "New York "}));

        v->clearSelection();
        v->topLevelItem(0)->setSelected(true);
        v->topLevelItem(2)->setSelected(true);
        form->N1->trigger();
        EXPECT_EQ(listWords(), (QStringList{"able"}));
        v->selectAll();
        form->N1->trigger();
        EXPECT_EQ(v->topLevelItemCount(), 0);
        form->BTinput->click();
    }));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(messages(), QStringList{QStringLiteral("没有单词可导入")});
    EXPECT_EQ(dm->PGetCountFromTable(W), 1);
}

TEST_F(InputFormAiCiba, AFailureWhileStoringIsReportedAndTheWordsBeforeItStay)
{
    refuse(QStringLiteral("insert"), QStringLiteral("WordTable"), QStringLiteral("new.单词 = 'able'"),
           QStringLiteral("磁盘已满"));
    dialogs->answerFile(writeExport(wordbook::kingsoftSample(), Encoding::Utf8));
    EXPECT_TRUE(open([&] { form->BTinput->click(); }));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(messages(), QStringList{QStringLiteral("导入失败")});
    EXPECT_EQ(column(W, K), (QStringList{"zebra", "abandon", "ability"}));
}

TEST_F(InputFormAiCiba, NewListJoinsTheTargetsWithWordTableStillSelected)
{
    dialogs->answerFile(writeExport(wordbook::kingsoftSample(), Encoding::Utf8));
    EXPECT_TRUE(open([&] {
        form->CBTableList->setCurrentText(L);
        dialogs->answerInput(QStringLiteral("新表"));
        form->BTnew->click();
        EXPECT_EQ(comboItems(), (QStringList{"WordTable", "MyList", "Other", "新表"}));
        EXPECT_EQ(form->CBTableList->currentText(), W);
        EXPECT_EQ(form->LBaimWordCount->text(), QStringLiteral("1词"));
        EXPECT_EQ(dialogs->lastText(), QStringLiteral("新建词表“ 新表 ”成功"));
        EXPECT_EQ(dialogs->shown().at(dialogs->shown().size() - 2).title, QStringLiteral("请输入新单词表名称"));

        // A name the bank refuses, and a cancelled prompt.
        dialogs->answerInput(QStringLiteral("新.表"));
        form->BTnew->click();
        EXPECT_EQ(dialogs->lastText(), QStringLiteral("名称不能含有“.”"));
        dialogs->cancelInput();
        const int shown = dialogs->shown().size();
        form->BTnew->click();
        EXPECT_EQ(dialogs->shown().size(), shown + 1);
        EXPECT_EQ(comboItems().size(), 4);
        EXPECT_TRUE(form->isVisible());
        form->close();
    }));
    EXPECT_EQ(dm->PGetCountFromTable(QStringLiteral("新表")), 0);
}

namespace {
// The colour most pixels of rect have.
QRgb commonColour(const QImage &image, const QRect &rect)
{
    QHash<QRgb, int> counts;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb best = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(best))
            best = it.key();
    return best;
}

int pixelsUnlike(const QImage &image, const QRect &rect, QRgb colour)
{
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            n += image.pixel(x, y) != colour;
    return n;
}
}  // namespace

// The learner must see which words a double click deletes.
TEST_F(InputFormAiCiba, SelectedRowsStandOutWithReadableText)
{
    QTreeWidget *lv = form->PListView;
    for (const char *w : {"apple", "banana", "cherry"})
        lv->addTopLevelItem(new QTreeWidgetItem(QStringList{QLatin1String(w), QStringLiteral("释义"), QString()}));
    lv->resize(400, 200);
    lv->topLevelItem(1)->setSelected(true);
    const QImage image = lv->viewport()->grab().toImage();
    const QRect selected = lv->visualItemRect(lv->topLevelItem(1)).adjusted(0, 1, -2, -2);
    const QRect plain = lv->visualItemRect(lv->topLevelItem(2)).adjusted(0, 1, -2, -2);
    const QRgb selectedBack = commonColour(image, selected);
    EXPECT_NE(selectedBack, commonColour(image, plain));
    EXPECT_EQ(QColor(selectedBack), lv->palette().color(QPalette::Highlight));
    EXPECT_GT(pixelsUnlike(image, selected, selectedBack), 20) << "the word is drawn in a colour of its own";
}
