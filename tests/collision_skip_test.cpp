// The collision check sleeps while nothing moves and ticks once after every move: its
// timer on its own, and in the game window. No timing is asserted, only which ticks come.
#include "app/main_window.h"
#include "platform/qt_timer.h"
#include "platform/timer.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Delivers everything that is due now, ticks of woken timers included.
void deliverPending()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

struct SleepingTimer {
    platform::Timer timer{1, true};
    int ticks = 0;
    platform::QtTimer driver{timer, [this] { ++ticks; }};

    SleepingTimer() { driver.setSleepsWhenIdle(true); }
};

TEST(CollisionSkip, TicksOnceAtStartThenOnlyAfterEveryMove)
{
    SleepingTimer check;
    deliverPending();
    EXPECT_EQ(check.ticks, 1) << "one look at the start positions";
    QTest::qWait(30);
    EXPECT_EQ(check.ticks, 1) << "nothing moved";
    EXPECT_FALSE(check.driver.isTicking());
    for (int move = 1; move <= 50; ++move) {
        check.driver.wake();
        EXPECT_TRUE(check.driver.isTicking());
        deliverPending();
        EXPECT_EQ(check.ticks, 1 + move);
        EXPECT_FALSE(check.driver.isTicking());
    }
}

TEST(CollisionSkip, ManyMovesInOneEventGiveOneTickAfterThem)
{
    SleepingTimer check;
    deliverPending();
    for (int step = 0; step < 14; ++step)
        check.driver.wake();
    EXPECT_EQ(check.ticks, 1) << "no tick inside the event that moves";
    deliverPending();
    EXPECT_EQ(check.ticks, 2);
}

TEST(CollisionSkip, AMoveDuringATickGivesOneMoreTick)
{
    platform::Timer timer{1, true};
    int ticks = 0;
    platform::QtTimer *self = nullptr;
    platform::QtTimer check(timer, [&] { if (++ticks == 2) self->wake(); });
    self = &check;
    check.setSleepsWhenIdle(true);
    deliverPending();
    check.wake();
    deliverPending();
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(check.isTicking());
}

TEST(CollisionSkip, NoTickOnceStoppedForGood)
{
    SleepingTimer check;
    deliverPending();
    check.driver.wake();
    check.driver.stopForGood();
    deliverPending();
    check.driver.wake();
    deliverPending();
    EXPECT_EQ(check.ticks, 1);
}

TEST(CollisionSkip, TheGameWindowWakesTheCheckForEveryMoveOfABallOrThePlayer)
{
    MainWindow window;
    FrmTolvarn &form = window.form();
    const platform::QtTimer &check = window.checkTimer();
    deliverPending();
    EXPECT_FALSE(check.isTicking());
    auto wokenThenAsleep = [&](const char *what) {
        EXPECT_TRUE(check.isTicking()) << what;
        deliverPending();
        EXPECT_FALSE(check.isTicking()) << what;
    };
    form.fiende2.setTop(100);
    wokenThenAsleep("a ball moved");
    form.Form_KeyDown(38, 0);
    wokenThenAsleep("the player moved");
    form.fiende3.setTop(form.fiende3.Top()); // the same place: no move
    form.lblTid.setCaption(QStringLiteral("7"));
    EXPECT_FALSE(check.isTicking()) << "nothing the check reads has changed";
}

} // namespace
