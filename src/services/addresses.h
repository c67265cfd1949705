#pragma once
// Every web address the program uses, in one place.
//
// The program's own pages and the XML word service live under one base address; the look-up
// services are outside sites, queried with the word appended as typed (the browser encodes it).

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

// Where a learner reports a wrong phonetic transcription.
inline QString PhoneticReportPage() { return SiteBase() + QStringLiteral("pronreport.html"); }

// Ready-made word banks to download.
inline QString BankDownloads() { return SiteBase() + QStringLiteral("banks/"); }

// The XML word service: endpoint + "ws.php?q=" + word.
inline QString WordServiceEndpoint() { return SiteBase() + QStringLiteral("dict/"); }

// The 海词 online dictionary's own site.
inline QString WordServiceSite() { return QStringLiteral("http://dict.cn/"); }

// Query addresses of the look-up services: prefix + word + suffix.
struct LookupService {
    const char *name;  // UTF-8, as the menus name it
    const char *prefix;
    const char *suffix;
};

// The word pages of 爱词霸 carry its bilingual example sentences; it has no separate sentence
// search any more.
inline constexpr LookupService LookupServices[] = {
    {"百度", "http://www.baidu.com/s?ie=utf-8&wd=", ""},
    {"爱词霸", "http://www.iciba.com/word?w=", ""},
    {"爱词霸短句", "http://www.iciba.com/word?w=", ""},
    {"海词", "http://dict.cn/search?q=", ""},
    {"谷词", "http://dict.youdao.com/result?lang=en&word=", ""},
    {"谷词句子", "http://dict.youdao.com/example/blng/eng/", "/"},
    {"中国日报", "http://newssearch.chinadaily.com.cn/en/search?query=", ""},
};

}  // namespace Addr
