// SPDX-License-Identifier: GPL-3.0-or-later
#include "opengl/stopwatch.h"

#include <ctime>

// The monotonic clock counts nanoseconds: that is the counter's frequency.
static const int64_t kNanosPerSecond = 1000000000;

Stopwatch::Stopwatch() : frequency_(kNanosPerSecond) {}

int64_t Stopwatch::counter()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * kNanosPerSecond + ts.tv_nsec;
}

void Stopwatch::start()
{
    stopped_ = false;
    startCount_ = counter();
}

void Stopwatch::stop()
{
    stopped_ = true;
    endCount_ = counter();
}

double Stopwatch::elapsedMicros()
{
    if (!stopped_)
        endCount_ = counter();
    const double microsPerCount = 1000000.0 / static_cast<double>(frequency_);
    startMicros_ = static_cast<double>(startCount_) * microsPerCount;
    endMicros_ = static_cast<double>(endCount_) * microsPerCount;
    return endMicros_ - startMicros_;
}
