// The whole frame with the real start-up: camera and shake, the slow-motion
// trail's ring, and what the overlay draws in each phase.
#include <gtest/gtest.h>

#include <GL/glew.h>
#include <SDL/SDL.h>

#include <cmath>
#include <algorithm>
#include <cstring>
#include <vector>

#include "opengl/bufferobjects.h"
#include "common/catcher.h"
#include "common/gamestate.h"
#include "common/hudpanel.h"
#include "common/scene.h"
#include "common/settings.h"
#include "common/trashlist.h"
#include "opengl/shaders.h"
#include "sdl/mainloop.h"
#include "sdl/startup.h"
#include "support/autopilot.h"
#include "support/screenshot.h"

namespace {

class Scene : public ::testing::Test {
protected:
    void SetUp() override
    {
        autopilotStartGame();
        gameState.shakeFrames = 0;
        gameState.paused = false;
        for (int k = 0; k < 3; ++k)
            gameState.shipPosition[k] = 0.0f;
    }

    static std::vector<float> projection()
    {
        std::vector<float> m(16);
        glGetFloatv(GL_PROJECTION_MATRIX, m.data());
        return m;
    }
};

} // namespace

TEST_F(Scene, HitShakesTwentyFramesEvenWhilePaused)
{
    setupCamera();
    const std::vector<float> steady = projection();
    gameState.shakeFrames = 20;
    for (int frame = 1; frame <= 21; ++frame) {
        setupCamera();
        if (frame <= 20) {
            EXPECT_NE(projection(), steady) << "frame " << frame;
        } else {
            EXPECT_EQ(projection(), steady);
        }
    }
    // The last shaken frame moves by at most 0.1 on each axis.
    gameState.shakeFrames = 1;
    setupCamera();
    for (int k = 0; k < 3; ++k)
        EXPECT_LE(std::fabs(lastShakeOffsets()[k]), 0.1f + 1e-6f);
    // Rendering counts the shake down while paused, where no update runs.
    gameState.shakeFrames = 20;
    gameState.paused = true;
    for (int frame = 0; frame < 20; ++frame)
        renderScene();
    EXPECT_EQ(gameState.shakeFrames, 0);
    gameState.paused = false;
}

TEST_F(Scene, SlowMotionTrailFillsTheRingAndRestartsAfterTheLastSlot)
{
    gameState.phase = PHASE_PLAYING;
    gameState.powerupTimer = 0;
    gameState.powerupType = 0;
    blurCount = 0;
    const int32_t startIndex = blurIndex;
    gameState.receivePowerup(POWERUP_SLOW_MOTION);
    const int expectedCounts[] = {1, 2, 3, 4, 5, 5, 5};
    for (int frame = 0; frame < 7; ++frame) {
        renderScene();
        EXPECT_EQ(blurCount, expectedCounts[frame]);
        EXPECT_EQ(blurIndex, (startIndex + frame + 1) % 5);
    }
    // The composite's colour and units.
    drawBlurQuad(blurTextures, 1);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[3], 1.0f);
    drawBlurQuad(blurTextures, 5);
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[3], 0.2f);
    for (int unit = 1; unit < 5; ++unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<unsigned>(bound), blurTextures[unit]);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    glActiveTexture(GL_TEXTURE0);
    // Fixed-function drawing after the trail (overlay, sun, planet) still
    // modulates its colour and lighting by the texture.
    for (int unit = 0; unit < 5; ++unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        GLint mode = 0;
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
        EXPECT_EQ(mode, GL_MODULATE) << "unit " << unit;
    }
    glActiveTexture(GL_TEXTURE0);

    // Run the powerup out: the ring empties but keeps its place.
    while (gameState.powerupTimer != 0)
        gameState.update();
    EXPECT_EQ(blurCount, 0);
    const int32_t next = blurIndex;
    gameState.receivePowerup(POWERUP_SLOW_MOTION);
    renderScene();
    EXPECT_EQ(blurCount, 1);
    EXPECT_EQ(blurIndex, (next + 1) % 5);
    gameState.powerupTimer = 0;
    resetBlurTrail();
}

