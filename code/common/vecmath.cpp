// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/vecmath.h"

#include <cmath>

void crossProduct(const float a[3], const float b[3], float out[3])
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

float normalize(float v[3])
{
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length == 0.0f) {
        v[0] = 0.0f;
        v[1] = 0.0f;
        v[2] = 1.0f;
        return 0.0f;
    }
    v[0] /= length;
    v[1] /= length;
    v[2] /= length;
    return length;
}

void triangleNormal(const float p0[3], const float p1[3], const float p2[3], float out[3])
{
    const float e1[3] = {p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]};
    const float e2[3] = {p2[0] - p0[0], p2[1] - p0[1], p2[2] - p0[2]};
    crossProduct(e1, e2, out);
    normalize(out);
}
