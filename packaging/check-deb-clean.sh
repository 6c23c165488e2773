#!/usr/bin/env bash
# The Debian package on a clean, minimal Debian RELEASE (default sid, where every
# upload builds): its source package built by sbuild with nothing but the
# Build-Depends (tests included), the upload checked by that release's lintian (no
# error, no warning), then installed on another fresh system by autopkgtest, which
# plays the installed game there (installed-game; the whole-desktop test wants a
# desktop session, and CI runs it on the machine itself through .ci/desktops). The
# packages and sbuild's log land in OUT.
#   packaging/check-deb-clean.sh [RELEASE [OUT]]    (as root; default OUT /tmp/tolvarn-deb-RELEASE)
# With DEB_BUILD_OPTIONS=nocheck the build goes without its tests and without the
# Build-Depends that only they need (the nocheck profile). Exits 77 when sbuild,
# autopkgtest or mmdebstrap is missing, or root has no subordinate ids for them.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
release="${1:-sid}"
out="$(realpath -m "${2:-/tmp/tolvarn-deb-$release}")"
for tool in sbuild autopkgtest-virt-unshare mmdebstrap dpkg-source git; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (apt-get install sbuild autopkgtest mmdebstrap)"; exit 77; }
done
# Both build and test run in user namespaces, mapped into root's subordinate ids.
grep -q '^root:' /etc/subuid || { echo "SKIP: root has no subordinate ids (usermod --add-subuids 100000-165535 --add-subgids 100000-165535 root)"; exit 77; }
profiles=() lintian=(--lintian-opt=--pedantic --lintian-opt=--display-info --lintian-opt=--fail-on=error,warning)
[[ " ${DEB_BUILD_OPTIONS:-} " == *" nocheck "* ]] && profiles=(--profiles=nocheck)
# The package follows the policy that unstable's lintian knows; an older one says so.
[[ "$release" == sid || "$release" == unstable ]] || lintian+=(--lintian-opt=--suppress-tags=newer-standards-version)

rm -rf "$out" && mkdir -p "$out"
tarball="$out/$release.tar"
trap 'rm -f "$tarball"' EXIT
"$here/fresh-debian.sh" "$release" "$tarball"
dsc=$("$here/source-package.sh" "$out" | tail -1)
# The upload names the changelog's distribution, whichever release it is built on.
dist=$(dpkg-parsechangelog -l "$here/../debian/changelog" -S Distribution)
echo "sbuild on a fresh $release (log: $out/sbuild.log)"
status=0
(cd "$out" && SBUILD_CONFIG="$here/sbuildrc" sbuild --nolog --chroot-mode=unshare --chroot="$tarball" --dist="$dist" \
    "${profiles[@]}" --run-lintian "${lintian[@]}" \
    --run-autopkgtest --autopkgtest-opt=--test-name=installed-game --autopkgtest-opt=--apt-upgrade --autopkgtest-opt=-- --autopkgtest-opt=unshare --autopkgtest-opt=--tarball="$tarball" \
    "$dsc") >"$out/sbuild.log" 2>&1 || status=$?
sed -n '/^Running lintian/,/Lintian run/p; /^| Summary /,$p' "$out/sbuild.log"
[ "$status" -eq 0 ] || { echo "FAIL: sbuild, lintian or autopkgtest failed (status $status); see $out/sbuild.log"; exit 1; }
echo "ok: on a fresh Debian $release the package builds with only its Build-Depends, passes lintian and its autopkgtest"