// The list batches runs of debris into one draw with its own transforms; the
// picture must be the one each shard draws on its own, up to rounding.
TEST_F(Scene, BatchedDebrisDrawsWhatEachShardDrawsAlone)
{
    gameState.phase = PHASE_PLAYING;
    gameState.levelIndex = 2;
    gameState.startLevel(2);
    gameState.phase = PHASE_PLAYING;
    gameState.health = 1000000;
    for (int i = 0; i < 150; ++i)
        trashList->update(*catcherFunnel);
    int debris = 0;
    for (TrashListItem* e : trashList->entries) {
        if (e->kind != KIND_DEBRIS)
            continue;
        // Some shards tilted and stretched, so rotation and scale are exercised.
        if (debris % 3 == 0)
            e->setRotation(20.0f * debris, 35.0f, 310.0f);
        if (debris % 4 == 0) {
            e->scale[0] = 2.5f;
            e->scale[1] = 0.5f;
            e->scale[2] = 1.5f;
        }
        ++debris;
    }
    ASSERT_GT(debris, 50);
    screenFade = ScreenFade();
    screenFade.fadeFactor = 1.0f;

    auto draw = [](bool batched, bool withDebris) {
        gameState.shakeFrames = 0; // hits during the run shake the camera
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        setupCamera();
        glLoadIdentity();
        glRotatef(10.0f, 0, 1, 0); // the batch must honour the matrix it is drawn under
        useShader(SHADER_DEFAULT_LIGHTING);
        glBindTexture(GL_TEXTURE_2D, 0); // as the backdrop leaves it
        if (batched && withDebris) {
            trashList->draw();
        } else {
            for (TrashListItem* e : trashList->entries)
                if (e->active && (withDebris || e->kind != KIND_DEBRIS))
                    e->draw();
        }
        glUseProgramObjectARB(0);
        glLoadIdentity();
        return readFramebuffer();
    };
    const Image alone = draw(false, true);
    const Image batched = draw(true, true);
    const Image noDebris = draw(false, false);
    savePng(batched, testOutputPath("debris-batched.png"));
    EXPECT_GT(alone.differingPixels(noDebris, 8), 300);
    EXPECT_LE(batched.differingPixels(alone, 1), 20);
}

TEST_F(Scene, WaitingShowsOnlyTheInvitationPlayingShowsMeterAndHealth)
{
    auto meterPixels = [](const Image& shot) {
        // The meter's frame colour, in its box (y 60 .. 100 from the bottom).
        return shot.count(10, 100, 310, 140, [](Rgb p) {
            return p.b > 200 && p.r > 80 && p.r < 125 && std::abs(p.r - p.g) < 12;
        });
    };
    auto crossPixels = [](const Image& shot) {
        return shot.count(300, 145, 320, 195, [](Rgb p) { return p.r > 150 && p.g < 60 && p.b < 60; });
    };
    auto centreText = [](const Image& shot, int row) {
        return shot.count(0, row - 14, 320, row + 4, [](Rgb p) { return p.r > 200 && p.g > 200 && p.b > 200; });
    };
    screenFade = ScreenFade();
    screenFade.fadeFactor = 1.0f;
    gameState.phase = PHASE_WAITING;
    renderScene();
    const Image waiting = readFramebuffer();
    gameState.phase = PHASE_PLAYING;
    renderScene();
    const Image playing = readFramebuffer();
    gameState.paused = true;
    renderScene();
    const Image paused = readFramebuffer();
    gameState.paused = false;
    savePng(waiting, testOutputPath("scene-waiting.png"));
    savePng(playing, testOutputPath("scene-playing.png"));

    EXPECT_EQ(meterPixels(waiting), 0);
    EXPECT_EQ(crossPixels(waiting), 0);
    EXPECT_GT(meterPixels(playing), 400);
    EXPECT_GT(crossPixels(playing), 100);
    // The message sits at 0.777 of the height: row 200 - 155 = 45.
    EXPECT_GT(centreText(waiting, 45), 150);
    EXPECT_GT(centreText(paused, 45), 30);
    EXPECT_LT(centreText(paused, 45), centreText(waiting, 45));
}

