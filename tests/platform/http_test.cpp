#include "platform/http.h"
#include "support/loopbackweb.h"
#include "support/settle.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QStringEncoder>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <future>
#include <optional>
#include <ostream>
#include <string>
#include <gtest/gtest.h>

namespace {
const QString Page = QStringLiteral("http://lexorin.example.net/page.html");

TEST(Http, GetReachesTheAddressThroughTheProxyAndDecodesUtf8)
{
    LoopbackWeb web;
    web.serve(Page, QStringLiteral("<p>单词</p>").toUtf8());
    EXPECT_EQ(HttpGetText(Page), QStringLiteral("<p>单词</p>"));
    EXPECT_EQ(web.requests(), QStringList{Page});
}

TEST(Http, BlanksAndChineseAreSentEncodedRestAsWritten)
{
    LoopbackWeb web;
    const QString url = QStringLiteral("http://lexorin.example.net/q?w=ice cream&x=词");
    const QString blankEnd = QStringLiteral("http://lexorin.example.net/q?w=ice cream  ");
    web.serve(url, "ok");
    web.serve(blankEnd, "ok too");
    EXPECT_EQ(HttpGetText(url), QStringLiteral("ok"));
    EXPECT_EQ(HttpGetText(blankEnd), QStringLiteral("ok too"));
    EXPECT_EQ(web.requests(), (QStringList{QStringLiteral("http://lexorin.example.net/q?w=ice%20cream&x=%E8%AF%8D"),
                                           QStringLiteral("http://lexorin.example.net/q?w=ice%20cream%20%20")}));
}

TEST(Http, ErrorStatusIsAFailedRequest)
{
    LoopbackWeb web;
    web.serve(Page, "gone", "text/plain", 500);
    try {
        HttpGet(Page);
        FAIL() << "no error";
    } catch (const WebError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("500"))) << e.what();
        EXPECT_EQ(e.kind(), WebError::Failed);
    }
    // An address the server does not know is a 404.
    EXPECT_THROW(HttpGet(QStringLiteral("http://lexorin.example.net/none")), WebError);
}

TEST(Http, InvalidAddressIsRefusedWithoutARequest)
{
    LoopbackWeb web;
    EXPECT_THROW(HttpGet(QString()), WebError);
    EXPECT_THROW(HttpGet(QStringLiteral("no address")), WebError);
    EXPECT_THROW(HttpGet(QStringLiteral("file:///etc/passwd")), WebError);
    EXPECT_FALSE(HttpCanConnect(QString()));
    EXPECT_EQ(web.requestCount(), 0);
}

TEST(Http, DeadServerFailsAndIsNotConnectable)
{
    ProxyEnvironment env("http://127.0.0.1:" + QByteArray::number(LoopbackWeb::closedPort()));
    try {
        HttpGetText(Page);
        FAIL() << "no error";
    } catch (const WebError &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("网络请求失败：") + Page)) << e.what();
        EXPECT_EQ(e.kind(), WebError::Unreachable);
    }
    EXPECT_FALSE(HttpCanConnect(Page));
}

TEST(Http, SilentServerEndsInTheTimeOut)
{
    LoopbackWeb web;
    web.serve(Page, "never sent");
    web.setSilent(true);
    ShortHttpTimeouts timeouts(100, 200);
    try {
        HttpGetText(Page);
        FAIL() << "no error";
    } catch (const WebError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("网络请求超时：") + Page);
        EXPECT_EQ(e.kind(), WebError::NoAnswer);
    }
    EXPECT_EQ(web.requestCount(), 1);
    // The connection itself is made: the probe says the site can be reached.
    EXPECT_TRUE(HttpCanConnect(Page));
}

TEST(Http, CharsetNamedByTheServerIsUsed)
{
    LoopbackWeb web;
    web.serve(Page, QByteArray("caf\xe9"), "text/html; charset=ISO-8859-1");
    EXPECT_EQ(HttpGetText(Page), QStringLiteral("café"));
}

TEST(Http, WithoutACharsetUtf8OrElseTheChineseCodePage)
{
    LoopbackWeb web;
    const QString utf8Page = QStringLiteral("http://lexorin.example.net/u.html");
    const QString gbPage = QStringLiteral("http://lexorin.example.net/g.html");
    web.serve(utf8Page, QStringLiteral("<a href=\"x\">如何背单词</a>").toUtf8(), "text/html");
    QStringEncoder gb("GB18030");
    ASSERT_TRUE(gb.isValid());
    web.serve(gbPage, QByteArray(gb.encode(QStringLiteral("<a href=\"x\">如何背单词</a>"))), "text/html");
    EXPECT_EQ(HttpGetText(utf8Page), QStringLiteral("<a href=\"x\">如何背单词</a>"));
    EXPECT_EQ(HttpGetText(gbPage), QStringLiteral("<a href=\"x\">如何背单词</a>"));
}

