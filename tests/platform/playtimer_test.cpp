#include "platform/playtimer.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
// Lets a few milliseconds of real time pass without running events.
void letTimePass(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
    }
}
}  // namespace

TEST(RealPlayTimer, SwitchingOnARunningTimerLeavesItsTickWhereItWas)
{
    QObject owner;
    // Coarse timers may shift a tick by 5% of the interval; 100 ms keeps that well inside the check.
    std::unique_ptr<TPlayTimer> timer = PPlayClock().newTimer(&owner, QStringLiteral("TimerBrowse"), 100);
    auto *qt = owner.findChild<QTimer *>(QStringLiteral("TimerBrowse"));
    ASSERT_NE(qt, nullptr);
    EXPECT_FALSE(timer->enabled());
    timer->setEnabled(true);
    letTimePass(40);
    timer->setEnabled(true);
    EXPECT_LE(qt->remainingTime(), 80) << "restarted";
    // A new interval restarts it.
    timer->setInterval(20000);
    EXPECT_GT(qt->remainingTime(), 18000);
    timer->setEnabled(false);
    EXPECT_FALSE(timer->enabled());
}

TEST(RealPlayTimer, TicksRunTheHandlerUntilSwitchedOff)
{
    QObject owner;
    std::unique_ptr<TPlayTimer> timer = PPlayClock().newTimer(&owner, QStringLiteral("T"), 1);
    int ticks = 0;
    timer->OnTimer = [&] {
        if (++ticks == 3)
            timer->setEnabled(false);
    };
    timer->setEnabled(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !timer->enabled(); }, 2000));
    QTest::qWait(5);
    EXPECT_EQ(ticks, 3);
}
