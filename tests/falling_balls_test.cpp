// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The falling balls: each tick's fall, the return to the top shifted by chance, the
// right-hand line, and the pacing ball's quickening of its timer.
#include "game/frmtolvarn.h"
#include "named_rows.h"
#include "scripted_runtime.h"

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr float Highest = 0.99999994f; // the largest float below 1

struct BallTimer {
    void (game::FrmTolvarn::*tick)();
    forms::Timer game::FrmTolvarn::*timer;
};
constexpr BallTimer One{&game::FrmTolvarn::tmrEnemy_Timer, &game::FrmTolvarn::tmrEnemy};
constexpr BallTimer Two{&game::FrmTolvarn::tmrEnemy2_Timer, &game::FrmTolvarn::tmrEnemy2};
constexpr BallTimer Three{&game::FrmTolvarn::tmrEnemy3_Timer, &game::FrmTolvarn::tmrEnemy3};

struct Place {
    float left, top;
    bool operator==(const Place &) const = default;
};
using Balls = std::array<Place, 3>;
constexpr Balls Parked{{{120, 3480}, {480, 3480}, {840, 3480}}};

void PrintTo(const Place &place, std::ostream *out)
{
    *out << place.left << ", " << place.top;
}

struct Tick {
    const char *name;
    BallTimer ballTimer;
    float random; // every number drawn in the tick
    int intervalBefore;
    Balls before, after;
    int intervalAfter;
};

class OneTick : public testing::TestWithParam<Tick> {};

TEST_P(OneTick, MovesTheBallsAndQuickensOnThePacingReturn)
{
    const Tick &tick = GetParam();
    ScriptedRuntime runtime;
    game::FrmTolvarn form(runtime);
    forms::Shape *balls[] = {&form.fiende, &form.fiende2, &form.fiende3};
    for (int i = 0; i < 3; ++i) {
        balls[i]->setLeft(tick.before[i].left);
        balls[i]->setTop(tick.before[i].top);
    }
    forms::Timer &timer = form.*tick.ballTimer.timer;
    timer.setInterval(tick.intervalBefore);
    runtime.randomNumbers.assign(3, tick.random);

    (form.*tick.ballTimer.tick)();

    for (int i = 0; i < 3; ++i)
        EXPECT_EQ((Place{balls[i]->Left(), balls[i]->Top()}), tick.after[i]) << "ball " << i + 1;
    EXPECT_EQ(timer.Interval(), tick.intervalAfter);
}

// A return shifts a ball right by 50 to span + 49 twips: span 2151 for one ball; 1951,
// 2451 and 2951 for balls 1, 2 and 3 of a game of two or three.
INSTANTIATE_TEST_SUITE_P(Rules, OneTick,
    testing::Values(Tick{"oneBallFirstLowest", One, 0, 100, Parked, {{{170, 50}, Parked[1], Parked[2]}}, 95},
        Tick{"oneBallFirstHighest", One, Highest, 100, Parked, {{{2320, 50}, Parked[1], Parked[2]}}, 95},
        Tick{"twoBallsFirstHighest", Two, Highest, 100, Parked, {{{2120, 50}, {2980, 50}, Parked[2]}}, 95},
        // Ball 3 falls after the right-hand checks: past the line, it stands until the next tick.
        Tick{"threeBallsFirstHighest", Three, Highest, 100, Parked, {{{2120, 50}, {2980, 50}, {3840, 50}}}, 95},
        Tick{"ballThreeBackFromPastTheLine", Three, 0, 95, {{{1000, 50}, {1000, 50}, {3840, 50}}},
            {{{1000, 120}, {1000, 170}, {60, 290}}}, 95},
        Tick{"justAboveTheBottomLine", One, 0, 100, {{{1000, 3029}, Parked[1], Parked[2]}},
            {{{1000, 3099}, Parked[1], Parked[2]}}, 100},
        Tick{"ontoTheBottomLine", One, 0, 100, {{{1000, 3030}, Parked[1], Parked[2]}},
            {{{1050, 50}, Parked[1], Parked[2]}}, 95},
        Tick{"rightHandLine", One, 0, 100, {{{3000, 50}, Parked[1], Parked[2]}}, {{{60, 120}, Parked[1], Parked[2]}},
            100},
        Tick{"leftOfTheLine", Two, 0, 100, {{{2999, 50}, {3000, 50}, Parked[2]}}, {{{2999, 120}, {60, 170}, Parked[2]}},
            100},
        Tick{"ballOneDoesNotPaceTwo", Two, 0, 100, {{{1000, 3040}, {1000, 50}, Parked[2]}},
            {{{1050, 50}, {1000, 170}, Parked[2]}}, 100},
        Tick{"ballThreeDoesNotPaceThree", Three, 0, 100, {{{1000, 50}, {1000, 50}, {1000, 2900}}},
            {{{1000, 120}, {1000, 170}, {1050, 50}}}, 100},
        Tick{"floorOfFifteen", One, 0, 15, {{{1000, 3040}, Parked[1], Parked[2]}}, {{{1050, 50}, Parked[1], Parked[2]}},
            15}),
    nameOf<Tick>);

} // namespace
