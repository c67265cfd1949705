#include "shell/shelltestutil.h"

#include "support/settle.h"

#include "services/addresses.h"

#include <QApplication>
#include <QTest>

namespace ShellTest {

QString articleUrl(int n)
{
    return QStringLiteral("http://lexorin.example.net/a%1.html").arg(n);
}

QByteArray articlePage()
{
    QString page = QStringLiteral("<html><body><ul>\n");
    for (int n = 1; n <= 3; ++n)
        page += QStringLiteral("<li id=\"therecommendablepaper%1\"><a target=_blank href=\"%2\">文章%1</a></li>\n")
                    .arg(n)
                    .arg(articleUrl(n));
    page += QStringLiteral("</ul></body></html>");
    return page.toUtf8();
}

QByteArray statusPage()
{
    return "<html><body><!--thenewestversionis:V03_100101--></body></html>";
}

void serveSite(LoopbackWeb &web)
{
    web.serve(Addr::StatusPage(), statusPage());
    web.serve(Addr::ArticlePage(), articlePage());
}

void settle() { PSettleEvents(); }

}  // namespace ShellTest
