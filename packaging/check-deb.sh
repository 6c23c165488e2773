#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, installs it, starts the
# installed game, opens its manual page, removes it.
#   packaging/check-deb.sh [BUILD_DIR]      (as root or through sudo; default build/deb)
# The package must bring in everything the game needs at run time: its control
# data names the Qt 6 runtime packages, and apt installs them with the package.
# lintian must find no error and no warning; its pedantic and info notes are
# shown and let pass.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build_dir="$(realpath -m "${1:-$here/../build/deb}")"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

command -v lintian >/dev/null || { echo "FAIL: lintian is missing; install it with: sudo apt-get install lintian"; exit 1; }
command -v man >/dev/null || { echo "FAIL: man is missing; install it with: sudo apt-get install man-db"; exit 1; }

deb=$("$here/build-deb.sh" "$build_dir" | tail -1)
echo "package: $deb"
depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for needed in libqt6core6 libqt6gui6 libqt6widgets6; do
    [[ "$depends" == *"$needed"* ]] || { echo "FAIL: $needed missing from Depends"; exit 1; }
done

echo "lintian:"
report=$(lintian --allow-root --pedantic --display-info --fail-on none "$deb")
[ -z "$report" ] && report="(nothing to report)"
while IFS= read -r line; do echo "  $line"; done <<<"$report"
! grep -q '^[EW]: ' <<<"$report" || { echo "FAIL: lintian reports errors or warnings"; exit 1; }

# apt resolves the dependencies the way a user's install would.
$sudo apt-get install -y -qq "$deb" >/dev/null
trap '$sudo dpkg -r tolvarn >/dev/null' EXIT
for file in /usr/games/tolvarn /usr/share/man/man6/tolvarn.6.gz \
    /usr/share/doc/tolvarn/copyright /usr/share/doc/tolvarn/changelog.gz \
    /usr/share/applications/se.tolvarn.tolvarn.desktop /usr/share/metainfo/se.tolvarn.tolvarn.metainfo.xml \
    /usr/share/icons/hicolor/48x48/apps/se.tolvarn.tolvarn.png; do
    [ -e "$file" ] || { echo "FAIL: $file not installed"; exit 1; }
done

# The manual page opens by its name and section, and formats without a warning.
page=$(MANPAGER=cat MANWIDTH=80 man --warnings 6 tolvarn 2>&1) || { echo "FAIL: man 6 tolvarn: $page"; exit 1; }
[[ "$page" == TOLVARN\(6\)* ]] || { echo "FAIL: man 6 tolvarn does not show the page:"; echo "$page"; exit 1; }
grep -q 'tolvarn - dodge the falling red balls' <<<"$page" || { echo "FAIL: the page has no NAME line"; exit 1; }
echo "ok: man 6 tolvarn opens the page"

# The installed game starts and keeps running until it is stopped.
set +e
QT_QPA_PLATFORM=offscreen timeout 3 /usr/games/tolvarn 2>/dev/null
status=$?
set -e
[ "$status" -eq 124 ] || { echo "FAIL: the installed game exited with $status"; exit 1; }
echo "ok: the package passes lintian, installs, the game starts, the package removes"
