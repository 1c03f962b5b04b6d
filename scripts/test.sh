#!/bin/sh
# Builds everything and runs the whole test suite, display tests included,
# under a private Xvfb that this script starts and stops itself.
# Usage: scripts/test.sh [extra ctest arguments]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="${DRIFTHAUL_BUILD_DIR:-$root/build}"

"$root/scripts/setup-debian.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)"

# Xvfb picks a free display itself and tells us which (-displayfd).
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 320x200x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -f "$fifo"' EXIT INT TERM
read -r display_number <"$fifo"
export DRIFTHAUL_TEST_DISPLAY=":$display_number"
echo "test display: $DRIFTHAUL_TEST_DISPLAY"

cd "$build"
ctest --output-on-failure -j"$(nproc)" "$@"

# A short fuzzing run of the model reader; anything it finds lands in
# tests/fuzz/regressions/ and fails the run.
"$root/scripts/fuzz.sh" 30
