#include "platform/browser.h"

#include <QDesktopServices>
#include <QUrl>

namespace {
DesktopBrowser g_desktopBrowser;
Browser *g_browser = nullptr;
}  // namespace

Browser &PBrowser() { return g_browser ? *g_browser : static_cast<Browser &>(g_desktopBrowser); }

void PSetBrowser(Browser *b) { g_browser = b; }

void DesktopBrowser::open(const QString &url)
{
    // Addresses carry words as typed (blanks, Chinese); the tolerant parse encodes them as a
    // browser's address bar would.
    QDesktopServices::openUrl(QUrl(url, QUrl::TolerantMode));
}
