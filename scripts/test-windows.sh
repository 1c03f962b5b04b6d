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
cmake --build "$native" -j"$(nproc)" --target test_play_e2e test_drawing >/dev/null
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    wine wine64 xvfb xauth xdotool imagemagick icoutils python3 >/dev/null

tmp=$(mktemp -d)
prefixes=""
finish()
{
    exec 9>&-
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
    timeout 600 wineboot -i >"$tmp/boot" 2>&1 || fail "wineboot did not finish the prefix $1: $(cat "$tmp/boot")"
    timeout 120 wine cmd /c exit >"$tmp/boot" 2>&1 || fail "Wine's cmd did not start in the prefix $1: $(cat "$tmp/boot")"
}

# Keeps a process of the current prefix running until the end (cmd reading
# a pipe nobody writes), so that its desktop starts once, before the tests,
# and stays: without one, Wine's desktop ends with each last process, and
# tests started together race to start it again. Waits for the desktop.
hold_desktop()
{
    rm -f "$tmp/hold"
    mkfifo "$tmp/hold"
    wine cmd <"$tmp/hold" >/dev/null 2>&1 &
    exec 9>"$tmp/hold"
    retry "Wine's desktop did not start" pgrep -f 'explorer\.exe /desktop'
}

# Whether Wine lists the X screen's 320x200, the window the in-process tests
# draw into: the game says when it had to take another size. A prefix whose
# desktop came up without the X display has Wine's fallback list, 640x480
# and up, instead.
lists_the_screen()
{
    wine "$out/game/tests/test_drawing.exe" '--gtest_filter=GlUtil.LoadingScreen*' >"$tmp/check" 2>&1 || true
    ! grep -q 'Setting found available mode' "$tmp/check"
}

# The share of pixels of the game's own window, in the band of rows y0 to
# y1, that are white. ImageMagick's import can wait forever on a window
# that closes under it, hence its time limit.
white_share()
{
    id=$(xdotool search --name '^drifthaul game$' 2>/dev/null | head -n 1)
    [ -n "$id" ] && timeout 10 import -window "$id" "$tmp/shot.png" 2>/dev/null || { echo 0; return; }
    convert "$tmp/shot.png" -crop "320x$(($2 - $1))+0+$1" +repage -colorspace Gray -threshold 78% \
        -format '%[fx:mean]' info:
}

# Runs COMMAND... (env assignments first) in DIR, waits for the waiting
# screen on the game's window, then presses Escape on it until the game has
# ended. Its output lands in $tmp/out and $tmp/err, its exit code in $status.
# A game that runs on without its waiting screen fails the tests.
play()
{
    dir=$1
    shift
    : >"$tmp/out"
    (cd "$dir" && exec env SDL_VIDEO_WINDOW_POS=0,0 "$@" >"$tmp/out" 2>"$tmp/err") &
    game=$!
    n=0
    while kill -0 $game 2>/dev/null; do
        if shows_waiting_screen; then
            echo "the waiting screen showed"
            end_game "the game"
            break
        fi
        n=$((n + 1))
        [ $n -lt 60 ] || fail "the game runs without its waiting screen"
        sleep 0.5
    done
    status=0
    wait $game || status=$?
    tr -d '\r' <"$tmp/out" >"$tmp/out.lf" && mv "$tmp/out.lf" "$tmp/out"
    tr -d '\r' <"$tmp/err" >"$tmp/err.lf" && mv "$tmp/err.lf" "$tmp/err"
}
fail() { echo "$*" >&2; cat "$tmp/out" "$tmp/err" >&2 2>/dev/null; exit 1; }

# retry WHAT COMMAND...: runs the command every half second until it
# succeeds; after 30 seconds fails, saying WHAT failed.
retry()
{
    what=$1
    shift
    n=0
    until "$@"; do
        n=$((n + 1))
        [ $n -lt 60 ] || fail "$what"
        sleep 0.5
    done
}

shows_waiting_screen() { awk "BEGIN { exit !($(white_share 31 48) > 0.03 && $(white_share 50 100) < 0.3) }"; }
# Waits for the waiting screen on the game's window; $1 names the game.
wait_for_waiting_screen() { retry "$1 shows no waiting screen" shows_waiting_screen; }

