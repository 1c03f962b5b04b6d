// SPDX-License-Identifier: GPL-3.0-or-later
// What the main loop does with keys and mouse motion, and the screen fade's
// steps, driven in-process (the end-to-end test sends the same through X).
#include <gtest/gtest.h>

#include "common/gamestate.h"
#include "common/hudpanel.h"
#include "common/settings.h"
#include "sdl/mainloop.h"

TEST(MainLoopKeys, SpaceStartsPlayOnlyFromWaitingAndPauseFreezesTheUpdate)
{
    gameState = GameState();
    gameState.hud = &hudPanel;
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
    // Paused, the mouse still moves the target but the frame's update moves nothing.
    mouseSkip = 2;
    handleMouseMotion(0, 0, 0, 32, 0);
    updateFrame();
    EXPECT_EQ(gameState.shipTarget[0], 2.0f);
    EXPECT_FALSE(gameState.path.isMoving());
    handleKey(SDLK_RETURN, quit);
    EXPECT_FALSE(gameState.paused);

    // The render key cycles the mode and keeps the debug bits; other keys do nothing.
    renderFlags = RENDER_BUFFER_OBJECTS | RENDER_NORMALS | RENDER_BOUNDING_BOX;
    testing::internal::CaptureStdout();
    handleKey(SDLK_r, quit);
    EXPECT_EQ(renderFlags & RENDER_MODE_MASK, static_cast<uint32_t>(RENDER_WIREFRAME));
    handleKey(SDLK_r, quit);
    handleKey(SDLK_r, quit);
    handleKey(SDLK_a, quit);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(renderFlags, RENDER_BUFFER_OBJECTS | RENDER_NORMALS | RENDER_BOUNDING_BOX);
    EXPECT_FALSE(quit);
}

TEST(MainLoopKeys, TheFirstTwoMouseMotionsAreIgnored)
{
    gameState = GameState();
    gameState.phase = PHASE_PLAYING;
    mouseSkip = 0;
    handleMouseMotion(0, 10, 10, 16, 0);
    handleMouseMotion(0, 10, 10, 16, 0);
    EXPECT_EQ(gameState.shipTarget[0], 0.0f);
    handleMouseMotion(0, 10, 10, 16, 0);
    EXPECT_EQ(gameState.shipTarget[0], 1.0f);
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
        EXPECT_EQ(fade.fadeMode, FADE_OFF);
        EXPECT_FALSE(fade.step());
    }
}
