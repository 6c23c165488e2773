#!/usr/bin/env bash
# Sets up, builds and then plays or tests Tolvarn.
#   ./tolvarn.sh play   install what is missing, build a Release build, start the game
#   ./tolvarn.sh test   install what is missing, build, run the whole test suite headless
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build_dir="${TOLVARN_BUILD_DIR:-$here/build/release}"

# What building and testing need is the package's Build-Depends (debian/control):
# apt installs whichever of them are missing, the compiler included.
install_missing_packages() {
    command -v dpkg-checkbuilddeps >/dev/null && (cd "$here" && dpkg-checkbuilddeps 2>/dev/null) && return
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing the build dependencies named in debian/control"
    $sudo apt-get update -qq
    (cd "$here" && DEBIAN_FRONTEND=noninteractive $sudo apt-get build-dep -y -qq ./)
}

build() {
    cmake -S "$here" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build_dir"
}

case "${1:-}" in
play)
    install_missing_packages
    build
    exec "$build_dir/app/tolvarn"
    ;;
test)
    install_missing_packages
    build
    # The tests draw on Qt's offscreen platform: no display needed.
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
    ;;
*)
    echo "usage: $0 play|test" >&2
    exit 2
    ;;
esac