# A program in the background writes its exit code to $tmp/code.
has_ended() { [ -s "$tmp/code" ]; }
# Sets box to the window named like $1; a program that ended without it
# fails at once.
find_box()
{
    box=$(xdotool search --name "$1" 2>/dev/null | head -n 1)
    [ -z "$box" ] || return 0
    ! has_ended || fail "$what"
    return 1
}
# Waits for the program's window named like $1, before it ends, and keeps a
# picture of it as $out/$2.png; sets box. $3 says what failed.
wait_for_box()
{
    retry "$3" find_box "$1"
    timeout 10 import -window "$box" "$out/$2.png" 2>/dev/null || true
}

# Presses key $1 on $box until the program has ended (it may map its window
# before it takes keys); $2 says what failed.
press_unless_ended() { has_ended || { xdotool windowfocus "$box" key "$1" 2>/dev/null; false; }; }
answer_box() { retry "$2" press_unless_ended "$1"; }

# Presses Escape on the game's own window, focused first (a closed dialog
# box leaves the focus nowhere), until no drifthaul.exe runs; $1 names the
# game.
no_game_runs() { ! pgrep -f 'drifthaul\.exe' >/dev/null; }
escape_unless_ended()
{
    ! no_game_runs || return 0
    id=$(xdotool search --name '^drifthaul game$' 2>/dev/null | head -n 1)
    [ -z "$id" ] || xdotool windowfocus "$id" key Escape 2>/dev/null || true
    return 1
}
end_game() { retry "$1 did not end on Escape" escape_unless_ended; }

