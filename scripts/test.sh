#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything and runs the whole test suite, display tests included,
# under a private Xvfb that this script starts and stops itself.
# Usage: scripts/test.sh [extra ctest arguments]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="${DRIFTHAUL_BUILD_DIR:-$root/build}"

. "$root/scripts/lib.sh"

build_all "$build"

# Xvfb picks a free display itself (-displayfd): no display we did not start
# is touched. The in-process display tests share it.
start_private_xvfb 320x200x24
trap stop_private_xvfb EXIT INT TERM
export DRIFTHAUL_TEST_DISPLAY="$DISPLAY"
echo "test display: $DRIFTHAUL_TEST_DISPLAY"

# The damaged-file matrix runs once, in two halves: the files whose bytes the
# game's own parsers read (models, sound headers) in the sanitizer pass below,
# the others here.
cd "$build"
ctest --output-on-failure -j"$(nproc)" -E 'BadAssets.Models' "$@"

# Again on sdl12-compat, the SDL 1.2 of newer releases, but for the two
# longest tests: the damaged-file matrix and the soak exercise the game's own
# file and memory handling, which the SDL build underneath does not change.
# On Debian 13 the SDL 1.2 is sdl12-compat already, so the pass above was it.
. /etc/os-release
if [ "${VERSION_ID:-}" = 12 ]; then
    compat=/usr/lib/x86_64-linux-gnu/sdl12-compat
    LD_LIBRARY_PATH="$compat${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
        ctest --output-on-failure -j"$(nproc)" -E 'BadAssets|Soak' "$@"
else
    echo "SDL 1.2 here is sdl12-compat: the suite above ran on it; no second pass"
fi

# The same suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
# Leak checking is off here: the GL driver's JIT code leaves unattributable
# allocations; the soak checks that the game's memory stays flat instead.
asan="${DRIFTHAUL_ASAN_BUILD_DIR:-$root/build-asan}"
cmake -S "$root" -B "$asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRIFTHAUL_SANITIZE=ON
cmake --build "$asan" -j"$(nproc)"
cd "$asan"
# The soak is shorter here: memory is not measured under the sanitizer.
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 DRIFTHAUL_SOAK_FRAMES=6000 \
    ctest --output-on-failure -j"$(nproc)" -E 'BadAssets.Images' "$@"

# A short fuzzing run of the model reader; anything it finds lands in
# tests/fuzz/regressions/ and fails the run.
"$root/scripts/fuzz.sh" 30

# Last, the Debian package: built, its own tests run, checked by lintian.
cd "$root"
"$root/scripts/package-debian.sh"
