#include "support/qstringprinter.h"
#include "core/choosers.h"

#include "core/currentlist.h"
#include "core/listviews.h"
#include "platform/jetsql.h"
#include "support/bankfixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

namespace {

const QString W = QStringLiteral("WordTable");

// Acts as the learner once the chooser shows; records what it offered.
struct ChooserScript {
    QStringList offered;
    QString shownText;
    QString title;
    QString prompt;
    bool promptWhole = false;
    bool editable = false;
    bool seen = false;

    void then(std::function<void(QWidget *, QComboBox *)> act)
    {
        QTimer::singleShot(0, [this, act] {
            QWidget *form = nullptr;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("PChooseForm") && w->isVisible())
                    form = w;
            ASSERT_NE(form, nullptr);
            auto *combo = form->findChild<QComboBox *>(QStringLiteral("PChooseCombo"));
            ASSERT_NE(combo, nullptr);
            seen = true;
            title = form->windowTitle();
            if (auto *label = form->findChild<QLabel *>(QStringLiteral("PChoosePrompt"))) {
                prompt = label->text();
                promptWhole = label->isVisible() && label->width() >= label->fontMetrics().horizontalAdvance(prompt) &&
                              label->geometry().right() < form->width() && label->geometry().bottom() < combo->y();
            }
            editable = combo->isEditable();
            shownText = combo->currentText();
            for (int i = 0; i < combo->count(); ++i)
                offered << combo->itemText(i);
            act(form, combo);
        });
    }
    void confirm()
    {
        then([](QWidget *form, QComboBox *) { form->findChild<QPushButton *>(QStringLiteral("PChooseOK"))->click(); });
    }
};

}  // namespace

class Choosers : public BankFixture {
protected:
    void newList(const QString &name) { dm->PCreateNewWordTable(W, name, QStringLiteral("addname")); }
    void SetUp() override
    {
        BankFixture::SetUp();
        PCurrentTable = W;
    }
    QTreeWidget lv;
};

TEST_F(Choosers, SingleListMoveOffersEveryListButTheCurrentOne)
{
    newList(QStringLiteral("L1"));
    newList(QStringLiteral("L2"));
    ChooserScript s;
    s.confirm();
    EXPECT_EQ(PChooseDialog(QStringLiteral("将选中单词转移到"), QStringLiteral("单表单词转移"), &lv), QStringLiteral("L1"));
    EXPECT_EQ(s.offered, QStringList({"L1", "L2"}));
    // The title bar is too narrow for the prompt: the program's title there, the prompt whole inside.
    EXPECT_EQ(s.title, QApplication::applicationDisplayName());
    EXPECT_EQ(s.prompt, QStringLiteral("将选中单词转移到"));
    EXPECT_TRUE(s.promptWhole);
    EXPECT_FALSE(s.editable);

    PCurrentTable = QStringLiteral("L1");
    ChooserScript t;
    t.then([](QWidget *form, QComboBox *combo) {
        combo->setCurrentIndex(1);
        QTest::keyClick(combo, Qt::Key_Return);
        Q_UNUSED(form);
    });
    EXPECT_EQ(PChooseDialog(QStringLiteral("将选中单词转移到"), QStringLiteral("单表单词转移"), &lv), QStringLiteral("L2"));
    EXPECT_EQ(t.offered, QStringList({"WordTable", "L2"}));
    EXPECT_EQ(t.shownText, QStringLiteral("WordTable"));
}

TEST_F(Choosers, AMoveWithNoListToOfferIsACancel)
{
    ChooserScript s;
    s.confirm();
    EXPECT_EQ(PChooseDialog(QStringLiteral("将选中单词转移到"), QStringLiteral("单表单词转移"), &lv),
              QStringLiteral("lxbCancel"));
    EXPECT_TRUE(s.seen);
    EXPECT_TRUE(s.offered.isEmpty());
}

TEST_F(Choosers, MultiListMoveOffersEveryList)
{
    newList(QStringLiteral("L1"));
    PCurrentTable = QStringLiteral("L1");
    ChooserScript s;
    s.then([](QWidget *form, QComboBox *combo) {
        combo->setCurrentIndex(1);
        form->findChild<QPushButton *>(QStringLiteral("PChooseOK"))->click();
    });
    EXPECT_EQ(PChooseDialog(QStringLiteral("将选中单词转移到"), QStringLiteral("多表单词转移"), nullptr),
              QStringLiteral("L1"));
    EXPECT_EQ(s.offered, QStringList({"WordTable", "L1"}));
    EXPECT_EQ(s.shownText, QStringLiteral("WordTable"));
}

