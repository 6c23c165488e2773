#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Tolvarn developers
#
# SPDX-License-Identifier: MIT

# The game on and off a display: one clear line and a failing status at start without
# one (whatever Qt options the command line holds); on an X server, with and without a
# window manager, both windows centred frame included and a message box in front of
# every window made since; what a screen reader reads there; a one-ball game played to
# its end with the arrow keys, and status 0 once its last message is confirmed; and a
# prompt end with a failing status when the display goes away under it.
#   display_test.sh PATH_TO_TOLVARN
set -uo pipefail
game="$1"
fail() { echo "FAIL: $*"; exit 1; }
# A check that cannot run for want of a tool is a skip (77), never a pass; in continuous
# integration (CI=true) a failure, as the set-up installs every tool (debian-packages.txt).
missing=
skipped() {
    echo "SKIP: $1 not installed: $2"
    [ "${CI:-}" = true ] && exit 1
    exit 77
}

# No display at all. Qt's own options are not read: "-platform offscreen" would start it.
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$game" -platform offscreen 2>&1 >/dev/null)
status=$?
[ "$status" -ne 124 ] || fail "read -platform from its command line"
[ "$status" -ne 0 ] || fail "started without a display"
[ "$status" -lt 128 ] || fail "died of signal $((status - 128)) without a display"
[ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "expected one line, got: $err"
[[ "$err" == *"no usable display"* ]] || fail "unclear message: $err"

# A display that does not answer.
err=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:4711 "$game" 2>&1 >/dev/null)
status=$?
[ "$status" -ne 0 ] && [ "$status" -lt 128 ] || fail "status $status with a dead display"
[[ "$err" == *"DISPLAY=:4711"* ]] || fail "message does not name the display: $err"

if ! command -v Xvfb >/dev/null; then
    skipped Xvfb "the game on a display is not checked"
fi

# Waits (up to 10 s: only a hang runs out) until the command succeeds.
# Up to half a minute: a loaded machine starts a window slowly, and only a hang misses it.
await() {
    for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done
    return 1
}

