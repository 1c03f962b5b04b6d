// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/shippath.h"

#include <cmath>

ShipPath::ShipPath() : step(0.01f), current{0.0f, 0.0f, 0.0f}
{
    restart();
}

float ShipPath::bspline4(float p0, float p1, float p2, float p3, float t)
{
    const double t2 = std::pow(t, 2.0f);
    const double t3 = std::pow(t, 3.0f);
    const double b0 = std::pow(1.0f - t, 3.0f) / 6.0;
    const double b1 = (3.0 * t3 - 6.0 * t2 + 4.0) / 6.0;
    const double b2 = (-3.0 * t3 + 3.0 * t2 + 3.0 * t + 1.0) / 6.0;
    const double b3 = t3 / 6.0;
    return static_cast<float>(b0 * p0 + b1 * p1 + b2 * p2 + b3 * p3);
}

void ShipPath::addPoint(float x, float y, float z)
{
    // Sizes and the segment compare unsigned where the trimming tests the
    // list's fill, signed elsewhere: a segment ahead of the list never
    // triggers the catch-up below.
    if (static_cast<uint32_t>(points.size()) > 3u) {
        while ((static_cast<int32_t>(points.size()) > 7 && segment > 1) ||
               static_cast<int32_t>(points.size()) > 21) {
            points.pop_front();
            if (segment > 0)
                --segment;
            else
                t = 0.0f;
        }
        // Drop the two extra copies of the previous target.
        points.pop_back();
        points.pop_back();
        if (static_cast<uint32_t>(points.size()) - static_cast<uint32_t>(segment) <= 3u) {
            points.pop_back();
            ++segment;
            points.push_back({current[0], current[1], current[2]});
            points.push_back({current[0], current[1], current[2]});
        }
    }
    for (int k = 0; k < 3; ++k)
        points.push_back({x, y, z});
    dirty = true;
}

bool ShipPath::advance()
{
    const int32_t n = static_cast<int32_t>(points.size());
    if (n >= 6 && !moving) {
        moving = true;
        t = 0.0f;
        segment = 0;
    }
    if (moving) {
        t += step;
        if (t >= 1.0f) {
            t = t - (1.0f - step);
            ++segment;
            if (segment >= n - 3) {
                segment = 0;
                restart();
            }
        }
    }
    return moving;
}

const float* ShipPath::position()
{
    if (dirty) {
        xs.resize(points.size());
        ys.resize(points.size());
        for (size_t i = 0; i < points.size(); ++i) {
            xs[i] = points[i].x;
            ys[i] = points[i].y;
        }
        dirty = false;
    }
    if (points.size() >= 4) {
        const size_t s = static_cast<size_t>(segment);
        current[0] = bspline4(xs[s], xs[s + 1], xs[s + 2], xs[s + 3], t);
        current[1] = bspline4(ys[s], ys[s + 1], ys[s + 2], ys[s + 3], t);
    } else {
        current[0] = xs[0];
        current[1] = ys[0];
    }
    return current;
}

void ShipPath::restart()
{
    points.clear();
    xs.clear();
    xs.shrink_to_fit();
    ys.clear();
    ys.shrink_to_fit();
    dirty = true;
    moving = false;
    segment = 0;
    for (int k = 0; k < 3; ++k)
        points.push_back({current[0], current[1], current[2]});
}
