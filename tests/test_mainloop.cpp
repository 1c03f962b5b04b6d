// SPDX-License-Identifier: GPL-3.0-or-later
// Keys, mouse motion and the screen fades, in-process.
#include "support/autopilot.h"
#include "support/ingame.h"

#include <climits>
#include <cstdio>

// Every frame the game shows, read just before its swap; the window closes
// once closeAt frames are shown, with one more frame to come (nine of play,
// at start-up).
static std::vector<Image> shown;
static size_t closeAt = 17;
extern "C" {
void __real_SDL_GL_SwapBuffers();
void __wrap_SDL_GL_SwapBuffers()
{
    shown.push_back(readFramebuffer());
    SDL_Event close{SDL_QUIT};
    if (shown.size() >= closeAt)
        SDL_PushEvent(&close);
    __real_SDL_GL_SwapBuffers();
}
}

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

// The loading screen, its eight frames fading out, then the game's first
// eight fading in, each its full picture times the factor, and no more.
TEST(ScreenFade, TheLoadingScreenFadesOutThenPlayFadesInAndStops)
{
    autopilotStartGame();
    gameState.paused = true; // the same picture every frame
    runMainLoop();
    ASSERT_EQ(shown.size(), 18u);
    const Image &loading = shown[0], &play = shown[16];
    for (const Image* full : {&loading, &play})
        EXPECT_GT(full->count(0, 0, 320, 200, [](Rgb p) { return brightness(p) > 150; }), 200);
    for (int i = 0; i < 9; ++i) {
        if (i < 8) {
            EXPECT_LE(shown[1 + i].differingPixels(loading, 2, (7 - i) / 7.0f), 20) << "loading frame " << i;
        }
        EXPECT_LE(shown[9 + i].differingPixels(play, 2, std::min(i, 7) / 7.0f), 20) << "play frame " << i;
    }
}

// Runs the main loop for frames frames, no fade running at first.
static void showFrames(size_t frames)
{
    screenFade = ScreenFade();
    shown.clear();
    closeAt = frames - 1;
    runMainLoop();
    ASSERT_EQ(shown.size(), frames);
}

static double light(const Image& frame)
{
    double sum = 0;
    frame.count(0, 0, frame.width, frame.height, [&](Rgb p) { return sum += brightness(p), false; });
    return sum;
}

// A level's end: two frames of the field, then eight fading it to black;
// the next level's waiting screen fades in from black over eight more.
TEST(ScreenFade, ALevelEndFadesToBlackAndTheNextLevelFadesIn)
{
    autopilotStartGame();
    gameState.phase = PHASE_LEVEL_END;
    gameState.levelEndFrames = 0;
    gameState.health = 1000000; // no rock may end the game meanwhile
    showFrames(19);
    EXPECT_EQ(gameState.levelIndex, 1);
    for (size_t i = 1; i < 17; ++i) {
        const bool out = i < 9;
        const double expected = out ? (8 - i) / 7.0 : (i - 9) / 7.0;
        const double seen = light(shown[i]) / light(shown[out ? 0 : 18]);
        EXPECT_NEAR(seen, expected, 0.03) << "frame " << i;
    }
}

// The readout the player reads with f, matched against the game's own font
// drawing each rate from 0.0 to 60.0: about 25 with the 40 ms pause a frame.
TEST(MainLoopKeys, TheFpsReadoutShowsTheFrameRate)
{
    autopilotStartGame();
    gameState.paused = true;
    showFps = true;
    showFrames(6);
    showFps = false;
    auto cyan = [](Rgb p) { return p.g > 120 && p.g - p.r > 50; };
    const Image& frame = shown.back();
    int fewest = INT_MAX, tenths = -1;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, screen->w, 0.0, screen->h, 0.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    for (int t = 0; t <= 600; ++t) {
        char text[16];
        std::snprintf(text, sizeof text, "Fps: %.1f", t / 10.0);
        glClear(GL_COLOR_BUFFER_BIT);
        drawBitmapText(text, 1);
        const Image drawn = readFramebuffer();
        const int wrong = drawn.count(0, 0, 160, 20, [&](int x, int y) { return cyan(drawn.at(x, y)) != cyan(frame.at(x, y)); });
        if (wrong < fewest)
            fewest = wrong, tenths = t;
    }
    EXPECT_EQ(fewest, 0) << "closest: " << tenths / 10.0;
    EXPECT_GT(tenths, 50);
    EXPECT_LE(tenths, 251);
}
