#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the game's libraries for the browser with Emscripten (Debian 13's)
# into a prefix of static libraries, from the source packages pinned in
# sources.txt: each file fetched from the mirror apt uses and checked against
# its SHA-256, Debian's patches applied where the mirror has them, then ours.
# Usage: scripts/web/libs.sh PREFIX WORKDIR SOURCESDIR
# The build script runs it only when the pins, the patches or this recipe
# changed (its stamp in PREFIX).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
prefix=$1 work=$2 sources=$3
jobs=$(nproc)
rm -rf "$prefix" "$work"
mkdir -p "$prefix/lib" "$prefix/include/GL" "$work" "$sources"
# No path of this machine goes into the release: assertions and __FILE__
# name each library's files from its own folder.
export CFLAGS="-ffile-prefix-map=$work/= -ffile-prefix-map=$prefix/="
export CXXFLAGS="$CFLAGS"
# Nor the time of the build: gl4es logs __DATE__ and __TIME__, which the
# compiler takes from here (1 January 1980, the date the release zips carry).
export SOURCE_DATE_EPOCH=315532800

# Our patches: the web's own (gl4es on WebGL) and the Windows recipe's
# (FTGL's CMake, zlib's resource).
patches="$here/patches $here/../windows/patches"
. "$here/../pinned.sh"
fetch_pinned "$here/sources.txt"
stamp() { echo "== $(date +%T) $*"; }

cmake_build()
{
    src=$1
    shift
    emcmake cmake -S "$src" -B "$src/_build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DCMAKE_PREFIX_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >"$src/_build.log" 2>&1 ||
        { tail -n 30 "$src/_build.log"; exit 1; }
    cmake --build "$src/_build" -j"$jobs" >>"$src/_build.log" 2>&1 || { tail -n 30 "$src/_build.log"; exit 1; }
    cmake --install "$src/_build" >>"$src/_build.log" 2>&1 || { tail -n 30 "$src/_build.log"; exit 1; }
}
# archive NAME FLAGS SOURCES...: compiles C sources with emcc into libNAME.a.
archive()
{
    name=$1 flags=$2
    shift 2
    mkdir -p "$work/_obj/$name"
    for src in "$@"; do
        emcc -O2 $CFLAGS $flags -c "$src" -o "$work/_obj/$name/$(basename "$src").o"
    done
    emar rcs "$prefix/lib/lib$name.a" "$work/_obj/$name"/*.o
}

stamp zlib
# zlib's CMake wants its Windows resource, which Debian's tarball lacks: its
# sources compiled as they are.
zlib=$(unpack zlib zlib_1.2.13.dfsg.orig.tar.bz2 zlib_1.2.13.dfsg-1.debian.tar.xz)
cp "$zlib/zlib.h" "$zlib/zconf.h" "$prefix/include/"
archive z "-DHAVE_UNISTD_H -Wno-deprecated-non-prototype" "$zlib"/*.c
stamp libpng
cmake_build "$(unpack libpng libpng1.6_1.6.39.orig.tar.gz libpng1.6_1.6.39-2+deb12u5.debian.tar.xz)" \
    -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DZLIB_LIBRARY="$prefix/lib/libz.a" \
    -DZLIB_INCLUDE_DIR="$prefix/include"
stamp libjpeg-turbo
cmake_build "$(unpack libjpeg-turbo libjpeg-turbo_2.1.5.orig.tar.gz libjpeg-turbo_2.1.5-2.debian.tar.xz)" \
    -DENABLE_SHARED=OFF -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
# As for Windows, four of Debian's patches touch only the demos' and
# documents' tarballs. The game's font is TrueType: no PNG glyphs.
stamp freetype
cmake_build "$(unpack freetype freetype_2.12.1+dfsg.orig.tar.xz freetype_2.12.1+dfsg-5+deb12u4.debian.tar.xz \
    no-web-fonts.patch hide-donations-information.patch CVE-2022-31782.patch hardening.patch)" \
    -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON -DFT_DISABLE_PNG=ON \
    -DFT_REQUIRE_ZLIB=ON -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include"
# gl4es: desktop OpenGL over WebGL, started by the game itself (no loader,
# no constructor). Its own glu.h renames GLU to functions it lacks: GLU's
# header comes from GLU.
stamp gl4es
gl4es=$(unpack gl4es gl4es_1.1.6+ds.orig.tar.xz "")
emcmake cmake -S "$gl4es" -B "$gl4es/_build" -DCMAKE_BUILD_TYPE=Release -DNOX11=ON -DNOEGL=ON -DSTATICLIB=ON \
    -DNO_LOADER=ON -DNO_INIT_CONSTRUCTOR=ON >"$gl4es/_build.log" 2>&1 || { tail -n 30 "$gl4es/_build.log"; exit 1; }
cmake --build "$gl4es/_build" -j"$jobs" >>"$gl4es/_build.log" 2>&1 || { tail -n 30 "$gl4es/_build.log"; exit 1; }
cp "$gl4es/lib/libGL.a" "$prefix/lib/"
cp "$gl4es"/include/GL/gl.h "$gl4es"/include/GL/glext.h "$gl4es"/include/GL/gl_mangle.h "$prefix/include/GL/"
cp "$gl4es/include/gl4esinit.h" "$prefix/include/"
# GLU: its utilities and tesselator (FTGL's extruded font), compiled as they
# are (the heap is included by the queue); the NURBS part is not used.
stamp GLU
glu=$(unpack glu libglu_9.0.2.orig.tar.gz "")
cp "$glu/include/GL/glu.h" "$prefix/include/GL/"
archive GLU "-I$prefix/include -I$glu/include -I$glu/src/include -DLIBRARYBUILD" \
    $(ls "$glu"/src/libutil/*.c "$glu"/src/libtess/*.c | grep -v priorityq-heap)
# FTGL over FreeType, static; OpenGL is gl4es's header.
stamp FTGL
cmake_build "$(unpack ftgl ftgl_2.4.0.orig.tar.xz "")" -DOPENGL_gl_LIBRARY="$prefix/lib/libGL.a" \
    -DOPENGL_glu_LIBRARY="$prefix/lib/libGLU.a" -DOPENGL_INCLUDE_DIR="$prefix/include" \
    -DFREETYPE_LIBRARY="$prefix/lib/libfreetype.a" -DFREETYPE_INCLUDE_DIRS="$prefix/include/freetype2"
# freeglut gives only its bitmap fonts' glyphs; the game's GLUT for the web
# draws them (code/sys/web).
stamp "freeglut's fonts"
freeglut=$(unpack freeglut freeglut_3.4.0.orig.tar.gz freeglut_3.4.0-1.debian.tar.xz)
mkdir -p "$work/fontshim"
cat >"$work/fontshim/fg_internal.h" <<'SHIM'
/* Just the font record freeglut's font data needs. */
typedef struct tagSFG_Font {
    char* Name;
    int Quantity;
    int Height;
    const GLubyte** Characters;
    float xorig, yorig;
} SFG_Font;
SHIM
mkdir -p "$work/fontshim/GL"
printf '#include <GL/gl.h>\n' >"$work/fontshim/GL/freeglut.h"
# Compiled beside the shim, which its quoted include then finds first.
cp "$freeglut/src/fg_font_data.c" "$work/fontshim/"
archive glutfonts "-I$work/fontshim -I$prefix/include" "$work/fontshim/fg_font_data.c"
stamp googletest
cmake_build "$(unpack googletest googletest_1.12.1.orig.tar.gz googletest_1.12.1-0.2.debian.tar.xz)" \
    -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=ON
stamp "libraries built into $prefix"
