// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the real game at 1024 x 768 for the README and the metainfo: a
// level banner flying in past the trash, the slow-motion trail and the win
// screen. The collector autopilot plays in-process on a display of that size,
// where the game opens its window at the last listed mode. Disabled in the
// suite (it renders a whole game at full size); scripts/screenshots.sh runs it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include <SDL/SDL.h>

#include "common/gamestate.h"
#include "common/scene.h"
#include "common/trashlist.h"
#include "opengl/bufferobjects.h"
#include "sdl/mainloop.h"
#include "common/settings.h"
#include "sdl/startup.h"
#include "sdl/video.h"
#include "support/autopilot.h"
#include "support/screenshot.h"
#include "support/xvfb.h"

TEST(Screenshots, DISABLED_TheGameAt1024x768)
{
    XvfbServer x("1024x768x24");
    setenv("DRIFTHAUL_TEST_DISPLAY", x.display().c_str(), 1);
    autopilotStartGame();
    ASSERT_EQ(screen->w, 1024);
    bool banner = false, trail = false;
    autopilotPlay(Strategy::collect, 12000, 1, [&](int) {
        std::set<const void*> kinds;
        bool flying = false;
        for (const TrashListItem* e : trashList->entries) {
            if (e->kind == KIND_TRASH && e->position[2] > -45.0f)
                kinds.insert(e->item);
            // In front, its start a little left of the middle, so the words
            // run across the view.
            flying = flying || (e->kind == KIND_TEXT && e->position[2] > -20.0f && e->position[2] < -4.0f &&
                                e->position[0] < 0.0f && e->position[0] > 0.4f * e->position[2]);
        }
        // The banner flies in at each level's start: take the first one
        // seen in full light with trash about.
        if (!banner && flying && screenFade.fadeMode == FADE_OFF && !kinds.empty())
            banner = savePng(grabScreen(x.display()), testOutputPath("level-banner.png"));
        if (!trail && gameState.powerupType == POWERUP_SLOW_MOTION && blurCount == 5 &&
            gameState.powerupTimer < 150 && kinds.size() >= 2)
            trail = savePng(grabScreen(x.display()), testOutputPath("slow-motion.png"));
    });
    EXPECT_TRUE(banner);
    EXPECT_TRUE(trail);
    ASSERT_EQ(gameState.phase, PHASE_GAME_OVER);
    EXPECT_GT(gameState.health, 0);
    for (int i = 0; i < 10; ++i) {
        renderScene();
        applyScreenFade();
        SDL_GL_SwapBuffers();
    }
    EXPECT_TRUE(savePng(grabScreen(x.display()), testOutputPath("win.png")));
    // Close the window while its display still runs.
    shutDown();
}
