// The measured programs, each run by the benchmark driver as a child process of its own.
#pragma once

namespace bench {

// kind is "bare" (a window with a two-item menu bar), "timer1ms" (the same window and
// one 1 ms precise timer that does nothing) or "game" (the game's own main window).
// Talks to the driver over stdin (commands) and stdout (results), one line each.
int runChild(const char *kind, int argc, char **argv);

} // namespace bench
