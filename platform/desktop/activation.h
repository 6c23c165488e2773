// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// Bringing an open window of the game to the front, on X and on Wayland alike.
#pragma once

class QWidget;

namespace desktop {

// Raises and activates an open window in answer to what the player just did (a
// menu choice by click or key). On X the program may do so itself. On Wayland only
// the compositor may, and GNOME's does it only when the request carries a token
// made from the player's own press of a button or a key: Qt asks with the serial of
// the last input event, which after a click is the button's release, and GNOME then
// only tells "is ready". Here the token carries the press. A compositor that
// refuses the token leaves the window where it is, as before.
void bringToFront(QWidget &window);

// Starts following the player's presses, before the first window has to be brought
// forward. Does nothing off Wayland.
void followPresses();

} // namespace desktop
