// The whole frame with the real start-up: camera and shake, the slow-motion
// trail's ring, and what the overlay draws in each phase.
#include <gtest/gtest.h>

#include <GL/glew.h>
#include <SDL/SDL.h>

#include <cmath>
#include <cstring>

#include "common/gamestate.h"
#include "common/hudpanel.h"
#include "common/scene.h"
#include "common/settings.h"
#include "common/trashlist.h"
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
