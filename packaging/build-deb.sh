#!/usr/bin/env bash
# Builds the Debian package and prints its path on the last line.
#   packaging/build-deb.sh [BUILD_DIR]      (default build/deb; a folder of its own)
# The build is configured for the package: the program in /usr/games, compiled
# and linked with Debian's hardening flags (dpkg-buildflags, from dpkg-dev).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build_dir="$(realpath -m "${1:-$here/../build/deb}")"
cd "$here/.."    # dpkg-buildflags maps this folder to "." in the debugging paths

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DTOLVARN_INSTALL_GAMESDIR=games -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
# Only the program and what it installs: cpack builds nothing more.
cmake --build "$build_dir" --target tolvarn
deb=$(cd "$build_dir" && cpack -G DEB | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p')
[ -n "$deb" ] || { echo "cpack named no package" >&2; exit 1; }
echo "$deb"
