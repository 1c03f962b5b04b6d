// SPDX-License-Identifier: GPL-3.0-or-later
// Drifthaul: catch the drifting trash, dodge the rocks.
#include "sdl/mainloop.h"
#include "sdl/startup.h"

int main()
{
    printBanner();
    startUp();
    runMainLoop();
    shutDown();
    return 0;
}
