#!/usr/bin/env bash
# Sets up, builds and then plays or tests Tolvarn.
#   ./tolvarn.sh play   install what is missing, build a Release build, start the game
#   ./tolvarn.sh test   install what is missing, build, run the whole test suite headless
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

install_missing_packages() {
    local wanted missing=()
    wanted=$(grep -v '^\s*#' "$here/debian-packages.txt" | grep -v '^\s*$')
    for package in $wanted; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
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
