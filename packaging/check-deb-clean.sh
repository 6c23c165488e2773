#!/usr/bin/env bash
# Installs the Debian package on a clean, minimal Debian 12 (made with debootstrap
# in a scratch folder) and starts the installed game there. Needs root and the
# network to Debian's archive; takes a few minutes.
#   packaging/check-deb-clean.sh PATH_TO_DEB [SCRATCH_DIR]
set -euo pipefail
deb="$(realpath "$1")"
root="${2:-/tmp/tolvarn-clean-bookworm}"
# The archive this machine's apt already uses.
mirror="${DEBIAN_MIRROR:-$( (grep -h '^URIs:' /etc/apt/sources.list.d/*.sources | awk '{print $2}';
    grep -h '^deb ' /etc/apt/sources.list | awk '{print $2}') 2>/dev/null | grep -v security | head -1 || true)}"
[ -n "$mirror" ] || { echo "no Debian archive found in the apt sources; set DEBIAN_MIRROR"; exit 1; }

command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap
if [ ! -x "$root/usr/bin/apt-get" ]; then
    rm -rf "$root"
    debootstrap --variant=minbase bookworm "$root" "$mirror" >/dev/null
fi
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }
in_root apt-get update -qq
in_root apt-get install -y -qq "/tmp/$(basename "$deb")" >/dev/null
set +e
in_root QT_QPA_PLATFORM=offscreen timeout 3 /usr/bin/tolvarn
status=$?
set -e
[ "$status" -eq 124 ] || { echo "FAIL: the installed game exited with $status on a clean system"; exit 1; }
echo "ok: on a clean Debian 12 the package installs with its dependencies and the game starts"
