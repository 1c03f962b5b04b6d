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
// holdFatalMessage runs just before a failing exit, its message written:
// where the console is the game's own and closes with it (Windows, started
// from Explorer or a shortcut), it shows the console's words in a message
// box until the player acknowledges them. Otherwise (a shell's console,
// redirected output, Linux) it does nothing, so streams and exit codes stay
// as they are.
#pragma once

#include <cstdint>

int64_t platformCounter();
int64_t platformCounterFrequency();
void prepareVideoEnvironment();
void holdFatalMessage();
