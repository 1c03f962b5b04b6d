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
#     sources, our patches, the recipe and its toolchain file: what the
#     licences ask for, rebuilding the DLLs on its own)
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
# strip dates each binary it rewrites with the time unless this says
# otherwise.
export SOURCE_DATE_EPOCH=$release_epoch

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
. "$root/scripts/pinned.sh"
rebuild_when_changed "$root/scripts/windows/libs.sh" "$prefix" "$out/work" "$out/sources" \
    "$root/scripts/windows/sources.txt" "$root/scripts/pinned.sh" "$root/cmake/mingw-w64-x86_64.cmake" \
    "$root"/scripts/windows/patches/*.patch

stamp "the game and its tests"
export DRIFTHAUL_WINDOWS_PREFIX="$prefix" PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig"
game="$out/game"
# Configured afresh each time: linker flags the toolchain file sets are read
# only into a new cache.
rm -f "$game/CMakeCache.txt"
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
pending="$release/game/drifthaul.exe"
while [ -n "$pending" ]; do
    next=""
    for binary in $pending; do
        for dll in $($host-objdump -p "$binary" | sed -n 's/^\tDLL Name: //p'); do
            [ ! -e "$release/game/$dll" ] || continue
            for dir in "$prefix/bin"; do
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
# What is left must be Windows' own.
for binary in "$release"/game/*.exe "$release"/game/*.dll; do
    for dll in $($host-objdump -p "$binary" | sed -n 's/^\tDLL Name: //p'); do
        [ -e "$release/game/$dll" ] && continue
        case $(echo "$dll" | tr '[:upper:]' '[:lower:]') in
        kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | msvcrt.dll | winmm.dll | opengl32.dll | glu32.dll) ;;
        *) echo "$(basename "$binary") needs $dll, which is neither Windows' own nor built here" >&2; exit 1 ;;
        esac
    done
done
x86_64-w64-mingw32-strip --strip-unneeded "$release"/game/*.dll

# The licences, each standing alone on Windows: every bundled library's own
# texts from its source tree beside Debian's copyright file for it, and the
# common licences those files name, shipped under the names they are given.
# Columns: the DLL | its library's name in licenses/ | what it is | the
# common licence it is under, if any.
libraries="SDL.dll|sdl|SDL 1.2.15, GNU LGPL 2.1|LGPL-2.1
SDL_mixer.dll|sdl_mixer|SDL_mixer 1.2.12, zlib licence|
libzlib.dll|zlib|zlib 1.2.13, zlib licence|
libpng16.dll|libpng|libpng 1.6.39, libpng licence|
libjpeg-62.dll|libjpeg-turbo|libjpeg-turbo 2.1.5, IJG, BSD-3-Clause and zlib licences|
libfreetype.dll|freetype|FreeType 2.12.1, FreeType License (FTL)|
libfreeglut.dll|freeglut|freeglut 3.4.0, MIT/X11 licence|
glew32.dll|glew|GLEW 2.2.0, BSD-3-Clause and MIT licences|
libftgl.dll|ftgl|FTGL 2.4.0, MIT licence|"
# Each library's own licence files: the library, the file, its name here.
own="sdl:COPYING:COPYING sdl_mixer:COPYING:COPYING zlib:LICENSE:LICENSE libpng:LICENSE:LICENSE
libjpeg-turbo:LICENSE.md:LICENSE libjpeg-turbo:README.ijg:README-ijg freetype:docs/FTL.TXT:FTL
freeglut:COPYING:COPYING glew:LICENSE.txt:LICENSE"
licenses="$release/licenses"
cp "$root/LICENSE" "$licenses/Drifthaul-GPL-3.0.txt"
for lib in sdl sdl_mixer zlib libpng libjpeg-turbo freetype freeglut glew; do
    cp "$out/work/$lib/debian/copyright" "$licenses/$lib.txt"
done
for triple in $own; do
    lib=${triple%%:*} name=${triple##*:} file=${triple#*:}
    cp "$out/work/$lib/${file%:*}" "$licenses/$lib-$name.txt"
done
cp "$out/work/ftgl/COPYING" "$licenses/ftgl.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$licenses/gcc-runtime.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$licenses/mingw-w64-winpthreads.txt"
dejavu_licences "$licenses"
# Files FTGL took from others keep their own notices.
python3 "$root/scripts/notices.py" FTGL "$out/work/ftgl/src" >"$licenses/ftgl-notices.txt"
sed -i -E 's#/usr/share/common-licenses/([A-Za-z0-9.+-]*[A-Za-z0-9+])#licenses\\\1.txt#g' "$licenses"/*.txt
# Debian's "GPL", "LGPL" and "GFDL" without a version are its latest.
sed -i -e 's#licenses\\GPL\.txt#licenses\\GPL-3.txt#g; s#licenses\\LGPL\.txt#licenses\\LGPL-3.txt#g' \
    -e 's#licenses\\GFDL\.txt#licenses\\GFDL-1.3.txt#g' "$licenses"/*.txt
for name in $(cat "$licenses"/*.txt | grep -o 'licenses\\[A-Za-z0-9.+-]*\.txt' | sed 's|.*\\||' | sort -u) LGPL-2.1.txt; do
    cp "/usr/share/common-licenses/${name%.txt}" "$licenses/$name"
done
for dll in "$release"/game/*.dll; do
    echo "$libraries" | grep -q "^$(basename "$dll")|" ||
        { echo "$(basename "$dll") is bundled but its library and licence are not named" >&2; exit 1; }
done

# The README, with the DLLs' licences and the exact source files, in CRLF.
{
    sed '/^@LIBRARIES@/,$d' "$root/scripts/windows/README.txt"
    echo "$libraries" | while IFS='|' read -r dll lib what common; do
        names=$(cd "$licenses" && for name in "$lib.txt" "$lib"-*.txt ${common:+"$common.txt"}; do
            [ ! -f "$name" ] || echo "$name"
        done)
        printf '  %s: %s\n    %s\n' "$dll" "$what" "$(echo "$names" | sed 's|^|licenses\\|' | tr '\n' ' ' | sed 's/ $//')"
    done
    sed -e '1,/^@LIBRARIES@/d' -e '/^@SOURCES@/,$d' "$root/scripts/windows/README.txt"
    grep -v '^#' "$root/scripts/windows/sources.txt" | while read -r dir file sha; do
        case $dir in '' | g/googletest) continue ;; esac
        origin="from Debian's source package in pool/main/$dir/"
        [ "$dir" != f/ftgl ] || origin="FTGL's upstream release tarball, as Debian's mirror serves it in pool/main/$dir/ (no Debian packaging)"
        printf '      %s\n        %s\n        SHA-256 %s\n' "$file" "$origin" "$sha"
    done
} | sed "s/@VERSION@/$version/g; s/\$/\r/" >"$release/README.txt"

# The installer's file list: each file one by one, and on removal the same
# files, then their folders deepest first.
files="$out/files.nsh"
winpath() { sed 's|^\.||; s|/|\\|g'; }
{
    echo '!macro InstallFiles'
    (cd "$release" && find . -type d | sort) | while read -r dir; do
        printf '    SetOutPath "$INSTDIR%s"\n' "$(echo "$dir" | winpath)"
        (cd "$release/$dir" && find . -maxdepth 1 -type f | sort) | while read -r file; do
            printf '    File "%s"\n' "$release/${dir#./}/${file#./}" | sed 's|/\./|/|; s|//|/|'
        done
    done
    echo '!macroend'
    echo '!macro RemoveFiles'
    (cd "$release" && find . -type f | sort) | while read -r file; do
        printf '    Delete "$INSTDIR%s"\n' "$(echo "$file" | winpath)"
    done
    (cd "$release" && find . -mindepth 1 -type d | sort -r) | while read -r dir; do
        printf '    RMDir "$INSTDIR%s"\n' "$(echo "$dir" | winpath)"
    done
    echo '!macroend'
} >"$files"

stamp "zip, installer and sources"
zip="$out/drifthaul-$version-win64.zip"
(cd "$out" && reproducible_zip "$zip" "drifthaul-$version")
makensis -V2 -DVERSION="$version" -DRELEASE="$release" -DOUTFILE="$out/drifthaul-$version-win64-setup.exe" \
    -DFILES="$files" -DICON="$native/stage/icons/drifthaul.ico" -DSIZE_KB="$(du -sk "$release" | cut -f1)" \
    "$root/scripts/windows/drifthaul.nsi"
source_archive "$out/drifthaul-$version-source.tar.gz" "drifthaul-$version"
# The libraries' sources stand alone: the pinned files, our patches, the
# recipe and the toolchain file, laid out as in the game's tree.
bundle="$out/library-sources"
rm -rf "$bundle"
mkdir -p "$bundle/scripts" "$bundle/cmake"
cp -R "$out/sources" "$bundle/sources"
cp -R "$root/scripts/windows" "$bundle/scripts/windows"
cp "$root/scripts/pinned.sh" "$bundle/scripts/"
cp "$root/cmake/mingw-w64-x86_64.cmake" "$bundle/cmake/"
sed "s/@VERSION@/$version/g" "$root/scripts/windows/BUILD.txt" >"$bundle/BUILD.txt"
tar -cf "$out/drifthaul-$version-win64-library-sources.tar" -C "$bundle" --sort=name \
    --owner=0 --group=0 --numeric-owner --mtime=@$release_epoch BUILD.txt cmake scripts sources
stamp "done"
ls -l "$zip" "$out/drifthaul-$version-win64-setup.exe" "$out/drifthaul-$version-source.tar.gz" \
    "$out/drifthaul-$version-win64-library-sources.tar"
