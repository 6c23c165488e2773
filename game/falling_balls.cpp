// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The red balls fall, return to the top shifted right by chance, and each return of
// the pacing ball makes its timer tick 5 ms sooner, down to 15 ms.
#include "game/frmtolvarn.h"

#include <cmath>

namespace game {

namespace {

using forms::Shape;
using forms::Timer;

// A fall is separate writes of Top, step after step; only where it ends is compared.
void fall(Shape &ball, int steps, float step)
{
    for (int i = 0; i < steps; ++i)
        ball.setTop(ball.Top() + step);
}
void fallBall1(Shape &fiende)
{
    fall(fiende, 14, 5);
}
void fallBall2(Shape &fiende2)
{
    fall(fiende2, 12, 10);
}
void fallBall3(Shape &fiende3)
{
    fall(fiende3, 12, 20);
}

bool hasReachedBottom(const Shape &ball)
{
    return ball.Top() >= FrmTolvarn::BottomLine;
}

// The new Left is not tested here: the right-hand check deals with it.
void returnToTop(Shape &ball, float shift)
{
    ball.setTop(FrmTolvarn::TopLine);
    ball.setLeft(ball.Left() + shift);
}

// 100, 95, ..., 15; at 15 a return writes 10 and at once 15 again.
void shortenInterval(Timer &timer)
{
    timer.setInterval(timer.Interval() - 5);
    if (timer.Interval() == 10)
        timer.setInterval(15);
}

void checkRightHandLine(Shape &ball)
{
    if (ball.Left() >= FrmTolvarn::RightHandLine)
        ball.setLeft(FrmTolvarn::LeftHandLine);
}

} // namespace

// A whole number from 50 to span + 49. Double precision keeps the floor exact.
float FrmTolvarn::drawShift(double span)
{
    return static_cast<float>(std::floor(static_cast<double>(m_runtime.Rnd()) * span + 50));
}

// Balls 1 and 2 of a two- or three-ball tick, their shifts drawn: ball 2 paces the
// tick's timer, and both are checked at the right-hand line after both fell.
void FrmTolvarn::fallFirstTwo(forms::Timer &pacing)
{
    fallBall1(fiende);
    if (hasReachedBottom(fiende))
        returnToTop(fiende, sngOffset1);
    fallBall2(fiende2);
    if (hasReachedBottom(fiende2)) {
        returnToTop(fiende2, sngOffset2);
        shortenInterval(pacing);
    }
    checkRightHandLine(fiende);
    checkRightHandLine(fiende2);
}

void FrmTolvarn::tmrEnemy_Timer()
{
    sngOffset1 = drawShift(2151);

    fallBall1(fiende);
    if (hasReachedBottom(fiende)) {
        returnToTop(fiende, sngOffset1);
        shortenInterval(tmrEnemy);
    }
    checkRightHandLine(fiende);
}

void FrmTolvarn::tmrEnemy2_Timer()
{
    sngOffset1 = drawShift(1951);
    sngOffset2 = drawShift(2451);

    fallFirstTwo(tmrEnemy2);
}

void FrmTolvarn::tmrEnemy3_Timer()
{
    sngOffset1 = drawShift(1951);
    sngOffset2 = drawShift(2451);
    sngOffset3 = drawShift(2951);

    fallFirstTwo(tmrEnemy3);
    checkRightHandLine(fiende3);
    // Ball 3 falls after the checks: a Left past the line after its return stands
    // until the next tick's check.
    fallBall3(fiende3);
    if (hasReachedBottom(fiende3))
        returnToTop(fiende3, sngOffset3);
}

} // namespace game
