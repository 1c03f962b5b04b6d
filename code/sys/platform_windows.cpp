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

void setEnvironmentDefault(const char* name, const char* value)
{
    if (!std::getenv(name))
        _putenv_s(name, value);
}
