#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Drifthaul's Debian package from this working tree, checks it with
# lintian and prints where the .deb is. The packaging tools come with the
# set-up script's package list.
# Usage: scripts/package-debian.sh
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out="${DRIFTHAUL_BUILD_DIR:-$root/build}/debian"

"$root/scripts/setup-debian.sh"

# dpkg-buildpackage writes its results beside the source tree, so it builds a
# copy of the files git knows (committed or not) in a folder of our own.
rm -rf "$out"
mkdir -p "$out/drifthaul"
(cd "$root" && git ls-files -z --cached --others --exclude-standard | xargs -0 tar -cf - --) |
    tar -xf - -C "$out/drifthaul"
(cd "$out/drifthaul" && dpkg-buildpackage -us -uc -b -Jauto)

# Debian 13's lintian validates the metainfo, whose one warning is the
# homepage the project does not have yet; Debian 12's knows no such check and
# refuses to hear of its tag.
suppress=""
if lintian-explain-tags appstream-metadata-validation-failed >/dev/null 2>&1; then
    suppress="--suppress-tags appstream-metadata-validation-failed"
fi
# shellcheck disable=SC2086
lintian --fail-on error,warning --info $suppress "$out"/drifthaul_*.changes
echo "package: $(ls "$out"/drifthaul_*.deb)"
