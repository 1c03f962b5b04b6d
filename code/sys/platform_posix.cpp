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

void setEnvironmentDefault(const char* name, const char* value)
{
    setenv(name, value, 0);
}