TEST_F(Choosers, CancelEscAndCloseAllGiveLxbCancel)
{
    newList(QStringLiteral("L1"));
    const std::function<void(QWidget *, QComboBox *)> ways[] = {
        [](QWidget *form, QComboBox *) { form->findChild<QPushButton *>(QStringLiteral("PChooseCancel"))->click(); },
        [](QWidget *, QComboBox *combo) { QTest::keyClick(combo, Qt::Key_Escape); },
        [](QWidget *form, QComboBox *) { form->close(); },
    };
    for (const auto &way : ways) {
        ChooserScript s;
        s.then(way);
        EXPECT_EQ(PChooseDialog(QStringLiteral("将选中单词转移到"), QStringLiteral("多表单词转移"), nullptr),
                  QStringLiteral("lxbCancel"));
        EXPECT_TRUE(s.seen);
    }
}

TEST_F(Choosers, CategoryKindTakesTypedTextAndEmptiesTheCallersList)
{
    PAddItem(&lv, QStringLiteral("1"), {"a", "m", "0", "0", "10", "", "00"});
    PAddItem(&lv, QStringLiteral("2"), {"b", "m", "0", "0", "10", "动物", "00"});
    ChooserScript s;
    s.then([](QWidget *form, QComboBox *combo) {
        QTest::keyClicks(combo->lineEdit(), QStringLiteral("idioms"));
        form->findChild<QPushButton *>(QStringLiteral("PChooseOK"))->click();
    });
    EXPECT_EQ(PChooseDialog(QStringLiteral("请输入或选择新类别"), QStringLiteral("单词类别"), &lv), QStringLiteral("idioms"));
    EXPECT_TRUE(s.editable);
    EXPECT_TRUE(s.promptWhole);
    EXPECT_EQ(s.shownText, QString());
    EXPECT_EQ(s.offered, QStringList({"动物", "基本词", "派生词", "生僻词", "易混词"}));
    EXPECT_EQ(PItemCount(&lv), 0);

    // Confirming nothing typed is an empty category, not a cancel.
    ChooserScript t;
    t.confirm();
    EXPECT_EQ(PChooseDialog(QStringLiteral("请输入或选择新类别"), QStringLiteral("单词类别"), &lv), QString());

    // A prompt longer than the designed width widens the window rather than being cut.
    ChooserScript u;
    u.confirm();
    PChooseDialog(QStringLiteral("请输入或选择这些单词的新类别，也可以输入一个新的类别名称"), QStringLiteral("单词类别"), &lv);
    EXPECT_TRUE(u.promptWhole);
}

TEST_F(Choosers, TableComboSelectsTheCurrentList)
{
    newList(QStringLiteral("L1"));
    newList(QStringLiteral("L2"));
    PCurrentTable = QStringLiteral("L2");
    QComboBox combo;
    PFillTableCombo(&combo);
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(0), W);
    EXPECT_EQ(combo.currentText(), QStringLiteral("L2"));

    PCurrentTable = QStringLiteral("gone");
    QComboBox other;
    PFillTableCombo(&other);
    EXPECT_EQ(other.currentIndex(), -1);

    dm->PDropTable(QStringLiteral("TableNameTable"), QString());
    QComboBox broken;
    PFillTableCombo(&broken);
    EXPECT_EQ(broken.count(), 1);
    EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("词库刷新出错")});
}

