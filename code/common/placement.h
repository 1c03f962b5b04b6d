// SPDX-License-Identifier: GPL-3.0-or-later
// Placement: the plain base record of everything that has a place in the play
// field or on the overlay (list entries, the HUD panel, the catcher funnel).
//
// Construction zeroes position, velocity, rotation and spin; the owner sets
// scale and end depth. Rotations are only ever set to non-negative angles and
// a zero spin component keeps the previous spin, which the random resets of
// the trash list rely on.
#pragma once

struct Placement {
    float position[3];
    float velocity[3];
    float rotation[3];
    float spin[3];
    float scale[3];
    float endZ;

    Placement();

    void setPosition(float x, float y, float z);
    void setVelocity(float x, float y, float z);
    void setRotation(float x, float y, float z);
    void setSpin(float x, float y, float z);
};
