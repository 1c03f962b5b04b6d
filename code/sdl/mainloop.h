// SPDX-License-Identifier: GPL-3.0-or-later
// The main loop: events, key bindings, the per-frame update order, the
// full-frame fade and the 40 ms pacing; and the loading screen's fade-out.
//
// runMainLoop runs on the main thread after startUp and returns when Escape
// is pressed or the window is closed. The event handlers are separate so the
// bindings can be driven in-process.
#pragma once

#include <SDL/SDL.h>
#include <cstdint>

void runMainLoop();
void fadeOutLoadingScreen();

// Applies one key press; sets quit for Escape.
void handleKey(SDLKey key, bool& quit);
// Applies one relative mouse motion; the first two are ignored.
void handleMouseMotion(uint8_t state, uint32_t x, uint32_t y, int32_t xrel, int32_t yrel);
void handleEvent(const SDL_Event& event, bool& quit);

// The update step of one frame (skipped while paused or stopped).
void updateFrame();
// Step 4 of the frame: scales the rendered frame by the fade factor.
void applyScreenFade();
