// SPDX-License-Identifier: GPL-3.0-or-later
#include "sys/platform.h"

#include <windows.h>

#include <cstdlib>

int64_t platformCounter()
{
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

int64_t platformCounterFrequency()
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}

void prepareVideoEnvironment()
{
    // freeglut takes DISPLAY, an X11 name that Wine passes on, for the
    // name of a Windows display device, fails to open it and says so.
    _putenv_s("DISPLAY", "");
}
