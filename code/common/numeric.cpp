// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/numeric.h"

#include <cmath>

float lerp(float a, float b, float t)
{
    return static_cast<float>(static_cast<double>(a) * (1.0 - t) + static_cast<double>(b) * t);
}

float smoothstep(float a, float b, float t)
{
    const double t2 = std::pow(t, 2.0f);
    const double t3 = std::pow(t, 3.0f);
    return static_cast<float>((3.0 * t2 - 2.0 * t3) * (static_cast<double>(b) - a) + a);
}

float smootherstep(float a, float b, float t)
{
    const double t3 = std::pow(t, 3.0f);
    const double t4 = std::pow(t, 4.0f);
    const double t5 = std::pow(t, 5.0f);
    return static_cast<float>((6.0 * t5 - 15.0 * t4 + 10.0 * t3) * (static_cast<double>(b) - a) + a);
}

static unsigned long randomState = 1;

int gameRand()
{
    randomState = randomState * 1103515245ul + 12345ul;
    return static_cast<int>((randomState / 65536ul) % 32768ul);
}

void gameSrand(unsigned int seed)
{
    randomState = seed;
}

int randomIndex(int a, int b)
{
    const float u = static_cast<float>(gameRand()) / 32767.0f;
    return static_cast<int>(lerp(static_cast<float>(a), static_cast<float>(b), u));
}

double randomFraction()
{
    return gameRand() / 32767.0;
}
