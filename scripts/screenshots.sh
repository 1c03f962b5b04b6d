#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the README's and the metainfo's pictures from the real game at
# 1024 x 768 and puts them in docs/screenshots/.
# Usage: scripts/screenshots.sh (after a build)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="${DRIFTHAUL_BUILD_DIR:-$root/build}"
cd "$build/stage/game"
# GLUT keeps a connection of its own to the private display, which breaks as
# the display closes at the end: the test's verdict is its output, not the
# exit code.
SDL_AUDIODRIVER=dummy "$build/tests/test_screenshots" --gtest_also_run_disabled_tests >"$build/screenshots.log" 2>&1 || true
grep -q '^\[  PASSED  \] 1 test' "$build/screenshots.log" || { cat "$build/screenshots.log"; exit 1; }
mkdir -p "$root/docs/screenshots"
for name in level-banner slow-motion win; do
    cp "$build/test-output/$name.png" "$root/docs/screenshots/$name.png"
done
echo "pictures in $root/docs/screenshots/"
