// SPDX-License-Identifier: GPL-3.0-or-later
// Composition of one rendered frame: the camera with its shake, the backdrop,
// the play field (directly, or through the five-frame slow-motion trail) and
// the 2D overlay with the HUD and the phase messages.
//
// renderScene is called once per frame by the main loop, paused or not, on the
// main thread with the window's context current. The trail ring (blurIndex,
// blurCount, in opengl/bufferobjects.h) persists across frames; the game
// state empties it when a powerup runs out.
#pragma once

#include <cstdint>

void renderScene();
void setupCamera();
void drawBlurQuad(const unsigned int* textures, int32_t count);
void drawMessages();

// Called by the game state when a powerup's timer runs out.
void resetBlurTrail();

// Gives the planet the texture of level n (level 0 keeps the start-up image).
void retexturePlanetForLevel(int32_t n);


// A probe for tests and the benchmark, run before each object of the frame
// is drawn, with what it is: "stars", "sun", "planet", "entry", "debris" (a
// run of shards), "funnel", "trail", "fps", "message", "meter", "health",
// "powerup". Null in the game. Every draw sets the state its picture
// depends on, so nothing the probe leaves may change the frame.
extern void (*beforeEachDraw)(const char* what);
inline void probeBeforeDraw(const char* what)
{
    if (beforeEachDraw)
        beforeEachDraw(what);
}
