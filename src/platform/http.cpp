#include "platform/http.h"

#include "platform/sharedlib.h"
#include "platform/textcodec.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QStringDecoder>
#include <QUrl>
#include <QWidget>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <curl/curl.h>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace {
std::atomic<int> g_connectMs{HttpDefaultConnectTimeoutMs};
std::atomic<int> g_totalMs{HttpDefaultTotalTimeoutMs};

// No page of ours comes near this; a runaway answer must not eat the memory.
constexpr qsizetype MaxBody = 32 * 1024 * 1024;

#define HTTP_CALLS(X)                                                                                    \
    X(curl_global_init) X(curl_easy_init) X(curl_easy_cleanup) X(curl_easy_setopt) X(curl_easy_perform)  \
    X(curl_easy_getinfo) X(curl_easy_strerror) X(curl_multi_init) X(curl_multi_cleanup)                   \
    X(curl_multi_add_handle) X(curl_multi_remove_handle) X(curl_multi_perform) X(curl_multi_info_read)    \
    X(curl_multi_poll) X(curl_multi_wakeup)

struct Calls {
    HTTP_CALLS(LEXORIN_SLOT)
};

// libcurl's calls, loaded and initialised with the first request; nullptr without the library.
const Calls *curl()
{
    static const Calls *const loaded = []() -> const Calls * {
        static Calls calls;
        void *handle = POpenSharedLib(LEXORIN_SONAME_CURL);
        bool ok = handle != nullptr;
        HTTP_CALLS(LEXORIN_RESOLVE)
        if (!ok || calls.curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK)
            return nullptr;
        return &calls;
    }();
    return loaded;
}

struct EasyDeleter {
    void operator()(CURL *c) const { curl()->curl_easy_cleanup(c); }
};
using Easy = std::unique_ptr<CURL, EasyDeleter>;

struct Sink {
    QByteArray body;
    bool tooLarge = false;
};

size_t collect(char *data, size_t size, size_t count, void *userdata)
{
    auto *sink = static_cast<Sink *>(userdata);
    const size_t n = size * count;
    if (sink->body.size() + qsizetype(n) > MaxBody) {
        sink->tooLarge = true;
        return 0;  // libcurl ends the transfer with a write error
    }
    sink->body.append(data, qsizetype(n));
    return n;
}

QByteArray encodedAddress(const QString &url)
{
    // Blanks at the end belong to the address: a word looked up may end in one.
    const QUrl u(url, QUrl::TolerantMode);
    if (!u.isValid() || u.scheme().isEmpty() || u.host().isEmpty())
        throw WebError(QStringLiteral("网址无效：") + url);
    return u.toEncoded();
}

// A handle with the settings every request shares.
Easy makeEasy(const QByteArray &address, char *errorBuffer)
{
    Easy easy(curl() ? curl()->curl_easy_init() : nullptr);
    if (!easy)
        throw WebError(QStringLiteral("网络功能无法启动"));
    CURL *c = easy.get();
    curl()->curl_easy_setopt(c, CURLOPT_URL, address.constData());
    curl()->curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);
    curl()->curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl()->curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, long(g_connectMs.load()));
    curl()->curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, long(g_totalMs.load()));
#if LIBCURL_VERSION_NUM >= 0x075500
    curl()->curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl()->curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
#else
    curl()->curl_easy_setopt(c, CURLOPT_PROTOCOLS, long(CURLPROTO_HTTP | CURLPROTO_HTTPS));
    curl()->curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS, long(CURLPROTO_HTTP | CURLPROTO_HTTPS));
#endif
    return easy;
}

void setUpGet(CURL *c, Sink &sink)
{
    curl()->curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
    curl()->curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl()->curl_easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
    curl()->curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "");
    curl()->curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, collect);
    curl()->curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);
}

struct MultiDeleter {
    void operator()(CURLM *m) const { curl()->curl_multi_cleanup(m); }
};
using Multi = std::unique_ptr<CURLM, MultiDeleter>;
}  // namespace

// The waiter's word to the transfer running on its thread.
struct HttpCancel {
    std::atomic<bool> cancelled{false};
    std::mutex mutex;
    CURLM *inFlight = nullptr;  // the transfer to wake, while one runs
};

