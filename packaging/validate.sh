#!/usr/bin/env bash
# The desktop entry and the AppStream metainfo pass their validators without a word.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
status=0
out=$(desktop-file-validate "$here/se.tolvarn.tolvarn.desktop" 2>&1) || status=1
[ -z "$out" ] || { echo "$out"; status=1; }
# appstreamcli marks its verdict with "✔" only in a UTF-8 locale.
out=$(LC_ALL=C.UTF-8 appstreamcli validate --no-net --pedantic "$here/se.tolvarn.tolvarn.metainfo.xml" 2>&1) || status=1
[ "$out" = "✔ Validation was successful." ] || { echo "$out"; status=1; }
[ $status -eq 0 ] && echo "ok: desktop entry and metainfo are valid"
exit $status
