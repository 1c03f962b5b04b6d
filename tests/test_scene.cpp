// The whole frame with the real start-up: camera and shake, the slow-motion
// trail's ring, and what the overlay draws in each phase.
#include <gtest/gtest.h>

#include <GL/glew.h>
#include <SDL/SDL.h>

#include <cmath>
#include <cstring>

#include "common/catcher.h"
#include "common/gamestate.h"
#include "common/hudpanel.h"
#include "common/scene.h"
#include "common/settings.h"
#include "common/trashlist.h"
#include "opengl/shaders.h"
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

TEST_F(Scene, CameraTranslatesOnlyForANonZeroShipPosition)
{
    setupCamera();
    const std::vector<float> still = projection();
    gameState.shipPosition[2] = -0.0f;
    setupCamera();
    EXPECT_EQ(projection(), still);
    gameState.shipPosition[2] = 0.001f;
    setupCamera();
    EXPECT_NE(projection(), still);
    gameState.shipPosition[2] = 0.0f;
    gameState.shipPosition[0] = -3.0f;
    setupCamera();
    EXPECT_NE(projection(), still);
}

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
