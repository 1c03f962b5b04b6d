#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# An end-to-end session of the staged game under valgrind's memcheck on a
# private Xvfb: start-up, a few hundred frames of play with real input, then
# Escape. Mesa's softpipe driver stands in for llvmpipe, whose JIT valgrind
# cannot follow at a useful speed. Prints memcheck's error and leak summary.
# Usage: scripts/memcheck.sh [seconds of play, default 40]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="${DRIFTHAUL_BUILD_DIR:-$root/build}"
play="${1:-40}"
log="$build/memcheck.log"

. "$root/scripts/lib.sh"
start_private_xvfb 320x200x24
trap stop_private_xvfb EXIT INT TERM

# A preloaded shim counts the frames the game presents.
cc -shared -fPIC -O2 -o "$build/countframes.so" "$root/tools/memcheck/countframes.c" -ldl

cd "$build/stage/game"
LD_PRELOAD="$build/countframes.so" GALLIUM_DRIVER=softpipe SDL_AUDIODRIVER=dummy valgrind --tool=memcheck --leak-check=full \
    --show-leak-kinds=definite --errors-for-leak-kinds=definite --num-callers=30 \
    --log-file="$log" ./drifthaul >"$build/memcheck.out" 2>&1 &
game=$!

# Wait for the game's start-up, then play: Space, steer, keys.
i=0
until grep -q "starting the game" "$build/memcheck.out" 2>/dev/null; do
    sleep 1
    i=$((i + 1))
    [ "$i" -lt 600 ] || { echo "start-up did not finish"; kill "$game"; exit 1; }
done
sleep 5
xdotool key space
end=$(( $(date +%s) + play ))
while [ "$(date +%s)" -lt "$end" ]; do
    xdotool mousemove_relative -- 20 5
    sleep 1
    xdotool mousemove_relative -- -20 -5
    sleep 1
done
xdotool key r key r key r key Return key Return key Escape
wait "$game" || true
grep -E "ERROR SUMMARY|definitely lost|Invalid (read|write)" "$log" || true
grep "frames presented" "$build/memcheck.out" || true
echo "frames rendered: see $build/memcheck.out; full report: $log"
