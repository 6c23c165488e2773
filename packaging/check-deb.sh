#!/usr/bin/env bash
# Builds the Debian package, installs it, starts the installed game, removes it.
#   packaging/check-deb.sh [BUILD_DIR]      (as root or through sudo)
# The package must bring in everything the game needs at run time: its control
# data names the Qt 6 runtime packages, and apt installs them with the package.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build_dir="${1:-$here/../build/release}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

cmake -S "$here/.." -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build_dir" --target tolvarn
(cd "$build_dir" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build_dir"/tolvarn_*.deb | head -1)
echo "package: $deb"
depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for needed in libqt6core6 libqt6gui6 libqt6widgets6; do
    [[ "$depends" == *"$needed"* ]] || { echo "FAIL: $needed missing from Depends"; exit 1; }
done

# apt resolves the dependencies the way a user's install would.
$sudo apt-get install -y -qq "$deb" >/dev/null
trap '$sudo dpkg -r tolvarn >/dev/null' EXIT
for file in /usr/bin/tolvarn /usr/share/applications/se.tolvarn.tolvarn.desktop \
    /usr/share/metainfo/se.tolvarn.tolvarn.metainfo.xml /usr/share/icons/hicolor/48x48/apps/se.tolvarn.tolvarn.png; do
    [ -e "$file" ] || { echo "FAIL: $file not installed"; exit 1; }
done

# The installed game starts and keeps running until it is stopped.
set +e
QT_QPA_PLATFORM=offscreen timeout 3 /usr/bin/tolvarn 2>/dev/null
status=$?
set -e
[ "$status" -eq 124 ] || { echo "FAIL: the installed game exited with $status"; exit 1; }
echo "ok: the package installs, the game starts, the package removes"
