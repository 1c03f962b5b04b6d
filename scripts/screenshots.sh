#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the README's and the metainfo's pictures from the real game at
# 1024 x 768 (the collector's winning game saves them) and puts them in
# docs/screenshots/.
# Usage: scripts/screenshots.sh (after a build)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="${DRIFTHAUL_BUILD_DIR:-$root/build}"
. "$root/scripts/lib.sh"
start_private_xvfb 1024x768x24
trap stop_private_xvfb EXIT INT TERM
cd "$build/stage/game"
DRIFTHAUL_TEST_DISPLAY="$DISPLAY" SDL_AUDIODRIVER=dummy "$build/tests/test_autopilot" \
    --gtest_filter='Autopilot.ACollector*'
mkdir -p "$root/docs/screenshots"
for name in level-banner slow-motion win; do
    cp "$build/test-output/$name.png" "$root/docs/screenshots/$name.png"
done
echo "pictures in $root/docs/screenshots/"
