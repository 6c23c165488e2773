// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// Where the game's windows come up: centred on their screen, frame included.
#pragma once

class QWidget;

namespace desktop {

// Shows a top-level window so that the window as a person sees it, its frame
// included, stands in the middle of its screen's available area. Where windows
// cannot place themselves (Wayland), the compositor places it.
void showCentred(QWidget &window);

} // namespace desktop
