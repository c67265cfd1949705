#include "wordlists/paintingfetch.h"

#include "services/wordxml.h"

#include <QDomDocument>
#include <QEventLoop>
#include <exception>
#include <thread>

bool PLoadWordXmlPainting(QDomDocument &Doc, const QString &Word)
{
    QEventLoop loop;
    bool found = false;
    std::exception_ptr error;
    // Doc belongs to the request until the loop ends; nothing here touches it meanwhile.
    std::thread request([&] {
        try {
            found = PLoadWordXml(Doc, Word);
        } catch (...) {
            error = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    request.join();
    if (error)
        std::rethrow_exception(error);
    return found;
}
