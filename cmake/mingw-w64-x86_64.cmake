# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (POSIX threads).
# The libraries come from the prefix that scripts/build-windows.sh fills,
# named by DRIFTHAUL_WINDOWS_PREFIX in the environment (try_compile reads
# this file again without the cache).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 $ENV{DRIFTHAUL_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The GCC runtime (libgcc, libstdc++) and winpthreads are linked into each
# program and DLL, so that none of their DLLs ships. GCC adds -lpthread to
# every link itself; a folder holding only the static archives, searched
# first, makes that one static too.
execute_process(COMMAND ${CMAKE_C_COMPILER} -print-file-name=libwinpthread.a
    OUTPUT_VARIABLE _winpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
set(_static_runtime "${CMAKE_BINARY_DIR}/static-runtime")
file(MAKE_DIRECTORY "${_static_runtime}")
configure_file("${_winpthread}" "${_static_runtime}/libpthread.a" COPYONLY)
configure_file("${_winpthread}" "${_static_runtime}/libwinpthread.a" COPYONLY)
# A DLL exports none of them: a DLL that exports all its symbols (FTGL)
# would otherwise clash with the program's own copy.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -L${_static_runtime}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${CMAKE_EXE_LINKER_FLAGS_INIT} -Wl,--exclude-libs,libgcc.a:libgcc_eh.a:libstdc++.a:libpthread.a:libwinpthread.a")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${CMAKE_SHARED_LINKER_FLAGS_INIT}")
