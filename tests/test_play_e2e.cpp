// SPDX-License-Identifier: GPL-3.0-or-later
// The real binary on private Xvfb screens, driven by X input.
#include <gtest/gtest.h>

#include <unistd.h>

#include "support/gameprocess.h"
#include "support/screenshot.h"
#include "support/xvfb.h"

namespace {

bool saturated(Rgb p)
{
    return std::max({p.r, p.g, p.b}) - std::min({p.r, p.g, p.b}) > 70;
}

bool meterColour(Rgb p)
{
    return p.b > 140 && std::abs(p.r - p.g) < 14 && p.r > 50 && p.r < 125;
}

// The centre across of the funnel's light grey, in the rows above the meter.
double tubeCentroidX(const Image& shot)
{
    double cx, cy;
    return shot.count(0, 50, shot.width, 100, [](Rgb p) {
        return p.r > 110 && std::abs(p.r - p.g) < 18 && std::abs(p.g - p.b) < 22;
    }, &cx, &cy) ? cx : -1;
}

} // namespace

TEST(PlayEndToEnd, AWholeSessionLooksAndBehavesAsItShould)
{
    XvfbServer x;
    GameProcess game(x.display());
    ASSERT_TRUE(game.waitFor("starting the game...")) << game.err();
    EXPECT_EQ(game.out(), "Drifthaul, version 0.19\nlading shaders...\nloading sounds...\nloading textures...\n"
                          "loading objects...\nloading environment...\nstarting the game...\n");

    // Once the loading screen has faded out and the game in.
    grabWaitingScreen(x.display());
    Image waiting;
    waitUntil(5, [&] { return (waiting = grabScreen(x.display())).count(0, 31, 320, 48, white) > 150; });
    savePng(waiting, testOutputPath("play-waiting.png"));
    EXPECT_GT(waiting.count(0, 0, 320, 25, [](Rgb p) { return p.r + p.g + p.b > 240 && !saturated(p); }), 4)
        << "stars";
    EXPECT_GT(waiting.count(0, 100, 320, 200, [](Rgb p) { return p.b > p.r + 60 && p.b > p.g; }), 300) << "oceans";
    EXPECT_GT(waiting.count(0, 100, 320, 200, [](Rgb p) { return p.g > p.r + 15 && p.g > p.b + 15; }), 20) << "land";
    EXPECT_GT(waiting.count(0, 31, 320, 48, white), 150) << "the invitation";
    EXPECT_EQ(waiting.count(10, 100, 310, 140, meterColour), 0);
    // Wine grabs the pointer for the focused window only; no window manager focuses it here.
    game.xdotool("search --name '^drifthaul game$' windowfocus");
    PointerState pointer;
    waitUntil(5, [&] { return (pointer = pointerState(x.display())).grabbedByAnother; });
    EXPECT_TRUE(pointer.grabbedByAnother);
    EXPECT_FALSE(pointer.cursorVisible);

    // The first two motions are skipped.
    game.xdotool("key space");
    ASSERT_TRUE(waitUntil(5, [&] { return grabScreen(x.display()).count(10, 100, 310, 140, meterColour) > 100; }))
        << "play shows the meter";
    game.xdotool("mousemove_relative -- 4 0");
    game.xdotool("mousemove_relative -- 4 0");
    // The funnel at rest: the same place in two grabs a few frames apart.
    double before = -2;
    waitUntil(5, [&] {
        const double previous = before;
        before = tubeCentroidX(grabScreen(x.display()));
        return std::abs(before - previous) < 0.5;
    }, 150);
    double leftmost = before;
    game.xdotool("mousemove_relative -- 120 0");
    for (int i = 0; i < 30; ++i) {
        leftmost = std::min(leftmost, tubeCentroidX(grabScreen(x.display())));
        usleep(15000);
    }
    EXPECT_LT(leftmost, before - 15) << "the funnel lags to the left of a camera moving right";

    // Trash comes from 50 units ahead: wait until some is near enough to show.
    auto colourfulTrash = [&](const Image& shot) {
        return shot.count(0, 0, 320, 145, [&](int x, int y) {
            const Rgb p = shot.at(x, y), q = waiting.at(x, y);
            const bool changed = std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 120;
            return changed && saturated(p) && !meterColour(p);
        });
    };
    Image playing;
    waitUntil(15, [&] { return colourfulTrash(playing = grabScreen(x.display())) > 40; }, 250);
    savePng(playing, testOutputPath("play-field.png"));
    EXPECT_GT(playing.count(10, 100, 310, 140, meterColour), 400) << "trash meter";
    EXPECT_GT(playing.count(300, 145, 320, 195, [](Rgb p) { return p.r > 150 && p.g < 80 && p.b < 80; }), 100)
        << "health icon";
    EXPECT_GT(colourfulTrash(playing), 40) << "colourful trash in the field";

    game.xdotool("key Return");
    // Paused once the words show and the picture holds still (a rock's hit
    // shakes the camera for 20 frames even while paused).
    Image paused, previous;
    waitUntil(8, [&] {
        previous = paused;
        paused = grabScreen(x.display());
        return paused.count(100, 31, 220, 48, white) > 30 && previous.width && !paused.differingPixels(previous, 0);
    }, 150);
    EXPECT_GT(paused.count(100, 31, 220, 48, white), 30) << "paused";
    usleep(200000);
    EXPECT_EQ(grabScreen(x.display()).differingPixels(paused, 0), 0) << "nothing moves while paused";

    // The filled planet becomes a net of lines with the dark sky between them.
    game.xdotool("key r");
    ASSERT_TRUE(game.waitFor("render mode: wireframe"));
    auto dark = [](Rgb p) { return p.r + p.g + p.b < 60; };
    Image wire;
    waitUntil(5, [&] { return (wire = grabScreen(x.display())).differingPixels(paused, 0) > 0; });
    savePng(wire, testOutputPath("play-wireframe.png"));
    EXPECT_GT(wire.count(0, 120, 300, 200, dark), paused.count(0, 120, 300, 200, dark) + 2000);

    // The other keys, each with its report.
    game.xdotool("key r key r key n key n key b key f key Escape");
    EXPECT_EQ(game.waitForExit(), 0) << game.err();
    EXPECT_NE(game.out().find("render mode: immediate\nrender mode: Vetexbuffer objects\nfbo mode is now 1\n"
                              "Escape pressed, exiting...\n"),
              std::string::npos)
        << game.out();
    EXPECT_NE(game.err().find("render normal 256\nrender normal 0\nrender bounding box 512\n"), std::string::npos)
        << game.err();
}

