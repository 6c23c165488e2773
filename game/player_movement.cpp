// The arrow keys move the player ball 100 twips a press and wrap it at the field's edges.
#include "game/frmtolvarn.h"
#include "platform/key_codes.h"

void FrmTolvarn::Form_KeyDown(std::int16_t KeyCode, std::int16_t /*Shift*/)
{
    // Move: the key code matches at most one test.
    if (KeyCode == platform::keys::Right)
        shMove.setLeft(shMove.Left() + 100);
    if (KeyCode == platform::keys::Left)
        shMove.setLeft(shMove.Left() - 100);
    if (KeyCode == platform::keys::Up)
        shMove.setTop(shMove.Top() - 100);
    if (KeyCode == platform::keys::Down)
        shMove.setTop(shMove.Top() + 100);

    // Wrap, after every key. Across, each target lies one twip inside the opposite
    // limit; down, the target 3050 lies 50 inside its limit, and 50 itself stands.
    if (shMove.Left() <= 59)
        shMove.setLeft(2999);
    if (shMove.Left() >= 3000)
        shMove.setLeft(60);
    if (shMove.Top() < 50)
        shMove.setTop(3050);
    if (shMove.Top() >= 3100)
        shMove.setTop(50);
}