# Xvfb picks a free display itself and names it once it takes connections, so that
# test runs side by side never share one. Without -noreset it would reset, refusing
# connections for a moment, each time its last client leaves.
numbered=$(mktemp)
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset 3>"$numbered" >/dev/null 2>&1 &
xvfb=$!
game_pid=
wm=
trap 'kill $game_pid $wm $xvfb 2>/dev/null; rm -f "$numbered"' EXIT
await test -s "$numbered" || fail "Xvfb did not start"
export DISPLAY=":$(cat "$numbered")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
# xdotool finds windows by their X title (WM_NAME), which Qt writes in the locale's
# encoding: started in the C locale, "Svårighetsgrad" could never be found.
[ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_ALL=C.UTF-8

# The newest visible window titled $1 other than window $2.
window_titled() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | grep -vx "${2:-none}" | tail -1; }
# Left, top, width and height of window $1 with its frame (none without a window manager).
framed_box() {
    local info extents fl fr ft fb
    info=$(xwininfo -id "$1") || return 1
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,)
    read -r fl fr ft fb <<<"${extents:-0 0 0 0}"
    echo $(($(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info") - fl)) \
        $(($(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info") - ft)) \
        $(($(sed -n 's/.*Width: *//p' <<<"$info") + fl + fr)) $(($(sed -n 's/.*Height: *//p' <<<"$info") + ft + fb))
}
# The window with its frame stands within 2 px of the screen's centre (no panels here).
centred() {
    local box x y w h
    box=$(framed_box "$1") || return 1
    read -r x y w h <<<"$box"
    [ $(((2 * x + w - 800) ** 2)) -le 16 ] && [ $(((2 * y + h - 600) ** 2)) -le 16 ]
}
# Clicks at x, y of window $1's client area.
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }
# What shows at the centre of window $1 is $1 itself, or its frame (its parent then).
in_front() {
    local box x y w h shown frame
    box=$(framed_box "$1") || return 1
    read -r x y w h <<<"$box"
    xdotool mousemove $((x + w / 2)) $((y + h / 2))
    shown=$(xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p')
    frame=$(xwininfo -tree -id "$1" | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
    [ "$shown" = "$1" ] || [ "$shown" = "$((frame))" ]
}

# Both windows centred, and a message box made before the help window, shown for the
# first time, comes up in front of it. Qt's "-reverse" would mirror the menu bar and
# the clicks would miss.
check_windows() {
    local where="$1" main help input message
    "$game" -reverse >/dev/null 2>&1 &
    game_pid=$!
    await eval 'main=$(window_titled Tolvarn) && [ -n "$main" ]' || fail "$where: no game window"
    await centred "$main" || fail "$where: game window at $(framed_box "$main"), not centred"
    # "Nytt spel", answered with 1.5 in any locale: the clock starts, no ball falls, no
    # message shows, and a message box is made ready.
    click "$main" 30 9
    await eval 'input=$(window_titled Svårighetsgrad) && [ -n "$input" ]' || fail "$where: no input box"
    xdotool windowfocus "$input" type 15E-1
    xdotool windowfocus "$input" key Return
    await eval '[ -z "$(window_titled Svårighetsgrad)" ]' || fail "$where: the input box stays"
    click "$main" 88 9
    await eval 'help=$(window_titled Hjälp) && [ -n "$help" ]' || fail "$where: no help window"
    await centred "$help" || fail "$where: help window at $(framed_box "$help"), not centred"
    # Below the game's menu bar, still over the middle of the screen.
    xdotool windowmove "$help" 100 220
    await eval '[ "$(framed_box "$help" | cut -d" " -f2)" -ge 210 ]' || fail "$where: help window not moved"
    # "Nytt spel", cancelled: "Bara 1-3 fungerar!".
    click "$main" 30 9
    await eval 'input=$(window_titled Svårighetsgrad) && [ -n "$input" ]' || fail "$where: no second input box"
    xdotool windowfocus "$input" key Escape
    await eval 'message=$(window_titled Tolvarn "$main") && [ -n "$message" ]' || fail "$where: no message box"
    await in_front "$message" || fail "$where: the message box is behind another window"
    kill "$game_pid"
    wait "$game_pid" 2>/dev/null
    game_pid=
}

# A one-ball game to its end: the green ball sweeps the field to the right, faster
# than a red ball falls through its row, until one touches it; the game-over message,
# confirmed, ends the program with status 0. A minute: only a game that never ends
# misses it.
play_one_ball_game() {
    local main input message status deadline=$((SECONDS + 60))
    "$game" >/dev/null 2>&1 &
    game_pid=$!
    await eval 'main=$(window_titled Tolvarn) && [ -n "$main" ]' || fail "one-ball game: no game window"
    click "$main" 30 9
    await eval 'input=$(window_titled Svårighetsgrad) && [ -n "$input" ]' || fail "one-ball game: no input box"
    xdotool windowfocus "$input" type 1
    xdotool windowfocus "$input" key Return
    await eval '[ -z "$(window_titled Svårighetsgrad)" ]' || fail "one-ball game: the input box stays"
    until message=$(window_titled Tolvarn "$main") && [ -n "$message" ]; do
        kill -0 "$game_pid" 2>/dev/null || fail "one-ball game: the game ended without its message"
        [ "$SECONDS" -lt "$deadline" ] || fail "one-ball game: no touch in a minute"
        xdotool windowfocus "$main" key --delay 5 $(printf 'Right %.0s' $(seq 30))
    done
    xdotool windowfocus "$message" key Return
    await eval '! kill -0 "$game_pid" 2>/dev/null' || fail "one-ball game: still running after its last message"
    wait "$game_pid"
    status=$?
    game_pid=
    [ "$status" -eq 0 ] || fail "one-ball game: ended with status $status"
}

if ! command -v xdotool >/dev/null || ! command -v xwininfo >/dev/null; then
    echo "xdotool or x11-utils not installed: the windows are not checked"
    missing="xdotool or x11-utils"
else
    check_windows "without a window manager"
    play_one_ball_game
    if command -v openbox >/dev/null; then
        openbox >/dev/null 2>&1 &
        wm=$!
        await eval 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not start"
        check_windows "under openbox"
        kill "$wm"
        wait "$wm" 2>/dev/null
        wm=
    else
        echo "openbox not installed: the windows under a window manager are not checked"
        missing="openbox"
    fi
fi

# What a screen reader reads on X, through AT-SPI: the same as under Wayland.
if ! command -v dbus-run-session >/dev/null || [ ! -x /usr/libexec/at-spi-bus-launcher ] ||
    ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
    echo "dbus-daemon, at-spi2-core or python3-pyatspi not installed: what a screen reader reads is not checked"
    missing="dbus-daemon, at-spi2-core or python3-pyatspi"
else
    dbus-run-session -- bash -c '/usr/libexec/at-spi-bus-launcher --launch-immediately & exec "$@"' _ \
        /usr/bin/python3 "$(dirname "$0")/game_driver.py" --screen-reader "$game" ||
        fail "what a screen reader reads on X"
fi

# A display that goes away while the game runs.
"$game" >/dev/null 2>&1 &
game_pid=$!
sleep 1.5
kill -0 "$game_pid" 2>/dev/null || fail "the game did not start on the display"
kill "$xvfb"
# Ten seconds: only a game that hangs misses it. How soon the game ends is the
# benchmark's figure, not a pass mark here.
for _ in $(seq 100); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$game_pid" 2>/dev/null; then
    kill -9 "$game_pid"
    fail "the game still runs ten seconds after its display went away"
fi
wait "$game_pid"
status=$?
game_pid=
[ "$status" -ne 0 ] || fail "ended with status 0 after losing its display"
if [ -n "$missing" ]; then
    skipped "$missing" "not every check ran"
fi
echo "ok: no display, dead display and lost display end with a failing status; windows centred, messages in front; a one-ball game ends with status 0"
