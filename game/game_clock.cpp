// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The clock: one more second a tick. The count lives only in the label's text.
#include "game/frmtolvarn.h"
#include "platform/numbers.h"

void FrmTolvarn::tmrTid_Timer()
{
    lblTid.setCaption(platform::numberToText(platform::toNumber(lblTid.Caption()) + 1));
}
