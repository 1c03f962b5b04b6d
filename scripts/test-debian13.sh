#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The suite on Debian 13 as a newcomer gets it: a fresh minimal trixie made by
# debootstrap from the Debian mirror apt uses here, this repository cloned
# into it, then the set-up script, the build, the plain suite, the Wayland
# session checks and the Debian package with Debian 13's lintian; last, the
# package installed into a second fresh trixie, where the game must start,
# play a few seconds and quit on Escape. Skipped on Debian 13 itself, where
# the test command runs.
# Needs root (or sudo) for debootstrap, chroot and mount.
# Usage: scripts/test-debian13.sh
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. /etc/os-release
if [ "${VERSION_ID:-}" = 13 ]; then
    echo "already on Debian 13: the test command ran the suite here; no chroot stage"
    exit 0
fi
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
work="${DRIFTHAUL_BUILD_DIR:-$root/build}/trixie"
stamp() { echo "== $(date +%T) $*"; }

# The mirrors apt is configured with here, for the same suites of trixie.
mirror=$(apt-cache policy | awk -v s="$VERSION_CODENAME/main" '$3 == s { print $2; exit }')
security=$(apt-cache policy | awk -v s="$VERSION_CODENAME-security/main" '$3 == s { print $2; exit }')
[ -n "$mirror" ] || { echo "no Debian mirror in apt's sources" >&2; exit 1; }

mounted=""
cleanup()
{
    for m in $mounted; do $SUDO umount "$m" 2>/dev/null || $SUDO umount -l "$m" 2>/dev/null || true; done
    mounted=""
}
trap cleanup EXIT INT TERM
# Never removes a tree that still has the host's /dev or /proc mounted in it.
remove_work()
{
    if grep -q " $work/" /proc/mounts; then
        echo "still mounted under $work; not removing it" >&2
        exit 1
    fi
    $SUDO rm -rf "$work"
}
# proc, sys, dev, dev/pts and a private dev/shm: what X, Mesa and SDL need.
enter()
{
    for d in proc sys dev dev/pts; do
        $SUDO mount --bind "/$d" "$1/$d"
        mounted="$1/$d $mounted"
    done
    $SUDO mount -t tmpfs tmpfs "$1/dev/shm"
    mounted="$1/dev/shm $mounted"
}

stamp "debootstrap trixie from $mirror"
remove_work
mkdir -p "$work"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
$SUDO debootstrap --variant=minbase trixie "$work/build" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -n 20 "$work/debootstrap.log"; exit 1; }
{
    echo "deb $mirror trixie main"
    echo "deb $mirror trixie-updates main"
    [ -z "$security" ] || echo "deb $security trixie-security main"
} | $SUDO tee "$work/build/etc/apt/sources.list" >/dev/null
$SUDO cp -a "$work/build" "$work/install"

stamp "set-up, build, plain suite, Wayland checks and package in trixie"
enter "$work/build"
$SUDO git clone -q "$root" "$work/build/root/drifthaul"
$SUDO chroot "$work/build" /bin/sh -eu -c '
    cd /root/drifthaul
    . scripts/lib.sh
    root=$PWD
    build_all build
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends weston xwayland >/dev/null
    (
        start_private_xvfb 320x200x24
        trap stop_private_xvfb EXIT
        export DRIFTHAUL_TEST_DISPLAY="$DISPLAY"
        cd build && ctest --output-on-failure -j"$(nproc)" -E "BadAssets|Soak"
    )
    scripts/wayland-check.sh build/stage/game
    scripts/package-debian.sh
'

stamp "the package installed into a fresh trixie"
enter "$work/install"
$SUDO cp "$work"/build/root/drifthaul/build/debian/drifthaul_*.deb "$work/install/tmp/"
$SUDO chroot "$work/install" /bin/sh -eu -c '
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends /tmp/drifthaul_*.deb xvfb xauth xdotool >/dev/null
    Xvfb :7 -screen 0 320x200x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    sleep 1
    export DISPLAY=:7 SDL_AUDIODRIVER=dummy
    /usr/games/drifthaul >/tmp/out 2>/tmp/err &
    game=$!
    n=0
    until grep -q "^starting the game\.\.\.$" /tmp/out; do
        n=$((n + 1)); [ $n -lt 60 ] || { cat /tmp/out /tmp/err; exit 1; }; sleep 0.5
    done
    # Play a few seconds: the level banner (the 3D font) comes with the
    # first frame of play, the funnel follows the mouse.
    sleep 1
    xdotool key space
    for step in 1 2 3 4 5 6; do xdotool mousemove_relative -- 30 -20; sleep 0.5; done
    kill -0 $game || { cat /tmp/out /tmp/err; echo "the installed game ended while playing" >&2; exit 1; }
    xdotool key Escape
    status=0; wait $game || status=$?
    kill $xvfb
    cat /tmp/out /tmp/err
    [ $status -eq 0 ] || { echo "the installed game exited $status" >&2; exit 1; }
    [ ! -s /tmp/err ] || { echo "the installed game wrote to standard error" >&2; exit 1; }
    grep -q "^Escape pressed, exiting\.\.\.$" /tmp/out
    echo "installed game: played three seconds and quit on Escape, exit 0, nothing on standard error"
'
cleanup
remove_work
stamp "Debian 13 stage passed"
