#include "wordlists/paintingfetch.h"

#include "services/wordxml.h"

#include <QDomDocument>
#include <QEventLoop>

TPPaintingFetcher::TPPaintingFetcher() : m_thread([this] { run(); }) {}

TPPaintingFetcher::~TPPaintingFetcher()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

bool TPPaintingFetcher::PLoadWordXml(QDomDocument &Doc, const QString &Word)
{
    QEventLoop loop;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_doc = &Doc;
        m_word = Word;
        m_waiting = &loop;
        m_error = nullptr;
    }
    m_wake.notify_one();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_waiting = nullptr;
    if (m_error)
        std::rethrow_exception(m_error);
    return m_found;
}

void TPPaintingFetcher::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_doc; });
        if (m_stop)
            return;
        QDomDocument *doc = m_doc;
        const QString word = m_word;
        lock.unlock();
        bool found = false;
        std::exception_ptr error;
        try {
            found = ::PLoadWordXml(*doc, word);
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        m_doc = nullptr;
        m_found = found;
        m_error = error;
        QMetaObject::invokeMethod(m_waiting, &QEventLoop::quit, Qt::QueuedConnection);
    }
}
