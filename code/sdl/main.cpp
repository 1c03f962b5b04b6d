// SPDX-License-Identifier: GPL-3.0-or-later
// Drifthaul: catch the drifting trash, dodge the rocks.
#include "sdl/mainloop.h"
#include "sdl/startup.h"

// SDL names this SDL_main on Windows, which requires the arguments.
int main(int, char**)
{
    printBanner();
    startUp();
    runMainLoop();
    shutDown();
    return 0;
}
