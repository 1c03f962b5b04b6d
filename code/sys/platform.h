// SPDX-License-Identifier: GPL-3.0-or-later
// What differs between the operating systems the game runs on, behind one
// interface. The build picks platform_posix.cpp (Linux) or
// platform_windows.cpp; nothing else in the game tests for the system.
//
// The counter is monotonic and never goes back; its frequency is its ticks
// per second and does not change while the game runs.
// prepareVideoEnvironment runs before SDL's video starts and sets up, for
// this process and the libraries it loads, what the system's libraries
// read from the environment.
// videoModes answers as SDL_ListModes does for a fullscreen mode: on the web
// the one size the page offers (the browser window's, or the one its URL
// asks for), as a display that lists only its own size.
// startPlatformGl runs once the GL context exists, before any GL call:
// where GL goes through a translation layer (gl4es on the web) it starts it.
// presentFrame shows the finished frame (SDL_GL_SwapBuffers, after a flush
// where drawing is batched).
// holdFatalMessage runs just before a failing exit, its message written:
// where the console is the game's own and closes with it (Windows, started
// from Explorer or a shortcut), it shows the console's words in a message
// box until the player acknowledges them. Otherwise (a shell's console,
// redirected output, Linux) it does nothing, so streams and exit codes stay
// as they are.
#pragma once

#include <cstdint>

struct SDL_Rect;

int64_t platformCounter();
int64_t platformCounterFrequency();
void prepareVideoEnvironment();
SDL_Rect** videoModes();
void startPlatformGl();
void presentFrame();
void holdFatalMessage();
