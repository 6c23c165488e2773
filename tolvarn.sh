#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Tolvarn developers
#
# SPDX-License-Identifier: MIT

# Sets up, builds and then plays or tests Tolvarn.
#   ./tolvarn.sh play   install what is missing, build a Release build, start the game
#   ./tolvarn.sh test   install what is missing, build, run the whole test suite headless
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

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

# The recipes are CMake's presets (CMakePresets.json); the build goes to build/release.
configure() {
    cd "$here"
    cmake --preset release >/dev/null
}

case "${1:-}" in
play)
    install_missing_packages
    configure
    cmake --build --preset game
    exec build/release/app/tolvarn
    ;;
test)
    install_missing_packages
    configure
    cmake --build --preset release
    # The tests draw on Qt's offscreen platform: no display needed.
    ctest --preset release -j "$(nproc)"
    ;;
*)
    echo "usage: $0 play|test" >&2
    exit 2
    ;;
esac
