// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The touch test, and the end of the game with the seconds lasted.
#include "game/frmtolvarn.h"
#include "named_rows.h"
#include "scripted_runtime.h"

#include <gtest/gtest.h>

namespace {

struct Offset {
    const char *name;
    float dx = 0, dy = 0;
    bool touches = false;
};

class Touch : public testing::TestWithParam<Offset> {};

// A test of the 255-twip squares, not of the circles: 254 diagonally is a touch.
TEST_P(Touch, WhenTheBoxesOverlapStrictlyInsideTwoHundredFiftyFive)
{
    const Offset &offset = GetParam();
    for (forms::Shape game::FrmTolvarn::*ball :
        {&game::FrmTolvarn::fiende, &game::FrmTolvarn::fiende2, &game::FrmTolvarn::fiende3}) {
        ScriptedRuntime runtime;
        game::FrmTolvarn form(runtime);
        (form.*ball).setLeft(form.shMove.Left() + offset.dx);
        (form.*ball).setTop(form.shMove.Top() + offset.dy);
        if (offset.touches)
            EXPECT_THROW(form.tmrChecka_Timer(), ProgramEnded);
        else
            EXPECT_NO_THROW(form.tmrChecka_Timer());
        EXPECT_EQ(runtime.messages.size(), offset.touches ? 1 : 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Offsets, Touch,
    testing::Values(Offset{.name = "onIt", .touches = true},
        Offset{.name = "diagonal254", .dx = 254, .dy = 254, .touches = true},
        Offset{.name = "diagonalMinus254", .dx = -254, .dy = -254, .touches = true},
        Offset{.name = "across255", .dx = 255}, Offset{.name = "upMinus255", .dy = -255},
        Offset{.name = "down255", .dy = 255}, Offset{.name = "across254AndAHalf", .dx = 254.5f, .touches = true},
        Offset{.name = "down254AndAHalf", .dy = 254.5f, .touches = true}),
    nameOf<Offset>);

// The game stops at the touch: while its one message is open no timer runs, so the
// balls and the clock stand as they were, and no check finds the touch again.
TEST(GameOver, StopsEveryTimerThenOneMessageWithTheSecondsThenTheEnd)
{
    ScriptedRuntime runtime;
    game::FrmTolvarn form(runtime);
    form.lblTid.setCaption(QStringLiteral("42"));
    for (forms::Timer *timer : {&form.tmrTid, &form.tmrEnemy, &form.tmrEnemy2, &form.tmrEnemy3})
        timer->setEnabled(true);
    for (forms::Shape *ball : {&form.fiende, &form.fiende2}) {
        ball->setLeft(form.shMove.Left() + 10);
        ball->setTop(form.shMove.Top() + 10);
    }
    int running = 0;
    runtime.whileMessageOpen = [&] {
        for (const forms::Timer *timer :
            {&form.tmrChecka, &form.tmrTid, &form.tmrEnemy, &form.tmrEnemy2, &form.tmrEnemy3})
            running += timer->Enabled();
    };
    EXPECT_THROW(form.tmrChecka_Timer(), ProgramEnded);
    EXPECT_EQ(running, 0) << "timers still on behind the message";
    EXPECT_EQ(runtime.messages,
        QStringList{QStringLiteral("Bravo! Tyvärr så klarade du bara: 42 sekunder. Ett till försök kanske?")});
}

} // namespace
