#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the README's and the metainfo's pictures from the real game at
# 1024 x 768 and puts them in docs/screenshots/.
# Usage: scripts/screenshots.sh (after a build)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="${DRIFTHAUL_BUILD_DIR:-$root/build}"
cd "$build/stage/game"
SDL_AUDIODRIVER=dummy "$build/tests/test_screenshots" --gtest_also_run_disabled_tests
mkdir -p "$root/docs/screenshots"
for name in level-banner slow-motion win; do
    cp "$build/test-output/$name.png" "$root/docs/screenshots/$name.png"
done
echo "pictures in $root/docs/screenshots/"
