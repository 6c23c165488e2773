// A red ball touching the player ball ends the game with the seconds lasted.
#include "game/frmtolvarn.h"

#include <cmath>

// The balls' 255-twip boxes overlap with a positive area: a test of squares, so two
// balls diagonally 254 apart touch although the circles are apart.
bool FrmTolvarn::touchesPlayer(const platform::Shape &ball) const
{
    const float dx = std::fabs(shMove.Left() - ball.Left());
    const float dy = std::fabs(shMove.Top() - ball.Top());
    return dx < 255 && dy < 255;
}

void FrmTolvarn::tmrChecka_Timer()
{
    // Ticks go on while the message is open; the touch they would find again is the
    // one already being told.
    if (blnGameOver)
        return;
    if (touchesPlayer(fiende) || touchesPlayer(fiende2) || touchesPlayer(fiende3))
        endGame();
}

void FrmTolvarn::endGame()
{
    blnGameOver = true;
    m_runtime.MsgBox(QStringLiteral("Bravo! Tyvärr så klarade du bara: ") + lblTid.Caption() +
                     QStringLiteral(" sekunder. Ett till försök kanske?"));
    m_runtime.End();
}