// While the work runs, this thread handles events (a handler queued before runs) but drops the
// learner's keys; once the work has ended they arrive again.
TEST(HttpWaiter, TheCallingThreadHandlesEventsButNotKeysWhileTheWorkRuns)
{
    QLineEdit box;
    std::promise<void> release;
    std::future<void> released = release.get_future();
    bool ran = false;
    QString typedMeanwhile = QStringLiteral("not run");
    QMetaObject::invokeMethod(
        &box,
        [&] {
            ran = true;
            QTest::keyClicks(&box, QStringLiteral("abc"));
            typedMeanwhile = box.text();
            release.set_value();
        },
        Qt::QueuedConnection);
    bool workSawRelease = false;
    HttpWaiter waiter;
    waiter.run([&] { workSawRelease = released.wait_for(std::chrono::seconds(30)) == std::future_status::ready; });
    QCoreApplication::removePostedEvents(&box, QEvent::MetaCall);
    EXPECT_TRUE(ran);
    EXPECT_TRUE(workSawRelease);
    EXPECT_EQ(typedMeanwhile, QString());
    QTest::keyClicks(&box, QStringLiteral("abc"));
    EXPECT_EQ(box.text(), QStringLiteral("abc"));
}

// A box that a handler opens while the work runs gets the learner's keys as soon as the work has
// ended, though the wait cannot return before the box is closed.
TEST(HttpWaiter, ABoxOpenedMeanwhileTakesKeysOnceTheWorkHasEnded)
{
    QLineEdit box;
    std::promise<void> release;
    std::future<void> released = release.get_future();
    bool typed = false;
    QMetaObject::invokeMethod(
        &box,
        [&] {
            release.set_value();
            QEventLoop modal;
            QTimer tryKeys;
            const QDeadlineTimer giveUp(30000);
            QObject::connect(&tryKeys, &QTimer::timeout, [&] {
                QTest::keyClick(&box, Qt::Key_X);
                typed = !box.text().isEmpty();
                if (typed || giveUp.hasExpired())
                    modal.quit();
            });
            tryKeys.start(1);
            modal.exec();
        },
        Qt::QueuedConnection);
    HttpWaiter waiter;
    bool workSawRelease = false;
    waiter.run([&] { workSawRelease = released.wait_for(std::chrono::seconds(30)) == std::future_status::ready; });
    QCoreApplication::removePostedEvents(&box, QEvent::MetaCall);
    EXPECT_TRUE(workSawRelease);
    EXPECT_TRUE(typed);
}

// Closing the window a run began in, quitting the program, or the end of its event loops cuts the
// request in flight off: the transfer itself ends cancelled, not by its time-out, and the waiter
// runs no more work.
enum class GiveUp { CloseTheWindow, QuitTheProgram, EndTheEventLoops };

const char *nameOf(GiveUp g)
{
    switch (g) {
    case GiveUp::CloseTheWindow:
        return "CloseTheWindow";
    case GiveUp::QuitTheProgram:
        return "QuitTheProgram";
    case GiveUp::EndTheEventLoops:
        break;
    }
    return "EndTheEventLoops";
}

void PrintTo(GiveUp g, std::ostream *os) { *os << nameOf(g); }

class HttpWaiterGiveUp : public ::testing::TestWithParam<GiveUp> {};

TEST_P(HttpWaiterGiveUp, TheRequestInFlightEndsCancelledAndNoMoreWorkRuns)
{
    LoopbackWeb web;
    web.setSilent(true);
    QWidget window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    HttpWaiter waiter;
    std::optional<WebError::Kind> transfer, run, later;
    bool laterWorkRan = false;
    QTimer giveUp;
    giveUp.setInterval(5);
    QObject::connect(&giveUp, &QTimer::timeout, [&] {
        if (web.requestCount() == 0)
            return;
        giveUp.stop();
        switch (GetParam()) {
        case GiveUp::CloseTheWindow:
            window.close();
            break;
        case GiveUp::QuitTheProgram:
            QCoreApplication::quit();
            break;
        case GiveUp::EndTheEventLoops:
            QCoreApplication::exit();
            break;
        }
    });
    const bool inProgram = GetParam() != GiveUp::CloseTheWindow;
    const auto scene = [&] {
        giveUp.start();
        try {
            waiter.run([&] {
                try {
                    HttpGetText(Page);
                } catch (const WebError &e) {
                    transfer = e.kind();
                    throw;
                }
            });
        } catch (const WebError &e) {
            run = e.kind();
        }
        try {
            waiter.run([&] { laterWorkRan = true; });
        } catch (const WebError &e) {
            later = e.kind();
        }
    };
    PRunScene(inProgram, scene);
    EXPECT_EQ(transfer, WebError::Cancelled);
    EXPECT_EQ(run, WebError::Cancelled);
    EXPECT_EQ(later, WebError::Cancelled);
    EXPECT_TRUE(waiter.cancelled());
    EXPECT_FALSE(laterWorkRan);
    EXPECT_EQ(window.isVisible(), GetParam() == GiveUp::EndTheEventLoops);
    EXPECT_EQ(web.requestCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Ways, HttpWaiterGiveUp,
                         ::testing::Values(GiveUp::CloseTheWindow, GiveUp::QuitTheProgram, GiveUp::EndTheEventLoops),
                         [](const auto &info) { return std::string(nameOf(info.param)); });

TEST(HttpWaiter, AnErrorOfTheWorkReachesTheCallerAndTheWaiterServesOn)
{
    HttpWaiter waiter;
    try {
        waiter.run([] { throw WebError(QStringLiteral("不通"), WebError::Unreachable); });
        FAIL() << "no error";
    } catch (const WebError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("不通"));
        EXPECT_EQ(e.kind(), WebError::Unreachable);
    }
    QStringList done;
    waiter.run([&] { done << QStringLiteral("one"); });
    waiter.run([&] { done << QStringLiteral("two"); });
    EXPECT_EQ(done, (QStringList{"one", "two"}));
}
}  // namespace
