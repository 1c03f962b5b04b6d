#!/bin/sh
# Builds everything and starts the game from its staged folder.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="${DRIFTHAUL_BUILD_DIR:-$root/build}"

"$root/scripts/setup-debian.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)"
cd "$build/stage/game"
exec ./drifthaul
