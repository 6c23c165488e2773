// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

#include "game/frmtolvarn.h"

namespace game {

FrmTolvarn::FrmTolvarn(forms::Runtime &runtime) : m_runtime(runtime) {}

void FrmTolvarn::Form_Load()
{
    m_runtime.Randomize();
}

void FrmTolvarn::helpMenu_Click()
{
    m_runtime.ShowHelp();
}

} // namespace game
