#pragma once
// Pages open in the desktop's web browser through this seam, so tests can record the addresses
// instead of starting a browser.

#include <QString>

class Browser {
public:
    virtual ~Browser() = default;
    // Opens url in the web browser; whether a browser started is not reported.
    virtual void open(const QString &url) = 0;
};

// The browser in use: the desktop's unless a test installed its own.
Browser &PBrowser();
// Installs b (not owned); nullptr goes back to the desktop's browser.
void PSetBrowser(Browser *b);

class DesktopBrowser : public Browser {
public:
    void open(const QString &url) override;
};
