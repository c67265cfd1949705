#pragma once
// Every web address the program uses, in one place.
//
// The program's own pages live under one base address; the look-up services are outside sites,
// queried with the word appended as typed (the browser encodes it).

#include <QString>

namespace Addr {

// The program's web site.
inline QString SiteBase() { return QStringLiteral("http://lexorin.example.net/"); }
inline QString HomePage() { return SiteBase(); }
// Holds the newest version after "thenewestversionis:".
inline QString StatusPage() { return SiteBase() + QStringLiteral("status.html"); }
// Holds the three recommended articles, each after "therecommendablepaper" and its digit.
inline QString ArticlePage() { return SiteBase() + QStringLiteral("articles.html"); }
// Opened when the learner accepts the update notice.
inline QString DownloadArticle() { return SiteBase() + QStringLiteral("download.html"); }
// The online help, one page per topic ("dict", "wordlist", ...); the index without a topic.
inline QString HelpPage(const QString &topic = QString())
{
    return SiteBase() + QStringLiteral("help/") + (topic.isEmpty() ? QString() : topic + QStringLiteral(".html"));
}

// Ready-made word banks to download.
inline QString BankDownloads() { return SiteBase() + QStringLiteral("banks/"); }

// The 海词 online dictionary; its site also answers the XML word service.
inline QString WordServiceHost() { return QStringLiteral("http://dict.cn"); }
// The XML word service: endpoint + "ws.php?q=" + word.
inline QString WordServiceEndpoint() { return WordServiceHost() + QStringLiteral("/"); }

// Query addresses of the look-up services: host + path + word + suffix.
struct LookupService {
    const char *name;  // UTF-8, as the menus name it
    const char *host;  // empty: the XML word service's host
    const char *path;
    const char *suffix;
};

inline constexpr LookupService LookupServices[] = {
    {"百度", "http://www.baidu.com", "/baidu?ie=gb2312&cl=3&ct=1048576&word=", ""},
    {"爱词霸", "http://www.iciba.com", "/", "/"},
    {"爱词霸短句", "http://www.iciba.com", "/search?s=", ""},
    {"海词", "", "/search/?q=", ""},
    {"谷词", "http://dict.youdao.com", "/searchw.jsp?word=", "&type=1"},
    {"谷词句子", "http://dict.youdao.com", "/searchs.jsp?word=", "&type=1"},
    {"中国日报", "http://search.chinadaily.com.cn", "/searchen.jsp?searchText=", "&ch=all"},
};

}  // namespace Addr
