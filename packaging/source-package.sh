#!/usr/bin/env bash
# Makes the Debian source package (tolvarn_VERSION.dsc and .tar.xz) in DIR from the
# files git tracks in this tree, as they stand now: no build output, nothing
# untracked. Prints the path of the .dsc on its last line.
#   packaging/source-package.sh DIR
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$(realpath -m "$1")"
version=$(cd "$here" && dpkg-parsechangelog -S Version)
tree="$out/tolvarn-$version"
rm -rf "$tree" "$out/tolvarn_$version".*
mkdir -p "$tree"
(cd "$here" && git ls-files -z | tar --null -T - -c) | tar -x -C "$tree"
(cd "$out" && dpkg-source -b "tolvarn-$version" >/dev/null)
rm -rf "$tree"
echo "$out/tolvarn_$version.dsc"
