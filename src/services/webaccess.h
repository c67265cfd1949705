#pragma once
// The program on the web: the online check, page fetch, opening pages and word look-ups in the
// web browser, the recommended articles and the update notice.
//
// Failed requests are not caught here: a WebError (platform/http.h) reaches the caller.

#include <QString>
#include <QStringList>

class HttpWaiter;

// The status page as fetched when the welcome window was made; empty until then or when the
// fetch failed.
extern QString PStatusPageText;

// Whether the program's web site can be reached.
bool PIsOnline();
// The body of a GET of Url as text.
QString PGetWebPage(const QString &Url);
// Opens Url in the web browser. Only http and https addresses open: an empty, relative or
// local address opens nothing.
void POpenUrl(const QString &Url);
// Opens Word in the named look-up service ("百度", "爱词霸", "爱词霸短句", "海词", "谷词",
// "谷词句子", "中国日报"); the word goes in as typed. Any other name opens nothing.
void PWebLookup(const QString &Service, const QString &Word);
// The query address of Word in the named service, empty for a name not in the list.
QString PLookupAddress(const QString &Service, const QString &Word);

// Title and address of recommended article N ("1", "2" or "3"), each fetched anew from the
// article page; both empty when the page does not hold article N as expected.
QString PGetRecommendedTitle(const QString &N);
QString PGetRecommendedUrl(const QString &N);
// PGetRecommendedUrl(N) with the waiter fetching while this thread keeps handling events; empty
// when the waiter gave the fetch up.
QString PGetRecommendedUrlWaiting(const QString &N, HttpWaiter &Waiter);
// The same title read from an article page already fetched.
QString PRecommendedTitleIn(const QString &Page, const QString &N);
// Offers the download when Page names a newer version than this one.
void PCheckNewVersion(const QString &Page);

// The welcome window's four start-up fetches (the status page, the article page for each of the
// three titles) share one budget: made together, and what has not arrived when it runs out counts
// as failed. A failed fetch gives an empty text; no error reaches the caller.
constexpr int PStartUpWebBudgetDefaultMs = 5000;
extern int PStartUpWebBudgetMs;
void PFetchStartUpPages(QString &StatusPage, QStringList &Titles);
