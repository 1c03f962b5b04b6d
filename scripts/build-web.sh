#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the browser release on Debian 12 or 13: the native tools make the
# assets (the sounds converted to WAV, which browsers decode), Debian 13's
# Emscripten cross-builds the libraries from Debian's source packages into
# build-web/prefix (again only when a pin, a patch or the recipe changed),
# then the game, and writes
#   build-web/drifthaul-VERSION-web/ (index.html, the .js, the .wasm, the
#     data file, licenses/, README.txt: any static web server serves it)
#   build-web/drifthaul-VERSION-web.zip
#   build-web/drifthaul-VERSION-source.tar.gz (the game's source)
#   build-web/drifthaul-VERSION-web-library-sources.tar (the libraries'
#     sources, the recipe and its pins)
# On Debian 12, whose Emscripten is too old, the Emscripten steps run in a
# Debian 13 chroot under build-web/trixie that this script makes once and
# reuses. Needs root (or sudo) for that.
# Usage: scripts/build-web.sh
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out="${DRIFTHAUL_WEB_DIR:-$root/build-web}"
native="${DRIFTHAUL_BUILD_DIR:-$root/build}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
stamp() { echo "== $(date +%T) $*"; }
. "$root/scripts/lib.sh"
version=$(drifthaul_version)
# What Emscripten's side needs, in Debian 13.
packages="emscripten cmake make python3 xz-utils bzip2 patch zip"

