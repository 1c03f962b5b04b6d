// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/placement.h"

Placement::Placement()
    : position{0.0f, 0.0f, 0.0f},
      velocity{0.0f, 0.0f, 0.0f},
      rotation{0.0f, 0.0f, 0.0f},
      spin{0.0f, 0.0f, 0.0f},
      scale{0.0f, 0.0f, 0.0f},
      endZ(0.0f)
{
}

void Placement::setPosition(float x, float y, float z)
{
    position[0] = x;
    position[1] = y;
    position[2] = z;
}

void Placement::setVelocity(float x, float y, float z)
{
    velocity[0] = x;
    velocity[1] = y;
    velocity[2] = z;
}

void Placement::setRotation(float x, float y, float z)
{
    const float v[3] = {x, y, z};
    for (int k = 0; k < 3; ++k)
        if (v[k] >= 0.0f)
            rotation[k] = v[k];
}

void Placement::setSpin(float x, float y, float z)
{
    const float v[3] = {x, y, z};
    for (int k = 0; k < 3; ++k)
        if (v[k] != 0.0f)
            spin[k] = v[k];
}
