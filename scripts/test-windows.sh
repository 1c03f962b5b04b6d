#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Tests the Windows build under Wine, in fresh Wine prefixes of its own and
# a private Xvfb: the cross-built unit and in-process OpenGL tests through
# ctest; the end-to-end runs of the release's drifthaul.exe, driven by the
# Linux build's harness; a missing shader source; the sound without an
# audio device and with a null ALSA device; and the installer in a second
# fresh prefix: installed silently, started from its Start-menu shortcut,
# uninstalled. Runs scripts/build-windows.sh first when its output is missing.
# Usage: scripts/test-windows.sh
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out="${DRIFTHAUL_WINDOWS_DIR:-$root/build-windows}"
native="${DRIFTHAUL_BUILD_DIR:-$root/build}"
stamp() { echo "== $(date +%T) $*"; }
. "$root/scripts/lib.sh"
version=$(drifthaul_version)
[ -f "$out/drifthaul-$version-win64-setup.exe" ] || "$root/scripts/build-windows.sh"
release="$out/drifthaul-$version"
setup="$out/drifthaul-$version-win64-setup.exe"
# The end-to-end runs use the Linux build's harness.
cmake --build "$native" -j"$(nproc)" --target test_play_e2e >/dev/null
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    wine wine64 xvfb xauth xdotool imagemagick >/dev/null

tmp=$(mktemp -d)
prefixes=""
finish()
{
    for p in $prefixes; do WINEPREFIX="$p" wineserver -k 2>/dev/null || true; done
    stop_private_xvfb
    rm -rf "$tmp"
}
start_private_xvfb 320x200x24
trap finish EXIT INT TERM
# No Mono or Gecko installers (there is no network); quiet Wine.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" HOME="$tmp/home"
mkdir -p "$HOME"

# A fresh prefix. Its server is kept running and its helpers settled before
# the tests: otherwise they hold ctest's output pipe open and the first test
# waits for its timeout.
new_prefix()
{
    WINEPREFIX="$tmp/$1"
    export WINEPREFIX
    prefixes="$prefixes $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineserver -p
    wineboot -i >/dev/null 2>&1
    wine cmd /c exit >/dev/null 2>&1
}

# The share of pixels of the game's own window, in the band of rows y0 to
# y1, that are white.
white_share()
{
    id=$(xdotool search --name '^drifthaul game$' 2>/dev/null | head -n 1)
    [ -n "$id" ] && import -window "$id" "$tmp/shot.png" 2>/dev/null || { echo 0; return; }
    convert "$tmp/shot.png" -crop "320x$(($2 - $1))+0+$1" +repage -colorspace Gray -threshold 78% \
        -format '%[fx:mean]' info:
}

# Runs COMMAND... (env assignments first) in DIR, waits for the waiting
# screen on the game's window, then presses Escape. Its output lands in
# $tmp/out and $tmp/err, its exit code in $status.
play()
{
    dir=$1
    shift
    : >"$tmp/out"
    (cd "$dir" && exec env SDL_VIDEO_WINDOW_POS=0,0 "$@" >"$tmp/out" 2>"$tmp/err") &
    game=$!
    n=0
    invitation=0
    while kill -0 $game 2>/dev/null && [ $n -lt 60 ]; do
        invitation=$(white_share 31 48)
        sky=$(white_share 50 100)
        if awk "BEGIN { exit !($invitation > 0.03 && $sky < 0.3) }"; then
            echo "waiting screen: the invitation's rows $invitation white, the sky's $sky"
            xdotool key Escape
            break
        fi
        n=$((n + 1))
        sleep 0.5
    done
    status=0
    wait $game || status=$?
    tr -d '\r' <"$tmp/out" >"$tmp/out.lf" && mv "$tmp/out.lf" "$tmp/out"
    tr -d '\r' <"$tmp/err" >"$tmp/err.lf" && mv "$tmp/err.lf" "$tmp/err"
}
fail() { echo "$*" >&2; cat "$tmp/out" "$tmp/err" >&2; exit 1; }

stamp "unit and in-process OpenGL tests under Wine"
new_prefix tests
WINEPATH=$(winepath -w "$out/prefix/bin")
for dir in $(mingw_runtime_dirs); do WINEPATH="$WINEPATH;$(winepath -w "$dir")"; done
export WINEPATH
# One test cannot run here: its link seam replaces glGetIntegerv, which a
# Windows program calls through opengl32.dll's import table, out of reach.
(cd "$out/game" && ctest --output-on-failure -j"$(nproc)" -E 'VideoMode.OpensWithLessDepth')
unset WINEPATH

