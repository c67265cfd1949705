#include "core/datamodule.h"
#include "platform/http.h"
#include "services/addresses.h"
#include "services/wordxml.h"
#include "support/bankfixture.h"
#include "support/loopbackweb.h"

#include <QDomDocument>
#include <QStringEncoder>
#include <QTextEdit>
#include <ostream>
#include <utility>


namespace {
QString query(const QString &word) { return Addr::WordServiceEndpoint() + QStringLiteral("ws.php?q=") + word; }

QByteArray sent(int i)
{
    const QByteArray n = QByteArray::number(i);
    return "<sent><orig>Sentence " + n + ".</orig><trans>句子" + n + "。</trans></sent>";
}

QByteArray answer(const QByteArray &children)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<dict>" + children + "</dict>";
}

QStringList sentOrigs(const QDomDocument &doc)
{
    QStringList out;
    for (QDomElement e = doc.documentElement().firstChildElement(QStringLiteral("sent")); !e.isNull();
         e = e.nextSiblingElement(QStringLiteral("sent")))
        out << e.firstChildElement(QStringLiteral("orig")).text();
    return out;
}

class WordXml : public ::testing::Test {
protected:
    LoopbackWeb web;
    QDomDocument doc;
    QTextEdit memo;
};

// --- loading ---

TEST_F(WordXml, KnownWordLoadsTheAnswer)
{
    web.serve(query(QStringLiteral("apple")),
              answer("<key>apple</key><pron>ˈæpl</pron><def>n. 苹果</def>" + sent(1)), "text/xml");
    EXPECT_TRUE(PLoadWordXml(doc, QStringLiteral("apple")));
    EXPECT_EQ(web.requests(), QStringList{QStringLiteral("http://dict.cn/ws.php?q=apple")});
    EXPECT_EQ(doc.documentElement().firstChildElement(QStringLiteral("def")).text(), QStringLiteral("n. 苹果"));
}

// The service must get the whole word as typed, blanks at its ends included, or it answers (and
// the dictionary stores) another one.
struct Query {
    const char *what;
    const char *word;
    const char *sent;
};

void PrintTo(const Query &q, std::ostream *os) { *os << q.what; }

class WordXmlQuery : public WordXml, public ::testing::WithParamInterface<Query> {};

TEST_P(WordXmlQuery, TheWordArrivesWhole)
{
    const QString word = QString::fromUtf8(GetParam().word);
    const QString target = QStringLiteral("http://dict.cn/ws.php?q=") + QString::fromUtf8(GetParam().sent);
    web.serve(target, answer("<key>k</key><def>d</def>"), "text/xml");
    EXPECT_TRUE(PLoadWordXml(doc, word));
    EXPECT_EQ(web.requests(), QStringList{target});
}

INSTANTIATE_TEST_SUITE_P(Words, WordXmlQuery,
                         ::testing::Values(Query{"Ampersand", "AT&T", "AT%26T"}, Query{"Hash", "C#", "C%23"},
                                           Query{"Plus", "C++", "C%2B%2B"}, Query{"Percent", "100%", "100%25"},
                                           Query{"NonAscii", "naïve", "na%C3%AFve"},
                                           Query{"LeadingBlank", " ice cream", "%20ice%20cream"},
                                           Query{"TrailingBlanks", "ice cream  ", "ice%20cream%20%20"}),
                         [](const auto &info) { return std::string(info.param.what); });

TEST_F(WordXml, DefFirstOrEmptyRootIsAnUnknownWord)
{
    web.serve(query(QStringLiteral("xyzzy")), answer("<def>Not Found</def><key>xyzzy</key>"), "text/xml");
    web.serve(query(QStringLiteral("empty")), answer(""), "text/xml");
    web.serve(query(QStringLiteral("texty")), answer("nothing here"), "text/xml");
    EXPECT_FALSE(PLoadWordXml(doc, QStringLiteral("xyzzy")));
    EXPECT_FALSE(PLoadWordXml(doc, QStringLiteral("empty")));
    EXPECT_FALSE(PLoadWordXml(doc, QStringLiteral("texty")));
}

