// SPDX-License-Identifier: GPL-3.0-or-later
// The GL utilities against the real Mesa driver: the start-up check of GLEW
// and the loading screen (the fade and the readouts show in the scene tests).
#include <gtest/gtest.h>

#include <GL/glew.h>

#include "opengl/glutil.h"
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
    auto blue = [](Rgb p) { return p.b > 200 && p.r < 150 && p.g < 150; };
    // The line at y = -0.75 lies 175 rows down, five pixels wide; the caption
    // "loading Drifthaul..." below it, from the left edge.
    EXPECT_GT(shot.count(0, 0, 320, 160, white), 320 * 160 * 95 / 100);
    EXPECT_GT(shot.count(0, 172, 320, 179, blue), 320 * 3);
    EXPECT_EQ(shot.count(0, 0, 320, 165, blue), 0);
    EXPECT_GT(shot.count(5, 179, 200, 200, blue), 40);
    EXPECT_EQ(shot.count(220, 179, 320, 200, blue), 0);
}
