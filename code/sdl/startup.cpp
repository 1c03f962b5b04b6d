// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdl/startup.h"

#include <GL/glew.h>
#include <SDL/SDL.h>

#include <iostream>

#include "common/catcher.h"
#include "common/gamestate.h"
#include "common/hudpanel.h"
#include "common/scene.h"
#include "common/settings.h"
#include "common/textures.h"
#include "common/trashlist.h"
#include "opengl/bodies.h"
#include "opengl/bufferobjects.h"
#include "opengl/glutil.h"
#include "opengl/shaders.h"
#include "sdl/mainloop.h"
#include "sdl/video.h"
#include "sys/platform.h"
#include "sound/soundbank.h"


void printBanner()
{
    std::cout << "Drifthaul, version " << 0.19 << std::endl;
}

void startUp()
{
    setupVideo(false);
    SDL_WM_SetCaption("loading...", nullptr);
    drawLoadingScreen();
    presentFrame();
    SDL_WM_SetCaption("drifthaul game", nullptr);
    SDL_ShowCursor(0);
    SDL_WM_GrabInput(SDL_GRAB_ON);

    initGl();

    std::cout << "lading shaders..." << std::endl;
    loadShaders();

    std::cout << "loading sounds..." << std::endl;
    initSound();

    std::cout << "loading textures..." << std::endl;
    textureTable = new TextureTable();
    for (unsigned int& name : blurTextures)
        name = static_cast<unsigned int>(textureTable->createRenderTarget(256, 256, nullptr));
    framebufferSet = new FramebufferSet();
    framebufferSet->createFramebuffers(blurTextures, 5);

    std::cout << "loading objects..." << std::endl;
    trashList = new TrashList(5.0f, 50.0f);
    catcherFunnel = new CatcherFunnel(&gameState);
    gameState.hud = &hudPanel;

    std::cout << "loading environment..." << std::endl;
    starfield = new CStarfield();
    starfield->createStars(1000, 4900.0f);
    sun = new CSun();
    sun->init(450000.0f, 0.0f, 0.0f, 0.2f, 0.2f);
    planet = new CPlanetoid();
    planet->init("../textures/environment/Earth_Day.bmp", 2000.0f);
    planet->setPosition(-200.0f, -2000.0f, -2000.0f);

    hudPanel.placeMeter(static_cast<float>((screen->w - 300) / 2.0), 60.0f, 0.0f);
    hudPanel.buildOutline(300.0f, 40.0f);
    hudPanel.setGoal(1000);

    std::cout << "starting the game..." << std::endl;
    gameState.newGame();
    hudPanel.loadIcons();

    renderFlags = RENDER_BUFFER_OBJECTS;

    fadeOutLoadingScreen();
}

void shutDown()
{
    SDL_ShowCursor(1);
    SDL_WM_GrabInput(SDL_GRAB_OFF);

    delete textureTable;
    textureTable = nullptr;
    delete trashList;
    trashList = nullptr;
    delete catcherFunnel;
    catcherFunnel = nullptr;

    shutdownSound();
    unloadShaders();

    SDL_Quit();
}
