// SPDX-License-Identifier: GPL-3.0-or-later
// What Linux and Windows share: SDL's own modes, GL from the system's
// driver, the swap as it is.
#include "sys/platform.h"

#include <SDL/SDL.h>

SDL_Rect** videoModes()
{
    return SDL_ListModes(nullptr, SDL_FULLSCREEN | SDL_HWSURFACE);
}

void startPlatformGl() {}

void presentFrame()
{
    SDL_GL_SwapBuffers();
}