TEST_F(WordXml, AnswerInTheChineseCodePageIsRead)
{
    QStringEncoder gbk("GB18030");
    ASSERT_TRUE(gbk.isValid());
    const QByteArray body = "<?xml version=\"1.0\" encoding=\"GBK\"?>\n<dict><key>apple</key><def>" +
                            QByteArray(gbk.encode(QStringLiteral("n. 苹果"))) + "</def></dict>";
    web.serve(query(QStringLiteral("apple")), body, "text/xml");
    EXPECT_TRUE(PLoadWordXml(doc, QStringLiteral("apple")));
    EXPECT_EQ(doc.documentElement().firstChildElement(QStringLiteral("def")).text(), QStringLiteral("n. 苹果"));
}

TEST_F(WordXml, ElementNamesAreMatchedExactly)
{
    web.serve(query(QStringLiteral("big")), answer("<Def>大的</Def><key>big</key><def>adj. 大的</def>"), "text/xml");
    EXPECT_TRUE(PLoadWordXml(doc, QStringLiteral("big")));
}

// Answers that are no answer about a word are errors, never a word found with an empty meaning
// nor an unknown word; the previous answer is gone, so nobody reads it as this word's.
struct WrongAnswer {
    const char *what;
    QByteArray body;
    const char *contentType;
};

void PrintTo(const WrongAnswer &w, std::ostream *os) { *os << w.what; }

class WordXmlWrongAnswer : public WordXml, public ::testing::WithParamInterface<WrongAnswer> {};

TEST_P(WordXmlWrongAnswer, IsAnErrorAndLeavesTheDocumentEmpty)
{
    web.serve(query(QStringLiteral("apple")), answer("<key>apple</key><def>苹果</def>"), "text/xml");
    ASSERT_TRUE(PLoadWordXml(doc, QStringLiteral("apple")));
    web.serve(query(QStringLiteral("pear")), GetParam().body, GetParam().contentType);
    try {
        PLoadWordXml(doc, QStringLiteral("pear"));
        FAIL() << "no error";
    } catch (const WebError &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("词典服务的回应无法读取："))) << e.what();
        EXPECT_EQ(e.kind(), WebError::Failed);
    }
    EXPECT_TRUE(doc.documentElement().isNull());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, WordXmlWrongAnswer,
    ::testing::Values(
        WrongAnswer{"BrokenHtml", "<html><body>Service unavailable<br></body>", "text/html"},
        WrongAnswer{"WellFormedHtmlPage",
                    "<!DOCTYPE html>\n<html><head><title>pear</title></head><body><p>pear</p></body></html>",
                    "text/html; charset=utf-8"},
        WrongAnswer{"KeyWithoutDef", answer("<key>pear</key><sent><orig>A pear.</orig></sent>"), "text/xml"},
        WrongAnswer{"DefInAnotherCase", answer("<key>pear</key><Def>梨</Def>"), "text/xml"},
        WrongAnswer{"DefWithoutKey", answer("<pron>per</pron><def>梨</def>"), "text/xml"}),
    [](const auto &info) { return std::string(info.param.what); });

TEST_F(WordXml, FailedRequestIsAnError)
{
    web.serve(query(QStringLiteral("apple")), "busy", "text/plain", 503);
    EXPECT_THROW(PLoadWordXml(doc, QStringLiteral("apple")), WebError);
    EXPECT_THROW(PLoadWordXml(doc, QStringLiteral("unserved")), WebError);
}

TEST_F(WordXml, SilentServiceEndsInTheTimeOut)
{
    web.setSilent(true);
    ShortHttpTimeouts timeouts(50, 100);
    EXPECT_THROW(PLoadWordXml(doc, QStringLiteral("apple")), WebError);
}

// --- example sentences ---