namespace {
// The cancel of the waiter whose thread this is; null on any other thread.
thread_local HttpCancel *t_cancel = nullptr;

// Runs the transfer of c to its end. On a waiter's thread it runs where the waiter can wake it,
// and a cancel ends it at once with CURLE_ABORTED_BY_CALLBACK.
CURLcode perform(CURL *c)
{
    HttpCancel *cancel = t_cancel;
    if (!cancel)
        return curl()->curl_easy_perform(c);
    Multi multi(curl()->curl_multi_init());
    if (!multi)
        return CURLE_OUT_OF_MEMORY;
    CURLM *m = multi.get();
    curl()->curl_multi_add_handle(m, c);
    {
        std::lock_guard<std::mutex> lock(cancel->mutex);
        cancel->inFlight = m;
    }
    CURLcode code = CURLE_ABORTED_BY_CALLBACK;
    // A cancel after the hand-in above wakes the poll; one before it is seen here.
    while (!cancel->cancelled) {
        int running = 0;
        if (curl()->curl_multi_perform(m, &running) != CURLM_OK) {
            code = CURLE_FAILED_INIT;
            break;
        }
        int left = 0;
        if (CURLMsg *msg = curl()->curl_multi_info_read(m, &left); msg && msg->msg == CURLMSG_DONE) {
            code = msg->data.result;
            break;
        }
        curl()->curl_multi_poll(m, nullptr, 0, 1000, nullptr);
    }
    {
        std::lock_guard<std::mutex> lock(cancel->mutex);
        cancel->inFlight = nullptr;
    }
    curl()->curl_multi_remove_handle(m, c);
    return cancel->cancelled ? CURLE_ABORTED_BY_CALLBACK : code;
}

WebError cancelledError() { return WebError(QStringLiteral("网络请求已取消"), WebError::Cancelled); }

[[noreturn]] void fail(const QString &url, CURLcode code, const char *errorBuffer)
{
    if (code == CURLE_ABORTED_BY_CALLBACK)
        throw cancelledError();
    if (code == CURLE_OPERATION_TIMEDOUT)
        throw WebError(QStringLiteral("网络请求超时：") + url, WebError::NoAnswer);
    const bool unreachable = code == CURLE_COULDNT_CONNECT || code == CURLE_COULDNT_RESOLVE_HOST ||
                             code == CURLE_COULDNT_RESOLVE_PROXY;
    const QString detail = QString::fromUtf8(errorBuffer[0] ? errorBuffer : curl()->curl_easy_strerror(code));
    throw WebError(QStringLiteral("网络请求失败：") + url + QStringLiteral("（") + detail + QStringLiteral("）"),
                   unreachable ? WebError::Unreachable : WebError::Failed);
}
// The reply of a finished transfer, or the WebError it ended in.
HttpReply finishGet(const QString &url, CURL *c, CURLcode code, Sink &sink, const char *errorBuffer)
{
    if (sink.tooLarge)
        throw WebError(QStringLiteral("网络请求失败：") + url + QStringLiteral("（回应过大）"));
    if (code != CURLE_OK)
        fail(url, code, errorBuffer);
    HttpReply reply;
    reply.body = std::move(sink.body);
    curl()->curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &reply.status);
    char *type = nullptr;
    if (curl()->curl_easy_getinfo(c, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type)
        reply.contentType = QString::fromLatin1(type);
    if (reply.status >= 400)
        throw WebError(QStringLiteral("网络请求失败：") + url + QStringLiteral("（服务器回应 ") +
                       QString::number(reply.status) + QStringLiteral("）"));
    return reply;
}

QString decodeReply(const HttpReply &reply)
{
    const int at = reply.contentType.indexOf(QLatin1String("charset="), 0, Qt::CaseInsensitive);
    if (at >= 0) {
        QString charset = reply.contentType.mid(at + 8).section(QLatin1Char(';'), 0, 0).trimmed();
        charset.remove(QLatin1Char('"'));
        QStringDecoder decoder(charset.toLatin1().constData());
        if (decoder.isValid())
            return decoder.decode(reply.body);
    }
    // No charset named: Chinese pages of that age were written in the Chinese code page.
    return PDecodeText(reply.body);
}

// One request of a batch.
struct Transfer {
    QString url;
    Easy easy;
    Sink sink;
    char errorBuffer[CURL_ERROR_SIZE] = {};
    bool done = false;
    CURLcode code = CURLE_OPERATION_TIMEDOUT;
};

// While a run is waited for: swallows the learner's input to every window of the program, and
// tells when the window the run was started from is about to close.
class WaitFilter : public QObject {
public:
    WaitFilter(QWidget *window, std::function<void()> onClose) : m_window(window), m_onClose(std::move(onClose)) {}

    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Close && m_window && o == m_window) {
            m_onClose();
            return false;
        }
        switch (e->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::InputMethod:
            return true;
        default:
            return false;
        }
    }

private:
    QPointer<QWidget> m_window;
    std::function<void()> m_onClose;
};
}  // namespace

WebError::WebError(const QString &message, Kind kind)
    : std::runtime_error(message.toStdString()), m_message(message), m_kind(kind)
{
}

HttpReply HttpGet(const QString &url)
{
    const QByteArray address = encodedAddress(url);
    char errorBuffer[CURL_ERROR_SIZE] = {};
    Easy easy = makeEasy(address, errorBuffer);
    Sink sink;
    setUpGet(easy.get(), sink);
    return finishGet(url, easy.get(), perform(easy.get()), sink, errorBuffer);
}

QString HttpGetText(const QString &url) { return decodeReply(HttpGet(url)); }

