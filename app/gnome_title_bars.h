// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The game's windows with GNOME's own title bars on a GNOME Wayland session.
#pragma once

namespace app {

// Under GNOME on Wayland, when the player has not chosen a platform and the Qt the
// game runs on draws no title bar made for GNOME, asks Qt to run the game through
// Xwayland. To be called before the application object is made.
void runOnXwaylandWhereQtLacksGnomeTitleBars();

} // namespace app
