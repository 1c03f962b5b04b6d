// SPDX-License-Identifier: GPL-3.0-or-later
#include "sys/platform.h"

#include <cstdlib>
#include <ctime>

// The monotonic clock counts nanoseconds.
int64_t platformCounter()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

int64_t platformCounterFrequency()
{
    return 1000000000;
}

void prepareVideoEnvironment()
{
    // sdl12-compat otherwise draws through its own framebuffer object and
    // copies that to the window on every swap. A player's own setting wins:
    // the game draws the same either way.
    setenv("SDL12COMPAT_OPENGL_SCALING", "0", 0);
}

// A terminal outlives the game: the message stays where it was written.
void holdFatalMessage() {}
