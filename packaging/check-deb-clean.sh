#!/usr/bin/env bash
# The Debian package on clean, minimal Debian systems (debootstrap --variant=minbase):
# built from its source package, tests included, on one that has nothing but the
# Build-Depends; then installed on another fresh one, where apt brings in what it
# needs, a user's PATH finds the game, and the autopkgtest runs.
#   packaging/check-deb-clean.sh [RELEASE [CHROOTS_DIR]]   (default bookworm, /tmp/tolvarn-chroots)
# With DEB_BUILD_OPTIONS=nocheck the build goes without its tests and without the
# Build-Depends that only the tests need (the nocheck profile).
# Needs root, debootstrap, autopkgtest, and the network to Debian's archive. The base
# system CHROOTS_DIR/RELEASE is made once and kept as it is; every run copies it
# afresh to RELEASE-build and RELEASE-test. The packages, the source package and
# the build log land in RELEASE-out.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
release="${1:-bookworm}"
chroots="$(realpath -m "${2:-/tmp/tolvarn-chroots}")"
base="$chroots/$release"
out="$base-out"
fail() { echo "FAIL: $*"; exit 1; }

[ "$(id -u)" -eq 0 ] || fail "run as root: the check makes and enters chroots"
for tool in debootstrap autopkgtest dpkg-source git; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (apt-get install $tool)"; exit 77; }
done
# The archive this machine's apt already uses.
mirror="${DEBIAN_MIRROR:-$("$here/debian-mirror.sh")}"
[ -n "$mirror" ] || fail "no Debian archive found in the apt sources; set DEBIAN_MIRROR"

if [ ! -x "$base/usr/bin/apt-get" ]; then
    rm -rf "$base"
    mkdir -p "$chroots"
    debootstrap --variant=minbase "$release" "$base" "$mirror" >/dev/null
fi

mounted=()
cleanup() {
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount "${mounted[i]}" || true; done
}
trap cleanup EXIT
# A fresh copy of the base system, with /proc, /dev/pts and /dev/shm as a booted one
# (and Debian's build daemons) have them: the Wayland compositor of the display test
# shares its pictures through /dev/shm.
fresh_root() {
    umount "$1/dev/shm" "$1/dev/pts" "$1/proc" 2>/dev/null || true
    rm -rf --one-file-system "$1"
    cp -a "$base" "$1"
    mount -t proc proc "$1/proc" && mounted+=("$1/proc")
    mount -t devpts -o newinstance,ptmxmode=0666 devpts "$1/dev/pts" && mounted+=("$1/dev/pts")
    mkdir -p "$1/dev/shm"
    mount -t tmpfs -o mode=1777 shm "$1/dev/shm" && mounted+=("$1/dev/shm")
}
in_root() {
    local root="$1"
    shift
    chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LC_ALL=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive "$@"
}

# The build: only the Build-Depends (and build-essential) are installed, no
# recommended packages, so that a missing Build-Depends fails the build.
profile=""
[[ " ${DEB_BUILD_OPTIONS:-} " == *" nocheck "* ]] && profile=nocheck
build_root="$base-build"
fresh_root "$build_root"
mkdir -p "$build_root/build"
dsc=$("$here/source-package.sh" "$build_root/build" | tail -1)
in_root "$build_root" apt-get update -qq
in_root "$build_root" apt-get build-dep -y -qq --no-install-recommends ${profile:+-P $profile} "/build/$(basename "$dsc")" >/dev/null
rm -rf "$out"
mkdir -p "$out"
echo "building in $build_root (log: $out/build.log)"
status=0
in_root "$build_root" sh -c "cd /build && dpkg-source -x $(basename "$dsc") tolvarn >/dev/null &&
    cd tolvarn && DEB_BUILD_OPTIONS='${DEB_BUILD_OPTIONS:+$DEB_BUILD_OPTIONS }parallel=$(nproc)' dpkg-buildpackage -us -uc ${profile:+-P$profile}" >"$out/build.log" 2>&1 || status=$?
tail -15 "$out/build.log"
[ "$status" -eq 0 ] || fail "dpkg-buildpackage failed with status $status"
find "$build_root/build" -maxdepth 1 -type f -exec cp {} "$out/" \;
changes=$(ls "$out"/tolvarn_*_*.changes)
deb=$(ls "$out"/tolvarn_*_*.deb)

# The release's own lintian on the whole upload, source and binaries: no error and
# no warning; the pedantic and info notes are shown.
in_root "$build_root" apt-get install -y -qq --no-install-recommends lintian >/dev/null
echo "lintian --pedantic ($(in_root "$build_root" lintian --version)) on $(basename "$changes"):"
report=$(in_root "$build_root" lintian --allow-root --pedantic --display-info --fail-on none "/build/$(basename "$changes")")
[ -z "$report" ] && report="(nothing to report)"
while IFS= read -r line; do echo "  $line"; done <<<"$report"
! grep -q '^[EW]: ' <<<"$report" || fail "lintian reports errors or warnings"

# The install: apt brings in the dependencies and the recommended Qt translations.
test_root="$base-test"
fresh_root "$test_root"
cp "$deb" "$test_root/tmp/"
in_root "$test_root" apt-get update -qq
in_root "$test_root" apt-get install -y -qq "/tmp/$(basename "$deb")" >/dev/null
in_root "$test_root" dpkg-query -W -f='${Status}' qt6-translations-l10n 2>/dev/null | grep -q 'install ok installed' ||
    fail "apt did not bring in the recommended qt6-translations-l10n"
# A user's login shell: the PATH Debian gives every user who is not root.
program=$(chroot --userspec=nobody:nogroup "$test_root" /usr/bin/env -i HOME=/tmp /bin/sh -c '. /etc/profile; command -v tolvarn') || true
[ "$program" = /usr/games/tolvarn ] || fail "a user's PATH finds '$program', not /usr/games/tolvarn"
echo "ok: on a clean Debian $release the package installs with its dependencies; a user's PATH finds $program"

# The autopkgtest, against the package just built, in the same system.
autopkgtest "$changes" -- chroot "$test_root"
echo "ok: built with only the Build-Depends on a clean Debian $release, installed, autopkgtest passed"
