// SPDX-License-Identifier: GPL-3.0-or-later
// The backdrop behind the play field: a starfield of points on a large
// sphere, the sun as one textured patch of a huge sphere, and a planet whose
// texture changes with the level.
//
// Start-up creates one of each (starfield, sun, planet, in that order) after
// the texture table; the scene draws them first in every frame; they live
// until the process ends. Drawing and initialising need the OpenGL context.
#pragma once

#include "common/mesh_elements.h"

class CMesh;

class C3DObject {
public:
    C3DObject() = default;
    void setPosition(float x, float y, float z);
    virtual void draw() = 0;

    float position[3] = {0.0f, 0.0f, 0.0f};

protected:
    ~C3DObject() = default;
};

class CPlanetoid final : public C3DObject {
public:
    ~CPlanetoid();
    void init(const char* path, float radius);
    void setTexture(const char* path);
    void draw() override;

    int texture = 0;
    CMesh* mesh = nullptr;
};

class CSun final : public C3DObject {
public:
    ~CSun();
    // Radius, centre azimuth and elevation, half-width and half-height (radians).
    void init(float R, float a, float b, float c, float d);
    void draw() override;

    CVertexStruct* corners = nullptr;
    int flare = 0;
};

class CStarfield final : public C3DObject {
public:
    // Seeds the process-wide random generator: the game's sequence starts here.
    CStarfield();
    ~CStarfield();
    void createStars(int count, float radius);
    void draw() override;

    float* stars = nullptr;
    int count = 0;

private:
    // The points recorded on the first draw after createStars: a thousand
    // immediate-mode calls a frame cost more than drawing them.
    unsigned int pointList = 0;
};

extern CStarfield* starfield;
extern CSun* sun;
extern CPlanetoid* planet;
