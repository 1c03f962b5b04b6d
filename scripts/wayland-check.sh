#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The game in a Wayland session: weston (headless, GL renderer) with Xwayland
# on a private socket; the game runs once through Xwayland and once natively
# (SDL_VIDEODRIVER=wayland; GLUT's bitmap text still opens Xwayland's
# display). Each run must show the waiting screen, judged by region and colour
# on weston's own screenshot, and exit 0 on SIGTERM, which SDL turns into a
# quit. Needs weston, xwayland, x11-utils and imagemagick.
# Usage: scripts/wayland-check.sh GAME_DIR (the folder holding drifthaul)
set -eu
game_dir=$(cd "$1" && pwd)
run=$(mktemp -d)
export XDG_RUNTIME_DIR="$run/xdg"
mkdir -m 700 "$XDG_RUNTIME_DIR"
[ -d /tmp/.X11-unix ] || install -d -m 1777 /tmp/.X11-unix
# kiosk-shell shows the one window over the whole 320 x 200 output.
weston --backend=headless --renderer=gl --xwayland --debug --shell=kiosk --width=320 --height=200 \
    --socket=drifthaul-check --log="$run/weston.log" &
weston=$!
trap 'kill $weston 2>/dev/null || true; wait $weston 2>/dev/null || true; rm -rf "$run"' EXIT INT TERM

# Polls a command for up to $1 tenths of a second.
poll()
{
    _n=$1
    shift
    until "$@"; do
        _n=$((_n - 1))
        [ $_n -gt 0 ] || return 1
        sleep 0.1
    done
}
xserver() { display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$run/weston.log" 2>/dev/null); [ -n "$display" ]; }
poll 100 xserver || { cat "$run/weston.log"; exit 1; }
export WAYLAND_DISPLAY=drifthaul-check DISPLAY="$display" SDL_AUDIODRIVER=dummy

# White pixels (every channel above 200) in a region WxH+X+Y of a picture
# (ImageMagick 7 prints a stray line first).
white() { convert "$1" -crop "$2" +repage -fx 'r>0.784&&g>0.784&&b>0.784' -format '%[fx:round(mean*w*h)]' info: | tail -n 1; }
# The invitation's rows lit, the sky below dark (the white loading screen
# would pass for the rows alone).
waiting_screen()
{
    rm -f "$run"/wayland-screenshot-*.png
    (cd "$run" && weston-screenshooter >/dev/null 2>&1) || return 1
    shot=$(ls "$run"/wayland-screenshot-*.png 2>/dev/null) || return 1
    [ "$(white "$shot" 320x17+0+31)" -gt 150 ] && [ "$(white "$shot" 320x50+0+50)" -lt 5000 ]
}
started() { grep -qx 'starting the game...' "$run/out"; }

# $1 names the run, $2 says whether its window is an X one; the rest is the
# game's environment.
check()
{
    name=$1 x_window=$2
    shift 2
    cd "$game_dir"
    env "$@" ./drifthaul >"$run/out" 2>"$run/err" &
    game=$!
    cd - >/dev/null
    ok=true
    poll 300 started || ok=false
    $ok && poll 150 waiting_screen || ok=false
    if $ok && xwininfo -root -tree | grep -q '"drifthaul game"'; then on_x=yes; else on_x=no; fi
    [ "$on_x" = "$x_window" ] || { echo "$name: window on Xwayland: $on_x" >&2; ok=false; }
    kill -TERM $game 2>/dev/null || true
    status=0
    wait $game || status=$?
    [ $status -eq 0 ] || ok=false
    if ! $ok; then
        echo "$name: failed (exit $status)" >&2
        cat "$run/out" "$run/err" >&2
        exit 1
    fi
    cp "$shot" "$game_dir/../wayland-$name.png" 2>/dev/null || true
    echo "$name: waiting screen shown, exit 0 on SIGTERM"
}

check xwayland yes SDL_VIDEODRIVER=x11
check native no SDL_VIDEODRIVER=wayland
