// The two windows that ask the XML word service, the small dictionary and the bulk import, held to
// the same rules: what they say while asking, what a web page in place of an answer gives, and
// what closing the window or quitting the program does to a look-up in flight.

#include "wordlists/dictform.h"
#include "wordlists/inputformwordsvc.h"

#include "core/currentlist.h"
#include "platform/linklabel.h"
#include "support/settle.h"
#include "wordsvcfixture.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <memory>
#include <ostream>
#include <string>

namespace {

enum class Window { Dictionary, BulkImport };

std::string nameOf(Window w) { return w == Window::Dictionary ? "Dictionary" : "BulkImport"; }

void PrintTo(Window w, std::ostream *os) { *os << nameOf(w); }

// One of the two windows, made fresh for each test, with the current list L1 as the import's target.
class WordServiceWindow : public WordServiceFixture {
protected:
    void open(Window w)
    {
        which = w;
        PSetCurrentTable(L1);
        PDictFoundTable.clear();
        PDictFoundWord.clear();
        if (w == Window::Dictionary)
            dict = std::make_unique<TPDictForm>();
        else
            import = std::make_unique<TPInputFormWordSvc>();
        dialogs->clear();
    }
    void TearDown() override
    {
        dict.reset();
        import.reset();
        WordServiceFixture::TearDown();
    }
    TPForm *form() const { return dict ? static_cast<TPForm *>(dict.get()) : import.get(); }
    // The learner asks for these words: the dictionary for the first, the import for each line.
    void ask(const QStringList &words)
    {
        if (dict) {
            dict->MeWord->setText(words.first());
            dict->PopFind0->trigger();
        } else {
            import->CBClearMemo->setChecked(false);
            import->MeInputList->setPlainText(words.join(QLatin1Char('\n')));
            import->BtCreate->click();
        }
    }
    QString status() const { return dict ? dict->LBhint->text() : import->LBhint->text(); }

    Window which = Window::Dictionary;
    std::unique_ptr<TPDictForm> dict;
    std::unique_ptr<TPInputFormWordSvc> import;
};

class WordServiceWindowAnswer : public WordServiceWindow, public ::testing::WithParamInterface<Window> {};

// A well-formed web page in place of the service's answer is a wrong answer: no word is shown,
// offered or stored.
TEST_P(WordServiceWindowAnswer, AWebPageIsAWrongAnswerNotAWord)
{
    open(GetParam());
    web.serve(query(QStringLiteral("apple")),
              "<!DOCTYPE html>\n<html><head><title>apple</title></head><body><p>apple</p></body></html>",
              "text/html; charset=utf-8");
    ask({QStringLiteral("apple")});
    EXPECT_EQ(web.requestCount(), 1);
    EXPECT_TRUE(rows(L1).isEmpty());
    if (dict) {
        EXPECT_EQ(status(), QStringLiteral("海词网站的回应有误，请稍后再试"));
        EXPECT_TRUE(dict->GBadd->isHidden());
        EXPECT_TRUE(dict->ImgWordSvc->isHidden());
        EXPECT_TRUE(dict->EdMean->text().isEmpty());
        EXPECT_TRUE(dialogs->shown().isEmpty()) << dialogs->texts().join('|').toStdString();
    } else {
        EXPECT_EQ(import->MeInputList->toPlainText(), QStringLiteral("apple"));
        EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("已入库 0 行，1 行未能入库，已放回输入框。")});
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, WordServiceWindowAnswer, ::testing::Values(Window::Dictionary, Window::BulkImport),
                         [](const auto &info) { return nameOf(info.param); });

enum class Ending { CloseTheWindow, QuitTheProgram };

struct GiveUp {
    Window window;
    Ending ending;
};

std::string nameOf(const GiveUp &g)
{
    return nameOf(g.window) + (g.ending == Ending::CloseTheWindow ? "Closed" : "Quit");
}

void PrintTo(const GiveUp &g, std::ostream *os) { *os << nameOf(g); }

class WordServiceWindowGiveUp : public WordServiceWindow, public ::testing::WithParamInterface<GiveUp> {};

// The service takes the request and never answers. The window says it is asking; the learner
// closes it, or quits: the window closes, the look-up ends as given up, nothing more is asked or
// written, and no box pops up after the learner has gone.
TEST_P(WordServiceWindowGiveUp, TheWindowSaysItIsAskingAndClosingOrQuittingEndsTheLookUp)
{
    const bool quit = GetParam().ending == Ending::QuitTheProgram;
    open(GetParam().window);
    addTestedWord(L1, QStringLiteral("zebra"));
    const QStringList l1 = rows(L1);
    const QStringList w = rows(W);
    web.setSilent(true);
    QString during;
    QTimer giveUp;
    giveUp.setInterval(5);
    QObject::connect(&giveUp, &QTimer::timeout, [&] {
        if (web.requestCount() == 0)
            return;
        giveUp.stop();
        during = status();
        if (quit)
            QCoreApplication::quit();
        else
            form()->close();
    });
    bool opened = false;
    const auto scene = [&] {
        opened = whileModal(form(), [&] { form()->ShowModal(); }, [&] {
            giveUp.start();
            ask({QStringLiteral("apple"), QStringLiteral("pear")});
            // A look-up that ended before the service was asked leaves the window to close here.
            giveUp.stop();
            if (form()->isVisible())
                form()->close();
        });
    };
    PRunScene(quit, scene);

    ASSERT_TRUE(opened);
    EXPECT_EQ(during, QStringLiteral("正在查询海词网站……"));
    EXPECT_FALSE(form()->isVisible());
    EXPECT_EQ(web.requestCount(), 1);
    EXPECT_EQ(rows(L1), l1);
    EXPECT_EQ(rows(W), w);
    EXPECT_TRUE(dialogs->shown().isEmpty()) << dialogs->texts().join('|').toStdString();
    if (dict) {
        EXPECT_EQ(status(), QStringLiteral("查询已取消"));
    } else {
        EXPECT_TRUE(status().isEmpty());
        EXPECT_EQ(import->MeInputList->toPlainText(), QStringLiteral("apple\npear"));
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, WordServiceWindowGiveUp,
                         ::testing::Values(GiveUp{Window::Dictionary, Ending::CloseTheWindow},
                                           GiveUp{Window::Dictionary, Ending::QuitTheProgram},
                                           GiveUp{Window::BulkImport, Ending::CloseTheWindow},
                                           GiveUp{Window::BulkImport, Ending::QuitTheProgram}),
                         [](const auto &info) { return nameOf(info.param); });

}  // namespace
