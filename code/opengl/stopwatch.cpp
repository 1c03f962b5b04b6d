// SPDX-License-Identifier: GPL-3.0-or-later
#include "opengl/stopwatch.h"

#include "sys/platform.h"

Stopwatch::Stopwatch() : frequency_(platformCounterFrequency()) {}

int64_t Stopwatch::counter()
{
    return platformCounter();
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
