#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything and starts the game from its staged folder.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="${DRIFTHAUL_BUILD_DIR:-$root/build}"
. "$root/scripts/lib.sh"

build_all "$build"
cd "$build/stage/game"
exec ./drifthaul
