// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdl/mainloop.h"

#include <GL/glew.h>

#include <cassert>
#include <cstdio>
#include <iostream>

#include "common/catcher.h"
#include "common/gamestate.h"
#include "common/scene.h"
#include "common/settings.h"
#include "common/trashlist.h"
#include "opengl/glutil.h"
#include "sdl/startup.h"
#include "sdl/video.h"
#include "sys/platform.h"


void handleKey(SDLKey key, bool& quit)
{
    switch (key) {
    case SDLK_RETURN:
        gameState.paused = !gameState.paused;
        break;
    case SDLK_ESCAPE:
        quit = true;
        std::cout << "Escape pressed, exiting..." << std::endl;
        break;
    case SDLK_SPACE:
        if (gameState.phase == PHASE_WAITING)
            gameState.phase = PHASE_PLAYING;
        break;
    case SDLK_b:
        renderFlags ^= RENDER_BOUNDING_BOX;
        std::fprintf(stderr, "render bounding box %d\n", renderFlags & RENDER_BOUNDING_BOX);
        break;
    case SDLK_f:
        showFps = !showFps;
        std::printf("fbo mode is now %d\n", showFps ? 1 : 0);
        std::fflush(stdout);
        break;
    case SDLK_n:
        renderFlags ^= RENDER_NORMALS;
        std::fprintf(stderr, "render normal %d\n", renderFlags & RENDER_NORMALS);
        break;
    case SDLK_r: {
        const uint32_t mode = ((renderFlags & RENDER_MODE_MASK) + 1) % 3;
        renderFlags = (renderFlags & ~RENDER_MODE_MASK) | mode;
        static const char* const names[3] = {"render mode: wireframe", "render mode: immediate",
                                             "render mode: Vetexbuffer objects"};
        std::cout << names[mode] << std::endl;
        break;
    }
    default:
        break;
    }
}

void handleMouseMotion(uint8_t, uint32_t, uint32_t, int32_t xrel, int32_t yrel)
{
    // The first two motions include the jump caused by grabbing the input.
    if (mouseSkip < 2) {
        ++mouseSkip;
        return;
    }
    gameState.moveByMouse(xrel, yrel);
}

void handleEvent(const SDL_Event& event, bool& quit)
{
    switch (event.type) {
    case SDL_KEYDOWN:
        handleKey(event.key.keysym.sym, quit);
        break;
    case SDL_MOUSEMOTION:
        handleMouseMotion(event.motion.state, event.motion.x, event.motion.y, event.motion.xrel,
                          event.motion.yrel);
        break;
    case SDL_QUIT:
        quit = true;
        break;
    default:
        break;
    }
}

void updateFrame()
{
    if (gameState.paused || gameState.stopped)
        return;
    // Start-up made both; a frame without them is a broken start.
    assert(trashList && catcherFunnel);
    gameState.update();
    trashList->update(*catcherFunnel);
    catcherFunnel->update();
}

void applyScreenFade()
{
    if (screenFade.step())
        scaleFrame(screenFade.fadeFactor);
}

void runMainLoop()
{
    bool quit = false;
    while (!quit) {
        SDL_Event event;
        while (SDL_PollEvent(&event))
            handleEvent(event, quit);
        updateFrame();
        renderScene();
        applyScreenFade();
        presentFrame();
        SDL_Delay(40);
    }
}

void fadeOutLoadingScreen()
{
    // The back buffer after a swap is undefined: each of the eight frames
    // draws the loading screen again and scales it.
    for (int i = 7; i >= 0; --i) {
        screenFade.fadeFactor = static_cast<float>(i / 7.0);
        redrawLoadingScreen();
        scaleFrame(screenFade.fadeFactor);
        glFlush();
        presentFrame();
        SDL_Delay(40);
    }
    screenFade.arm(FADE_IN, 7);
}
