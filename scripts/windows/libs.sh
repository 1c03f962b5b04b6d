#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds the game's libraries for 64-bit Windows into a prefix, from
# the Debian source packages pinned in sources.txt: each file fetched from
# the mirror apt uses here and checked against its SHA-256, Debian's patches
# applied but for the few listed below, then our own from patches/.
# Usage: scripts/windows/libs.sh PREFIX WORKDIR SOURCESDIR
# The build script runs it only when the pins, the patches or this recipe
# changed (its stamp in PREFIX).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
prefix=$1 work=$2 sources=$3
host=x86_64-w64-mingw32
jobs=$(nproc)
rm -rf "$prefix" "$work"
mkdir -p "$prefix" "$work" "$sources"
# No path of this machine goes into the DLLs: assertions and __FILE__ name
# each library's files from its own folder (-O2 as configure's default).
export CFLAGS="-O2 -ffile-prefix-map=$work/= -ffile-prefix-map=$prefix/="
export CXXFLAGS="$CFLAGS"
# Nor the time of the build: no link date in the DLLs' headers, and
# __DATE__ and __TIME__ read 1 January 1980, the date the zips carry.
export LDFLAGS="-Wl,--no-insert-timestamp"
export SOURCE_DATE_EPOCH=315532800

patches="$here/patches"
. "$here/../pinned.sh"
fetch_pinned "$here/sources.txt"

export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig"
export DRIFTHAUL_WINDOWS_PREFIX="$prefix"
export PATH="$prefix/bin:$PATH"
toolchain=$(cd "$here/../../cmake" && pwd)/mingw-w64-x86_64.cmake
cmake_build()
{
    src=$1
    shift
    cmake -S "$src" -B "$src/_build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >"$src/_build.log" 2>&1 ||
        { tail -n 30 "$src/_build.log"; exit 1; }
    cmake --build "$src/_build" -j"$jobs" >>"$src/_build.log" 2>&1 || { tail -n 30 "$src/_build.log"; exit 1; }
    cmake --install "$src/_build" >>"$src/_build.log" 2>&1 || { tail -n 30 "$src/_build.log"; exit 1; }
}
# configure_build SRC "MAKE TARGETS" "INSTALL TARGETS" CONFIGURE-ARGUMENTS...
configure_build()
{
    src=$1 targets=$2 installs=$3
    shift 3
    (cd "$src" && ./configure --host=$host --prefix="$prefix" CC=$host-gcc-posix "$@" >_build.log 2>&1 &&
        make -j"$jobs" $targets >>_build.log 2>&1 && make $installs >>_build.log 2>&1) ||
        { tail -n 30 "$src/_build.log"; exit 1; }
}
stamp() { echo "== $(date +%T) $*"; }

# Debian's tarball has no win32/ folder: CMake builds it.
stamp zlib
cmake_build "$(unpack zlib zlib_1.2.13.dfsg.orig.tar.bz2 zlib_1.2.13.dfsg-1.debian.tar.xz)" \
    -DINSTALL_PKGCONFIG_DIR="$prefix/lib/pkgconfig"
stamp libpng
cmake_build "$(unpack libpng libpng1.6_1.6.39.orig.tar.gz libpng1.6_1.6.39-2+deb12u5.debian.tar.xz)" \
    -DPNG_STATIC=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
stamp libjpeg-turbo
cmake_build "$(unpack libjpeg-turbo libjpeg-turbo_2.1.5.orig.tar.gz libjpeg-turbo_2.1.5-2.debian.tar.xz)" \
    -DENABLE_STATIC=OFF -DWITH_TURBOJPEG=OFF -DCMAKE_ASM_NASM_COMPILER=nasm
