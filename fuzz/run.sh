#!/usr/bin/env bash
# Builds the fuzz target with clang and runs it on the seed corpus.
#   fuzz/run.sh [seconds]          default 60; 0 runs until stopped
#   TOLVARN_FUZZ_LOCALE=sv_SE fuzz/run.sh 600   reads answers with a decimal comma
# New inputs go to build-fuzz/corpus; the seeds in fuzz/corpus stay as they are.
# A crash, a disagreement or a slow input leaves its input in build-fuzz/ and fails.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${TOLVARN_FUZZ_BUILD_DIR:-$here/build-fuzz}"
seconds="${1:-60}"

CC=clang CXX=clang++ cmake -S "$here" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTOLVARN_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build_dir" --target fuzz_numbers
mkdir -p "$build_dir/corpus"
cd "$build_dir"
# Qt is not instrumented, so coverage alone would never grow an input to a megabyte:
# start from a few long ones too (kept out of the repository).
if [ ! -e corpus/long-digits ]; then
    head -c 1048576 /dev/zero | tr '\0' '9' >corpus/long-digits
    { head -c 1048000 /dev/zero | tr '\0' ' '; printf '1'; } >corpus/long-spaces-then-one
    { printf '0.'; head -c 1048000 /dev/zero | tr '\0' '0'; printf '1e2'; } >corpus/long-fraction
    head -c 1048576 /dev/urandom >corpus/long-noise
fi
exec ./fuzz/fuzz_numbers -max_len=1048576 -len_control=0 -keep_seed=1 -timeout=10 -dict="$here/fuzz/numbers.dict" -rss_limit_mb=4096 -max_total_time="$seconds" \
    -print_final_stats=1 corpus "$here/fuzz/corpus"