QList<std::optional<QString>> HttpGetTextAll(const QStringList &urls, int budgetMs)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(budgetMs);
    Multi multi(curl() ? curl()->curl_multi_init() : nullptr);
    std::vector<std::unique_ptr<Transfer>> transfers;
    for (const QString &url : urls) {
        auto t = std::make_unique<Transfer>();
        t->url = url;
        try {
            t->easy = makeEasy(encodedAddress(url), t->errorBuffer);
        } catch (const WebError &) {
            // An address that is no web address fails at once.
        }
        if (t->easy) {
            CURL *c = t->easy.get();
            setUpGet(c, t->sink);
            curl()->curl_easy_setopt(c, CURLOPT_PRIVATE, t.get());
            curl()->curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, long(std::min(budgetMs, g_connectMs.load())));
            curl()->curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, long(std::min(budgetMs, g_totalMs.load())));
            if (multi)
                curl()->curl_multi_add_handle(multi.get(), c);
        }
        transfers.push_back(std::move(t));
    }

    int running = multi ? 1 : 0;
    while (running > 0) {
        if (curl()->curl_multi_perform(multi.get(), &running) != CURLM_OK)
            break;
        int left = 0;
        while (CURLMsg *msg = curl()->curl_multi_info_read(multi.get(), &left)) {
            if (msg->msg != CURLMSG_DONE)
                continue;
            Transfer *t = nullptr;
            curl()->curl_easy_getinfo(msg->easy_handle, CURLINFO_PRIVATE, reinterpret_cast<char **>(&t));
            t->done = true;
            t->code = msg->data.result;
        }
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (running == 0 || wait <= 0)
            break;
        curl()->curl_multi_poll(multi.get(), nullptr, 0, int(std::min<long long>(wait, 100)), nullptr);
    }

    QList<std::optional<QString>> out;
    for (auto &t : transfers) {
        std::optional<QString> text;
        if (t->easy && multi)
            curl()->curl_multi_remove_handle(multi.get(), t->easy.get());
        if (t->easy && t->done) {
            try {
                text = decodeReply(finishGet(t->url, t->easy.get(), t->code, t->sink, t->errorBuffer));
            } catch (const WebError &) {
            }
        }
        out.append(text);
    }
    return out;
}

bool HttpCanConnect(const QString &url)
{
    QByteArray address;
    try {
        address = encodedAddress(url);
    } catch (const WebError &) {
        return false;
    }
    char errorBuffer[CURL_ERROR_SIZE] = {};
    Easy easy = makeEasy(address, errorBuffer);
    curl()->curl_easy_setopt(easy.get(), CURLOPT_CONNECT_ONLY, 1L);
    return perform(easy.get()) == CURLE_OK;
}

void HttpSetTimeouts(int connectMs, int totalMs)
{
    g_connectMs = connectMs;
    g_totalMs = totalMs;
}

HttpWaiter::HttpWaiter(QWidget *window)
    : m_window(window), m_cancel(std::make_unique<HttpCancel>()), m_thread([this] { serve(); })
{
}

HttpWaiter::~HttpWaiter()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void HttpWaiter::cancel()
{
    m_cancel->cancelled = true;
    std::lock_guard<std::mutex> lock(m_cancel->mutex);
    if (m_cancel->inFlight)
        curl()->curl_multi_wakeup(m_cancel->inFlight);
}

bool HttpWaiter::cancelled() const { return m_cancel->cancelled; }

void HttpWaiter::run(const std::function<void()> &work)
{
    if (cancelled())
        throw cancelledError();
    QCoreApplication *app = QCoreApplication::instance();
    if (!app) {
        work();
        return;
    }
    QEventLoop loop;
    QWidget *window = m_window;
    if (!window && qobject_cast<QApplication *>(app)) {
        window = QApplication::activeModalWidget();
        if (!window)
            window = QApplication::activeWindow();
    }
    WaitFilter filter(window, [this, &loop] {
        cancel();
        loop.quit();
    });
    app->installEventFilter(&filter);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_work = &work;
        m_error = nullptr;
        // The input comes back as soon as the work has ended, even while a box another handler
        // opened meanwhile holds this loop up.
        m_finished = [&loop, &filter, app] {
            QMetaObject::invokeMethod(
                &loop,
                [&loop, &filter, app] {
                    app->removeEventFilter(&filter);
                    loop.quit();
                },
                Qt::QueuedConnection);
        };
    }
    m_wake.notify_one();
    loop.exec();
    app->removeEventFilter(&filter);
    std::unique_lock<std::mutex> lock(m_mutex);
    // The loop also ends when the program quits: then the work is given up.
    if (m_work)
        cancel();
    // The work holds the caller's data till it has ended.
    m_ended.wait(lock, [this] { return !m_work; });
    const std::exception_ptr error = std::exchange(m_error, nullptr);
    if (cancelled())
        throw cancelledError();
    if (error)
        std::rethrow_exception(error);
}

void HttpWaiter::serve()
{
    t_cancel = m_cancel.get();
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_work; });
        if (m_stop)
            return;
        const std::function<void()> &work = *m_work;
        lock.unlock();
        std::exception_ptr error;
        try {
            work();
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        m_work = nullptr;
        m_error = error;
        m_finished();
        m_ended.notify_one();
    }
}