namespace {

int whitePixels(const Image& shot, int x0, int y0, int x1, int y1)
{
    return shot.count(x0, y0, x1, y1, [](Rgb p) { return p.r > 200 && p.g > 200 && p.b > 200; });
}

int brightness(Rgb p)
{
    return p.r + p.g + p.b;
}

} // namespace

// The win screen as the game leaves it: the last fade-out ended at factor 0
// and no fade-in follows. The message, wider than the window, is drawn
// centred and cut at both edges; the funnel and the entries stay lit.
TEST_F(Scene, WinScreenShowsItsMessageAndLitObjectsAndFadesOnce)
{
    autopilotPlay(Strategy::collect, 12000, 0);
    ASSERT_EQ(gameState.phase, PHASE_GAME_OVER);
    ASSERT_EQ(screenFade.fadeFactor, 0.0f);
    renderScene(); // the first frame after play without pictures sets the state up
    renderScene();
    const Image win = readFramebuffer();
    savePng(win, testOutputPath("win-screen.png"));
    // Row 45 from the top holds the text: it reaches both edges.
    EXPECT_GT(whitePixels(win, 0, 31, 40, 49), 10);
    EXPECT_GT(whitePixels(win, 280, 31, 320, 49), 10);

    screenFade.fadeFactor = 1.0f;
    renderScene();
    const Image bright = readFramebuffer();
    // The shaders leave the fade to the accumulation buffer: factor 0 or 1,
    // the frame before the fade is the same.
    EXPECT_LE(win.differingPixels(bright, 2), 5);

    // A mid-fade frame: every lit pixel, shader-drawn or not, dims alike.
    screenFade.arm(FADE_OUT, 3);
    renderScene();
    applyScreenFade();
    const Image faded = readFramebuffer();
    savePng(faded, testOutputPath("mid-fade.png"));
    std::vector<double> ratios;
    for (int y = 60; y < 200; ++y)
        for (int x = 0; x < 320; ++x)
            if (brightness(bright.at(x, y)) > 150)
                ratios.push_back(double(brightness(faded.at(x, y))) / brightness(bright.at(x, y)));
    ASSERT_GT(ratios.size(), 200u);
    std::sort(ratios.begin(), ratios.end());
    const double low = ratios[ratios.size() / 50], high = ratios[ratios.size() * 49 / 50];
    EXPECT_GT(low, 0.3);
    EXPECT_LT(high, 0.95);
    EXPECT_LT(high - low, 0.2) << "some of the frame faded twice";
    screenFade = ScreenFade();
}

// Each death message that is wider than the window still shows, cut evenly.
TEST_F(Scene, DeathMessagesShowAtTheDefaultWindowSize)
{
    gameState.phase = PHASE_GAME_OVER;
    gameState.health = 0;
    screenFade.fadeFactor = 1.0f;
    for (float roll : {0.5f, 1.5f, 2.5f, 3.5f}) {
        gameState.deathRoll = roll;
        renderScene();
        const Image shot = readFramebuffer();
        // Deaths are drawn in their own colour, not white: count lit pixels.
        const int row = shot.count(0, 31, 320, 49, [](Rgb p) { return p.r > 150; });
        EXPECT_GT(row, 100) << gameState.deathMessage();
    }
}

TEST_F(Scene, WireframeFunnelIsWhiteWhateverProgramIsCurrent)
{
    const uint32_t flags = renderFlags;
    renderFlags = RENDER_WIREFRAME;
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    setupCamera();
    glLoadIdentity();
    useShader(SHADER_DEFAULT_LIGHTING);
    catcherFunnel->draw();
    glUseProgramObjectARB(0);
    renderFlags = flags;
    const Image shot = readFramebuffer();
    savePng(shot, testOutputPath("funnel-wireframe.png"));
    const int lit = shot.count(0, 0, 320, 200, [](Rgb p) { return brightness(p) > 120; });
    const int grey = shot.count(0, 0, 320, 200,
                                [](Rgb p) { return brightness(p) > 120 && std::abs(p.r - p.b) < 8 && std::abs(p.g - p.b) < 8; });
    EXPECT_GT(lit, 200);
    EXPECT_EQ(grey, lit);
}