TEST_F(WordXml, ThreeSentencesInOrderAndTheFirstTwoLeaveTheDocument)
{
    web.serve(query(QStringLiteral("run")),
              answer("<key>run</key><def>跑</def>" + sent(1) + sent(2) + sent(3) + sent(4)), "text/xml");
    ASSERT_TRUE(PLoadWordXml(doc, QStringLiteral("run")));
    PShowExampleSentences(doc, &memo);
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("Sentence 1.\n句子1。\nSentence 2.\n句子2。\nSentence 3.\n句子3。"));
    EXPECT_EQ(sentOrigs(doc), (QStringList{QStringLiteral("Sentence 3."), QStringLiteral("Sentence 4.")}));
    EXPECT_EQ(doc.documentElement().firstChildElement(QStringLiteral("key")).text(), QStringLiteral("run"));
}

TEST_F(WordXml, OneSentenceGivesItsTwoLinesThenFourEmptyOnes)
{
    doc.setContent(answer("<def>跑</def>" + sent(1)));
    PShowExampleSentences(doc, &memo);
    EXPECT_EQ(memo.document()->blockCount(), 6);
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("Sentence 1.\n句子1。\n\n\n\n"));
    EXPECT_TRUE(sentOrigs(doc).isEmpty());
}

TEST_F(WordXml, NoSentenceGivesSixEmptyLines)
{
    doc.setContent(answer("<key>x</key>"));
    PShowExampleSentences(doc, &memo);
    EXPECT_EQ(memo.document()->blockCount(), 6);
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("\n\n\n\n\n"));
}

TEST_F(WordXml, SentenceWithoutTranslationAndMemoKeptAndTextPlain)
{
    memo.setPlainText(QStringLiteral("已有一行"));
    doc.setContent(answer("<sent><orig>a &lt;b&gt; c</orig></sent>" + sent(2)));
    PShowExampleSentences(doc, &memo);
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("已有一行\na <b> c\n\nSentence 2.\n句子2。\n\n"));
}

// A waiter given up (its window closed, the program quit) asks nothing more, and its probe is no
// sign that the site is down: the window then says that the look-up was given up, not that the
// site cannot be reached.
TEST(WordServiceWaiting, AGivenUpWaiterAsksNothingAndItsProbeIsNoVerdict)
{
    ProxyEnvironment down("http://127.0.0.1:" + QByteArray::number(LoopbackWeb::closedPort()));
    QDomDocument doc;
    HttpWaiter asking;
    EXPECT_FALSE(PIsOnlineWaiting(asking));
    HttpWaiter givenUp;
    givenUp.cancel();
    EXPECT_TRUE(PIsOnlineWaiting(givenUp));
    EXPECT_EQ(PAskWordService(doc, QStringLiteral("apple"), givenUp), TPWordAnswer::Cancelled);
}

// The browser's online look-up uses the data module's document, loaded again for each word.
class WordXmlShared : public BankFixture {};

TEST_F(WordXmlShared, DataModuleDocumentKeepsOnlyTheLastAnswer)
{
    LoopbackWeb web;
    QTextEdit memo;
    ASSERT_NE(PXmlDoc, nullptr);
    web.serve(query(QStringLiteral("go")), answer("<key>go</key><def>去</def>" + sent(7) + sent(8)), "text/xml");
    web.serve(query(QStringLiteral("come")), answer("<key>come</key><def>来</def>"), "text/xml");
    EXPECT_TRUE(PLoadWordXml(*PXmlDoc, QStringLiteral("go")));
    PShowExampleSentences(*PXmlDoc, &memo);
    EXPECT_TRUE(memo.toPlainText().startsWith(QStringLiteral("Sentence 7.\n句子7。\nSentence 8.")));
    EXPECT_TRUE(PLoadWordXml(*PXmlDoc, QStringLiteral("come")));
    EXPECT_TRUE(sentOrigs(*PXmlDoc).isEmpty());
    EXPECT_EQ(PXmlDoc->documentElement().firstChildElement(QStringLiteral("key")).text(), QStringLiteral("come"));
}
}  // namespace
