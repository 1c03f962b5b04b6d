#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that building, playing and testing Drifthaul
# need. Safe to run again: apt-get skips what is already there.
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
    xvfb xauth x11-utils xdotool imagemagick
    sox libsox-fmt-all espeak-ng
    appstream desktop-file-utils
    fonts-dejavu-core
    clang-14 libclang-rt-14-dev
    dpkg-dev debhelper lintian man-db
    libsdl1.2-compat
"

export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $PACKAGES