stamp "end-to-end runs of drifthaul.exe"
# Each run starts an X server of its own, and a Wine prefix serves one X
# display: each gets a copy of the booted prefix, its server not yet running.
WINEPREFIX="$tmp/tests" wineserver -k
for run in AWholeSession AnotherScreenSize; do
    rm -rf "$tmp/e2e"
    cp -a "$tmp/tests" "$tmp/e2e"
    WINEPREFIX="$tmp/e2e" DRIFTHAUL_STAGE_DIR="$release" DRIFTHAUL_GAME_EXE=drifthaul.exe \
        DRIFTHAUL_GAME_LAUNCHER=wine SDL_VIDEO_WINDOW_POS=0,0 \
        "$native/tests/test_play_e2e" --gtest_filter="PlayEndToEnd.$run*"
    WINEPREFIX="$tmp/e2e" wineserver -k 2>/dev/null || true
done
WINEPREFIX="$tmp/tests"

cp -R "$release" "$tmp/broken"
rm "$tmp/broken/game/shaders/default_lighting.frag"
play "$tmp/broken/game" wine drifthaul.exe
[ $status -eq 255 ] && grep -q "^oops! cannot open shaders/default_lighting.frag" "$tmp/err" ||
    fail "a missing shader source: exit $status"
echo "a missing shader source: exit 255 and its message"

stamp "sound"
# No audio driver at all (ALSA without a device would print its own complaints).
play "$release/game" WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winealsa.drv,winepulse.drv=" wine drifthaul.exe
[ $status -eq 0 ] && [ "$(grep -c . "$tmp/err")" -eq 1 ] && grep -q "^Unable to initialize audio: " "$tmp/err" ||
    fail "without an audio device: exit $status"
echo "without an audio device: $(cat "$tmp/err"); exit 0"
mkdir -p "$tmp/alsa"
echo 'pcm.!default { type null }' >"$tmp/alsa/.asoundrc"
play "$release/game" HOME="$tmp/alsa" wine drifthaul.exe
[ $status -eq 0 ] && [ ! -s "$tmp/err" ] || fail "with a null ALSA device: exit $status"
echo "with a null ALSA device: the sounds load, nothing on standard error, exit 0"

stamp "the installer in a fresh prefix"
new_prefix install
wine "$setup" /S '/D=C:\Drifthaul' || fail "the silent install failed"
installed="$WINEPREFIX/drive_c/Drifthaul"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Drifthaul"
[ -f "$installed/game/drifthaul.exe" ] && [ -f "$menu/Drifthaul.lnk" ] || fail "the install left no game or shortcut"
# The shortcut, as the Start menu opens it: start.exe follows it into its
# folder but does not wait for the game.
SDL_VIDEO_WINDOW_POS=0,0 wine start "$(winepath -w "$menu/Drifthaul.lnk")"
n=0
until awk "BEGIN { exit !($(white_share 31 48) > 0.03 && $(white_share 50 100) < 0.3) }"; do
    n=$((n + 1))
    [ $n -lt 60 ] || fail "the game started from its shortcut shows no waiting screen"
    sleep 0.5
done
echo "from its shortcut: the waiting screen, the invitation's rows $(white_share 31 48) white"
xdotool key Escape
n=0
while pgrep -f 'drifthaul\.exe' >/dev/null; do
    n=$((n + 1))
    [ $n -lt 60 ] || fail "the game started from its shortcut did not end on Escape"
    sleep 0.5
done
# Its exit code, run in the folder the shortcut names.
strings -el "$menu/Drifthaul.lnk" | grep -qx 'C:\\Drifthaul\\game' || fail "the shortcut does not start in game/"
play "$installed/game" wine drifthaul.exe
[ $status -eq 0 ] || fail "the installed game: exit $status"
echo "the installed game, in the shortcut's folder: exit $status"
# The uninstaller hands over to a copy of itself and returns: its removal is what counts.
wine "$installed/uninstall.exe" /S || echo "the uninstaller's first stage returned $?"
n=0
while [ -e "$installed" ] || [ -e "$menu" ]; do
    n=$((n + 1))
    [ $n -lt 60 ] || fail "the uninstaller left $installed or the Start-menu folder"
    sleep 0.5
done
echo "uninstalled: the game's folder and its Start-menu folder are gone"
stamp "Windows tests passed"
