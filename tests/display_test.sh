#!/usr/bin/env bash
# The game without a display: one clear line and a failing status at start, and a
# prompt end with a failing status when the display goes away under it.
#   display_test.sh PATH_TO_TOLVARN
set -uo pipefail
game="$1"
fail() { echo "FAIL: $*"; exit 1; }

# No display at all.
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$game" 2>&1 >/dev/null)
status=$?
[ "$status" -ne 0 ] || fail "started without a display"
[ "$status" -lt 128 ] || fail "died of signal $((status - 128)) without a display"
[ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "expected one line, got: $err"
[[ "$err" == *"no usable display"* ]] || fail "unclear message: $err"

# A display that does not answer.
err=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:4711 "$game" 2>&1 >/dev/null)
status=$?
[ "$status" -ne 0 ] && [ "$status" -lt 128 ] || fail "status $status with a dead display"
[[ "$err" == *"DISPLAY=:4711"* ]] || fail "message does not name the display: $err"

# A display that goes away while the game runs.
if ! command -v Xvfb >/dev/null; then
    echo "Xvfb not installed: the lost display is not checked"
    exit 0
fi
for number in $(seq 140 160); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] || break
done
Xvfb ":$number" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$number" ] && break; sleep 0.1; done
env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=":$number" "$game" >/dev/null 2>&1 &
game_pid=$!
sleep 1.5
kill -0 "$game_pid" 2>/dev/null || fail "the game did not start on the display"
kill "$xvfb"
for _ in $(seq 10); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$game_pid" 2>/dev/null; then
    kill -9 "$game_pid"
    fail "the game still runs a second after its display went away"
fi
wait "$game_pid"
status=$?
[ "$status" -ne 0 ] || fail "ended with status 0 after losing its display"
echo "ok: no display, dead display and lost display all end with a failing status"
