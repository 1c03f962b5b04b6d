# SPDX-License-Identifier: GPL-3.0-or-later
# The browser build, with Emscripten: the libraries come from a prefix made by
# scripts/web/libs.sh (gl4es for OpenGL, GLU, FTGL over FreeType, libpng,
# libjpeg, zlib, freeglut's font glyphs); SDL and SDL_mixer are
# Emscripten's own. The web's stand-ins for GLEW's and GLUT's headers come
# first on the include path. The assets are packed from a folder the build
# script makes with the native tools (the sounds as WAV, which browsers
# decode).
set(DRIFTHAUL_WEB_PREFIX "" CACHE PATH "the web libraries' prefix (scripts/web/libs.sh)")
set(DRIFTHAUL_WEB_ASSETS "" CACHE PATH "the assets as the browser gets them (scripts/build-web.sh)")
if(NOT EXISTS "${DRIFTHAUL_WEB_PREFIX}/lib/libGL.a")
    message(FATAL_ERROR "the web build needs DRIFTHAUL_WEB_PREFIX, made by scripts/web/libs.sh")
endif()
set(prefix ${DRIFTHAUL_WEB_PREFIX})
add_library(web_libraries INTERFACE)
target_include_directories(web_libraries BEFORE INTERFACE ${CMAKE_SOURCE_DIR}/code/sys/web
    ${prefix}/include ${prefix}/include/freetype2)
target_link_libraries(web_libraries INTERFACE ${prefix}/lib/libftgl.a ${prefix}/lib/libGLU.a
    ${prefix}/lib/libGL.a ${prefix}/lib/libglutfonts.a ${prefix}/lib/libfreetype.a
    ${prefix}/lib/libpng16.a ${prefix}/lib/libjpeg.a ${prefix}/lib/libz.a)
set(GAME_LIBRARIES web_libraries)
list(APPEND CORE_SOURCES code/sys/platform_web.cpp code/sys/glew_web.cpp code/sys/glutfont_web.cpp
     code/sys/imageload_decoders.cpp code/sys/bmpread_own.cpp code/sys/surface_web.cpp)

# The game's link: a desktop-sized stack (the image loader reads in 64 KiB
# chunks on it, and Emscripten's default stack is 64 KiB); the blocking loop
# kept, its sleeps yielding to the page (ASYNCIFY); WebGL 1 with client-side
# arrays for gl4es; exit reaches the page's onExit with its code; the assets
# packed into drifthaul.data, the game's folder the working directory
# (index.html).
set(WEB_GAME_LINK_OPTIONS -sSTACK_SIZE=4MB -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sALLOW_MEMORY_GROWTH=1
    -sEXIT_RUNTIME=1 -sFULL_ES2=1 -sENVIRONMENT=web -sEXPORTED_RUNTIME_METHODS=FS,callMain
    -sEXPORTED_FUNCTIONS=_main,_drifthaulPause "SHELL:--preload-file ${DRIFTHAUL_WEB_ASSETS}@/")
