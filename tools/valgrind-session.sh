#!/usr/bin/env bash
# A scripted game on the real windows (offscreen) under valgrind's memcheck: no
# invalid reads or writes, nothing definitely lost. Uses its own Debug build without
# sanitizers (valgrind and AddressSanitizer do not mix).
#   tools/valgrind-session.sh
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${TOLVARN_VALGRIND_BUILD_DIR:-$here/build-valgrind}"

command -v valgrind >/dev/null || { echo "valgrind is missing: apt-get install valgrind" >&2; exit 2; }
cmake -S "$here" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTOLVARN_SANITIZE=OFF >/dev/null
cmake --build "$build_dir" --target tolvarn_tests -j 2

# Windows, dialogs, a game in each order that players stumble into, keys held down,
# a megabyte pasted, and an hour of fast play; the death tests' children run under
# valgrind too (--trace-children), each ending through the game's own end.
sessions='MainWindow*:HelpFromGame*:NewGame*:AwkwardOrders*:AnHourAndMore/Soak.*threeBallsThenBall2'
export QT_QPA_PLATFORM=offscreen
# Valgrind's reports go to files, one per process, so that the death tests still see
# only their children's own output; the summary lines are shown at the end.
logs="$build_dir/valgrind-logs"
rm -rf "$logs" && mkdir -p "$logs"
status=0
valgrind --tool=memcheck --suppressions="$here/tools/valgrind.supp" --leak-check=full \
    --errors-for-leak-kinds=definite --show-leak-kinds=definite --error-exitcode=1 \
    --trace-children=yes --child-silent-after-fork=yes --num-callers=30 --log-file="$logs/%p.log" \
    "$build_dir/tests/tolvarn_tests" --gtest_filter="$sessions" "$@" || status=$?
echo "valgrind, $(ls "$logs" | wc -l) processes (logs in $logs):"
grep -h -E "ERROR SUMMARY|definitely lost|Invalid (read|write)" "$logs"/*.log | sed 's/^==[0-9]*== *//' | sort | uniq -c
exit "$status"
