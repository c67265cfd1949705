// Meaning matching: boards dealt from the current list, pairs found at the first try written
// back, retried words reviewed, and boards with shared or empty meanings finishing.

#include "services/handovers.h"
#include "tools/linkerform.h"

#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "core/listviews.h"
#include "platform/formbase.h"
#include "platform/inifile.h"
#include "platform/sound.h"
#include "services/publicform.h"
#include "tools/showwrongform.h"
#include "support/bankfixture.h"
#include "support/drivendate.h"
#include "support/qstringprinter.h"
#include "support/recordingbrowser.h"
#include "support/soundfiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QString W = Tbl::WordTable;

class Linker : public BankFixture {
protected:
    void SetUp() override
    {
        BankFixture::SetUp();
        PEnsureUserRow();
        PSetCurrentTable(W);
        PConfigIni->WriteBool(Ini::BackMusic, Ini::CanPlay, false);
        // Empty tones: which effect the board asks for is tested here, hearing one is the sound layer's.
        for (const char *effect : {"rightLink", "wrongLink", "victory"})
            ASSERT_TRUE(writeToneWav(programDir + QStringLiteral("sound/effect/%1.wav").arg(QLatin1String(effect)), 0));
        date = std::make_unique<DrivenDate>(QDateTime(QDate(2026, 3, 10), QTime(9, 0)));
        publicForm = std::make_unique<TPPublicForm>();
        review = std::make_unique<TPShowWrongForm>();
        saved = PHandOvers();
        PHandOvers().studyToolSelectForm = [this] { ++toolSelectShown; };
    }
    void TearDown() override
    {
        form.reset();
        review.reset();
        publicForm.reset();
        PHandOvers() = saved;
        date.reset();
        BankFixture::TearDown();
    }

    void word(const QString &w, const QString &meaning, const QString &master, const QString &tested)
    {
        addWord(W, w, meaning);
        dm->PUpdateTwoKeyDataFromTable(W, Col::Word, w, Col::Explanation, meaning, Col::MasterType, master);
        dm->PUpdateTwoKeyDataFromTable(W, Col::Word, w, Col::Explanation, meaning, Col::LastTested, tested);
    }
    void open()
    {
        form = std::make_unique<TPLinkerForm>();
        form->Show();
        QApplication::processEvents();
        Sound::clearRequests();
    }
    QStringList effects()
    {
        QStringList out;
        for (const Sound::Request &r : Sound::requests()) {
            if (r.kind == Sound::Request::PlaySync)
                out << QFileInfo(r.what).baseName();
        }
        return out;
    }
    int button(const QString &w)
    {
        for (int k = 0; k < 7; ++k) {
            if (form->En[k]->text() == w && form->En[k]->isVisible())
                return k;
        }
        return -1;
    }
    // The first box on screen showing the meaning dealt with word button k.
    int boxFor(int k)
    {
        for (int b = 0; b < 7; ++b) {
            if (form->LB[b]->isVisible() && form->LB[b]->text() == form->board().wordMeaning(k))
                return b;
        }
        return -1;
    }
    void clickWord(int k) { QTest::mouseClick(form->En[k], Qt::LeftButton); }
    void clickBox(int b) { QTest::mouseClick(form->LB[b], Qt::LeftButton); }
    // Rows of the list as 单词|解释|最近测试时间|掌握类型.
    QStringList rows()
    {
        QStringList out;
        dm->PSelectAllFromTable(W);
        dm->PQuery.open();
        for (; !dm->PQuery.eof(); dm->PQuery.next()) {
            QStringList r;
            for (const QString &f : {Col::Word, Col::Explanation, Col::LastTested, Col::MasterType})
                r << dm->PQuery.fieldByName(f);
            out << r.join(QLatin1Char('|'));
        }
        dm->PQuery.close();
        return out;
    }
    // Closes the review when it opens, keeping what it listed.
    void catchReview()
    {
        QTimer::singleShot(0, review.get(), [this] {
            for (int i = 0; i < PItemCount(review->PLVsw); ++i)
                reviewed << PCaption(PItemAt(review->PLVsw, i));
            review->close();
        });
    }

