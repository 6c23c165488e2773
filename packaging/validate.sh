#!/usr/bin/env bash
# The desktop entry and the AppStream metainfo pass their validators without a word:
# no error, warning, hint or info, pedantic ones included.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export LC_ALL=C
for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done
status=0

# It exits non-zero on an error only; a warning or hint is a line of output.
out=$(desktop-file-validate "$here/se.tolvarn.tolvarn.desktop" 2>&1) || status=1
[ -z "$out" ] || { echo "$out"; status=1; }

# Its exit status fails errors and warnings; its YAML report lists every issue, one
# "- tag:" entry each, with the tag's hint. AppStream before 1.0 does not know the
# <developer> element that 1.0 asks for in place of <developer_name>, and says so.
metainfo="$here/se.tolvarn.tolvarn.metainfo.xml"
version=$(appstreamcli --version | grep -oE '[0-9]+\.[0-9]+(\.[0-9]+)?' | head -n1)
tolerated=""
[ "$(printf '%s\n' "$version" 1.0 | sort -V | head -n1)" = 1.0 ] || tolerated="unknown-tag developer"
passed=yes
report=$(appstreamcli validate --pedantic --no-net --format yaml "$metainfo" 2>&1) || passed=no
issues=$(awk '/^- tag: /  { if (tag) print tag, hint; tag = $3; hint = "" }
              /^  hint: / { sub(/^  hint: /, ""); hint = $0 }
              END         { if (tag) print tag, hint }' <<<"$report" | grep -vxF -e "${tolerated:-none}")
if [ "$passed" = no ] || [ -n "$issues" ]; then
    appstreamcli validate --pedantic --no-net --explain "$metainfo"
    status=1
fi
[ $status -eq 0 ] && echo "ok: desktop entry and metainfo are valid (AppStream $version)"
exit $status
