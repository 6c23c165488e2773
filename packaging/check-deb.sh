#!/usr/bin/env bash
# The Debian package on this machine: its source package made from this tree, built
# with dpkg-buildpackage (tests included), checked with lintian on the whole upload,
# then installed and tested by its autopkgtest (the null runner: this machine is the
# testbed), and removed again.
#   packaging/check-deb.sh [DIR]      (as root or through sudo; default build/deb)
# The Build-Depends must be installed (./tolvarn.sh does that). lintian must find
# no error and no warning; its pedantic and info notes are shown and let pass.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="$(realpath -m "${1:-$here/../build/deb}")"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
fail() { echo "FAIL: $*"; exit 1; }
for tool in dpkg-buildpackage lintian autopkgtest git; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (apt-get install $tool)"; exit 77; }
done

dsc=$("$here/source-package.sh" "$out" | tail -1)
(cd "$out" && rm -rf tolvarn && dpkg-source -x "$(basename "$dsc")" tolvarn >/dev/null)
(cd "$out/tolvarn" && dpkg-buildpackage -us -uc) >"$out/build.log" 2>&1 || { tail -30 "$out/build.log"; fail "dpkg-buildpackage failed (log: $out/build.log)"; }
changes=$(ls "$out"/tolvarn_*_*.changes)
echo "built: $(cd "$out" && ls tolvarn*.deb tolvarn*.dsc | tr '\n' ' ')"
depends=$(dpkg-deb -f "$out"/tolvarn_*_*.deb Depends)
echo "depends: $depends"
for needed in libqt6core6 libqt6gui6 libqt6widgets6 fonts-dejavu-core fonts-urw-base35; do
    [[ "$depends" == *"$needed"* ]] || fail "$needed missing from Depends"
done

echo "lintian --pedantic on $(basename "$changes"):"
# The package follows the policy that unstable's lintian knows; an older one says so.
suppress=newer-standards-version
grep -q sid /etc/debian_version && suppress=""
lintian --allow-root --pedantic --display-info --fail-on error,warning ${suppress:+--suppress-tags $suppress} "$changes" ||
    fail "lintian reports errors or warnings"

# autopkgtest installs the package with apt, as a user's install would.
trap '$sudo apt-get purge -y -qq tolvarn >/dev/null 2>&1 || true' EXIT
$sudo autopkgtest "$changes" -- null
echo "ok: the package builds, passes lintian and its autopkgtest on this machine"
