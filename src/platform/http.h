#pragma once
// Blocking HTTP requests over libcurl. A request never waits longer than its time-outs: a dead or
// silent server ends in a WebError like any other failed request. libcurl honours http_proxy.
// HttpWaiter runs them off a window's thread so that the window keeps painting meanwhile, and
// gives them up at once when that window closes or the program quits.

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>
#include <utility>

// A failed request (no connection, time-out, an HTTP error status) or an answer that cannot be
// read. Its text is shown to the learner as it stands.
class WebError : public std::runtime_error {
public:
    // Unreachable: no connection could be made (refused, unknown host). NoAnswer: the request ran
    // out of time. Cancelled: its waiter gave it up. Failed: anything else (an error status, an
    // answer too large to take).
    enum Kind { Failed, Unreachable, NoAnswer, Cancelled };
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

// GET of url. The address is sent as written, blanks at its ends included, except that blanks
// and non-ASCII characters are percent-encoded. Throws WebError on failure, including
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

struct HttpCancel;
class QWidget;

// Runs requests on a thread of its own while the calling thread goes on handling events: its
// windows paint and its timers fire. The learner's keys and clicks are dropped while a request is
// waited for, so no command starts twice and no stray click lands once the answer is in. One
// waiter serves a run of requests, one at a time.
//
// Closing the waiting window, or quitting the program, cancels the waiter: the request in flight
// is cut off at once, run() ends in a WebError of kind Cancelled, and so does every later run() of
// this waiter, without running its work.
class HttpWaiter {
public:
    // window is the waiting window; without one, it is the modal window on top, else the active
    // window, when a run begins.
    explicit HttpWaiter(QWidget *window = nullptr);
    ~HttpWaiter();
    HttpWaiter(const HttpWaiter &) = delete;
    HttpWaiter &operator=(const HttpWaiter &) = delete;

    // Runs work on the waiter's thread and returns once it has ended; an exception it ends in
    // reaches the caller. Work must not touch windows.
    void run(const std::function<void()> &work);
    void cancel();
    bool cancelled() const;

private:
    void serve();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_ended;
    const std::function<void()> *m_work = nullptr;  // the work in hand, until it has ended
    std::function<void()> m_finished;               // posted to the caller's thread when it has
    std::exception_ptr m_error;
    bool m_stop = false;
    QPointer<QWidget> m_window;
    std::unique_ptr<HttpCancel> m_cancel;
    std::thread m_thread;
};
