// SPDX-License-Identifier: GPL-3.0-or-later
// The whole game as a player meets it: the real binary on a 320 x 200 Xvfb
// screen, real X input, and pictures checked by colours in regions.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/gameprocess.h"
#include "support/screenshot.h"
#include "support/stagecopy.h"
#include "support/xvfb.h"

namespace {

void pause(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool saturated(Rgb p)
{
    return std::max({p.r, p.g, p.b}) - std::min({p.r, p.g, p.b}) > 70;
}

bool meterColour(Rgb p)
{
    return p.b > 140 && std::abs(p.r - p.g) < 14 && p.r > 50 && p.r < 125;
}

bool white(Rgb p)
{
    return p.r > 200 && p.g > 200 && p.b > 200;
}

// Light grey of the funnel's shiny material.
bool tubeGrey(Rgb p)
{
    return p.r > 110 && std::abs(p.r - p.g) < 18 && std::abs(p.g - p.b) < 22;
}

double tubeCentroidX(const Image& shot)
{
    double sum = 0;
    int n = 0;
    for (int y = 50; y < 100; ++y)
        for (int x = 0; x < shot.width; ++x)
            if (tubeGrey(shot.at(x, y))) {
                sum += x;
                ++n;
            }
    return n ? sum / n : -1;
}

} // namespace

TEST(PlayEndToEnd, AWholeSessionLooksAndBehavesAsItShould)
{
    XvfbServer x("320x200x24");
    ASSERT_TRUE(x.ok());
    GameProcess game(x.display());
    ASSERT_TRUE(game.waitForStdout("starting the game...")) << game.stderrText();
    ASSERT_TRUE(game.waitForWindow("drifthaul game"));

    const std::vector<std::string> expected = {
        "Drifthaul, version 0.19", "lading shaders...",     "loading sounds...",    "loading textures...",
        "loading objects...",      "loading environment...", "starting the game..."};
    ASSERT_GE(game.stdoutLines().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(game.stdoutLines()[i], expected[i]);

    // The waiting screen, once the loading screen has faded out and the game
    // has faded in (slower in the sanitizer build).
    pause(1200);
    Image waiting = grabScreen(x.display());
    for (int i = 0; i < 50 && waiting.count(0, 31, 320, 48, white) <= 150; ++i) {
        pause(200);
        waiting = grabScreen(x.display());
    }
    pause(400);
    waiting = grabScreen(x.display());
    savePng(waiting, testOutputPath("play-waiting.png"));
    EXPECT_GT(waiting.count(0, 0, 320, 25, [](Rgb p) { return p.r + p.g + p.b > 240 && !saturated(p); }), 4)
        << "stars";
    EXPECT_GT(waiting.count(0, 100, 320, 200, [](Rgb p) { return p.b > p.r + 60 && p.b > p.g; }), 300) << "oceans";
    EXPECT_GT(waiting.count(0, 100, 320, 200, [](Rgb p) { return p.g > p.r + 15 && p.g > p.b + 15; }), 20) << "land";
    EXPECT_GT(waiting.count(0, 31, 320, 48, white), 150) << "the invitation";
    EXPECT_EQ(waiting.count(10, 100, 310, 140, meterColour), 0);

    // Play: the funnel swings behind the camera when the mouse jumps right.
    game.xdotool("key space");
    pause(300);
    game.xdotool("mousemove_relative -- 4 0");
    game.xdotool("mousemove_relative -- 4 0");
    pause(600);
    const double before = tubeCentroidX(grabScreen(x.display()));
    double leftmost = before;
    game.xdotool("mousemove_relative -- 120 0");
    for (int i = 0; i < 30; ++i) {
        leftmost = std::min(leftmost, tubeCentroidX(grabScreen(x.display())));
        pause(15);
    }
    EXPECT_LT(leftmost, before - 15) << "the funnel lags to the left of a camera moving right";

    // Trash comes from 50 units ahead: wait until some is near enough to show
    // (a few seconds; longer in the sanitizer build).
    auto colourfulTrash = [&](const Image& shot) {
        int n = 0;
        for (int y = 0; y < 145; ++y)
            for (int xx = 0; xx < 320; ++xx) {
                const Rgb p = shot.at(xx, y), q = waiting.at(xx, y);
                const bool changed = std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 120;
                n += changed && saturated(p) && !meterColour(p);
            }
        return n;
    };
    pause(4000);
    Image playing = grabScreen(x.display());
    for (int i = 0; i < 40 && colourfulTrash(playing) <= 40; ++i) {
        pause(250);
        playing = grabScreen(x.display());
    }
    savePng(playing, testOutputPath("play-field.png"));
    EXPECT_GT(playing.count(10, 100, 310, 140, meterColour), 400) << "trash meter";
    EXPECT_GT(playing.count(300, 145, 320, 195, [](Rgb p) { return p.r > 150 && p.g < 80 && p.b < 80; }), 100)
        << "health icon";
    EXPECT_GT(colourfulTrash(playing), 40) << "colourful trash in the field";

    game.xdotool("key Return");
    pause(300);
    const Image paused = grabScreen(x.display());
    EXPECT_GT(paused.count(100, 31, 220, 48, white), 30) << "paused";
    pause(200);
    EXPECT_EQ(grabScreen(x.display()).differingPixels(paused, 0), 0) << "nothing moves while paused";

    game.xdotool("key r");
    ASSERT_TRUE(game.waitForStdout("render mode: wireframe"));
    pause(300);
    const Image wire = grabScreen(x.display());
    savePng(wire, testOutputPath("play-wireframe.png"));
    EXPECT_GT(wire.differingPixels(paused, 40), 3000);
    // The filled planet becomes a net of lines with the dark sky between them.
    auto dark = [](Rgb p) { return p.r + p.g + p.b < 60; };
    EXPECT_GT(wire.count(0, 120, 300, 200, dark), paused.count(0, 120, 300, 200, dark) + 2000);

    game.xdotool("key Escape");
    ASSERT_TRUE(game.waitForStdout("Escape pressed, exiting..."));
    EXPECT_EQ(game.waitForExit(), 0) << game.stderrText();
}

TEST(PlayEndToEnd, AMissingFontEndsTheGameAtTheFirstBanner)
{
    StageCopy stage;
    ASSERT_TRUE(stage.remove("../fonts/Action Man Bold.ttf"));
    XvfbServer x("320x200x24");
    GameProcess game(x.display(), {}, stage.gameDir());
    ASSERT_TRUE(game.waitForStdout("starting the game..."));
    ASSERT_TRUE(game.waitForWindow("drifthaul game"));
    pause(500);
    game.xdotool("key space");
    EXPECT_EQ(game.waitForExit(), 1);
    EXPECT_NE(game.stderrText().find("Failed to open font ../fonts/Action Man Bold.ttf"), std::string::npos)
        << game.stderrText();
}
