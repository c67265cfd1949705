#pragma once
// Look-ups in the XML word service during which the waiting window still paints: each request runs
// on a thread of the fetcher's own while this thread handles every event but the learner's input.
// One fetcher serves a whole run of look-ups, so its thread is started once.

#include <QString>

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

class QDomDocument;
class QEventLoop;

class TPPaintingFetcher {
public:
    TPPaintingFetcher();
    ~TPPaintingFetcher();
    TPPaintingFetcher(const TPPaintingFetcher &) = delete;
    TPPaintingFetcher &operator=(const TPPaintingFetcher &) = delete;

    // PLoadWordXml(Doc, Word), with the same result and the same WebError on failure.
    bool PLoadWordXml(QDomDocument &Doc, const QString &Word);

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    // The request in hand; Doc belongs to the fetcher's thread until the request is done.
    QDomDocument *m_doc = nullptr;
    QString m_word;
    QEventLoop *m_waiting = nullptr;
    bool m_found = false;
    std::exception_ptr m_error;
    bool m_stop = false;
    std::thread m_thread;
};
