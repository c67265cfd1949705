#include "services/webaccess.h"

#include "core/datamodule.h"
#include "platform/browser.h"
#include "platform/dialogs.h"
#include "platform/http.h"
#include "services/addresses.h"

#include <QUrl>

QString PStatusPageText;
int PStartUpWebBudgetMs = PStartUpWebBudgetDefaultMs;

namespace {
const QString ArticleMarker = QStringLiteral("therecommendablepaper");
const QString VersionMarker = QStringLiteral("thenewestversionis:");
const QString LinkEnd = QStringLiteral("\">");
// The article's link starts this many characters after the start of its marker.
constexpr int ArticleLinkOffset = 47;

// The article page from the start of article N's link on; null when the page lacks the marker.
QString articleRest(const QString &page, const QString &N)
{
    const int at = page.indexOf(ArticleMarker + N);
    if (at < 0)
        return QString();
    return page.mid(at + ArticleLinkOffset);
}
}  // namespace

bool PIsOnline()
{
    return HttpCanConnect(Addr::HomePage());
}

QString PGetWebPage(const QString &Url)
{
    return HttpGetText(Url);
}

void POpenUrl(const QString &Url)
{
    // Addresses read off a web page come here too: only web pages go to the browser, never a
    // local file or another program's scheme.
    const QUrl url(Url.trimmed(), QUrl::TolerantMode);
    const QString scheme = url.scheme();
    if (url.host().isEmpty() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return;
    PBrowser().open(Url);
}

QString PLookupAddress(const QString &Service, const QString &Word)
{
    for (const auto &s : Addr::LookupServices) {
        if (Service != QString::fromUtf8(s.name))
            continue;
        const QString host = *s.host ? QString::fromUtf8(s.host) : Addr::WordServiceHost();
        return host + QString::fromUtf8(s.path) + Word + QString::fromUtf8(s.suffix);
    }
    return QString();
}

void PWebLookup(const QString &Service, const QString &Word)
{
    const QString url = PLookupAddress(Service, Word);
    if (!url.isEmpty())
        POpenUrl(url);
}

QString PGetRecommendedTitle(const QString &N)
{
    return PRecommendedTitleIn(PGetWebPage(Addr::ArticlePage()), N);
}

QString PRecommendedTitleIn(const QString &Page, const QString &N)
{
    const QString rest = articleRest(Page, N);
    const int end = rest.indexOf(LinkEnd);
    if (end < 0)
        return QString();
    const QString title = rest.mid(end + LinkEnd.size());
    const int close = title.indexOf(QLatin1Char('<'));
    return close < 0 ? QString() : title.left(close);
}

QString PGetRecommendedUrl(const QString &N)
{
    const QString rest = articleRest(PGetWebPage(Addr::ArticlePage()), N);
    const int end = rest.indexOf(LinkEnd);
    return end < 0 ? QString() : rest.left(end);
}

QString PGetRecommendedUrlWaiting(const QString &N, HttpWaiter &Waiter)
{
    QString url;
    try {
        Waiter.run([&url, &N] { url = PGetRecommendedUrl(N); });
    } catch (const WebError &e) {
        // The learner closed the window or quit: nothing to open, nothing to report.
        if (e.kind() != WebError::Cancelled)
            throw;
    }
    return url;
}

void PCheckNewVersion(const QString &Page)
{
    const int at = Page.indexOf(VersionMarker);
    if (at < 0)
        return;
    const QString newest = Page.mid(at + VersionMarker.size(), 10);
    if (QString::compare(newest, PVersion, Qt::CaseSensitive) <= 0)
        return;
    const QString text = QStringLiteral("检测到最新版本 ") + newest + QStringLiteral(" 赶快去下载吧！");
    if (PDialogs().ask(text, QString(), Dialogs::NoIcon, Dialogs::YesNo) == Dialogs::Yes)
        POpenUrl(Addr::DownloadArticle());
}

void PFetchStartUpPages(QString &StatusPage, QStringList &Titles)
{
    const QString articles = Addr::ArticlePage();
    const QList<std::optional<QString>> pages =
        HttpGetTextAll({Addr::StatusPage(), articles, articles, articles}, PStartUpWebBudgetMs);
    StatusPage = pages.value(0).value_or(QString());
    Titles.clear();
    for (int n = 1; n <= 3; ++n)
        Titles << PRecommendedTitleIn(pages.value(n).value_or(QString()), QString::number(n));
}
