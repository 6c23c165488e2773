// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The clock: one more second a tick. The count lives only in the label's text.
#include "game/frmtolvarn.h"
#include "platform/forms/numbers.h"

namespace game {

void FrmTolvarn::tmrTid_Timer()
{
    lblTid.setCaption(forms::numberToText(forms::toNumber(lblTid.Caption()) + 1));
}

} // namespace game