    std::unique_ptr<DrivenDate> date;
    std::unique_ptr<TPPublicForm> publicForm;
    std::unique_ptr<TPShowWrongForm> review;
    std::unique_ptr<TPLinkerForm> form;
    TPHandOvers saved;
    int toolSelectShown = 0;
    QStringList reviewed;
};

TEST_F(Linker, SevenWordsPairedAtTheFirstTryAreWrittenAndRestThreeDays)
{
    word("a", "甲", "01", "2026-03-01");
    word("b", "乙", "", "");
    word("c", "丙", "10", "2000-01-01");
    word("d", "丁", "00", "2026-03-10");
    word("e", "戊", "11", "2026-03-07");  // three days ago: plays again
    word("f", "己", "01", "2026-03-09");
    word("g", "庚", "11", "2026-03-01");
    word("h", "辛", "11", "2026-03-08");  // two days ago: rests
    open();
    EXPECT_EQ(form->LBcount->text(), "还剩 7 词");
    EXPECT_FALSE(form->CBBackMusic->isChecked());
    QStringList dealt;
    for (int k = 0; k < 7; ++k)
        dealt << form->En[k]->text();
    EXPECT_EQ(dealt, QStringList({"g", "f", "e", "d", "c", "b", "a"}));
    const QStringList before = rows();

    for (int k = 0; k < 7; ++k) {
        const int b = boxFor(k);
        ASSERT_GE(b, 0);
        if (k % 2) {
            clickBox(b);
            clickWord(k);
        } else {
            clickWord(k);
            clickBox(b);
        }
        if (k < 6) {
            EXPECT_FALSE(form->En[k]->isVisible());
            EXPECT_FALSE(form->LB[b]->isVisible());
        }
    }
    QStringList expectedEffects;
    for (int k = 0; k < 7; ++k)
        expectedEffects << "wrongLink" << "rightLink";
    EXPECT_EQ(effects(), expectedEffects << "victory");
    EXPECT_EQ(rows(), QStringList({"a|甲|2026-03-10|11", "b|乙|2026-03-10|1", "c|丙|2026-03-10|01",
                                   "d|丁|2026-03-10|01", "e|戊|2026-03-10|11", "f|己|2026-03-10|11",
                                   "g|庚|2026-03-10|11", before.last()}));
    // The next board finds the words just mastered resting.
    EXPECT_EQ(form->LBcount->text(), "还剩 3 词");
    EXPECT_EQ(dialogs->texts(), QStringList({"本词表已暂时找不到足够符合条件的单词"}));
    EXPECT_FALSE(form->Panel1->isVisible());
    EXPECT_EQ(form->session().count(), 3);

    form->close();
    EXPECT_EQ(form->session().count(), 0);
    EXPECT_EQ(toolSelectShown, 1);
}

TEST_F(Linker, RetriedWordsAreReviewedAndNotWritten)
{
    for (int i = 0; i < 9; ++i)
        word(QStringLiteral("w%1").arg(i), QStringLiteral("义%1").arg(i), "01", "2000-01-01");
    open();
    const int a = button("w8"), b = button("w7"), c = button("w6");
    clickWord(a);
    clickBox(boxFor(b));  // w7's meaning picked for w8: both charged
    clickBox(boxFor(a));
    clickWord(a);
    clickWord(c);  // the same word twice
    clickWord(c);
    clickBox(boxFor(c));
    clickWord(b);
    clickBox(boxFor(b));
    for (int k = 0; k < 7; ++k) {
        if (!form->En[k]->isVisible())
            continue;
        clickWord(k);
        if (form->board().pairs() == 6)
            catchReview();
        clickBox(boxFor(k));
    }
    EXPECT_EQ(reviewed, QStringList({"w8", "w7", "w6"}));
    QStringList expected;
    for (int i = 0; i < 9; ++i)
        expected << QStringLiteral("w%1|义%1|").arg(i) + (i >= 2 && i <= 5 ? "2026-03-10|11" : "2000-01-01|01");
    EXPECT_EQ(rows(), expected);
    EXPECT_EQ(form->LBcount->text(), "还剩 5 词");
}

