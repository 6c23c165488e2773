#!/usr/bin/env bash
# Installs the Debian package on a clean, minimal Debian 12 (made with debootstrap
# in a scratch folder), starts the installed game there and opens its manual page.
# Needs root and the network to Debian's archive; takes a few minutes the first
# time. The scratch system is kept for the next run, with the package and what it
# brought in removed again; only man-db, which reads the page, stays.
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
# A user's login shell: the PATH Debian gives every user who is not root.
as_user() { chroot --userspec=nobody:nogroup "$root" /usr/bin/env -i HOME=/tmp /bin/sh -c ". /etc/profile; $1"; }
in_root apt-get update -qq
in_root apt-get install -y -qq man-db >/dev/null
trap '{ in_root apt-get purge -y -qq tolvarn && in_root apt-get autoremove --purge -y -qq; } >/dev/null 2>&1 ||
      echo "note: the package could not be removed from $root again"' EXIT
in_root apt-get install -y -qq "/tmp/$(basename "$deb")" >/dev/null
in_root dpkg-query -W -f="\${Status}" qt6-translations-l10n 2>/dev/null | grep -q 'install ok installed' ||
    { echo "FAIL: apt did not bring in the recommended qt6-translations-l10n"; exit 1; }

program=$(as_user 'command -v tolvarn') || true
[ "$program" = /usr/games/tolvarn ] || { echo "FAIL: a user's PATH finds '$program', not /usr/games/tolvarn"; exit 1; }
echo "ok: the program is $program, on a user's PATH"

page=$(as_user 'MANPAGER=cat MANWIDTH=80 man 6 tolvarn' 2>&1) || { echo "FAIL: man 6 tolvarn: $page"; exit 1; }
[[ "$page" == TOLVARN\(6\)* ]] || { echo "FAIL: man 6 tolvarn does not show the page:"; echo "$page"; exit 1; }
grep -q 'tolvarn - dodge the falling red balls' <<<"$page" || { echo "FAIL: the page has no NAME line"; exit 1; }
echo "ok: man 6 tolvarn opens the page: $(head -1 <<<"$page" | tr -s ' ')"

set +e
in_root QT_QPA_PLATFORM=offscreen timeout 3 /usr/games/tolvarn
status=$?
set -e
[ "$status" -eq 124 ] || { echo "FAIL: the installed game exited with $status on a clean system"; exit 1; }
echo "ok: on a clean Debian 12 the package installs with its dependencies and the game starts"
