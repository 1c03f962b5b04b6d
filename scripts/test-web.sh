#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The browser build's tests, on the folder scripts/build-web.sh wrote: the
# units that need no GL in WebAssembly under Node, then the page in Debian's
# headless Chromium (with SwiftShader for WebGL) and in Debian's Firefox ESR
# (on a private Xvfb, with Mesa's llvmpipe), driven by npm's
# puppeteer-core as pinned in scripts/web/package-lock.json, the folder
# served from 127.0.0.1; the page when its files are missing, cut short or
# from another version, opened from its folder, or asked for a size the game
# cannot use; then the seeded frames of bench_frame, drawn by the
# browser build there and by the Linux build under a private Xvfb, compared
# region by region. Screenshots go to build-web/test-output/.
# Usage: scripts/test-web.sh
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out="${DRIFTHAUL_WEB_DIR:-$root/build-web}"
native="${DRIFTHAUL_BUILD_DIR:-$root/build}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
stamp() { echo "== $(date +%T) $*"; }
. "$root/scripts/lib.sh"
release="$out/drifthaul-$(drifthaul_version)-web"
[ -f "$release/drifthaul.wasm" ] || { echo "no browser build in $release: run scripts/build-web.sh first" >&2; exit 1; }

stamp "tools"
# npm only where none came with Node already (NodeSource's packages).
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    chromium firefox-esr nodejs python3 cmake xvfb xauth sox $(command -v npm >/dev/null || echo npm) >/dev/null

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
cp "$root"/tests/web/*.mjs "$npm/"

stamp "no path of the building machine in the release"
if grep -a -l -e "$root/" -e "$out/" "$release"/drifthaul.*; then
    echo "the files above name the folders they were built in" >&2
    exit 1
fi

stamp "the sounds in the data are the desktop's, sample for sample"
# Each sound's bytes as the data file packs them (its places are in the .js).
grep -o '{filename:"/sounds/[^"]*",start:[0-9]*,end:[0-9]*}' "$release/drifthaul.js" |
    sed 's/{filename:"\/sounds\/\([^"]*\)",start:\([0-9]*\),end:\([0-9]*\)}/\1 \2 \3/' >"$out/sounds.list"
[ "$(wc -l <"$out/sounds.list")" -eq "$(ls "$native"/stage/sounds/*.aif | wc -l)" ] ||
    { echo "the data holds $(wc -l <"$out/sounds.list") sounds, the desktop $(ls "$native"/stage/sounds/*.aif | wc -l)" >&2; exit 1; }
while read -r name start end; do
    tail -c +$((start + 1)) "$release/drifthaul.data" | head -c $((end - start)) >"$out/sound.wav"
    for what in r c s; do
        [ "$(soxi -$what "$native/stage/sounds/$name")" = "$(soxi -$what "$out/sound.wav")" ] ||
            { echo "$name: the browser's differs from the desktop's in soxi -$what" >&2; exit 1; }
    done
    [ "$(sox "$native/stage/sounds/$name" -t s16 - | sha256sum)" = "$(sox "$out/sound.wav" -t s16 - | sha256sum)" ] ||
        { echo "$name: the browser's samples differ from the desktop's" >&2; exit 1; }
done <"$out/sounds.list"
echo "$(wc -l <"$out/sounds.list") sounds: same rate, channels, length and samples"

stamp "the page in headless Chromium"
log=$(mktemp)
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$out" >"$log" 2>&1 &
server=$!
xvfb_pid=""
trap 'kill $server 2>/dev/null || true; stop_private_xvfb; rm -f "$log"' EXIT INT TERM
n=0
until port=$(sed -n 's/^Serving HTTP on [0-9.]* port \([0-9]*\).*/\1/p' "$log") && [ -n "$port" ]; do
    n=$((n + 1)); [ $n -lt 100 ] || { cat "$log"; exit 1; }; sleep 0.1
done
mkdir -p "$out/test-output"
DRIFTHAUL_WEB_SHOTS="$out/test-output" node "$npm/play.mjs" "http://127.0.0.1:$port/$(basename "$release")"

stamp "the page when the game cannot start, in headless Chromium"
node "$npm/failures.mjs" "$release"

stamp "the same frames as Linux"
cmake --build "$native" -j"$(nproc)" --target bench_frame >/dev/null
shots="$out/test-output/linux-shots"
mkdir -p "$shots"
start_private_xvfb 320x200x24
(cd "$native" && ./bench/bench_frame shots "$shots" >/dev/null 2>&1) || { echo "the Linux build's shots failed" >&2; exit 1; }
stop_private_xvfb
# Headless Chromium waits on a display that is gone.
unset DISPLAY
DRIFTHAUL_WEB_SHOTS="$out/test-output" node "$npm/parity.mjs" "http://127.0.0.1:$port/game/bench/bench.html" "$shots"

stamp "the page in Firefox ESR, on a private X server (headless, it offers no WebGL)"
mkdir -p "$out/test-output/firefox"
start_private_xvfb 1024x768x24
DRIFTHAUL_BROWSER=firefox DRIFTHAUL_WEB_SHOTS="$out/test-output/firefox" \
    node "$npm/play.mjs" "http://127.0.0.1:$port/$(basename "$release")"
stop_private_xvfb
stamp "browser tests passed"
