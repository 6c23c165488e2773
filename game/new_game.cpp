// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// "Nytt spel": asks for the number of balls and switches on the clock and a ball timer.
#include "game/frmtolvarn.h"
#include "platform/forms/numbers.h"

namespace game {

using forms::isNumeric;
using forms::toNumber;

void FrmTolvarn::newMenu_Click()
{
    strBalls = m_runtime.InputBox(
        QStringLiteral("Hur många bollar vill du ha? 1-3."), QStringLiteral("Svårighetsgrad"), forms::numberToText(1));
    if (!isNumeric(strBalls)) {
        m_runtime.MsgBox(QStringLiteral("Bara 1-3 fungerar!"));
        return;
    }
    if (toNumber(strBalls) > 3)
        m_runtime.MsgBox(QStringLiteral("För mycket."));
    if (toNumber(strBalls) < 1)
        m_runtime.MsgBox(QStringLiteral("0 Bollar? Du är verkligen desperat."));

    // Every number starts the clock, also one that starts no ball; nothing is ever
    // switched off, so a second answer can add a second ball timer.
    tmrTid.setEnabled(true);
    if (toNumber(strBalls) == 1) {
        tmrEnemy.setEnabled(true);
        lblTid.setCaption(QStringLiteral("0"));
    }
    if (toNumber(strBalls) == 2) {
        tmrEnemy2.setEnabled(true);
        lblTid.setCaption(QStringLiteral("0"));
    }
    if (toNumber(strBalls) == 3) {
        tmrEnemy3.setEnabled(true);
        lblTid.setCaption(QStringLiteral("0"));
    }
}

} // namespace game
