#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Tolvarn developers
#
# SPDX-License-Identifier: MIT

# A short game under a whole desktop's compositor, headless: GNOME Shell (mutter) or
# KWin, with the game on Wayland or on the compositor's own Xwayland (xcb).
# desktop_driver.py says what is checked.
#   desktop_test.sh gnome|kwin wayland|xcb PATH_TO_TOLVARN
# With KEEP_GOING=1 it reports every check that fails, not only the first. Screenshots
# of what failed are left in the current folder.
# A missing desktop is a skip (77): these bring hundreds of megabytes, so only the
# autopkgtest "desktops" and CI install them (debian/tests/control names them).
set -uo pipefail
desktop="$1" platform="$2" game="$3"
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAIL: $*"; exit 1; }
skip() {
    echo "SKIP: $1 not installed: the game under $desktop ($platform) is not checked (see debian/tests/control)"
    exit 77
}

case "$desktop" in
gnome) command -v gnome-shell >/dev/null || skip "gnome-shell" ;;
kwin)
    command -v kwin_wayland >/dev/null || skip "kwin_wayland (kwin-wayland)"
    compgen -G '/usr/lib/*/qt*/plugins/org.kde.kdecoration2/*breeze*' >/dev/null || skip "kwin-style-breeze"
    ;;
*) fail "no such desktop: $desktop" ;;
esac
for tool in Xwayland xprop dbus-daemon dbus-run-session gdbus setpriv; do
    command -v "$tool" >/dev/null || skip "$tool"
done
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi-bus-launcher (at-spi2-core)"
/usr/bin/python3 -c 'import pyatspi, PIL' 2>/dev/null || skip "python3-pyatspi or python3-pil"
# Qt's Wayland platform plugin: libqwayland-generic.so up to Qt 6.10, libqwayland.so since.
compgen -G '/usr/lib/*/qt6/plugins/platforms/libqwayland*.so' >/dev/null || skip "Qt's Wayland plugin (qt6-wayland)"

# The compositors refuse to run as root: run by root, everything runs as nobody, from
# copies in a folder of the test's own (the build tree may be out of nobody's reach).
as_user=()
[ "$(id -u)" -eq 0 ] && as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
work=$(mktemp -d)
trap 'kill $system_bus 2>/dev/null; rm -rf "$work"' EXIT
system_bus=
chmod 755 "$work"
mkdir -p "$work/home/.config/glib-2.0/settings" "$work/home/.local/share/gnome-shell/extensions" "$work/run" "$work/bin"
cp "$game" "$work/bin/tolvarn"
cp "$here/desktop_driver.py" "$here/compositors.py" "$here/game_driver.py" "$here/wayland_fake_input.py" "$work/bin/"
cp -r "$here/gnome-shell-extension" "$work/home/.local/share/gnome-shell/extensions/tolvarn-test@tolvarn.se"
# The shell's settings from a key file: the test's extension, and no hot corner (each
# click starts from the top-left corner: see compositors.py).
cat >"$work/home/.config/glib-2.0/settings/keyfile" <<'SETTINGS'
[org/gnome/shell]
enabled-extensions=['tolvarn-test@tolvarn.se']
[org/gnome/desktop/interface]
enable-hot-corners=false
SETTINGS
# Debian's kwin_wayland carries a file capability that these machines refuse to run;
# a plain copy runs.
[ "$desktop" = kwin ] && cp "$(command -v kwin_wayland)" "$work/bin/kwin_wayland"
[ "$(id -u)" -eq 0 ] && chown -R nobody:nogroup "$work/home" "$work/run" "$work/bin"
chmod 700 "$work/run"

# GNOME Shell asks logind on the system bus where it finds /run/systemd/seats: a
# private, empty one is enough.
"${as_user[@]}" dbus-daemon --session --address="unix:path=$work/run/system_bus" --nofork >/dev/null 2>&1 &
system_bus=$!

cat >"$work/bin/session.sh" <<'INNER'
#!/bin/bash
# Inside the test's D-Bus session, as nobody: the accessibility bus first (as a desktop
# login starts it), then the compositor, then the driver.
cd "$HOME"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
log="$HOME/compositor.log"
export TOLVARN_COMPOSITOR_LOG="$log" WAYLAND_DISPLAY=tolvarn-test
case "$1" in
gnome)
    gnome-shell --headless --wayland --virtual-monitor 1280x1024 --wayland-display "$WAYLAND_DISPLAY" >"$log" 2>&1 &
    shell=$!
    for _ in $(seq 300); do
        gdbus call --session -d org.gnome.Shell -o /org/gnome/Shell -m org.gnome.Shell.Eval \
            'Main.layoutManager._startingUp || Main.overview.visible || Main.overview.animationInProgress' 2>/dev/null |
            grep -q "true, 'false'" && break
        sleep 0.1
    done
    python3 "$HOME/../bin/desktop_driver.py" "$1" "$2" "$HOME/../bin/tolvarn"
    status=$?
    kill $shell
    wait $shell 2>/dev/null
    ;;
kwin)
    # KWin starts the driver once Wayland and Xwayland are up, with DISPLAY set, and
    # stops when it ends; the driver's status comes back through a file.
    KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 QT_LOGGING_RULES='kwin_scripting=true' \
        "$HOME/../bin/kwin_wayland" --virtual --xwayland --width 1280 --height 1024 --socket "$WAYLAND_DISPLAY" \
        --exit-with-session "bash -c 'python3 $HOME/../bin/desktop_driver.py $1 $2 $HOME/../bin/tolvarn >$HOME/driver.log 2>&1; echo \$? >$HOME/status'" \
        >"$log" 2>&1
    cat "$HOME/driver.log"
    status=$(cat "$HOME/status" 2>/dev/null || echo 1)
    ;;
esac
[ "$status" -eq 0 ] || { echo "the compositor's last words:"; tail -5 "$log"; }
exit "$status"
INNER
chmod 755 "$work/bin/session.sh"

started=$SECONDS
env -i PATH="$PATH" HOME="$work/home" XDG_RUNTIME_DIR="$work/run" LANG=C.UTF-8 \
    DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/run/system_bus" GSETTINGS_BACKEND=keyfile \
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 KEEP_GOING="${KEEP_GOING:-}" PYTHONPATH="$work/bin" \
    "${as_user[@]}" dbus-run-session -- "$work/bin/session.sh" "$desktop" "$platform" 2>"$work/home/session.log"
status=$?
[ "$status" -eq 0 ] || { echo "the session's last words:"; tail -5 "$work/home/session.log"; }
cp "$work"/home/*.png . 2>/dev/null
echo "$desktop ($platform): $((SECONDS - started)) s"
exit "$status"
