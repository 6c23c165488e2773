// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// A red ball touching the player ball ends the game with the seconds lasted.
#include "game/frmtolvarn.h"

#include <cmath>

namespace game {

// The balls' 255-twip boxes overlap with a positive area: a test of squares, so two
// balls diagonally 254 apart touch although the circles are apart.
bool FrmTolvarn::touchesPlayer(const forms::Shape &ball) const
{
    const float dx = std::fabs(shMove.Left() - ball.Left());
    const float dy = std::fabs(shMove.Top() - ball.Top());
    return dx < 255 && dy < 255;
}

void FrmTolvarn::tmrChecka_Timer()
{
    if (touchesPlayer(fiende) || touchesPlayer(fiende2) || touchesPlayer(fiende3))
        endGame();
}

void FrmTolvarn::endGame()
{
    // The game stops at the touch: behind the message the balls stand where they
    // touched, the clock shows the seconds the message quotes, and no check finds the
    // same touch again.
    for (forms::Timer *timer : {&tmrEnemy, &tmrEnemy2, &tmrEnemy3, &tmrTid, &tmrChecka})
        timer->setEnabled(false);
    m_runtime.MsgBox(QStringLiteral("Bravo! Tyvärr så klarade du bara: ") + lblTid.Caption()
        + QStringLiteral(" sekunder. Ett till försök kanske?"));
    m_runtime.End();
}

} // namespace game
