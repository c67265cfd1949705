#pragma once
// A stand-in browser for tests: records every address it is asked to open and opens nothing.

#include "platform/browser.h"

#include <QStringList>

class RecordingBrowser : public Browser {
public:
    RecordingBrowser();            // installs itself
    ~RecordingBrowser() override;  // puts the previous browser back

    void open(const QString &url) override { m_opened << url; }

    const QStringList &opened() const { return m_opened; }
    QString last() const { return m_opened.isEmpty() ? QString() : m_opened.last(); }
    void clear() { m_opened.clear(); }

private:
    Browser *m_previous;
    QStringList m_opened;
};
