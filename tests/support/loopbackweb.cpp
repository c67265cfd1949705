#include "support/loopbackweb.h"

#include "platform/http.h"

#include <QUrl>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <cstdio>
#include <stdexcept>
#include <utility>
#include <sys/socket.h>
#include <unistd.h>

namespace {
const char *const ProxyVariables[] = {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy",
                                      "ALL_PROXY",  "no_proxy",    "NO_PROXY"};

int loopbackSocket(quint16 *port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        throw std::runtime_error("socket");
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    socklen_t len = sizeof a;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len) != 0) {
        ::close(fd);
        throw std::runtime_error("bind");
    }
    *port = ntohs(a.sin_port);
    return fd;
}

QByteArray key(const QString &url) { return QUrl(url, QUrl::TolerantMode).toEncoded(); }
}  // namespace

ProxyEnvironment::ProxyEnvironment(const QByteArray &proxyUrl)
{
    for (const char *name : ProxyVariables)
        m_saved.append({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
    for (const char *name : ProxyVariables)
        qunsetenv(name);
    qputenv("http_proxy", proxyUrl);
    qputenv("https_proxy", proxyUrl);
}

ProxyEnvironment::~ProxyEnvironment()
{
    qunsetenv("http_proxy");
    qunsetenv("https_proxy");
    for (const Saved &s : m_saved) {
        if (s.set)
            qputenv(s.name, s.value);
    }
}

ShortHttpTimeouts::ShortHttpTimeouts(int connectMs, int totalMs) { HttpSetTimeouts(connectMs, totalMs); }

ShortHttpTimeouts::~ShortHttpTimeouts()
{
    HttpSetTimeouts(HttpDefaultConnectTimeoutMs, HttpDefaultTotalTimeoutMs);
}

quint16 LoopbackWeb::closedPort()
{
    quint16 port = 0;
    const int fd = loopbackSocket(&port);
    ::close(fd);
    return port;
}

LoopbackWeb::LoopbackWeb()
{
    m_listen = loopbackSocket(&m_port);
    if (::listen(m_listen, 16) != 0) {
        ::close(m_listen);
        throw std::runtime_error("listen");
    }
    m_wake = ::eventfd(0, EFD_CLOEXEC);
    m_env = new ProxyEnvironment("http://127.0.0.1:" + QByteArray::number(m_port));
    m_thread = std::thread([this] { run(); });
}

LoopbackWeb::~LoopbackWeb()
{
    m_stop = true;
    // Stays readable once written: every wait of the server ends at once.
    const quint64 one = 1;
    if (::write(m_wake, &one, sizeof one) != sizeof one)
        perror("LoopbackWeb wake");
    m_thread.join();
    ::close(m_wake);
    ::close(m_listen);
    delete m_env;
}

void LoopbackWeb::serve(const QString &url, const QByteArray &body, const QByteArray &contentType, int status)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_routes.insert(key(url), Reply{status, contentType, body});
}

QStringList LoopbackWeb::requests() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

bool LoopbackWeb::waitReadable(int fd) const
{
    pollfd p[2] = {{fd, POLLIN, 0}, {m_wake, POLLIN, 0}};
    while (!m_stop) {
        if (::poll(p, 2, 20) > 0 && !m_stop)
            return true;
    }
    return false;
}

void LoopbackWeb::run()
{
    while (waitReadable(m_listen)) {
        const int fd = ::accept(m_listen, nullptr, nullptr);
        if (fd >= 0 && handle(fd))
            ::close(fd);
    }
    for (const auto &held : m_held)
        ::close(held.first);
}

bool LoopbackWeb::handle(int fd)
{
    QByteArray request;
    char buffer[4096];
    while (!request.contains("\r\n\r\n")) {
        if (!waitReadable(fd))
            return true;
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            return true;
        request.append(buffer, n);
    }
    const QList<QByteArray> requestLine = request.left(request.indexOf("\r\n")).split(' ');
    const QByteArray target = requestLine.value(1);
    Reply reply{404, "text/plain", "not found"};
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_requests << QString::fromLatin1(target);
        reply = m_routes.value(target, reply);
    }
    if (m_silent) {
        // Hold the connection open without a word until the client gives up or the test ends.
        while (waitReadable(fd) && ::recv(fd, buffer, sizeof buffer, 0) > 0) {
        }
        return true;
    }
    if (m_held.size() + 1 < m_hold) {
        m_held.append({fd, reply});
        return false;
    }
    for (const auto &held : std::exchange(m_held, {})) {
        sendReply(held.first, held.second);
        ::close(held.first);
    }
    sendReply(fd, reply);
    return true;
}

void LoopbackWeb::sendReply(int fd, const Reply &reply)
{
    QByteArray out = "HTTP/1.1 " + QByteArray::number(reply.status) + " X\r\nContent-Type: " + reply.contentType +
                     "\r\nContent-Length: " + QByteArray::number(reply.body.size()) +
                     "\r\nConnection: close\r\n\r\n" + reply.body;
    qsizetype sent = 0;
    while (sent < out.size()) {
        const ssize_t n = ::send(fd, out.constData() + sent, size_t(out.size() - sent), MSG_NOSIGNAL);
        if (n <= 0)
            return;
        sent += n;
    }
    ::shutdown(fd, SHUT_WR);
}
