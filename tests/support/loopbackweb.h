#pragma once
// A web server of the test's own on 127.0.0.1, in a thread of its own (libcurl blocks the thread
// that asks), made the HTTP proxy of the process: the program's real addresses reach it and
// nothing reaches the internet. Stopped, and the environment restored, on destruction.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <atomic>
#include <mutex>
#include <thread>

// Points http_proxy (and the other proxy variables libcurl reads) at proxyUrl and clears
// no_proxy for the life of the object.
class ProxyEnvironment {
public:
    explicit ProxyEnvironment(const QByteArray &proxyUrl);
    ~ProxyEnvironment();
    ProxyEnvironment(const ProxyEnvironment &) = delete;
    ProxyEnvironment &operator=(const ProxyEnvironment &) = delete;

private:
    struct Saved {
        const char *name;
        bool set;
        QByteArray value;
    };
    QList<Saved> m_saved;
};

// Shorter request time-outs for a test; the defaults come back on destruction.
class ShortHttpTimeouts {
public:
    ShortHttpTimeouts(int connectMs, int totalMs);
    ~ShortHttpTimeouts();
};

class LoopbackWeb {
public:
    struct Reply {
        int status = 200;
        QByteArray contentType = "text/html; charset=utf-8";
        QByteArray body;
    };

    LoopbackWeb();
    ~LoopbackWeb();
    LoopbackWeb(const LoopbackWeb &) = delete;
    LoopbackWeb &operator=(const LoopbackWeb &) = delete;

    // Answers a GET of url (written as the program writes it) with body; any other address gets 404.
    void serve(const QString &url, const QByteArray &body,
               const QByteArray &contentType = "text/html; charset=utf-8", int status = 200);
    // From now on connections are accepted and never answered.
    void setSilent(bool silent) { m_silent = silent; }
    // From now on no reply goes out before count requests are waiting for one: a client that asks
    // one at a time never gets an answer, one that asks them together gets them all.
    void holdReplies(int count) { m_hold = count; }

    // The request targets received, in order (absolute addresses, as a proxy receives them).
    QStringList requests() const;
    int requestCount() const { return int(requests().size()); }
    quint16 port() const { return m_port; }

    // A loopback port on which nothing listens.
    static quint16 closedPort();

private:
    void run();
    // False when fd waits among the held replies and stays open.
    bool handle(int fd);
    void sendReply(int fd, const Reply &reply);
    bool waitReadable(int fd) const;  // false when stopping

    int m_listen = -1;
    int m_wake = -1;  // written once to stop the server thread
    quint16 m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_silent{false};
    std::atomic<int> m_hold{0};
    QList<QPair<int, Reply>> m_held;  // server thread only
    mutable std::mutex m_mutex;
    QHash<QByteArray, Reply> m_routes;
    QStringList m_requests;
    std::thread m_thread;
    ProxyEnvironment *m_env = nullptr;
};