// 320 x 200 is not listed here; closing the window ends the game without Escape's message.
TEST(PlayEndToEnd, AnotherScreenSizeAndClosingTheWindow)
{
    XvfbServer x("1024x768x24");
    GameProcess game(x.display());
    ASSERT_TRUE(game.waitFor("starting the game...")) << game.err();
    EXPECT_TRUE(hasLine(game.err(), "Setting found available mode: 1024x768")) << game.err();
    std::string geometry; // Wine names its window a moment after the game has printed this
    waitUntil(5, [&] {
        geometry = runCommand("DISPLAY=" + x.display() + " xdotool search --name '^drifthaul game$' getwindowgeometry");
        return geometry.rfind("0:", 0) == 0;
    }, 200);
    EXPECT_NE(geometry.find("Geometry: 1024x768"), std::string::npos) << geometry;
    // The meter is centred in the wider window.
    // Space until play shows the meter: a key before the window maps is lost.
    // Laid out for 320 x 200 it would lie left of this region, where the
    // planet's oceans share its colour.
    Image playing;
    waitUntil(10, [&] {
        game.xdotool("key space");
        return (playing = grabScreen(x.display())).count(362, 668, 662, 708, meterColour) > 1500;
    }, 300);
    savePng(playing, testOutputPath("play-1024.png"));
    EXPECT_GT(playing.count(362, 668, 662, 708, meterColour), 1500);
    ASSERT_TRUE(game.closeWindow());
    EXPECT_EQ(game.waitForExit(), 0) << game.err();
    EXPECT_EQ(game.out().find("Escape pressed"), std::string::npos);
}

TEST(PlayEndToEnd, WithoutAnyDisplayTheGameReportsAndExits)
{
    GameProcess game("");
    const int code = game.waitForExit();
    const std::string err = game.err();
    EXPECT_TRUE((code == 1 && hasLine(err, "Couldn't initialize SDL: ")) ||
                (code == 2 && (hasLine(err, "Couldn't set 320x200 windowed OpenGL video mode: ") ||
                               hasLine(err, "There does not seem to be any available modes! oops!!"))))
        << code << ": " << err;
    EXPECT_TRUE(hasLine(game.out(), "Drifthaul, version 0.19"));
}