# Four of Debian's patches touch only the demos' and documents' tarballs,
# which the library does not need.
stamp freetype
cmake_build "$(unpack freetype freetype_2.12.1+dfsg.orig.tar.xz freetype_2.12.1+dfsg-5+deb12u4.debian.tar.xz \
    no-web-fonts.patch hide-donations-information.patch CVE-2022-31782.patch hardening.patch)" \
    -DBUILD_SHARED_LIBS=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON \
    -DFT_REQUIRE_ZLIB=ON -DFT_REQUIRE_PNG=ON
# Debian's dont_propagate_lpthread.diff cuts sdl-config and sdl.pc down to
# -lSDL, which loses SDLmain and WinMain. Standard output and error stay on
# the console (the game is a console program).
stamp SDL
configure_build "$(unpack sdl libsdl1.2_1.2.15+dfsg2.orig.tar.gz libsdl1.2_1.2.15+dfsg2-8.debian.tar.xz \
    dont_propagate_lpthread.diff)" all install --disable-stdio-redirect --disable-static
# The game's sounds are AIFF and WAV: no music decoders. Only the library:
# libtool puts SDLmain before the MinGW runtime in the players' link.
stamp SDL_mixer
configure_build "$(unpack sdl_mixer sdl-mixer1.2_1.2.12.orig.tar.gz sdl-mixer1.2_1.2.12-17.debian.tar.xz)" \
    build/libSDL_mixer.la "install-hdrs install-lib" \
    --with-sdl-prefix="$prefix" --disable-static --disable-music-mod --disable-music-midi \
    --disable-music-ogg --disable-music-flac --disable-music-mp3 --disable-smpegtest
# On Windows freeglut leaves out its glut.h, which CMake's FindGLUT looks for.
stamp freeglut
freeglut=$(unpack freeglut freeglut_3.4.0.orig.tar.gz freeglut_3.4.0-1.debian.tar.xz)
cmake_build "$freeglut" -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=OFF
cp "$freeglut/include/GL/glut.h" "$prefix/include/GL/"
# GLEW's makefile knows MinGW but installs neither its DLL in bin/ nor an
# import library under a name CMake finds, nor a .pc file: placed here.
stamp GLEW
glew=$(unpack glew glew_2.2.0.orig.tar.xz glew_2.2.0-4.debian.tar.xz)
make -C "$glew" SYSTEM=linux-mingw64 HOST=$host CC=$host-gcc-posix glew.lib.shared \
    >"$glew/_build.log" 2>&1 || { tail -n 30 "$glew/_build.log"; exit 1; }
mkdir -p "$prefix/include/GL" "$prefix/lib/pkgconfig"
cp "$glew"/include/GL/*.h "$prefix/include/GL/"
cp "$glew/lib/glew32.dll" "$prefix/bin/"
cp "$glew/lib/libglew32.dll.a" "$prefix/lib/"
# CMake's FindGLEW looks for glew32.lib on Windows; MinGW links it as it is.
cp "$glew/lib/libglew32.dll.a" "$prefix/lib/glew32.lib"
cat >"$prefix/lib/pkgconfig/glew.pc" <<EOF
prefix=$prefix
Name: glew
Description: The OpenGL Extension Wrangler library
Version: 2.2.0
Cflags: -I\${prefix}/include
Libs: -L\${prefix}/lib -lglew32 -lopengl32
EOF
# FTGL's CMake lists a header it lacks (our patch) and installs no .pc file.
stamp FTGL
cmake_build "$(unpack ftgl ftgl_2.4.0.orig.tar.xz "")" -DBUILD_SHARED_LIBS=ON
cat >"$prefix/lib/pkgconfig/ftgl.pc" <<EOF
prefix=$prefix
Name: ftgl
Description: OpenGL font rendering over FreeType
Version: 2.4.0
Requires: freetype2
Cflags: -I\${prefix}/include
Libs: -L\${prefix}/lib -lftgl
EOF
stamp googletest
cmake_build "$(unpack googletest googletest_1.12.1.orig.tar.gz googletest_1.12.1-0.2.debian.tar.xz)" \
    -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF
stamp "libraries built into $prefix"
