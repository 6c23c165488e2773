// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// A measured program, run by the benchmark driver as a child process of its own.
#pragma once

namespace bench {

// The slowest level a game plays: its balls start below the field, so the first tick
// brings the ball timer from 100 to 95 ms at once.
constexpr int SlowLevelMs = 95;

// argv[2] is "floor" (the animation floor) or "game" (the game's own main window).
// Commands come one a line on stdin; stamps and answers go one a line to stdout.
int runChild(int argc, char **argv);

} // namespace bench