TEST_F(Choosers, LikePatternJoinsLetterRunsWithOnePercent)
{
    EXPECT_EQ(PMakeLikePattern(QStringLiteral(" don't  stop ")), QStringLiteral("\"%don%t%stop%\""));
    EXPECT_EQ(PMakeLikePattern(QStringLiteral("don't  stop ")), QStringLiteral("\"%don%t%stop%\""));
    EXPECT_EQ(PMakeLikePattern(QStringLiteral("ab  cd")), QStringLiteral("\"%ab%cd%\""));
    EXPECT_EQ(PMakeLikePattern(QStringLiteral("ab-cd")), QStringLiteral("\"%ab%cd%\""));
    EXPECT_EQ(PMakeLikePattern(QStringLiteral("abc")), QStringLiteral("\"%abc%\""));
    EXPECT_EQ(PMakeLikePattern(QStringLiteral("a中b")), QStringLiteral("\"%a%b%\""));
    EXPECT_EQ(PMakeLikePattern(QStringLiteral("\t-1ab\"cd2 \n")), QStringLiteral("\"%ab%cd%\""));
    EXPECT_EQ(PMakeLikePattern(QString()), QStringLiteral("\"%%\""));
    EXPECT_EQ(PMakeLikePattern(QStringLiteral("123 苹果")), QStringLiteral("\"%%\""));
}

TEST_F(Choosers, FindAndSearchLookInWordTableFirst)
{
    newList(QStringLiteral("L1"));
    addWord(QStringLiteral("L1"), QStringLiteral("apple"), QStringLiteral("苹果二"));
    addWord(QStringLiteral("L1"), QStringLiteral("pineapple"), QStringLiteral("菠萝"));
    addWord(W, QStringLiteral("banana"), QStringLiteral("香蕉"));
    addWord(W, QStringLiteral("apple"), QStringLiteral("苹果"));

    EXPECT_EQ(PFindWordTable(QStringLiteral("APPLE")), W);
    EXPECT_EQ(PFindWordTable(QStringLiteral("pineapple")), QStringLiteral("L1"));
    EXPECT_EQ(PFindWordTable(QStringLiteral("cherry")), QString());

    lv.addTopLevelItem(new QTreeWidgetItem(QStringList{"old"}));
    PSearchAllTables(PMakeLikePattern(QStringLiteral("APPLE")), &lv);
    ASSERT_EQ(PItemCount(&lv), 3);
    const auto row = [this](int i) {
        const QTreeWidgetItem *it = PItemAt(&lv, i);
        return QStringList{PCaption(it), PSubItem(it, 0), PSubItem(it, 1)};
    };
    EXPECT_EQ(row(0), QStringList({"apple", "苹果", "WordTable"}));
    EXPECT_EQ(row(1), QStringList({"apple", "苹果二", "L1"}));
    EXPECT_EQ(row(2), QStringList({"pineapple", "菠萝", "L1"}));
}

TEST_F(Choosers, SearchWithoutRegisteredListsReadsWordTableOnly)
{
    addWord(W, QStringLiteral("go"));
    addWord(W, QStringLiteral("gone"));
    PSearchAllTables(PMakeLikePattern(QString()), &lv);
    EXPECT_EQ(PItemCount(&lv), 2);
    EXPECT_EQ(PSubItem(PItemAt(&lv, 1), 1), W);
}

// A bank made elsewhere may register lists under names the program refuses; each is passed
// over, and the lists after it are still looked in.
class RefusedListNames : public Choosers, public ::testing::WithParamInterface<const char *> {};

TEST_P(RefusedListNames, ArePassedOverByTheLookUpAndTheSearch)
{
    const QString bad = QString::fromUtf8(GetParam());
    raw(QStringLiteral("CREATE TABLE %1 AS SELECT * FROM WordTable WHERE 0").arg(quoteIdent(bad)));
    raw(QStringLiteral("INSERT INTO TableNameTable(表名) VALUES(%1)").arg(textLiteral(bad)));
    raw(QStringLiteral("INSERT INTO %1(ID,单词,解释) VALUES(1,'apple','坏表')").arg(quoteIdent(bad)));
    newList(QStringLiteral("L1"));
    addWord(QStringLiteral("L1"), QStringLiteral("apple"), QStringLiteral("苹果"));

    EXPECT_EQ(PFindWordTable(QStringLiteral("apple")), QStringLiteral("L1"));
    EXPECT_EQ(PFindWordTable(QStringLiteral("cherry")), QString());
    PSearchAllTables(PMakeLikePattern(QStringLiteral("app")), &lv);
    ASSERT_EQ(PItemCount(&lv), 1);
    EXPECT_EQ(PSubItem(PItemAt(&lv, 0), 1), QStringLiteral("L1"));
}

INSTANTIATE_TEST_SUITE_P(Names, RefusedListNames, ::testing::Values("[x]", "v1.2", "a!b", "a`b", " lead"));
