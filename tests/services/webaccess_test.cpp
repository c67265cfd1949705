#include "platform/http.h"
#include "support/recordingbrowser.h"
#include "services/addresses.h"
#include "services/webaccess.h"
#include "support/bankfixture.h"
#include "support/loopbackweb.h"

#include <QUrl>
#include <ostream>


namespace {
const QString Notice = QStringLiteral("检测到最新版本 V03_100101 赶快去下载吧！");

// One article entry: the link target starts exactly 47 characters after the start of the marker
// (22 for the marker itself, then the 25 of `"><a target=_blank href="`).
QString article(const QString &n, const QString &url, const QString &title)
{
    return QStringLiteral("<li id=\"therecommendablepaper") + n + QStringLiteral("\"><a target=_blank href=\"") + url +
           QStringLiteral("\">") + title + QStringLiteral("</a></li>\n");
}

class WebAccess : public BankFixture {
protected:
    RecordingBrowser browser;
};

// --- update notice ---

TEST_F(WebAccess, NewerVersionOnTheStatusPageOffersTheDownload)
{
    LoopbackWeb web;
    web.serve(Addr::StatusPage(), "<html><body><!--thenewestversionis:V03_100101--></body></html>");
    PStatusPageText = PGetWebPage(Addr::StatusPage());
    dialogs->answer(Dialogs::Yes);
    PCheckNewVersion(PStatusPageText);
    ASSERT_EQ(dialogs->shown().size(), 1);
    EXPECT_EQ(dialogs->shown().at(0).kind, QStringLiteral("ask"));
    EXPECT_EQ(dialogs->lastText(), Notice);
    EXPECT_EQ(browser.opened(), QStringList{Addr::DownloadArticle()});
    PStatusPageText.clear();
}

TEST_F(WebAccess, DeclinedNoticeOpensNothing)
{
    dialogs->answer(Dialogs::No);
    PCheckNewVersion(QStringLiteral("thenewestversionis:V03_100101"));
    EXPECT_EQ(dialogs->texts(), QStringList{Notice});
    EXPECT_TRUE(browser.opened().isEmpty());
}

TEST_F(WebAccess, SameOlderOrMissingVersionShowsNothing)
{
    ASSERT_EQ(PVersion, QStringLiteral("V03_090919"));
    PCheckNewVersion(QStringLiteral("thenewestversionis:V03_090919 and more"));
    PCheckNewVersion(QStringLiteral("thenewestversionis:V03_090918"));
    PCheckNewVersion(QStringLiteral("<html>no version here: V03_100101</html>"));
    PCheckNewVersion(QString());
    // The comparison is by character code: a lower-case v sorts after V, so it is newer.
    PCheckNewVersion(QStringLiteral("thenewestversionis:v03_000000"));
    EXPECT_EQ(dialogs->texts(), QStringList{QStringLiteral("检测到最新版本 v03_000000 赶快去下载吧！")});
    EXPECT_TRUE(browser.opened().isEmpty());
}

TEST_F(WebAccess, OnlyTheTenCharactersAfterTheFirstMarkerCount)
{
    PCheckNewVersion(QStringLiteral("thenewestversionis:V03_090919XYZ thenewestversionis:V09_999999"));
    EXPECT_TRUE(dialogs->texts().isEmpty());
}

// --- recommended articles ---

TEST_F(WebAccess, ArticleTitleAndAddressAreReadAtTheMarkerPlus47)
{
    LoopbackWeb web;
    const QString page = QStringLiteral("<html><ul>\n") +
                         article(QStringLiteral("1"), QStringLiteral("http://lexorin.example.net/a/1.html"),
                                 QStringLiteral("如何背单词")) +
                         article(QStringLiteral("2"), QStringLiteral("http://other.example.org/x?y=1"),
                                 QStringLiteral("Second")) +
                         article(QStringLiteral("3"), QStringLiteral("/a/3.html"), QStringLiteral("第三篇")) +
                         QStringLiteral("</ul></html>");
    web.serve(Addr::ArticlePage(), page.toUtf8());

    EXPECT_EQ(PGetRecommendedTitle(QStringLiteral("1")), QStringLiteral("如何背单词"));
    EXPECT_EQ(PGetRecommendedTitle(QStringLiteral("2")), QStringLiteral("Second"));
    EXPECT_EQ(PGetRecommendedTitle(QStringLiteral("3")), QStringLiteral("第三篇"));
    EXPECT_EQ(PGetRecommendedUrl(QStringLiteral("1")), QStringLiteral("http://lexorin.example.net/a/1.html"));
    EXPECT_EQ(PGetRecommendedUrl(QStringLiteral("2")), QStringLiteral("http://other.example.org/x?y=1"));
    EXPECT_EQ(PGetRecommendedUrl(QStringLiteral("3")), QStringLiteral("/a/3.html"));
    // Each call fetches the page anew.
    EXPECT_EQ(web.requestCount(), 6);
    EXPECT_EQ(web.requests().first(), Addr::ArticlePage());
}

TEST_F(WebAccess, ArticleAddressIsCutByPositionNotByMarkup)
{
    LoopbackWeb web;
    // Two characters fewer between marker and link: the address then starts two characters late.
    web.serve(Addr::ArticlePage(),
              "<li id=\"therecommendablepaper1\"><a target=_bla href=\"http://lexorin.example.net/z.html\">Z</a>");
    EXPECT_EQ(PGetRecommendedUrl(QStringLiteral("1")), QStringLiteral("tp://lexorin.example.net/z.html"));
    EXPECT_EQ(PGetRecommendedTitle(QStringLiteral("1")), QStringLiteral("Z"));
}

TEST_F(WebAccess, MissingArticleGivesEmptyTitleAndAddressAndOpensNothing)
{
    LoopbackWeb web;
    // Article 1 only; the page is long enough that a cut at position 47 would find a link.
    const QString page = QStringLiteral("<html><a href=\"http://wrong.example.org/\">wrong</a>") +
                         article(QStringLiteral("1"), QStringLiteral("http://lexorin.example.net/a/1.html"),
                                 QStringLiteral("One")) +
                         QStringLiteral("</html>");
    web.serve(Addr::ArticlePage(), page.toUtf8());
    EXPECT_EQ(PGetRecommendedTitle(QStringLiteral("2")), QString());
    EXPECT_EQ(PGetRecommendedUrl(QStringLiteral("2")), QString());
    POpenUrl(PGetRecommendedUrl(QStringLiteral("2")));
    EXPECT_TRUE(browser.opened().isEmpty());
}

TEST_F(WebAccess, ArticleWithoutLinkEndGivesEmptyTitleAndAddress)
{
    LoopbackWeb web;
    web.serve(Addr::ArticlePage(), "<li id=\"therecommendablepaper1\"><a target=_blank href='x'>broken</a>");
    EXPECT_EQ(PGetRecommendedTitle(QStringLiteral("1")), QString());
    EXPECT_EQ(PGetRecommendedUrl(QStringLiteral("1")), QString());
}

// A failed fetch reaches the caller; one given up (the window closed, the program quit) gives an
// empty address, so nothing opens and nothing is reported.
TEST_F(WebAccess, FailedArticleFetchReachesTheCallerAndOneGivenUpGivesNoAddress)
{
    LoopbackWeb web;  // the article page is not served: 404
    EXPECT_THROW(PGetRecommendedTitle(QStringLiteral("1")), WebError);
    EXPECT_THROW(PGetRecommendedUrl(QStringLiteral("1")), WebError);
    HttpWaiter asking;
    EXPECT_THROW(PGetRecommendedUrlWaiting(QStringLiteral("1"), asking), WebError);
    web.serve(Addr::ArticlePage(), article(QStringLiteral("1"), QStringLiteral("http://lexorin.example.net/a/1.html"),
                                           QStringLiteral("One"))
                                       .toUtf8());
    HttpWaiter givenUp;
    givenUp.cancel();
    EXPECT_EQ(PGetRecommendedUrlWaiting(QStringLiteral("1"), givenUp), QString());
    EXPECT_EQ(web.requestCount(), 3);
}

// --- look-ups in the browser ---

TEST_F(WebAccess, LookupAppendsTheWordUnencoded)
{
    PWebLookup(QStringLiteral("海词"), QStringLiteral("ice cream"));
    EXPECT_EQ(browser.opened(), QStringList{QStringLiteral("http://dict.cn/search/?q=ice cream")});
    // 海词 is the dictionary whose site answers the XML word service.
    EXPECT_EQ(QUrl(browser.opened().value(0)).host(), QUrl(Addr::WordServiceEndpoint()).host());
}

struct LookupCase {
    const char *service;
    const char *afterHost;
};
void PrintTo(const LookupCase &c, std::ostream *os) { PrintCase(os, c.service); }

class LookupAddress : public WebAccess, public ::testing::WithParamInterface<LookupCase> {};

TEST_P(LookupAddress, OpensExactlyTheServicesAddressAfterItsHost)
{
    PWebLookup(QString::fromUtf8(GetParam().service), QStringLiteral("ice cream"));
    ASSERT_EQ(browser.opened().size(), 1);
    const QString url = browser.opened().constFirst();
    ASSERT_TRUE(url.startsWith(QStringLiteral("http://"))) << url.toStdString();
    const int path = url.indexOf(QLatin1Char('/'), 7);
    EXPECT_GT(path, 7) << url.toStdString();
    EXPECT_EQ(url.mid(path), QString::fromUtf8(GetParam().afterHost));
}

INSTANTIATE_TEST_SUITE_P(
    Services, LookupAddress,
    ::testing::Values(LookupCase{"百度", "/baidu?ie=gb2312&cl=3&ct=1048576&word=ice cream"},
                      LookupCase{"爱词霸", "/ice cream/"}, LookupCase{"爱词霸短句", "/search?s=ice cream"},
                      LookupCase{"海词", "/search/?q=ice cream"},
                      LookupCase{"谷词", "/searchw.jsp?word=ice cream&type=1"},
                      LookupCase{"谷词句子", "/searchs.jsp?word=ice cream&type=1"},
                      LookupCase{"中国日报", "/searchen.jsp?searchText=ice cream&ch=all"}));

TEST_F(WebAccess, EverySevenServicesOpensOnePlainHttpAddressWithTheWord)
{
    const QStringList services = {QStringLiteral("百度"),   QStringLiteral("爱词霸"),   QStringLiteral("爱词霸短句"),
                                  QStringLiteral("海词"),   QStringLiteral("谷词"),     QStringLiteral("谷词句子"),
                                  QStringLiteral("中国日报")};
    for (const QString &s : services)
        PWebLookup(s, QStringLiteral("a&b"));
    ASSERT_EQ(browser.opened().size(), services.size());
    for (const QString &url : browser.opened()) {
        EXPECT_TRUE(url.startsWith(QStringLiteral("http://"))) << url.toStdString();
        EXPECT_TRUE(url.contains(QStringLiteral("=a&b")) || url.contains(QStringLiteral("/a&b/")))
            << url.toStdString();
    }
}

TEST_F(WebAccess, OnlyWebAddressesReachTheBrowser)
{
    // An article link is whatever the article page holds.
    for (const char *url : {"", "  ", "/a/3.html", "a/3.html", "file:///etc/passwd", "/usr/bin/xterm",
                            "javascript:alert(1)", "mailto:x@example.org", "ftp://example.org/x", "http://"})
        POpenUrl(QString::fromLatin1(url));
    EXPECT_TRUE(browser.opened().isEmpty()) << browser.opened().join(QLatin1Char(' ')).toStdString();

    POpenUrl(QStringLiteral("http://lexorin.example.net/a/1.html"));
    POpenUrl(QStringLiteral("https://lexorin.example.net/a/2.html"));
    POpenUrl(QStringLiteral("HTTP://Lexorin.example.net/a/3.html"));
    EXPECT_EQ(browser.opened().size(), 3);
    EXPECT_EQ(browser.opened().first(), QStringLiteral("http://lexorin.example.net/a/1.html"));
}

TEST_F(WebAccess, UnknownServiceOpensNothing)
{
    PWebLookup(QStringLiteral("必应"), QStringLiteral("word"));
    PWebLookup(QStringLiteral("海词 "), QStringLiteral("word"));  // compared exactly
    PWebLookup(QString(), QStringLiteral("word"));
    EXPECT_TRUE(browser.opened().isEmpty());
}

// --- online check and page fetch ---

TEST_F(WebAccess, OnlineWhenTheSiteCanBeReached)
{
    {
        LoopbackWeb web;
        EXPECT_TRUE(PIsOnline());
    }
    ProxyEnvironment dead("http://127.0.0.1:" + QByteArray::number(LoopbackWeb::closedPort()));
    EXPECT_FALSE(PIsOnline());
}

TEST_F(WebAccess, SilentSiteEndsTheFetchWithAnError)
{
    LoopbackWeb web;
    web.setSilent(true);
    ShortHttpTimeouts timeouts(50, 100);
    EXPECT_THROW(PGetWebPage(Addr::StatusPage()), WebError);
    EXPECT_EQ(web.requests(), QStringList{Addr::StatusPage()});
}
}  // namespace