if [ -z "${DRIFTHAUL_WEB_INSIDE:-}" ]; then
    stamp "native assets in $native"
    "$root/scripts/setup-debian.sh"
    cmake -S "$root" -B "$native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$native" -j"$(nproc)" --target stage_assets drifthaul >/dev/null
    # The assets as the browser gets them: the AIFF sounds become WAV, under
    # the game's own names (browsers decode sounds by their content).
    assets="$out/assets"
    rm -rf "$assets"
    mkdir -p "$assets/game"
    cp -RL "$native/stage/models" "$native/stage/textures" "$native/stage/fonts" "$assets/"
    rm "$assets/fonts/LICENSE-DejaVu.txt"
    cp -R "$native/stage/game/shaders" "$assets/game/"
    mkdir "$assets/sounds"
    for sound in "$native"/stage/sounds/*.aif; do
        sox "$sound" -t wav "$assets/sounds/$(basename "$sound")"
    done
    dejavu_licences "$out"
    # The link packs the assets again only when they changed.
    sum=$(cd "$assets" && find . -type f | sort | xargs -d '\n' sha256sum | sha256sum)
    [ "$(cat "$assets.stamp" 2>/dev/null)" = "$sum" ] || echo "$sum" >"$assets.stamp"
    # The game's source and the libraries' sources, beside the release: the
    # pinned files, the recipe and its steps.
    sources_beside()
    {
        source_archive "$out/drifthaul-$version-source.tar.gz" "drifthaul-$version"
        tar -cf "$out/drifthaul-$version-web-library-sources.tar" --sort=name --owner=0 --group=0 --mtime=@$release_epoch \
            --numeric-owner -C "$out" sources -C "$root" scripts/web scripts/windows/patches scripts/pinned.sh
        ls -l "$out/drifthaul-$version-source.tar.gz" "$out/drifthaul-$version-web-library-sources.tar"
    }
    . /etc/os-release
    if [ "${VERSION_ID:-}" = 13 ]; then
        $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $packages >/dev/null
        DRIFTHAUL_WEB_INSIDE=1 "$0"
        sources_beside
        exit 0
    fi
    # Debian 12: a Debian 13 chroot, made once (its stamp names the
    # packages), with this tree mounted at the same path inside.
    jail="$out/trixie"
    if [ "$(cat "$jail/.drifthaul-ready" 2>/dev/null)" != "$packages" ]; then
        stamp "a Debian 13 chroot in $jail (about 3 minutes, once)"
        mirror=$(apt-cache policy | awk -v s="$VERSION_CODENAME/main" '$3 == s { print $2; exit }')
        [ -n "$mirror" ] || { echo "no Debian mirror in apt's sources" >&2; exit 1; }
        if grep -q " $jail/" /proc/mounts; then echo "still mounted under $jail" >&2; exit 1; fi
        $SUDO rm -rf "$jail"
        mkdir -p "$out"
        $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
        $SUDO debootstrap --variant=minbase trixie "$jail" "$mirror" >"$out/debootstrap.log" 2>&1 ||
            { tail -n 20 "$out/debootstrap.log"; exit 1; }
        printf 'deb %s trixie main\ndeb %s trixie-updates main\n' "$mirror" "$mirror" |
            $SUDO tee "$jail/etc/apt/sources.list" >/dev/null
        $SUDO chroot "$jail" sh -c "apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends $packages >/dev/null"
        echo "$packages" | $SUDO tee "$jail/.drifthaul-ready" >/dev/null
    fi
    mounted=""
    cleanup()
    {
        for m in $mounted; do $SUDO umount "$m" 2>/dev/null || $SUDO umount -l "$m" 2>/dev/null || true; done
        mounted=""
    }
    trap cleanup EXIT INT TERM
    for d in proc dev "$root"; do
        $SUDO mkdir -p "$jail/$d"
        $SUDO mount --bind "/${d#/}" "$jail/$d"
        mounted="$jail/$d $mounted"
    done
    $SUDO chroot "$jail" env -u NODE_EXTRA_CA_CERTS DRIFTHAUL_WEB_INSIDE=1 DRIFTHAUL_WEB_DIR="$out" HOME=/root \
        "$root/scripts/build-web.sh"
    cleanup
    sources_beside
    exit 0
fi

# From here on, in Debian 13 with Emscripten.
prefix="$out/prefix"
. "$root/scripts/pinned.sh"
rebuild_when_changed "$root/scripts/web/libs.sh" "$prefix" "$out/work" "$out/sources" \
    "$root/scripts/web/sources.txt" "$root/scripts/pinned.sh" "$root"/scripts/web/patches/*.patch \
    "$root"/scripts/windows/patches/*.patch

stamp "the game and its Node tests"
game="$out/game"
emcmake cmake -S "$root" -B "$game" -DCMAKE_BUILD_TYPE=Release -DDRIFTHAUL_WEB_PREFIX="$prefix" \
    -DDRIFTHAUL_WEB_ASSETS="$out/assets" -DCMAKE_FIND_ROOT_PATH="$prefix" >"$out/configure.log" 2>&1 ||
    { tail -n 30 "$out/configure.log"; exit 1; }
cmake --build "$game" -j"$(nproc)"

stamp "the release folder"
release="$out/drifthaul-$version-web"
rm -rf "$release"
mkdir -p "$release/licenses"
cp "$game"/stage/game/drifthaul.js "$game"/stage/game/drifthaul.wasm "$game"/stage/game/drifthaul.data "$release/"
# The page carries each file's size and SHA-256: it checks what arrives, and
# asks for each file by its sum, so no cache pairs it with another version.
files=$(cd "$release" && for f in drifthaul.js drifthaul.wasm drifthaul.data; do
    printf '"%s": { "size": %s, "sha256": "%s" }, ' "$f" "$(stat -c %s "$f")" "$(sha256sum "$f" | cut -d' ' -f1)"
done)
sed -e "s|@FILES@|{ ${files%, } }|" -e "s|@VERSION@|$version|g" "$root/code/sys/web/index.html" >"$release/index.html"
# Each library's own licence texts, Debian's copyright file where the mirror
# has one, and the common licences those name, beside them.
licenses="$release/licenses"
work="$out/work"
cp "$root/LICENSE" "$licenses/Drifthaul-GPL-3.0.txt"
cp "$out/DejaVu-fonts.txt" "$out/DejaVu-AUTHORS.txt" "$licenses/"
cp /usr/share/doc/emscripten/copyright "$licenses/emscripten.txt"
for lib in zlib libpng libjpeg-turbo freetype freeglut; do
    cp "$work/$lib/debian/copyright" "$licenses/$lib.txt"
done
for pair in gl4es:LICENSE zlib:LICENSE libpng:LICENSE libjpeg-turbo:LICENSE.md libjpeg-turbo:README.ijg \
    freetype:docs/FTL.TXT freeglut:COPYING ftgl:COPYING; do
    lib=${pair%%:*} file=${pair#*:}
    cp "$work/$lib/$file" "$licenses/$lib-$(basename "$file" | sed 's/\.[A-Za-z]*$//').txt"
done
# Files some libraries took from others keep their own notices.
python3 "$root/scripts/notices.py" gl4es "$work/gl4es/src" >"$licenses/gl4es-notices.txt"
python3 "$root/scripts/notices.py" FTGL "$work/ftgl/src" >"$licenses/ftgl-notices.txt"
# GLU's licence is in each of its files' heads.
sed -n '1,/\*\//p' "$work/glu/src/libutil/project.c" >"$licenses/glu-SGI-FreeB-2.0.txt"
sed -i -E 's#/usr/share/common-licenses/([A-Za-z0-9.+-]*[A-Za-z0-9+])#\1.txt#g' "$licenses"/*.txt
for name in $(cat "$licenses"/*.txt | grep -o '\b\(GPL\|LGPL\|GFDL\|Apache\|Artistic\|BSD\|MPL\)[A-Za-z0-9.+-]*\.txt' | sort -u); do
    [ -f "/usr/share/common-licenses/${name%.txt}" ] && cp "/usr/share/common-licenses/${name%.txt}" "$licenses/$name"
done
sed "s/@VERSION@/$version/g" "$root/scripts/web/README.txt" >"$release/README.txt"
zip="$out/drifthaul-$version-web.zip"
(cd "$out" && reproducible_zip "$zip" "drifthaul-$version-web")
stamp "done"
ls -l "$release" "$zip"
