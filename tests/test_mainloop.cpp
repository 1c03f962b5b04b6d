// SPDX-License-Identifier: GPL-3.0-or-later
// Keys, mouse motion and the screen fade's steps, in-process.
#include "support/ingame.h"

// Paused, the mouse still moves the target but the update moves nothing; the
// first two motions are skipped.
TEST(MainLoopKeys, SpaceStartsPlayOnlyFromWaitingAndPauseFreezesTheUpdate)
{
    freshGame();
    bool quit = false;
    for (int32_t p : {PHASE_NONE, PHASE_PLAYING, PHASE_LEVEL_END, PHASE_GAME_OVER}) {
        gameState.phase = p;
        handleKey(SDLK_SPACE, quit);
        EXPECT_EQ(gameState.phase, p);
    }
    gameState.phase = PHASE_WAITING;
    handleKey(SDLK_RETURN, quit);
    handleKey(SDLK_SPACE, quit);
    EXPECT_EQ(gameState.phase, PHASE_PLAYING);
    for (int motion = 0; motion < 3; ++motion)
        handleMouseMotion(0, 0, 0, 32, 0);
    updateFrame();
    EXPECT_EQ(gameState.shipTarget[0], 2.0f);
    EXPECT_FALSE(gameState.path.isMoving());
    handleKey(SDLK_RETURN, quit);
    EXPECT_FALSE(gameState.paused);
}

TEST(ScreenFade, EachFadeScalesEightFramesAndStops)
{
    for (int mode : {FADE_IN, FADE_OUT}) {
        ScreenFade fade;
        fade.arm(mode, 7);
        for (int frame = 0; frame < 8; ++frame) {
            ASSERT_TRUE(fade.step());
            EXPECT_FLOAT_EQ(fade.fadeFactor, (mode == FADE_IN ? frame : 7 - frame) / 7.0f) << "frame " << frame;
        }
        EXPECT_FALSE(fade.step());
    }
}
