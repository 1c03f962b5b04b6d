#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the frame benchmark at 320x200, 1024x768 and 1920x1080, each on a
# private Xvfb, and gives each play scenario's frame rate as a player gets
# it: the game sleeps 40 ms after each frame's work, so 1000 / (40 + median).
# With BENCH_BASELINE=another/bench_frame it alternates that build with this
# one, size by size and round by round, on the same server.
# Usage: bench/run.sh [frames per scenario, default 300] [rounds, default 1]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="${DRIFTHAUL_BUILD_DIR:-$root/build}"
cmake --build "$build" --target bench_frame -j"$(nproc)" >/dev/null

. "$root/scripts/lib.sh"
one()
{
    "$1" "$2" 2>/dev/null |
        grep -v -e '^loading' -e '^lading' -e '^starting' -e '^Drifthaul' -e '^Setting' -e 'hurts!' -e '^ouch!' |
        awk '/ median / { for (i = 1; i < NF; ++i) if ($i == "median") m = $(i + 1);
                          printf "%s  -> %.1f fps in play\n", $0, 1000 / (40 + m); next } { print }'
}
for size in 320x200 1024x768 1920x1080; do
    start_private_xvfb "${size}x24"
    round=1
    while [ "$round" -le "${2:-1}" ]; do
        if [ -n "${BENCH_BASELINE:-}" ]; then
            echo "== $size, round $round, baseline $BENCH_BASELINE"
            (cd "$build" && one "$BENCH_BASELINE" "${1:-300}")
        fi
        echo "== $size${BENCH_BASELINE:+, round $round, this build}"
        (cd "$build" && one "$build/bench/bench_frame" "${1:-300}")
        round=$((round + 1))
    done
    stop_private_xvfb
done
