// The falling balls: first ticks, returns, the right-hand line and the quickening timers.
#include "app/frmtolvarn.h"
#include "scripted_runtime.h"
#include "named_rows.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr float Lowest = 0.0f;
constexpr float Highest = 0.99999994f; // the largest float below 1

using Handler = void (FrmTolvarn::*)();

// A ball timer and the handler of its ticks.
struct BallTimer {
    Handler tick;
    platform::Timer FrmTolvarn::*timer;
};
constexpr BallTimer OneBall{&FrmTolvarn::tmrEnemy_Timer, &FrmTolvarn::tmrEnemy};
constexpr BallTimer TwoBalls{&FrmTolvarn::tmrEnemy2_Timer, &FrmTolvarn::tmrEnemy2};
constexpr BallTimer ThreeBalls{&FrmTolvarn::tmrEnemy3_Timer, &FrmTolvarn::tmrEnemy3};

struct FirstTick {
    const char *name;
    BallTimer ballTimer;
    float r;
    float left1, left2, left3; // expected after the tick; Top is 50 for a moved ball
    int balls;
};

class FirstTicks : public testing::TestWithParam<FirstTick> {};

TEST_P(FirstTicks, ParkedBallsFallPastTheBottomAndReturnShifted)
{
    const FirstTick &tick = GetParam();
    ScriptedRuntime runtime;
    FrmTolvarn form(runtime);
    runtime.randomNumbers = {tick.r, tick.r, tick.r};
    (form.*tick.ballTimer.tick)();

    platform::Shape *balls[] = {&form.fiende, &form.fiende2, &form.fiende3};
    const float lefts[] = {tick.left1, tick.left2, tick.left3};
    const float parkedLefts[] = {120, 480, 840};
    for (int i = 0; i < 3; ++i) {
        const bool moved = i < tick.balls;
        EXPECT_EQ(balls[i]->Top(), moved ? 50 : 3480) << "ball " << i + 1;
        EXPECT_EQ(balls[i]->Left(), moved ? lefts[i] : parkedLefts[i]) << "ball " << i + 1;
    }
    EXPECT_EQ((form.*tick.ballTimer.timer).Interval(), 95);
    EXPECT_TRUE(runtime.randomNumbers.size() == static_cast<size_t>(3 - tick.balls));
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, FirstTicks,
    testing::Values(
        FirstTick{"oneBallLowest", OneBall, Lowest, 170, 0, 0, 1},
        FirstTick{"oneBallHighest", OneBall, Highest, 2320, 0, 0, 1},
        FirstTick{"twoBallsLowest", TwoBalls, Lowest, 170, 530, 0, 2},
        FirstTick{"twoBallsHighest", TwoBalls, Highest, 2120, 2980, 0, 2},
        FirstTick{"threeBallsLowest", ThreeBalls, Lowest, 170, 530, 890, 3},
        // Ball 3 returns past the right-hand line and stands there until its next tick.
        FirstTick{"threeBallsHighest", ThreeBalls, Highest, 2120, 2980,
                  3840, 3}),
    nameOf<FirstTick>);

TEST(FallingBalls, BallThreePastTheLineIsBroughtBackBeforeItFallsAgain)
{
    ScriptedRuntime runtime;
    FrmTolvarn form(runtime);
    runtime.randomNumbers = {Highest, Highest, Highest};
    form.tmrEnemy3_Timer();
    ASSERT_EQ(form.fiende3.Left(), 3840);
    form.tmrEnemy3_Timer();
    EXPECT_EQ(form.fiende3.Left(), 60);
    EXPECT_EQ(form.fiende3.Top(), 290);
}

struct RightHand {
    float left, after;
};

class RightHandLine : public testing::TestWithParam<RightHand> {};

TEST_P(RightHandLine, EveryMovedBallIsCheckedEveryTick)
{
    const RightHand &line = GetParam();
    for (const BallTimer &ballTimer : {OneBall, TwoBalls, ThreeBalls}) {
        ScriptedRuntime runtime;
        FrmTolvarn form(runtime);
        form.fiende.setTop(50);
        form.fiende.setLeft(line.left);
        (form.*ballTimer.tick)();
        EXPECT_EQ(form.fiende.Left(), line.after);
        EXPECT_EQ(form.fiende.Top(), 120);
    }
}

INSTANTIATE_TEST_SUITE_P(Lefts, RightHandLine,
                         testing::Values(RightHand{2999, 2999}, RightHand{3000, 60}, RightHand{3001, 60},
                                         RightHand{5999, 60}, RightHand{60, 60}));

