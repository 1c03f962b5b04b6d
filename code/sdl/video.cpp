// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdl/video.h"
#include "common/fatal.h"

#include <cstdio>
#include <cstdlib>

int screenWidth = 320;
int screenHeight = 200;
SDL_Surface* screen = nullptr;
bool windowHasAccumBuffer = false;

SDL_Surface* setupVideo(bool fullscreen)
{
    // sdl12-compat otherwise draws through its own framebuffer object, which
    // has no accumulation buffer for the fades. A player's own setting wins.
    setenv("SDL12COMPAT_OPENGL_SCALING", "0", 0);

    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::fprintf(stderr, "Couldn't initialize SDL: %s\n", SDL_GetError());
        exitGame(1);
    }

    Uint32 flags = SDL_OPENGL;
    if (fullscreen)
        flags |= SDL_FULLSCREEN;

    chooseVideoMode(screenWidth, screenHeight);

    // The deep buffers come first; current drivers (Mesa 25, NVIDIA,
    // Xwayland) offer no accumulation buffer and no more than 24 depth bits,
    // and nothing a player sees needs either, so give them up step by step.
    static const struct {
        int depth, accum;
    } requests[] = {{32, 8}, {24, 8}, {16, 8}, {32, 0}, {24, 0}, {16, 0}};
    bool first = true;
    for (const auto& r : requests) {
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, r.depth);
        SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, r.accum);
        SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, r.accum);
        SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, r.accum);
        SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, r.accum);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        screen = SDL_SetVideoMode(screenWidth, screenHeight, 0, flags);
        if (screen)
            break;
        first = false;
    }
    if (!screen) {
        std::fprintf(stderr, "Couldn't set %dx%d %s OpenGL video mode: %s\n", screenWidth,
                     screenHeight, fullscreen ? "fullscreen" : "windowed", SDL_GetError());
        SDL_Quit();
        exitGame(2);
    }

    // What the context really has decides how the fades are drawn.
    int red = 0, green = 0, blue = 0, depth = 0;
    SDL_GL_GetAttribute(SDL_GL_ACCUM_RED_SIZE, &red);
    SDL_GL_GetAttribute(SDL_GL_ACCUM_GREEN_SIZE, &green);
    SDL_GL_GetAttribute(SDL_GL_ACCUM_BLUE_SIZE, &blue);
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth);
    windowHasAccumBuffer = red > 0 && green > 0 && blue > 0;
    if (!first)
        std::fprintf(stderr,
                     "OpenGL window opened with a %d-bit depth buffer and %s accumulation buffer: "
                     "the screen fades are drawn %s\n",
                     depth, windowHasAccumBuffer ? "an" : "no",
                     windowHasAccumBuffer ? "in the accumulation buffer" : "by blending");
    return screen;
}

void chooseVideoMode(int& width, int& height)
{
    chooseVideoModeFrom(SDL_ListModes(nullptr, SDL_FULLSCREEN | SDL_HWSURFACE), width, height);
}

void chooseVideoModeFrom(SDL_Rect** modes, int& width, int& height)
{
    if (modes == nullptr) {
        std::printf("No modes available!\n");
        std::fflush(stdout);
        exitGame(-1);
    }
    if (modes == reinterpret_cast<SDL_Rect**>(-1)) {
        std::printf("All resolutions available.\n");
        return;
    }

    bool matched = false;
    Uint16 lastW = 0;
    Uint16 lastH = 0;
    for (int i = 0; modes[i] && !matched; ++i) {
        if (modes[i]->w == static_cast<Uint16>(width) && modes[i]->h == static_cast<Uint16>(height))
            matched = true;
        lastW = modes[i]->w;
        lastH = modes[i]->h;
    }
    if (matched)
        return;
    if (lastW != 0 && lastH != 0) {
        width = lastW;
        height = lastH;
        std::fprintf(stderr, "Setting found available mode: %dx%d\n", width, height);
        return;
    }
    std::fprintf(stderr, "There does not seem to be any available modes! oops!!\n");
    SDL_Quit();
    exitGame(2);
}
