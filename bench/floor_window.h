// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The animation floor: a window that draws the game's picture while three balls fall
// (white field, walls in front of the balls, player, clock), in the plain Qt Widgets
// way, on timers of its own. No program shows that picture for less.
#pragma once

#include <QMainWindow>

namespace bench {

class FloorWindow : public QMainWindow {
    Q_OBJECT

public:
    FloorWindow();
    void showCentred();
    // The balls start to fall and the clock to count.
    void play();
};

} // namespace bench