// Ticks until the interval settles: the pacing ball's returns take it 5 ms at a time
// from 100 to 15, where it stays; between ticks it is never anything else.
struct Pacing {
    const char *name;
    BallTimer ballTimer;
    int ticksPerReturn;
};

class IntervalSequence : public testing::TestWithParam<Pacing> {};

TEST_P(IntervalSequence, ShortensOnEachPacingReturnDownToFifteen)
{
    const Pacing &pacing = GetParam();
    ScriptedRuntime runtime;
    FrmTolvarn form(runtime);
    platform::Timer &timer = form.*pacing.ballTimer.timer;
    std::vector<int> changedAtTick;
    int last = timer.Interval();
    for (int tick = 1; tick <= 1 + 25 * pacing.ticksPerReturn; ++tick) {
        (form.*pacing.ballTimer.tick)();
        const int interval = timer.Interval();
        ASSERT_TRUE(interval >= 15 && interval <= 100 && interval % 5 == 0) << interval;
        if (interval != last) {
            ASSERT_EQ(interval, last - 5);
            changedAtTick.push_back(tick);
        }
        last = interval;
    }
    EXPECT_EQ(last, 15);
    ASSERT_EQ(changedAtTick.size(), 17u);
    for (size_t i = 0; i < changedAtTick.size(); ++i)
        EXPECT_EQ(changedAtTick[i], 1 + static_cast<int>(i) * pacing.ticksPerReturn);
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, IntervalSequence,
    testing::Values(Pacing{"oneBall", OneBall, 44},
                    Pacing{"twoBalls", TwoBalls, 26},
                    Pacing{"threeBalls", ThreeBalls, 26}),
    nameOf<Pacing>);

TEST(FallingBalls, ReturnAtFifteenWritesTenThenFifteen)
{
    ScriptedRuntime runtime;
    FrmTolvarn form(runtime);
    std::vector<std::int32_t> written;
    form.tmrEnemy.setInterval(15);
    form.tmrEnemy.setOnChanged([&] { written.push_back(form.tmrEnemy.Interval()); });
    form.tmrEnemy_Timer();
    EXPECT_EQ(written, (std::vector<std::int32_t>{10, 15}));
}

TEST(FallingBalls, FallEndingOnTheBottomLineReturns)
{
    ScriptedRuntime runtime;
    FrmTolvarn form(runtime);
    form.fiende.setTop(3030); // + 70 = 3100
    form.tmrEnemy_Timer();
    EXPECT_EQ(form.fiende.Top(), 50);
    form.fiende.setTop(3029); // + 70 = 3099
    form.tmrEnemy_Timer();
    EXPECT_EQ(form.fiende.Top(), 3099);
}

TEST(FallingBalls, TwoBallTimersEachUseTheirOwnSpanAndPacing)
{
    ScriptedRuntime runtime;
    FrmTolvarn form(runtime);
    // Ball 1 about to return in a one-ball tick: span 2151, its own timer quickens.
    form.fiende.setTop(3040);
    form.fiende.setLeft(100);
    form.fiende2.setTop(50);
    runtime.randomNumbers = {Highest};
    form.tmrEnemy_Timer();
    EXPECT_EQ(form.fiende.Left(), 100 + 2200);
    EXPECT_EQ(form.tmrEnemy.Interval(), 95);
    EXPECT_EQ(form.tmrEnemy2.Interval(), 100);

    // Ball 1 returning in a two-ball tick: span 1951 and no timer changes.
    form.fiende.setTop(3040);
    form.fiende.setLeft(100);
    runtime.randomNumbers = {Highest, Highest};
    form.tmrEnemy2_Timer();
    EXPECT_EQ(form.fiende.Left(), 100 + 2000);
    EXPECT_EQ(form.fiende2.Top(), 170);
    EXPECT_EQ(form.tmrEnemy.Interval(), 95);
    EXPECT_EQ(form.tmrEnemy2.Interval(), 100);

    // Ball 1 falls 70 in the ticks of either timer.
    form.tmrEnemy_Timer();
    form.tmrEnemy2_Timer();
    EXPECT_EQ(form.fiende.Top(), 50 + 140);
}

TEST(FallingBalls, BallsTheHandlerDoesNotMoveStayParked)
{
    ScriptedRuntime runtime;
    FrmTolvarn form(runtime);
    for (int i = 0; i < 500; ++i) {
        form.tmrEnemy_Timer();
        form.tmrEnemy2_Timer();
    }
    EXPECT_EQ(form.fiende3.box().topLeft(), QPointF(840, 3480));
}

} // namespace
