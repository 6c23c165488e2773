// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The clock: one more second a tick, in plain digits also past a million.
#include "game/frmtolvarn.h"
#include "scripted_runtime.h"

#include <gtest/gtest.h>

namespace {

TEST(GameClock, CountsOneASecondInPlainDigitsPastAMillion)
{
    ScriptedRuntime runtime;
    game::FrmTolvarn form(runtime);
    form.lblTid.setCaption(QStringLiteral("999999"));
    form.tmrTid_Timer();
    EXPECT_EQ(form.lblTid.Caption(), QStringLiteral("1000000"));
}

} // namespace
