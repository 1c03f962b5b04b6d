// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdl/video.h"
#include "common/fatal.h"
#include "sys/platform.h"

#include <SDL/SDL_opengl.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

int screenWidth = 320;
int screenHeight = 200;
SDL_Surface* screen = nullptr;
int windowDepthBits = 0;

SDL_Surface* setupVideo(bool fullscreen)
{
    prepareVideoEnvironment();

    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::fprintf(stderr, "Couldn't initialize SDL: %s\n", SDL_GetError());
        exitGame(1);
    }

    Uint32 flags = SDL_OPENGL;
    if (fullscreen)
        flags |= SDL_FULLSCREEN;

    chooseVideoMode(screenWidth, screenHeight);

    // Current drivers (Mesa 25, NVIDIA, Xwayland) offer no more than 24 depth
    // bits; step down rather than fail. The fades need no accumulation buffer.
    for (int depth : {32, 24, 16}) {
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depth);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        screen = SDL_SetVideoMode(screenWidth, screenHeight, 0, flags);
        if (screen)
            break;
    }
    if (!screen) {
        std::fprintf(stderr, "Couldn't set %dx%d %s OpenGL video mode: %s\n", screenWidth,
                     screenHeight, fullscreen ? "fullscreen" : "windowed", SDL_GetError());
        SDL_Quit();
        exitGame(2);
    }
    startPlatformGl();

    // GL's own answer: SDL may echo the request (sdl12-compat's framebuffer
    // object, EGL). Below 24 bits far surfaces can show through near ones.
    GLint depth = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depth);
    windowDepthBits = depth;
    if (depth < 24)
        std::fprintf(stderr,
                     "OpenGL window has only a %d-bit depth buffer: distant surfaces may show "
                     "through nearer ones\n",
                     depth);
    return screen;
}

void chooseVideoMode(int& width, int& height)
{
    chooseVideoModeFrom(videoModes(), width, height);
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
