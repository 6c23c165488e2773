#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Tolvarn developers
#
# SPDX-License-Identifier: MIT

# Builds the fuzz target with clang and runs it.
#   fuzz/run.sh [seconds]           default 60; 0 runs until stopped
#   fuzz/run.sh --large [seconds]   default 60: megabyte answers, a few dozen a minute
#   TOLVARN_FUZZ_LOCALE=sv_SE fuzz/run.sh 600   reads answers with a decimal comma
# By default an input is at most 256 bytes, more than a player types or pastes into
# the box, so a 10-minute run tries ten million or more; it grows from the short
# seeds in fuzz/corpus, and what it finds goes to build/fuzz/corpus. Qt is not
# instrumented, so coverage never grows an input to a megabyte: the large run starts
# from a few long inputs (made here, kept out of the repository) and keeps their size.
# The run is in the C locale; TOLVARN_FUZZ_LOCALE sets the locale the answers are read in.
# A crash, a disagreement or a slow input leaves its input in build/fuzz/ and fails.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="$here/build/fuzz"
large=false
if [ "${1:-}" = --large ]; then
    large=true
    shift
fi
seconds="${1:-60}"

cd "$here"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
cd "$build_dir"
export LC_ALL=C
echo "fuzz_numbers: answers read in ${TOLVARN_FUZZ_LOCALE:-the C locale}"
options=(-timeout=10 -dict="$here/fuzz/numbers.dict" -max_total_time="$seconds" -print_final_stats=1)

if ! $large; then
    mkdir -p corpus
    exec ./fuzz/fuzz_numbers -max_len=256 "${options[@]}" corpus "$here/fuzz/corpus"
fi
mkdir -p corpus-large
if [ ! -e corpus-large/long-digits ]; then
    head -c 1048576 /dev/zero | tr '\0' '9' >corpus-large/long-digits
    { head -c 1048000 /dev/zero | tr '\0' ' '; printf '1'; } >corpus-large/long-spaces-then-one
    { printf '0.'; head -c 1048000 /dev/zero | tr '\0' '0'; printf '1e2'; } >corpus-large/long-fraction
    head -c 1048576 /dev/urandom >corpus-large/long-noise
fi
exec ./fuzz/fuzz_numbers -max_len=1048576 -len_control=0 -keep_seed=1 -rss_limit_mb=4096 "${options[@]}" corpus-large