stamp "the release's licences, README and resources"
readme=$(tr -d '\r' <"$release/README.txt")
[ "$(grep -c "$(printf '\r')\$" "$release/README.txt")" -eq "$(wc -l <"$release/README.txt")" ] || fail "README.txt is not CRLF throughout"
! grep -l 'common-licenses' "$release"/licenses/* || fail "these licences point to files Windows lacks"
! grep -a -l -e "$root/" -e "$out/" "$release"/game/*.exe "$release"/game/*.dll ||
    fail "these name the folders they were built in"
for name in $( (cat "$release"/licenses/*; echo "$readme") | grep -o 'licenses\\[A-Za-z0-9._+-]*\.txt' | sort -u); do
    [ -f "$release/licenses/${name#licenses\\}" ] || fail "$name is named but not there"
done
for dll in "$release"/game/*.dll; do
    echo "$readme" | grep -A1 "^  $(basename "$dll"): " | tail -n 1 | grep -q '^    licenses' ||
        fail "README.txt names no licence for $(basename "$dll")"
done
echo "$readme" | grep -q 'The FreeType Project' && echo "$readme" | grep -q 'Independent JPEG Group' ||
    fail "README.txt lacks FreeType's or the IJG's credit"
echo "licences: $(ls "$release/licenses" | wc -l) files, none pointing outside the folder;" \
    "the $(ls "$release"/game/*.dll | wc -l) DLLs each named with theirs in README.txt (CRLF)"
exe="$release/game/drifthaul.exe"
wrestool -x --type=group_icon "$exe" >"$tmp/icon.ico"
sizes=$(icotool -l "$tmp/icon.ico" | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | tr '\n' ' ')
[ "$sizes" = "16 24 32 48 64 128 " ] || fail "drifthaul.exe's icon has the sizes '$sizes'"
wrestool -x --raw --type=version "$exe" | strings -el >"$tmp/version"
grep -qx "$version" "$tmp/version" && grep -qx Drifthaul "$tmp/version" || fail "drifthaul.exe's version: $(cat "$tmp/version")"
wrestool -x --raw --type=24 "$exe" >"$tmp/manifest"
grep -q '<dpiAware[^>]*>true<' "$tmp/manifest" && [ "$(grep -c supportedOS "$tmp/manifest")" -eq 4 ] ||
    fail "drifthaul.exe's manifest: $(cat "$tmp/manifest")"
echo "drifthaul.exe: an icon of sizes $sizes, version $version, a manifest declaring DPI awareness and 4 Windows versions"

stamp "unit and in-process OpenGL tests under Wine"
new_prefix tests
WINEPATH=$(winepath -w "$out/prefix/bin")
export WINEPATH
hold_desktop
if ! lists_the_screen; then
    echo "Wine lists no 320x200 mode: $(grep 'Setting found' "$tmp/check" | tr -d '\r'); restarting the prefix's server once"
    exec 9>&-
    wineserver -k
    wineserver -p
    hold_desktop
    lists_the_screen || fail "Wine still lists no 320x200 mode: $(tr -d '\r' <"$tmp/check")"
fi
# One test cannot run here: its link seam replaces glGetIntegerv, which a
# Windows program calls through opengl32.dll's import table, out of reach.
(cd "$out/game" && ctest --output-on-failure -j"$(nproc)" -E 'VideoMode.OpensWithLessDepth')

# A zoo of the images a paint program may write in place of the game's,
# decoded by SDL_image (the Linux build) and by the Windows build's own
# decoders: the same surfaces byte for byte, or the same refusals.
zoo="$tmp/zoo"
mkdir -p "$zoo"
convert rose: "$tmp/rose.png"
convert "$tmp/rose.png" \( +clone -colorspace Gray -fx 'i/w' \) -alpha off -compose copy_opacity -composite "$tmp/clear.png"
png() { convert "$1" -define png:color-type="$2" -define png:bit-depth="$3" $4 "$zoo/$5.png"; }
for depth in 1 2 4 8 16; do
    png "$tmp/rose.png" 0 $depth "-colorspace Gray -depth $depth" grey$depth
    png "$tmp/rose.png" 0 $depth "-colorspace Gray -depth $depth -interlace PNG" grey$depth-interlaced
done
for depth in 8 16; do
    for kind in 2:rgb: 4:grey-alpha:Gray 6:rgba:; do
        type=${kind%%:*} name=${kind#*:}
        grey=${name#*:} name=${name%:*}
        png "$tmp/clear.png" $type $depth "${grey:+-colorspace $grey} -depth $depth" $name$depth
        png "$tmp/clear.png" $type $depth "${grey:+-colorspace $grey} -depth $depth -interlace PNG" $name$depth-interlaced
    done
done
# ImageMagick writes palettes of 1, 4 and 8 bits.
for depth in 1 2 8; do
    convert "$tmp/rose.png" -colors $((1 << depth)) -depth $depth -define png:color-type=3 "$zoo/palette$depth.png"
done
png "$tmp/rose.png" 3 8 "-colors 64 -interlace PNG" palette8-interlaced
convert "$tmp/rose.png" -fill white -opaque '#fff' -transparent '#000' -colors 32 "PNG8:$zoo/palette-one-clear.png"
# ImageMagick's palettes hold no translucency: this one is written by hand,
# its first entry clear and the others part see-through.
python3 - "$zoo/palette-translucent.png" <<'EOF'
import struct, sys, zlib
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
rows = b''.join(b'\0' + bytes((x + y) % 16 for x in range(16)) for y in range(8))
open(sys.argv[1], 'wb').write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 16, 8, 8, 3, 0, 0, 0))
    + chunk(b'PLTE', bytes(c for i in range(16) for c in (i * 16, 255 - i * 16, 128)))
    + chunk(b'tRNS', bytes(range(0, 256, 32))) + chunk(b'IDAT', zlib.compress(rows)) + chunk(b'IEND', b''))
EOF
convert "$tmp/rose.png" -colorspace Gray -transparent '#808080' -define png:color-type=0 "$zoo/grey-clear-value.png"
convert "$tmp/rose.png" -transparent '#000000' -define png:color-type=2 "$zoo/rgb-clear-value.png"
jpeg() { convert "$tmp/rose.png" "$@"; }
jpeg -quality 90 "$zoo/baseline.jpg"
jpeg -quality 75 -interlace JPEG "$zoo/progressive.jpg"
jpeg -colorspace Gray "$zoo/grey.jpg"
jpeg -colorspace CMYK "$zoo/cmyk.jpg"
for sampling in 1x1 2x1 2x2; do jpeg -sampling-factor $sampling "$zoo/sampled-$sampling.jpg"; done
jpeg -define jpeg:restart-interval=2 "$zoo/restarts.jpg"
jpeg -define jpeg:arithmetic-coding=true "$zoo/arithmetic.jpg"
for whole in "$zoo"/baseline.jpg "$zoo"/progressive.jpg "$zoo"/rgb8.png "$zoo"/palette8-interlaced.png; do
    size=$(stat -c %s "$whole")
    head -c $((size / 2)) "$whole" >"$zoo/cut-half-$(basename "$whole")"
    head -c $((size - 2)) "$whole" >"$zoo/cut-end-$(basename "$whole")"
done
head -c 120 "$zoo/baseline.jpg" >"$zoo/cut-header-baseline.jpg"
DRIFTHAUL_IMAGE_ZOO="$zoo" DRIFTHAUL_IMAGE_LISTING="$tmp/zoo-linux" \
    "$native/tests/test_drawing" --gtest_filter=Textures.ListsHowEachImageOfAZooDecodes >/dev/null 2>&1
(cd "$out/game/stage/game" && DRIFTHAUL_IMAGE_ZOO="$(winepath -w "$zoo")" DRIFTHAUL_IMAGE_LISTING="$(winepath -w "$tmp/zoo-windows")" \
    timeout 120 wine "$out/game/tests/test_drawing.exe" --gtest_filter=Textures.ListsHowEachImageOfAZooDecodes >/dev/null 2>&1 || true)
if ! cmp -s "$tmp/zoo-linux" "$tmp/zoo-windows"; then
    diff "$tmp/zoo-linux" "$tmp/zoo-windows" | cut -c1-200 >&2
    fail "the Windows build decodes these images otherwise than SDL_image"
fi
echo "the image zoo: $(wc -l <"$tmp/zoo-linux") PNG and JPEG files, $(grep -vc refused "$tmp/zoo-linux") decoded" \
    "byte for byte as SDL_image does, $(grep -c refused "$tmp/zoo-linux") refused in its words:" \
    "$(sed -n 's/.* refused: //p' "$tmp/zoo-linux" | sort | uniq -c | tr -s ' ' | tr '\n' ';')"
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
# Started as Explorer starts it, in a console of its own that closes with
# it: the message waits in a box until the player closes it.
(cd "$tmp/broken/game" && { wine start /wait drifthaul.exe && echo 0 || echo $?; } >"$tmp/code") &
wait_for_box '^Drifthaul$' fatal-message-box "the game in a console of its own shows no message"
[ ! -s "$tmp/code" ] || fail "the game ended before its message was acknowledged"
answer_box Return "the game did not end once its message was acknowledged"
[ "$(cat "$tmp/code")" = 255 ] || fail "in a console of its own, the missing shader source: exit $(cat "$tmp/code")"
echo "in a console of its own: the message waits in a box titled Drifthaul; acknowledged, exit 255"

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
drive="$WINEPREFIX/drive_c"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Drifthaul'
# Another program's files in the folder the player names.
mkdir -p "$drive/Games/fonts" "$drive/Games/game" "$drive/Games/textures"
echo "Other Game" >"$drive/Games/README.txt"
head -c 3000 /dev/urandom >"$drive/Games/fonts/OtherGame.ttf"
head -c 500 /dev/urandom >"$drive/Games/game/othergame-save.dat"
head -c 900 /dev/urandom >"$drive/Games/textures/other.png"
# The checksums of the files under $1 that are not ours.
theirs() { (cd "$1" && find . -type f ! -path './Drifthaul/*' -exec sha256sum {} + | sort); }
theirs "$drive/Games" >"$tmp/theirs"
# Twice: the second is an upgrade of the first, in the same folder.
for n in 1 2; do
    timeout 300 wine "$setup" /S '/D=C:\Games' || fail "the silent install failed"
done
installed="$drive/Games/Drifthaul"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Drifthaul"
[ -f "$installed/game/drifthaul.exe" ] && [ -f "$menu/Drifthaul.lnk" ] && [ ! -e "$installed/Drifthaul" ] ||
    fail "the install into a folder of other files is not in its Drifthaul folder, or left no shortcut"
theirs "$drive/Games" | cmp -s - "$tmp/theirs" || fail "the install changed another program's files"
echo "installed twice into C:\\Games: in C:\\Games\\Drifthaul, the other program's 4 files untouched"
entry=$(wine reg query "$key" | tr -d '\r')
for value in Publisher DisplayIcon InstallLocation EstimatedSize NoModify NoRepair UninstallString; do
    echo "$entry" | grep -q "^ *$value " || fail "the Apps & features entry lacks $value: $entry"
done
echo "the Apps & features entry: $(echo "$entry" | grep -c 'REG_') values, $(echo "$entry" | grep -E 'Publisher|EstimatedSize' | tr -s ' ' | tr '\n' ';')"

# The shortcut, as the Start menu opens it: start.exe follows it into its
# folder but does not wait for the game.
SDL_VIDEO_WINDOW_POS=0,0 wine start "$(winepath -w "$menu/Drifthaul.lnk")" >/dev/null 2>&1
wait_for_waiting_screen "the game started from its shortcut"
echo "from its shortcut: the waiting screen, the invitation's rows $(white_share 31 48) white"
end_game "the game started from its shortcut"
# Its exit code, run in the folder the shortcut names.
strings -el "$menu/Drifthaul.lnk" | grep -qx 'C:\\Games\\Drifthaul\\game' || fail "the shortcut does not start in game/"
play "$installed/game" wine drifthaul.exe
[ $status -eq 0 ] || fail "the installed game: exit $status"
echo "the installed game, in the shortcut's folder: exit $status"

# The player's own files, beside ours.
echo "volume=3" >"$installed/game/my-settings.ini"
echo "my notes" >"$installed/my-notes.txt"
mkdir -p "$installed/textures/mymod"
head -c 700 /dev/urandom >"$installed/textures/mymod/skin.png"
(cd "$installed" && find . -type f -exec sha256sum {} + | sort) >"$tmp/before"
grep -E 'my-settings|my-notes|mymod' "$tmp/before" >"$tmp/mine"
uninstaller="$installed/uninstall.exe"
in_place='_?=C:\Games\Drifthaul'

# While the game runs: the silent uninstaller fails and removes nothing; the
# interactive one says why and waits for Retry or Cancel.
(cd "$installed/game" && exec env SDL_VIDEO_WINDOW_POS=0,0 wine drifthaul.exe >/dev/null 2>&1) &
game=$!
wait_for_waiting_screen "the installed game"
code=0
timeout 300 wine "$uninstaller" /S "$in_place" || code=$?
[ $code -eq 2 ] || fail "the silent uninstall while the game runs returned $code"
rm -f "$tmp/code"
({ wine "$uninstaller" "$in_place" >/dev/null 2>&1 && echo 0 || echo $?; } >"$tmp/code") &
wait_for_box '^Drifthaul.*Uninstall' uninstall-while-running "the uninstaller says nothing while the game runs"
answer_box Escape "the uninstaller's question did not end on Cancel"
[ "$(cat "$tmp/code")" = 2 ] || fail "the uninstaller cancelled while the game runs returned $(cat "$tmp/code")"
(cd "$installed" && find . -type f -exec sha256sum {} + | sort) | cmp -s - "$tmp/before" &&
    wine reg query "$key" >/dev/null 2>&1 && [ -f "$menu/Drifthaul.lnk" ] ||
    fail "an uninstall while the game runs removed something"
echo "while the game runs: the silent uninstall returns 2, the interactive one asks to close the game" \
    "and returns 2 on Cancel; all $(wc -l <"$tmp/before") files, the shortcut and the entry stay"
end_game "the installed game"
wait "$game" || true

# Run in place, the silent uninstaller returns when it is done.
timeout 300 wine "$uninstaller" /S "$in_place" || fail "the silent uninstall returned $?"
left=$(cd "$installed" && find . -type f ! -name uninstall.exe -exec sha256sum {} + | sort)
[ "$left" = "$(cat "$tmp/mine")" ] || fail "after the uninstall, these are left: $left"
! wine reg query "$key" >/dev/null 2>&1 || fail "the Apps & features entry outlived the uninstall"
[ ! -e "$menu" ] || fail "the Start-menu folder outlived the uninstall"
theirs "$drive/Games" | cmp -s - "$tmp/theirs" || fail "the uninstall changed another program's files"
echo "uninstalled in place: on its return only the player's 3 files are left in C:\\Games\\Drifthaul" \
    "($(cd "$installed" && find . -type d | wc -l) folders), the other program's 4 untouched," \
    "the entry and the Start-menu folder gone"
stamp "Windows tests passed"
