#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The browser build's frame times beside the Linux build's, on this machine,
# at 320x200: bench_frame under a private Xvfb (Mesa's llvmpipe) and in
# headless Chromium (SwiftShader), alternated round by round; then per
# scenario the median of each side's medians and their ratio, and the
# release's transfer size. Needs scripts/build-web.sh's output and the npm
# folder scripts/test-web.sh makes.
# Usage: bench/web.sh [frames per scenario, default 200] [rounds, default 3]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="${DRIFTHAUL_BUILD_DIR:-$root/build}"
out="${DRIFTHAUL_WEB_DIR:-$root/build-web}"
frames=${1:-200}
rounds=${2:-3}
. "$root/scripts/lib.sh"
release="$out/drifthaul-$(drifthaul_version)-web"
[ -f "$out/game/bench/bench_frame.wasm" ] && [ -d "$out/npm/node_modules" ] ||
    { echo "run scripts/build-web.sh and scripts/test-web.sh first" >&2; exit 1; }
cmake --build "$build" --target bench_frame -j"$(nproc)" >/dev/null
cp "$root/bench/web-bench.mjs" "$out/npm/"

log=$(mktemp -d)
xvfb_pid=""
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$out" >"$log/server" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true; stop_private_xvfb; rm -rf "$log"' EXIT INT TERM
n=0
until port=$(sed -n 's/^Serving HTTP on [0-9.]* port \([0-9]*\).*/\1/p' "$log/server") && [ -n "$port" ]; do
    n=$((n + 1)); [ $n -lt 100 ] || { cat "$log/server"; exit 1; }; sleep 0.1
done
start_private_xvfb 320x200x24
for round in $(seq "$rounds"); do
    echo "== round $round of $rounds"
    "$build/bench/bench_frame" "$frames" 2>/dev/null | tee "$log/linux-$round" | grep -E 'median|first frame'
    node "$out/npm/web-bench.mjs" "http://127.0.0.1:$port/game/bench/bench.html" "$frames" |
        tee "$log/web-$round" | grep -E 'median|first frame|page open'
done

echo "== medians over $rounds rounds (ms per frame; web / Linux)"
# The median over the rounds of side $1's medians for $scenario.
median() { sed -n "s/.*$scenario .*median *\([0-9.]*\) ms.*/\1/p" "$log"/$1-* | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
for scenario in "waiting screen" "crowded field, VBO" "crowded field, immediate" "blur trail"; do
    linux=$(median linux) web=$(median web)
    awk -v s="$scenario" -v l="$linux" -v w="$web" 'BEGIN { printf "%-26s Linux %7.2f  web %7.2f  ratio %.2f\n", s, l, w, w / l }'
done
for side in linux web; do
    printf "%-5s start-up to the first frame: %s ms\n" $side \
        "$(sed -n 's/^start-up to the first frame: \([0-9.]*\) ms.*/\1/p' "$log"/$side-* | sort -n | tr '\n' ' ')"
done
total=0 packed=0
for file in "$release"/index.html "$release"/drifthaul.js "$release"/drifthaul.wasm "$release"/drifthaul.data; do
    total=$((total + $(stat -c %s "$file"))) packed=$((packed + $(gzip -9 -c "$file" | wc -c)))
done
echo "the page's transfer: $total bytes, $packed with gzip"
