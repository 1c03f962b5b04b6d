// SPDX-License-Identifier: GPL-3.0-or-later
// What differs between the operating systems the game runs on, behind one
// interface. The build picks platform_posix.cpp (Linux) or
// platform_windows.cpp; nothing else in the game tests for the system.
//
// The counter is monotonic and never goes back; its frequency is its ticks
// per second and does not change while the game runs. setEnvironmentDefault
// sets a variable for this process and the libraries it loads, unless the
// player has already set it.
#pragma once

#include <cstdint>

int64_t platformCounter();
int64_t platformCounterFrequency();
void setEnvironmentDefault(const char* name, const char* value);
