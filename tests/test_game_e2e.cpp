// SPDX-License-Identifier: GPL-3.0-or-later
// The real staged binary under private Xvfb servers, driven with real X input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/gameprocess.h"
#include "support/xvfb.h"

namespace {

// Index of the first stdout line equal to text, or -1.
int lineIndex(const GameProcess& game, const std::string& text)
{
    const auto& lines = game.stdoutLines();
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == text)
            return static_cast<int>(i);
    return -1;
}

bool contains(const std::string& haystack, const std::string& needle)
{
    return haystack.find(needle) != std::string::npos;
}

} // namespace

TEST(GameEndToEnd, StartsUpInOrderAndAppliesEveryKey)
{
    XvfbServer x("320x200x24");
    ASSERT_TRUE(x.ok());
    GameProcess game(x.display());
    ASSERT_TRUE(game.waitForStdout("starting the game...")) << game.stdoutText() << game.stderrText();
    ASSERT_TRUE(game.waitForWindow("drifthaul game"));

    EXPECT_EQ(game.stdoutLines().at(0), "Drifthaul, version 0.19");
    const std::vector<std::string> progress = {"lading shaders...", "loading sounds...",
                                               "loading textures...", "loading objects...",
                                               "starting the game..."};
    int previous = 0;
    for (const auto& line : progress) {
        const int at = lineIndex(game, line);
        EXPECT_GT(at, previous) << line;
        previous = at;
    }
    EXPECT_FALSE(contains(game.stderrText(), "mode")) << game.stderrText();

    ASSERT_TRUE(game.xdotool("key r"));
    ASSERT_TRUE(game.waitForStdout("render mode: wireframe"));
    game.xdotool("key r");
    ASSERT_TRUE(game.waitForStdout("render mode: immediate"));
    game.xdotool("key r");
    ASSERT_TRUE(game.waitForStdout("render mode: Vetexbuffer objects"));
    EXPECT_LT(lineIndex(game, "render mode: wireframe"), lineIndex(game, "render mode: immediate"));

    game.xdotool("key n");
    ASSERT_TRUE(game.waitForStderr("render normal 256"));
    game.xdotool("key n");
    ASSERT_TRUE(game.waitForStderr("render normal 0"));
    game.xdotool("key b");
    ASSERT_TRUE(game.waitForStderr("render bounding box 512"));
    game.xdotool("key f");
    ASSERT_TRUE(game.waitForStdout("fbo mode is now 1"));

    game.xdotool("key Escape");
    ASSERT_TRUE(game.waitForStdout("Escape pressed, exiting..."));
    EXPECT_EQ(game.waitForExit(), 0) << game.stderrText();
}

TEST(GameEndToEnd, ClosingTheWindowExitsCleanly)
{
    XvfbServer x("320x200x24");
    ASSERT_TRUE(x.ok());
    GameProcess game(x.display());
    ASSERT_TRUE(game.waitForStdout("starting the game..."));
    ASSERT_TRUE(game.waitForWindow("drifthaul game"));
    ASSERT_TRUE(game.closeWindow());
    EXPECT_EQ(game.waitForExit(), 0) << game.stderrText();
    EXPECT_EQ(lineIndex(game, "Escape pressed, exiting..."), -1);
}

TEST(VideoModeChoice, OtherScreenFallsBackToTheLastListedMode)
{
    XvfbServer x("1024x768x24");
    ASSERT_TRUE(x.ok());
    GameProcess game(x.display());
    ASSERT_TRUE(game.waitForStderr("Setting found available mode: 1024x768")) << game.stderrText();
    ASSERT_TRUE(game.waitForWindow("drifthaul game"));
    int w = 0, h = 0;
    ASSERT_TRUE(game.windowSize("drifthaul game", w, h));
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 768);
    ASSERT_TRUE(game.waitForStdout("starting the game..."));
    game.xdotool("key Escape");
    EXPECT_EQ(game.waitForExit(), 0);
}

TEST(VideoModeChoice, WithoutAnyDisplayTheGameReportsAndExits)
{
    GameProcess game("");
    const int code = game.waitForExit();
    const std::string err = game.stderrText();
    if (code == 1) {
        EXPECT_TRUE(contains(err, "Couldn't initialize SDL: ")) << err;
    } else {
        EXPECT_EQ(code, 2) << game.stdoutText() << err;
        EXPECT_TRUE(contains(err, "Couldn't set 320x200 windowed OpenGL video mode: ") ||
                    contains(err, "There does not seem to be any available modes! oops!!"))
            << err;
    }
    EXPECT_EQ(game.stdoutLines().at(0), "Drifthaul, version 0.19");
}
