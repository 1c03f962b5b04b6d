// SPDX-License-Identifier: GPL-3.0-or-later
// The application shell's process-wide state: render settings, the mouse's
// skip counter and the full-frame fade.
//
// renderFlags: low byte the render mode (0 wireframe, 1 immediate, 2 vertex
// buffer objects), bit 0x100 debug normals, bit 0x200 bounding boxes. It is 0
// until start-up sets it to 2. showFps switches the FPS readout. The fade is
// armed by start-up and the game rules and stepped once per frame by the main
// loop; fadeFactor is also handed to every shader program.
#pragma once

#include <cstdint>

enum RenderMode : uint32_t {
    RENDER_WIREFRAME = 0,
    RENDER_IMMEDIATE = 1,
    RENDER_BUFFER_OBJECTS = 2,
};

const uint32_t RENDER_MODE_MASK = 0xFF;
const uint32_t RENDER_NORMALS = 0x100;
const uint32_t RENDER_BOUNDING_BOX = 0x200;

extern uint32_t renderFlags;
extern bool showFps;
// Mouse motions ignored so far: the first two after start-up are.
extern uint32_t mouseSkip;

enum FadeMode : int32_t {
    FADE_OFF = 0,
    FADE_OUT = 1,
    FADE_IN = 5,
    FADE_INVERT_BIT = 4,
};

struct ScreenFade {
    int32_t fadeMode = FADE_OFF;
    int32_t fadeSteps = 0;
    float fadeFactor = 0.0f;

    // Arms a fade of steps + 1 frames.
    void arm(int32_t mode, int32_t steps);

    // Computes this frame's factor and counts the fade down; returns false
    // (and changes nothing) when no fade runs.
    bool step();
};

extern ScreenFade screenFade;