// Pairs go by the meanings on the board: equal meanings, empty ones, and a word whose first row
// in the list is not the one dealt all pair.
TEST_F(Linker, SharedEmptyAndOffBoardMeaningsFinishTheBoard)
{
    word("bank", "河岸", "00", "2000-01-01");
    word("x", "甲", "00", "2000-01-01");
    word("y", "甲", "00", "2000-01-01");
    word("p", "", "00", "2000-01-01");
    word("q", "", "00", "2000-01-01");
    word("r", "乙", "00", "2000-01-01");
    word("s", "丙", "00", "2000-01-01");
    dm->PQuery.setSql(QStringLiteral("insert into WordTable (单词,解释,最近测试时间,掌握类型) "
                                     "values ('bank','银行','2000-01-01','01')"));
    dm->PQuery.execSql();
    open();
    EXPECT_EQ(button("bank"), 0);
    EXPECT_EQ(form->board().wordMeaning(0), "银行");
    // Boxes in screen order, each followed by the first word that fits.
    for (int b = 0; b < 7; ++b) {
        clickBox(b);
        int k = 0;
        while (!(form->En[k]->isVisible() && form->board().wordMeaning(k) == form->LB[b]->text()))
            ++k;
        clickWord(k);
    }
    EXPECT_TRUE(reviewed.isEmpty());
    EXPECT_EQ(effects().count("rightLink"), 7);
    EXPECT_EQ(effects().count("victory"), 1);
    // Every row of the spelling changes, as the list is keyed by it.
    EXPECT_EQ(rows(), QStringList({"bank|河岸|2026-03-10|11", "x|甲|2026-03-10|01", "y|甲|2026-03-10|01",
                                   "p||2026-03-10|01", "q||2026-03-10|01", "r|乙|2026-03-10|01", "s|丙|2026-03-10|01",
                                   "bank|银行|2026-03-10|11"}));
}

// A dialog box that looks at the window the moment it opens.
class ProbingDialogs : public ScriptedDialogs {
public:
    std::function<void()> probe;
    void message(const QString &text, const QString &title, Icon icon) override
    {
        if (probe)
            probe();
        ScriptedDialogs::message(text, title, icon);
    }
};

// A list with too few words shows no board, not even the last list's behind the message, and the
// row below the board stays where it was.
TEST_F(Linker, TooFewWordsHideTheLastBoardBeforeSayingSo)
{
    for (int i = 0; i < 7; ++i)
        word(QStringLiteral("w%1").arg(i), QStringLiteral("义%1").arg(i), "00", "2000-01-01");
    dm->PCreateNewWordTable(W, QStringLiteral("Few"), QStringLiteral("addname"));
    dm->PDeleteAllFromTable(QStringLiteral("Few"));
    addWord(QStringLiteral("Few"), QStringLiteral("one"), QStringLiteral("一"));
    open();
    ASSERT_TRUE(form->Panel1->isVisible());
    QApplication::processEvents();  // the count's new text laid out
    const QRect count = form->LBcount->geometry(), report = form->CBShowTestReport->geometry();

    dialogs.reset();
    auto probing = std::make_unique<ProbingDialogs>();
    bool boardShown = true;
    probing->probe = [&] { boardShown = form->Panel1->isVisible(); };
    ProbingDialogs *probe = probing.get();
    dialogs = std::move(probing);
    // The learner leaves for another window of the program and comes back on another list.
    TPForm elsewhere;
    elsewhere.Show();
    QApplication::processEvents();
    PSetCurrentTable(QStringLiteral("Few"));
    const int activations = form->activationCount();
    elsewhere.hide();
    form->activateWindow();
    QApplication::processEvents();
    ASSERT_EQ(form->activationCount(), activations + 1);
    QApplication::processEvents();

    EXPECT_EQ(probe->texts(), QStringList{QStringLiteral("本词表已暂时找不到足够符合条件的单词")});
    EXPECT_FALSE(boardShown) << "the last list's board showed behind the message";
    EXPECT_FALSE(form->Panel1->isVisible());
    EXPECT_EQ(form->LBcount->text(), QStringLiteral("还剩 1 词"));
    EXPECT_EQ(form->LBcount->geometry(), count);
    EXPECT_EQ(form->CBShowTestReport->geometry(), report);
    clickBox(0);  // a click that reached a box of no board changes nothing
    EXPECT_TRUE(effects().isEmpty());
}

}  // namespace
