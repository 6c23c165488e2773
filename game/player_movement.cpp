// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The arrow keys move the player ball 100 twips a press and wrap it at the field's edges.
#include "game/frmtolvarn.h"
#include "platform/forms/key_codes.h"

namespace game {

void FrmTolvarn::Form_KeyDown(std::int16_t KeyCode)
{
    // Move: the key code matches at most one test.
    if (KeyCode == forms::keys::Right)
        shMove.setLeft(shMove.Left() + 100);
    if (KeyCode == forms::keys::Left)
        shMove.setLeft(shMove.Left() - 100);
    if (KeyCode == forms::keys::Up)
        shMove.setTop(shMove.Top() - 100);
    if (KeyCode == forms::keys::Down)
        shMove.setTop(shMove.Top() + 100);

    // Wrap, after every key. Across, each target lies one twip inside the opposite
    // limit; down, the target lies 50 inside the bottom line, and the top line itself stands.
    if (shMove.Left() <= LeftHandLine - 1)
        shMove.setLeft(RightHandLine - 1);
    if (shMove.Left() >= RightHandLine)
        shMove.setLeft(LeftHandLine);
    if (shMove.Top() < TopLine)
        shMove.setTop(BottomLine - 50);
    if (shMove.Top() >= BottomLine)
        shMove.setTop(TopLine);
}

} // namespace game
