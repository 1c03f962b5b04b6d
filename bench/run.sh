#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the frame benchmark at 320x200 and at 1024x768, each on a private Xvfb.
# Usage: bench/run.sh [frames per scenario, default 300]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="${DRIFTHAUL_BUILD_DIR:-$root/build}"
cmake --build "$build" --target bench_frame -j"$(nproc)" >/dev/null

. "$root/scripts/lib.sh"
for size in 320x200 1024x768; do
    start_private_xvfb "${size}x24"
    echo "== $size"
    "$build/bench/bench_frame" "${1:-300}" 2>/dev/null |
        grep -v -e '^loading' -e '^lading' -e '^starting' -e '^Drifthaul' -e '^Setting' -e 'hurts!' -e '^ouch!'
    stop_private_xvfb
done
