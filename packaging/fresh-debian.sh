#!/usr/bin/env bash
# A fresh, minimal Debian RELEASE (bookworm, trixie, sid) made by mmdebstrap from the
# archive this machine's apt uses. TARGET is a tarball (for sbuild and autopkgtest)
# or /dev/null: a tree that lives only while the hooks given as OPTIONs run in it.
#   packaging/fresh-debian.sh RELEASE TARGET [MMDEBSTRAP-OPTION...]    (as root)
# Exits 77 when mmdebstrap is missing.
set -euo pipefail
release="$1" target="$2"
shift 2
command -v mmdebstrap >/dev/null || { echo "SKIP: mmdebstrap is missing (apt-get install mmdebstrap)" >&2; exit 77; }
mirror="${DEBIAN_MIRROR:-$("$(dirname "${BASH_SOURCE[0]}")/debian-mirror.sh")}"
[ -n "$mirror" ] || { echo "FAIL: no Debian archive in this machine's apt sources; set DEBIAN_MIRROR" >&2; exit 1; }
# The archive reached from here is a dated copy, where unstable's Release file has
# expired; a stable release's never expires. The option stays in this tree alone.
valid=()
[[ "$release" == sid || "$release" == unstable ]] && valid=(--aptopt='Acquire::Check-Valid-Until "false"')
# The tree is thrown away: dpkg need not wait for each file to reach the disk.
exec mmdebstrap --quiet --variant=minbase --dpkgopt=force-unsafe-io "${valid[@]}" "$@" "$release" "$target" "$mirror"
