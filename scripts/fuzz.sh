#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzes the model file reader's core with libFuzzer (the release's clang,
# address and undefined-behaviour sanitizers) for a bounded time.
# Usage: scripts/fuzz.sh [seconds, default 30]
# Seeds: the committed corpus, the saved regressions (so every run replays
# them first) and the staged game models, which hold every chunk the reader
# knows. Crashes are written to tests/fuzz/regressions/. Inputs up to 2 MiB,
# and any that takes over 5 s counts as a failure: a slow reader is a hang to
# a player.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds="${1:-30}"
work="${DRIFTHAUL_BUILD_DIR:-$root/build}/fuzz"
mkdir -p "$work/corpus"

clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root/code" "$root/tests/fuzz/fuzz_model3ds.cpp" "$root/code/common/model3ds.cpp" \
    -o "$work/fuzz_model3ds"

cp "$root"/tests/fuzz/corpus/* "$root"/tests/fuzz/regressions/* "$work/corpus/" 2>/dev/null || true
find "${DRIFTHAUL_BUILD_DIR:-$root/build}/stage/models" -name '*.3ds' -exec cp {} "$work/corpus/" \; 2>/dev/null || true

cd "$work"
status=0
"$work/fuzz_model3ds" -max_total_time="$seconds" \
    -max_len=2097152 -timeout=5 -artifact_prefix="$root/tests/fuzz/regressions/" -print_final_stats=1 \
    corpus >"$work/fuzz.log" 2>&1 || status=$?
tail -n 8 "$work/fuzz.log"
exit "$status"
