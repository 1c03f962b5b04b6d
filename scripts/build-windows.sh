#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the 64-bit Windows release on Debian 12 or 13: installs the cross
# tools, cross-builds the libraries from Debian's source packages into
# build-windows/prefix (again only when a pin, a patch or the recipe
# changed), builds the game and its tests with the MinGW toolchain, stages
# the assets made by the native tools, and writes
#   build-windows/drifthaul-VERSION-win64.zip
#   build-windows/drifthaul-VERSION-win64-setup.exe
#   build-windows/drifthaul-VERSION-source.tar.gz (the game's source)
#   build-windows/drifthaul-VERSION-win64-library-sources.tar (the libraries'
#     Debian sources, our patches and the recipe: what the licences ask for)
# Usage: scripts/build-windows.sh
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out="${DRIFTHAUL_WINDOWS_DIR:-$root/build-windows}"
native="${DRIFTHAUL_BUILD_DIR:-$root/build}"
host=x86_64-w64-mingw32
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
stamp() { echo "== $(date +%T) $*"; }
. "$root/scripts/lib.sh"
version=$(drifthaul_version)

stamp "tools"
"$root/scripts/setup-debian.sh"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 nasm nsis zip bzip2 xz-utils patch >/dev/null

# The assets are made by the native tools, as on Linux.
stamp "native assets in $native"
cmake -S "$root" -B "$native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$native" -j"$(nproc)" --target stage_assets drifthaul >/dev/null

# The libraries: rebuilt only when what they are made from changed.
prefix="$out/prefix"
recipe=$(cat "$root/scripts/windows/sources.txt" "$root/scripts/windows/libs.sh" \
    "$root/cmake/mingw-w64-x86_64.cmake" "$root"/scripts/windows/patches/*.patch | sha256sum | cut -d' ' -f1)
if [ "$(cat "$prefix/.recipe" 2>/dev/null)" != "$recipe" ]; then
    stamp "libraries (about 3 minutes)"
    "$root/scripts/windows/libs.sh" "$prefix" "$out/work" "$out/sources"
    echo "$recipe" >"$prefix/.recipe"
else
    stamp "libraries: up to date in $prefix"
fi

stamp "the game and its tests"
export DRIFTHAUL_WINDOWS_PREFIX="$prefix" PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig"
game="$out/game"
cmake -S "$root" -B "$game" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRIFTHAUL_NATIVE_STAGE="$native/stage" \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine >/dev/null
cmake --build "$game" -j"$(nproc)"

stamp "the release tree"
release="$out/drifthaul-$version"
rm -rf "$release"
mkdir -p "$release/game" "$release/licenses"
cp -R "$game/stage/models" "$game/stage/textures" "$game/stage/sounds" "$game/stage/fonts" "$release/"
rm "$release/fonts/LICENSE-DejaVu.txt"
cp "$game/stage/game/drifthaul.exe" "$release/game/"
x86_64-w64-mingw32-strip "$release/game/drifthaul.exe"
cp -R "$game/stage/game/shaders" "$release/game/"
# Every DLL the game needs, found by walking the imports; Windows' own are left out.
runtime_dirs=$(mingw_runtime_dirs)
pending="$release/game/drifthaul.exe"
while [ -n "$pending" ]; do
    next=""
    for binary in $pending; do
        for dll in $($host-objdump -p "$binary" | sed -n 's/^\tDLL Name: //p'); do
            [ ! -e "$release/game/$dll" ] || continue
            for dir in "$prefix/bin" $runtime_dirs; do
                if [ -f "$dir/$dll" ]; then
                    cp "$dir/$dll" "$release/game/"
                    next="$next $release/game/$dll"
                    break
                fi
            done
        done
    done
    pending=$next
done
x86_64-w64-mingw32-strip --strip-unneeded "$release"/game/*.dll
# The game's licence, and each bundled library's and the font's.
cp "$root/LICENSE" "$release/licenses/Drifthaul-GPL-3.0.txt"
for lib in sdl sdl_mixer zlib libpng libjpeg-turbo freetype freeglut glew; do
    cp "$out/work/$lib/debian/copyright" "$release/licenses/$lib.txt"
done
cp "$out/work/ftgl/COPYING" "$release/licenses/ftgl.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$release/licenses/gcc-runtime.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$release/licenses/mingw-w64-winpthreads.txt"
cp /usr/share/doc/fonts-dejavu-core/copyright "$release/licenses/DejaVu-fonts.txt"
sed "s/@VERSION@/$version/g" "$root/scripts/windows/README.txt" >"$release/README.txt"

stamp "zip, installer and sources"
zip="$out/drifthaul-$version-win64.zip"
rm -f "$zip"
(cd "$out" && zip -qr -X "$zip" "drifthaul-$version")
makensis -V2 -DVERSION="$version" -DRELEASE="$release" -DOUTFILE="$out/drifthaul-$version-win64-setup.exe" \
    "$root/scripts/windows/drifthaul.nsi"
git -C "$root" archive --format=tar.gz --prefix="drifthaul-$version/" -o "$out/drifthaul-$version-source.tar.gz" HEAD
tar -cf "$out/drifthaul-$version-win64-library-sources.tar" -C "$out" sources \
    -C "$root/scripts" windows
stamp "done"
ls -l "$zip" "$out/drifthaul-$version-win64-setup.exe" "$out/drifthaul-$version-source.tar.gz" \
    "$out/drifthaul-$version-win64-library-sources.tar"
