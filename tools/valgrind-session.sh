#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Tolvarn developers
#
# SPDX-License-Identifier: MIT

# Both test programs, every case they hold, under valgrind's memcheck on the offscreen
# platform: the rules, the real windows and dialogs, the help window, and a whole game
# in a child process (--trace-children), which ends through the game's own end. Fails on
# any memory error or any definite leak. The valgrind preset is a Debug build without
# sanitizers (valgrind and AddressSanitizer do not mix).
#   tools/valgrind-session.sh [gtest options]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

command -v valgrind >/dev/null || { echo "valgrind is missing: apt-get install valgrind" >&2; exit 77; }
cmake --preset valgrind >/dev/null
cmake --build --preset valgrind --target tolvarn_rules_tests tolvarn_window_tests

export QT_QPA_PLATFORM=offscreen
# Valgrind's reports go to files, one per process, so that the death tests still see
# only their children's own output; the summary lines are shown at the end.
logs="build/valgrind/valgrind-logs"
rm -rf "$logs" && mkdir -p "$logs"
status=0
for program in tolvarn_rules_tests tolvarn_window_tests; do
    # The high-dpi case wants a screen at twice the scale; CTest gives it one.
    valgrind --tool=memcheck --suppressions=tools/valgrind.supp --leak-check=full \
        --errors-for-leak-kinds=definite --show-leak-kinds=definite --error-exitcode=1 \
        --trace-children=yes --child-silent-after-fork=yes --num-callers=30 --log-file="$logs/%p.log" \
        "build/valgrind/tests/$program" --gtest_filter=-HighDpi.* --gtest_brief=1 "$@" || status=1
done
echo "valgrind, $(ls "$logs" | wc -l) processes (logs in $logs):"
grep -h -E "ERROR SUMMARY|definitely lost|Invalid (read|write)" "$logs"/*.log | sed 's/^==[0-9]*== *//' | sort | uniq -c
exit "$status"
