#pragma once
// Blocking HTTP requests over libcurl. A request never waits longer than its time-outs: a dead or
// silent server ends in a WebError like any other failed request. libcurl honours http_proxy.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

// A failed request (no connection, time-out, an HTTP error status) or an answer that cannot be
// read. Its text is shown to the learner as it stands.
class WebError : public std::runtime_error {
public:
    // NoAnswer: the server could not be reached, or did not answer in time.
    enum Kind { Failed, NoAnswer };
    explicit WebError(const QString &message, Kind kind = Failed);
    QString message() const { return m_message; }
    Kind kind() const { return m_kind; }

private:
    QString m_message;
    Kind m_kind;
};

struct HttpReply {
    long status = 0;
    QString contentType;  // as the server sent it, empty when it sent none
    QByteArray body;
};

// GET of url. The address is sent as a browser would send it: blanks and non-ASCII characters
// are percent-encoded, everything else stays as written. Throws WebError on failure, including
// an HTTP status of 400 or more.
HttpReply HttpGet(const QString &url);
// The body of a GET of url as text, decoded by the charset the server names; without one, by
// its byte-order mark, else as UTF-8 when it is valid UTF-8, else as GB18030.
QString HttpGetText(const QString &url);
// GETs of urls made together, all ended by budgetMs from now: the text of each (as HttpGetText
// gives it), or nothing for a request that failed or had not finished within the budget.
QList<std::optional<QString>> HttpGetTextAll(const QStringList &urls, int budgetMs);
// Whether a connection to the host of url (or to the proxy in use) can be made now.
bool HttpCanConnect(const QString &url);

// Time-outs of every request, in milliseconds: making the connection, and the whole request.
constexpr int HttpDefaultConnectTimeoutMs = 5000;
constexpr int HttpDefaultTotalTimeoutMs = 15000;
void HttpSetTimeouts(int connectMs, int totalMs);
int HttpConnectTimeoutMs();
int HttpTotalTimeoutMs();
