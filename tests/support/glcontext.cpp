#include "support/glcontext.h"

#include <cstdlib>
#include <unistd.h>

#include "opengl/glutil.h"
#include "sdl/video.h"
#include "support/gameprocess.h"
#include "support/xvfb.h"

void enterStageDirectory()
{
    if (chdir(stagedGameDir().c_str()) != 0)
        std::abort();
}

static std::string windowDisplay;

std::string gameWindowDisplay()
{
    return windowDisplay;
}

void openGameWindow(bool ownDisplay)
{
    static bool open = false;
    if (open)
        return;
    enterStageDirectory();
    windowDisplay = ownDisplay ? privateTestDisplay() : sharedTestDisplay();
    setenv("DISPLAY", windowDisplay.c_str(), 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setupVideo(false);
    initGl();
    open = true;
}
