// SPDX-License-Identifier: GPL-3.0-or-later
// The GL utilities against the real Mesa driver: the start-up check of GLEW,
// the loading screen, the accumulation-buffer fade and the FPS readout.
#include <gtest/gtest.h>

#include <GL/glew.h>
#include <SDL/SDL.h>

#include "common/settings.h"
#include "opengl/glutil.h"
#include "sdl/mainloop.h"
#include "support/glcontext.h"
#include "support/screenshot.h"

// Without a usable context start-up ends with a message; the result GLEW
// gives on Wayland (entry points loaded, no GLX display) lets the game run.
TEST(GlUtilDeath, GlewFailuresEndStartUpExceptTheMissingGlxDisplay)
{
    checkGlewResult(GLEW_OK);
    checkGlewResult(GLEW_ERROR_NO_GLX_DISPLAY);
    EXPECT_EXIT(checkGlewResult(GLEW_ERROR_NO_GL_VERSION), testing::ExitedWithCode(1),
                "could not load the OpenGL entry points: Missing GL version");
}

TEST(GlUtil, LoadingScreenIsWhiteWithABlueLineAndItsCaption)
{
    openGameWindow();
    redrawLoadingScreen();
    const Image shot = readFramebuffer();
    savePng(shot, testOutputPath("loading-screen.png"));
    auto white = [](Rgb p) { return p.r > 240 && p.g > 240 && p.b > 240; };
    auto blue = [](Rgb p) { return p.b > 200 && p.r < 150 && p.g < 150; };
    // The line at y = -0.75 lies 175 rows down, five pixels wide; the caption
    // "loading Drifthaul..." below it, from the left edge.
    EXPECT_GT(shot.count(0, 0, 320, 160, white), 320 * 160 * 95 / 100);
    EXPECT_GT(shot.count(0, 172, 320, 179, blue), 320 * 3);
    EXPECT_EQ(shot.count(0, 0, 320, 165, blue), 0);
    EXPECT_GT(shot.count(5, 179, 200, 200, blue), 40);
    EXPECT_EQ(shot.count(220, 179, 320, 200, blue), 0);
}

TEST(GlUtil, AccumulationFadeBrightensEightFramesMonotonically)
{
    openGameWindow();
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    screenFade.arm(FADE_IN, 7);
    std::vector<int> levels;
    for (int frame = 0; frame < 8; ++frame) {
        glClear(GL_COLOR_BUFFER_BIT);
        applyScreenFade();
        unsigned char pixel[3];
        glReadPixels(160, 100, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel);
        levels.push_back(pixel[0]);
    }
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(screenFade.fadeMode, FADE_OFF);
    EXPECT_LE(levels.front(), 2);
    EXPECT_GE(levels.back(), 253);
    for (size_t i = 1; i < levels.size(); ++i)
        EXPECT_GT(levels[i], levels[i - 1]) << "frame " << i;
    // Mesa's accumulation buffer returns sRGB-encoded values: 4/7 reads near 200.
    EXPECT_NEAR(levels[4], 200, 20);
}

TEST(GlUtil, FirstFpsReadoutShowsZeroThenTheRate)
{
    openGameWindow();
    drawFps();
    EXPECT_STREQ(lastFpsText(), "Fps: 0.0");
    SDL_Delay(40);
    drawFps();
    const double fps = std::atof(lastFpsText() + 5);
    EXPECT_GT(fps, 0.1);
    EXPECT_LT(fps, 26.0);
}
