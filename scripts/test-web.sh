#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The browser build's tests, on the folder scripts/build-web.sh wrote: the
# units that need no GL in WebAssembly under Node, then the page in Debian's
# headless Chromium (with SwiftShader for WebGL), driven by npm's
# puppeteer-core as pinned in scripts/web/package-lock.json, the folder
# served from 127.0.0.1. Screenshots go to build-web/test-output/.
# Usage: scripts/test-web.sh
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out="${DRIFTHAUL_WEB_DIR:-$root/build-web}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
stamp() { echo "== $(date +%T) $*"; }
. "$root/scripts/lib.sh"
release="$out/drifthaul-$(drifthaul_version)-web"
[ -f "$release/drifthaul.wasm" ] || { echo "no browser build in $release: run scripts/build-web.sh first" >&2; exit 1; }

stamp "tools"
# npm only where none came with Node already (NodeSource's packages).
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    chromium nodejs python3 cmake $(command -v npm >/dev/null || echo npm) >/dev/null

stamp "the units in WebAssembly, under Node"
# Each test program whole (CTest's discovery is Debian 13's, in the chroot).
for unit in "$out"/game/tests/test_*.js; do
    (cd "$out/game/tests" && node "$unit" --gtest_brief=1)
done

stamp "puppeteer-core"
npm="$out/npm"
mkdir -p "$npm"
if ! cmp -s "$root/scripts/web/package-lock.json" "$npm/package-lock.json" || [ ! -d "$npm/node_modules" ]; then
    cp "$root/scripts/web/package.json" "$root/scripts/web/package-lock.json" "$npm/"
    (cd "$npm" && npm ci --no-audit --no-fund --loglevel=error)
fi
cp "$root/tests/web/play.mjs" "$npm/"

stamp "the page in headless Chromium"
log=$(mktemp)
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$release" >"$log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true; rm -f "$log"' EXIT INT TERM
n=0
until port=$(sed -n 's/^Serving HTTP on [0-9.]* port \([0-9]*\).*/\1/p' "$log") && [ -n "$port" ]; do
    n=$((n + 1)); [ $n -lt 100 ] || { cat "$log"; exit 1; }; sleep 0.1
done
mkdir -p "$out/test-output"
DRIFTHAUL_WEB_SHOTS="$out/test-output" node "$npm/play.mjs" "http://127.0.0.1:$port"
stamp "browser tests passed"
