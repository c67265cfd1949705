#include "services/handovers.h"
#include "support/qstringprinter.h"
#include "wordlists/samesubstrwordform.h"

#include "wordlists/wordlistwindows.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <sqlite3.h>

namespace {
const QString W = QStringLiteral("WordTable");
const QString K = QStringLiteral("单词");
using Rows = QList<QStringList>;
}  // namespace

class SameSubStrWordForm : public WordListWindows {
protected:
    void SetUp() override
    {
        WordListWindows::SetUp();
        newList(QStringLiteral("L1"));
        newList(QStringLiteral("L2"));
        for (const char *w : {"about", "cab", "flexible", "lab", "o'clock"})
            addWord(W, QString::fromUtf8(w), QStringLiteral("义") + QString::fromUtf8(w));
        for (const char *w : {"Ablaze", "cab", "lax"})
            addWord(QStringLiteral("L1"), QString::fromUtf8(w), QStringLiteral("义") + QString::fromUtf8(w));
        form = std::make_unique<TPSameSubStrWordForm>();
        previousHandOvers = PHandOvers();
        PHandOvers().dictForm = [this](const QString &word, bool mayChange) {
            dictWords << word + (mayChange ? QStringLiteral("/may change") : QString());
        };
    }
    void TearDown() override
    {
        PHandOvers() = previousHandOvers;
        form.reset();
        WordListWindows::TearDown();
    }
    void search(const QString &text, const QString &mode)
    {
        form->MeWord->setText(text);
        form->CBFindMode->setCurrentText(mode);
        form->BTFind->click();
    }
    // Hits as "word@list".
    QStringList hits() const
    {
        QStringList out;
        for (const QStringList &r : rows(form->PLV))
            out << r.at(0) + QLatin1Char('@') + r.at(2);
        return out;
    }
    std::unique_ptr<TPSameSubStrWordForm> form;
    TPHandOvers previousHandOvers;
    QStringList dictWords;
};

struct FilterCase {
    const char *text;
    const char *mode;
    QStringList hits;
};
void PrintTo(const FilterCase &c, std::ostream *os) { PrintCase(os, c.text, c.mode); }

class SameSubStrSearch : public SameSubStrWordForm, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(SameSubStrSearch, FindsTheWordsOfEveryListAndCountsThem)
{
    const FilterCase c = GetParam();
    ASSERT_TRUE(whileShown(form.get(), [&] {
        search(QString::fromUtf8(c.text), QString::fromUtf8(c.mode));
        EXPECT_EQ(hits(), c.hits);
        EXPECT_EQ(form->LBhint->text(), QStringLiteral("共查到 %1 词").arg(c.hits.size()));
    }));
}

INSTANTIATE_TEST_SUITE_P(
    Table, SameSubStrSearch,
    ::testing::Values(
        FilterCase{"l x b", "模糊查", {"flexible@WordTable"}},
        FilterCase{"ab", "当前缀查", {"about@WordTable", "Ablaze@L1"}},
        FilterCase{"AB", "当前缀查", {"about@WordTable", "Ablaze@L1"}},
        FilterCase{"ab", "当后缀查", {"cab@WordTable", "lab@WordTable", "cab@L1"}},
        FilterCase{"ab", "模糊查", {"about@WordTable", "cab@WordTable", "lab@WordTable", "Ablaze@L1", "cab@L1"}},
        // An unknown mode text searches anywhere.
        FilterCase{"la", "别的", {"lab@WordTable", "Ablaze@L1", "lax@L1"}},
        FilterCase{"o'c", "模糊查", {"o'clock@WordTable"}},
        FilterCase{"", "当后缀查",
                   {"about@WordTable", "cab@WordTable", "flexible@WordTable", "lab@WordTable", "o'clock@WordTable",
                    "Ablaze@L1", "cab@L1", "lax@L1"}},
        FilterCase{"\" or 1=1 --", "模糊查", {}}));

TEST_F(SameSubStrWordForm, ThePatternReachesTheBankAsAValue)
{
    dm->PSelectFromTableLike(W, K, QStringLiteral("\"o'c%\""));
    EXPECT_FALSE(dm->PQuery.sql().contains(QStringLiteral("o'c")));
    dm->PQuery.open();
    EXPECT_EQ(dm->PQuery.recordCount(), 1);
    dm->PQuery.close();
}

TEST_F(SameSubStrWordForm, EachActivationStartsAfreshWhileEnterSearches)
{
    ASSERT_TRUE(whileShown(form.get(), [&] {
        EXPECT_EQ(form->MeWord->text(), QStringLiteral("l x b"));
        EXPECT_EQ(form->CBFindMode->currentText(), QStringLiteral("模糊查"));
        QTest::keyClick(form->MeWord, Qt::Key_Return);
        EXPECT_EQ(hits(), QStringList{"flexible@WordTable"});
        form->PLV->topLevelItem(0)->setSelected(true);
        EXPECT_TRUE(form->PopPLV1->isEnabled());
        // A new search takes the selection, and the commands on it, away.
        search(QStringLiteral("ab"), QStringLiteral("模糊查"));
        EXPECT_FALSE(form->PopPLV1->isEnabled());
        EXPECT_FALSE(form->PopPLV2->isEnabled());
    }));
    ASSERT_TRUE(whileShown(form.get(), [&] {
        EXPECT_EQ(form->PLV->topLevelItemCount(), 0);
        EXPECT_TRUE(form->LBhint->text().isEmpty());
        EXPECT_FALSE(form->PopPLV1->isEnabled());
        EXPECT_FALSE(form->PopPLV2->isEnabled());
    }));
}

