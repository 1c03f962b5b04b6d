// SPDX-License-Identifier: GPL-3.0-or-later
// Microsecond stopwatch over the system's monotonic counter (sys/platform.h).
//
// A stopwatch that was never started reports the clock's absolute reading in
// microseconds; the FPS readout relies on that and only ever differences two
// readings. Readings are taken on the calling thread; nothing is shared.
#pragma once

#include <cstdint>

class Stopwatch {
public:
    Stopwatch();
    void start();
    void stop();
    double elapsedMicros();

    int64_t frequency() const { return frequency_; }

private:
    static int64_t counter();

    int64_t frequency_;
    int64_t startCount_ = 0;
    int64_t endCount_ = 0;
    bool stopped_ = false;
    double startMicros_ = 0.0;
    double endMicros_ = 0.0;
};
