// SPDX-License-Identifier: GPL-3.0-or-later
// Keys, mouse motion and the screen fades, in-process.
#include "support/autopilot.h"
#include "support/ingame.h"

// Every frame the game shows, read just before its swap; the window closes
// after nine frames of play.
static std::vector<Image> shown;
extern "C" {
void __real_SDL_GL_SwapBuffers();
void __wrap_SDL_GL_SwapBuffers()
{
    shown.push_back(readFramebuffer());
    SDL_Event close{SDL_QUIT};
    if (shown.size() == 17)
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
