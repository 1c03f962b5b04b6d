// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ingame.h"

#include <GL/glu.h>

#include <cstdlib>
#include <unistd.h>

#include "support/gameprocess.h"
#include "support/xvfb.h"

void enterGameEnvironment()
{
    if (chdir(stagedGameDir().c_str()) != 0)
        std::abort();
    useSharedTestDisplay();
    SDL_putenv(const_cast<char*>("SDL_AUDIODRIVER=dummy"));
}

void openGameWindow()
{
    static bool open = false;
    if (open)
        return;
    enterGameEnvironment();
    setupVideo(false);
    initGl();
    open = true;
}

void beginTestPicture(float distance)
{
    glViewport(0, 0, 320, 200);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 1.6, 0.5, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, 0, -distance);
}

void freshGame()
{
    gameSrand(12439);
    screenFade = ScreenFade();
    hudPanel = HudPanel();
    hudPanel.buildOutline(300.0f, 40.0f);
    hudPanel.setGoal(1000);
    gameState = GameState();
    gameState.hud = &hudPanel;
    gameState.newGame();
}
