#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Tolvarn developers
#
# SPDX-License-Identifier: MIT

# A three-ball game under a real Wayland compositor (sway, headless), at the given screen
# scale: played with keys and the menus, checked from screenshots, and read through
# AT-SPI as a screen reader reads it (game_driver.py says what is checked).
#   wayland_display_test.sh SCALE PATH_TO_TOLVARN PATH_TO_CLOCK_FACES PATH_TO_FIND_SEED
set -uo pipefail
scale="$1" game="$2" faces="$3" find_seed="$4"
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAIL: $*"; exit 1; }
# A missing tool is a skip (77), and in continuous integration (CI=true) a failure: the
# set-up installs every tool this test needs (debian-packages.txt).
skip() {
    echo "SKIP: $1 not installed: the game under Wayland is not checked"
    [ "${CI:-}" = true ] && exit 1
    exit 77
}

for tool in sway swaymsg grim wtype faketime dbus-run-session setpriv; do
    command -v "$tool" >/dev/null || skip "$tool"
done
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi-bus-launcher (at-spi2-core)"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "pyatspi (python3-pyatspi)"
/usr/bin/python3 -c 'import PIL' 2>/dev/null || skip "PIL (python3-pil)"
# Qt itself says which platforms it can start on (its plugins' keys, whatever their
# files are called) when asked for one it has no plugin for.
platforms=$( (ulimit -c 0; QT_QPA_PLATFORM=no-such-platform exec "$faces" 0 /nonexistent 2>&1) |
    sed -n 's/^Available platform plugins are: //p' | tr -s ' ,.' '\n')
grep -qx wayland <<<"$platforms" || skip "Qt's Wayland plugin (qt6-wayland)"

# sway refuses to run as root: it runs as nobody, in a runtime folder of its own that
# the game, as root, still reaches.
work=$(mktemp -d)
sway_pid=
trap 'kill $sway_pid 2>/dev/null; wait $sway_pid 2>/dev/null; rm -rf "$work"' EXIT
chmod 755 "$work"
mkdir "$work/run" && chown nobody:nogroup "$work/run" && chmod 700 "$work/run"
cat >"$work/sway.config" <<EOF
output HEADLESS-1 resolution $((1024 * scale))x$((768 * scale)) scale $scale
EOF
chmod 644 "$work/sway.config"
env -i PATH="$PATH" XDG_RUNTIME_DIR="$work/run" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
    setpriv --reuid=nobody --regid=nogroup --clear-groups sway -c "$work/sway.config" >"$work/sway.log" 2>&1 &
sway_pid=$!
for _ in $(seq 300); do
    socket=$(compgen -G "$work/run/wayland-*[0-9]" | head -1)
    ipc=$(compgen -G "$work/run/sway-ipc.*.sock" | head -1)
    [ -n "$socket" ] && [ -n "$ipc" ] && break
    sleep 0.1
done
[ -n "$socket" ] && [ -n "$ipc" ] || fail "sway did not start: $(tail -3 "$work/sway.log")"

mkdir -m 700 "$work/client" "$work/faces"
QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR="$scale" XDG_RUNTIME_DIR="$work/client" "$faces" 99 "$work/faces" ||
    fail "the clock's faces were not drawn"
seeded_at=$("$find_seed") || fail "no moment found at which the balls miss the green ball long enough"
env SEEDED_AT="$seeded_at" XDG_RUNTIME_DIR="$work/client" WAYLAND_DISPLAY="$socket" SWAYSOCK="$ipc" \
    dbus-run-session -- bash -c '/usr/libexec/at-spi-bus-launcher --launch-immediately & exec "$@"' _ \
    /usr/bin/python3 "$here/game_driver.py" "$game" "$work/faces" "$scale"
