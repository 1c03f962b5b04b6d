#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the packages that building, playing and testing Drifthaul need, on
# Debian 12 or 13. Safe to run again: apt-get skips what is already there.
set -eu

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi

PACKAGES="
    build-essential cmake pkg-config git
    libsdl1.2-dev libsdl-mixer1.2-dev libsdl-image1.2-dev
    libftgl-dev libfreetype-dev freeglut3-dev libglew-dev
    libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri mesa-utils
    libpng-dev libjpeg-dev libsndfile1-dev
    googletest libgtest-dev
    xvfb xauth x11-utils xdotool imagemagick libxfixes-dev
    sox libsox-fmt-all espeak-ng
    appstream desktop-file-utils
    fonts-dejavu-core
    clang
    dpkg-dev debhelper lintian man-db
"

export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# The release's own clang (14 on Debian 12, 19 on 13) and the fuzzer runtime
# of the same version.
clang_version=$(apt-cache depends clang | sed -n 's/^ *Depends: clang-\([0-9][0-9]*\)$/\1/p' | head -n 1)
PACKAGES="$PACKAGES libclang-rt-$clang_version-dev"
# Debian 13's SDL 1.2 is sdl12-compat already; on 12 it is a second build
# that the test command runs the suite against too.
. /etc/os-release
if [ "${VERSION_ID:-}" = 12 ]; then
    PACKAGES="$PACKAGES libsdl1.2-compat"
fi
# shellcheck disable=SC2086
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $PACKAGES