TEST_F(SameSubStrWordForm, TheDictionaryOpensOnTheHitStillSelected)
{
    ASSERT_TRUE(whileShown(form.get(), [&] {
        search(QStringLiteral("ab"), QStringLiteral("模糊查"));
        QTreeWidget *v = form->PLV;
        v->topLevelItem(1)->setSelected(true);
        v->topLevelItem(3)->setSelected(true);
        EXPECT_FALSE(form->PopPLV1->isEnabled());
        EXPECT_TRUE(form->PopPLV2->isEnabled());
        // A control-click takes the later hit away again.
        QTest::mouseClick(v->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          v->visualItemRect(v->topLevelItem(3)).center());
        ASSERT_TRUE(form->PopPLV1->isEnabled());
        form->PopPLV1->trigger();
        v->clearSelection();
        EXPECT_FALSE(form->PopPLV1->isEnabled());
        EXPECT_FALSE(form->PopPLV2->isEnabled());
    }));
    EXPECT_EQ(dictWords, QStringList{"cab"});
}

TEST_F(SameSubStrWordForm, MovingHitsFromTwoListsLeavesThoseAlreadyThere)
{
    addWord(QStringLiteral("L2"), QStringLiteral("crab"));
    QStringList offered;
    ASSERT_TRUE(whileShown(form.get(), [&] {
        search(QStringLiteral("ab"), QStringLiteral("当后缀查"));
        form->PLV->selectAll();
        answerChooser(QString());
        form->PopPLV2->trigger();
        EXPECT_EQ(hits(), (QStringList{"cab@WordTable", "lab@WordTable", "cab@L1", "crab@L2"}));
        answerChooser(QStringLiteral("L2"), &offered);
        form->PopPLV2->trigger();
        EXPECT_EQ(hits(), (QStringList{"cab@L2", "lab@L2", "cab@L2", "crab@L2"}));
    }));
    EXPECT_EQ(offered, (QStringList{"WordTable", "L1", "L2"}));
    EXPECT_EQ(column(QStringLiteral("L2"), K), (QStringList{"crab", "cab", "lab", "cab"}));
    EXPECT_EQ(column(W, K), (QStringList{"about", "flexible", "o'clock"}));
    EXPECT_EQ(column(QStringLiteral("L1"), K), (QStringList{"Ablaze", "lax"}));
    // The rows moved whole.
    EXPECT_EQ(field(QStringLiteral("L2"), QStringLiteral("lab"), QStringLiteral("解释")), QStringLiteral("义lab"));
}

TEST_F(SameSubStrWordForm, ClosingSwitchesTheHitMenuBackOn)
{
    form->PSetPopupAuto(false);
    ASSERT_TRUE(whileShown(form.get(), [&] {
        EXPECT_EQ(form->PLV->contextMenuPolicy(), Qt::NoContextMenu);
    }));
    EXPECT_TRUE(form->PPopupAuto());
    EXPECT_EQ(form->PLV->contextMenuPolicy(), Qt::CustomContextMenu);
}

TEST_F(SameSubStrWordForm, AMoveThatFailsKeepsEachWordInExactlyOneList)
{
    // "lab" cannot leave WordTable; "cab" before it in the walk moves, the rest stays.
    refuse(QStringLiteral("delete"), QStringLiteral("WordTable"), QStringLiteral("old.单词 = 'lab'"),
           QStringLiteral("磁盘已满"));
    ASSERT_TRUE(whileShown(form.get(), [&] {
        search(QStringLiteral("ab"), QStringLiteral("当后缀查"));
        form->PLV->selectAll();
        answerChooser(QStringLiteral("L2"));
        form->PopPLV2->trigger();
        EXPECT_EQ(hits(), (QStringList{"cab@L2", "lab@WordTable", "cab@L1"}));
    }));
    ASSERT_EQ(dialogs->shown().size(), 1);
    EXPECT_EQ(dialogs->shown().first().icon, Dialogs::Critical);
    EXPECT_TRUE(dialogs->lastText().contains(QStringLiteral("磁盘已满")));
    EXPECT_EQ(column(QStringLiteral("L2"), K), QStringList{"cab"});
    EXPECT_EQ(column(W, K), (QStringList{"about", "flexible", "lab", "o'clock"}));
    EXPECT_EQ(column(QStringLiteral("L1"), K), (QStringList{"Ablaze", "cab", "lax"}));
}
