// SPDX-License-Identifier: GPL-3.0-or-later
// Key bindings, mouse skipping and the screen fade of the main loop, driven
// in-process (the end-to-end test drives the same through X).
#include <gtest/gtest.h>

#include "common/gamestate.h"
#include "common/hudpanel.h"
#include "common/settings.h"
#include "sdl/mainloop.h"

namespace {

class MainLoopKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        gameState = GameState();
        gameState.hud = &hudPanel;
        renderFlags = RENDER_BUFFER_OBJECTS;
        showFps = false;
        mouseSkip = 0;
    }
    bool quit = false;
};

} // namespace

TEST_F(MainLoopKeys, RenderModeCyclesThroughThreeModesKeepingDebugBits)
{
    renderFlags = RENDER_BUFFER_OBJECTS | RENDER_NORMALS | RENDER_BOUNDING_BOX;
    testing::internal::CaptureStdout();
    handleKey(SDLK_r, quit);
    EXPECT_EQ(renderFlags & RENDER_MODE_MASK, 0u);
    handleKey(SDLK_r, quit);
    EXPECT_EQ(renderFlags & RENDER_MODE_MASK, 1u);
    handleKey(SDLK_r, quit);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "render mode: wireframe\nrender mode: immediate\nrender mode: Vetexbuffer objects\n");
    EXPECT_EQ(renderFlags, RENDER_BUFFER_OBJECTS | RENDER_NORMALS | RENDER_BOUNDING_BOX);
    EXPECT_FALSE(quit);
}

TEST_F(MainLoopKeys, DebugTogglesReportTheBitAfterTheToggle)
{
    testing::internal::CaptureStderr();
    handleKey(SDLK_n, quit);
    handleKey(SDLK_n, quit);
    handleKey(SDLK_b, quit);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "render normal 256\nrender normal 0\nrender bounding box 512\n");
    EXPECT_EQ(renderFlags, RENDER_BUFFER_OBJECTS | RENDER_BOUNDING_BOX);

    testing::internal::CaptureStdout();
    handleKey(SDLK_f, quit);
    handleKey(SDLK_f, quit);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "fbo mode is now 1\nfbo mode is now 0\n");
    EXPECT_FALSE(showFps);
}

TEST_F(MainLoopKeys, SpaceStartsPlayOnlyFromWaitingEvenWhenPaused)
{
    const int32_t phases[] = {PHASE_NONE, PHASE_PLAYING, PHASE_LEVEL_END, PHASE_GAME_OVER};
    for (int32_t p : phases) {
        gameState.phase = p;
        handleKey(SDLK_SPACE, quit);
        EXPECT_EQ(gameState.phase, p);
    }
    gameState.phase = PHASE_WAITING;
    handleKey(SDLK_RETURN, quit);
    EXPECT_TRUE(gameState.paused);
    handleKey(SDLK_SPACE, quit);
    EXPECT_EQ(gameState.phase, PHASE_PLAYING);
    // Paused: the frame's update step changes nothing.
    const float before = gameState.shipTarget[0];
    updateFrame();
    EXPECT_EQ(gameState.path.isMoving(), false);
    EXPECT_EQ(gameState.shipTarget[0], before);
    handleKey(SDLK_RETURN, quit);
    EXPECT_FALSE(gameState.paused);
}

TEST_F(MainLoopKeys, EscapeQuitsWithItsMessageAndOtherKeysAreIgnored)
{
    testing::internal::CaptureStdout();
    handleKey(SDLK_a, quit);
    handleKey(SDLK_F1, quit);
    EXPECT_FALSE(quit);
    handleKey(SDLK_ESCAPE, quit);
    EXPECT_TRUE(quit);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Escape pressed, exiting...\n");

    quit = false;
    SDL_Event close;
    close.type = SDL_QUIT;
    handleEvent(close, quit);
    EXPECT_TRUE(quit);
}

TEST_F(MainLoopKeys, TheFirstTwoMouseMotionsAreIgnored)
{
    gameState.phase = PHASE_PLAYING;
    handleMouseMotion(0, 10, 10, 16, 0);
    handleMouseMotion(0, 10, 10, 16, 0);
    EXPECT_EQ(gameState.shipTarget[0], 0.0f);
    EXPECT_FALSE(gameState.targetMoved);
    handleMouseMotion(0, 10, 10, 16, 0);
    EXPECT_EQ(gameState.shipTarget[0], 1.0f);
    EXPECT_EQ(mouseSkip, 2u);
}

TEST(ScreenFade, FadeInScalesEightFramesFromDarkToFull)
{
    ScreenFade fade;
    fade.arm(FADE_IN, 7);
    for (int frame = 0; frame < 8; ++frame) {
        ASSERT_TRUE(fade.step());
        EXPECT_FLOAT_EQ(fade.fadeFactor, frame / 7.0f) << "frame " << frame;
    }
    EXPECT_EQ(fade.fadeMode, FADE_OFF);
    EXPECT_FALSE(fade.step());
}

TEST(ScreenFade, FadeOutScalesEightFramesFromFullToDark)
{
    ScreenFade fade;
    fade.arm(FADE_OUT, 7);
    for (int frame = 0; frame < 8; ++frame) {
        ASSERT_TRUE(fade.step());
        EXPECT_FLOAT_EQ(fade.fadeFactor, (7 - frame) / 7.0f) << "frame " << frame;
    }
    EXPECT_EQ(fade.fadeMode, FADE_OFF);
}
