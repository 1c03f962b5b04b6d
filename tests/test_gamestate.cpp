// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of play and the sounds each event plays.
#include "support/ingame.h"

namespace {

class Rules : public ::testing::Test {
protected:
    void SetUp() override { freshGame(); }
    // Fills the meter past its goal and lets the level end run its ten updates.
    static void finishLevel(int updates = 10)
    {
        gameState.phase = PHASE_PLAYING;
        hudPanel.addScore(1001.0f);
        const float where[3] = {0, 0, -5};
        gameState.checkLevelComplete(4.0f, where);
        hudPanel.resetScore();
        for (int i = 0; i < updates && !gameState.stopped; ++i)
            gameState.update();
    }
    static int sounds(int a, int b) { return soundRequests(a) + soundRequests(b); }
};

} // namespace

// Sixteen counts to the unit, up for negative y, clamped to 15; the camera follows.
TEST_F(Rules, MouseSteersOnlyWhilePlayingWithinFifteen)
{
    for (int32_t p : {PHASE_WAITING, PHASE_LEVEL_END, PHASE_GAME_OVER}) {
        gameState.phase = p;
        gameState.moveByMouse(160, -160);
        EXPECT_EQ(gameState.shipTarget[0], 0.0f);
        EXPECT_FALSE(gameState.targetMoved);
    }
    gameState.phase = PHASE_PLAYING;
    gameState.moveByMouse(16, -8);
    EXPECT_EQ(gameState.shipTarget[0], 1.0f);
    EXPECT_EQ(gameState.shipTarget[1], 0.5f);
    gameState.moveByMouse(100000, 100000);
    EXPECT_EQ(gameState.shipTarget[0], 15.0f);
    EXPECT_EQ(gameState.shipTarget[1], -15.0f);
    for (int i = 0; i < 60; ++i) {
        gameState.moveTarget(0.0f, 0.0f);
        gameState.update();
    }
    EXPECT_FLOAT_EQ(gameState.shipPosition[0], -15.0f);
    EXPECT_FLOAT_EQ(gameState.shipPosition[1], 15.0f);
}

// The fifteenth hit kills at the next update, in any phase.
TEST_F(Rules, FifteenHitsKillWithTheirMessagesAndSounds)
{
    gameState.phase = PHASE_PLAYING;
    const int hits = soundRequests(SOUND_HIT), deaths = sounds(SOUND_DEATH_1, SOUND_DEATH_2);
    for (int i = 1; i <= 15; ++i) {
        testing::internal::CaptureStdout();
        float direction[3] = {0.5f, -0.25f, 3.0f};
        gameState.hit(direction);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), gameState.health > 70 ? "ahhhh it hurts!\n" : "ouch!\n");
        EXPECT_EQ(gameState.health, 100 - 7 * i);
        EXPECT_EQ(gameState.shakeFrames, 20);
    }
    EXPECT_EQ(soundRequests(SOUND_HIT), hits + 15);
    EXPECT_FLOAT_EQ(gameState.shipTarget[0], -15.0f);
    EXPECT_FLOAT_EQ(gameState.shipTarget[1], 7.5f);
    gameState.phase = PHASE_LEVEL_END;
    gameState.update();
    EXPECT_EQ(gameState.phase, PHASE_GAME_OVER);
    EXPECT_TRUE(gameState.stopped);
    EXPECT_EQ(sounds(SOUND_DEATH_1, SOUND_DEATH_2), deaths + 1);
    const float* rgba = nullptr;
    EXPECT_EQ(std::string(gameState.phaseMessage(&rgba)), gameState.deathMessage());
    ASSERT_NE(rgba, nullptr);
    EXPECT_GT(rgba[0], rgba[1] + 0.5f) << "red";

    // A float roll against double thresholds: 2.9f lies above 2.9.
    const std::pair<float, const char*> messages[] = {
        {0.9f, "Ooops, seems like you are now dead!!! organs collecter is on his way..."},
        {2.0f, "Tough luck!! space parasite can have a feast now!"},
        {2.8999f, "Your ship guts have cought the vacuum"},
        {2.9f, "Game failed because you died!"},
    };
    for (const auto& m : messages) {
        gameState.deathRoll = m.first;
        EXPECT_STREQ(gameState.deathMessage(), m.second) << m.first;
    }
}

// Past the goal, not at it; the fade-out starts on the second update unless one runs.
TEST_F(Rules, LevelEndCountsTenUpdatesThenTheNextLevelWaits)
{
    screenFade = ScreenFade(); // the game's first fade-in is over
    gameState.phase = PHASE_PLAYING;
    hudPanel.addScore(1000.0f);
    const float where[3] = {0, 0, 0};
    gameState.checkLevelComplete(4.0f, where);
    EXPECT_EQ(gameState.phase, PHASE_PLAYING);
    finishLevel(1);
    const float* rgba = nullptr;
    EXPECT_STREQ(gameState.phaseMessage(&rgba), "End of Level. Well Done!");
    EXPECT_EQ(screenFade.fadeMode, FADE_OFF);
    gameState.update();
    EXPECT_EQ(screenFade.fadeMode, FADE_OUT);
    for (int i = 3; i <= 9; ++i) {
        screenFade.step();
        gameState.update();
        EXPECT_EQ(gameState.phase, PHASE_LEVEL_END) << "update " << i;
    }
    gameState.update();
    EXPECT_EQ(gameState.phase, PHASE_WAITING);
    EXPECT_STREQ(gameState.phaseMessage(&rgba), "press Spacebar to play the game");
    EXPECT_EQ(gameState.levelIndex, 1);
    EXPECT_FLOAT_EQ(gameState.drift[2], 0.5f);
    EXPECT_EQ(screenFade.fadeMode, FADE_IN);

    screenFade.arm(FADE_IN, 7);
    finishLevel(2);
    EXPECT_EQ(screenFade.fadeMode, FADE_IN);
}

TEST_F(Rules, FinishingTheThirdLevelWinsWithAWinSound)
{
    const int wins = sounds(SOUND_WON_1, SOUND_WON_2), deaths = sounds(SOUND_DEATH_1, SOUND_DEATH_2);
    for (int level = 0; level < 3; ++level)
        finishLevel();
    EXPECT_EQ(gameState.phase, PHASE_GAME_OVER);
    EXPECT_TRUE(gameState.stopped);
    const float* rgba = nullptr;
    EXPECT_STREQ(gameState.phaseMessage(&rgba), "End of Game!!! you may press escape now.");
    EXPECT_EQ(rgba, nullptr);
    for (int game = 1; game < 8; ++game) {
        gameState = GameState();
        gameState.hud = &hudPanel;
        gameState.newGame();
        gameState.levelIndex = 2;
        finishLevel();
    }
    EXPECT_EQ(sounds(SOUND_WON_1, SOUND_WON_2), wins + 8);
    EXPECT_GT(soundRequests(SOUND_WON_1), 0);
    EXPECT_GT(soundRequests(SOUND_WON_2), 0);
    EXPECT_EQ(sounds(SOUND_DEATH_1, SOUND_DEATH_2), deaths);
}

// The shield keeps others out; slow motion beeps 49 frames before its end.
TEST_F(Rules, PowerupsRunTheirTimeAndANewLevelEndsThem)
{
    gameState.phase = PHASE_PLAYING;
    const int pickups = soundRequests(SOUND_POWERUP);
    gameState.receivePowerup(POWERUP_SHIELD);
    gameState.receivePowerup(POWERUP_SLOW_MOTION);
    EXPECT_EQ(gameState.powerupType, POWERUP_SHIELD);
    EXPECT_EQ(soundRequests(SOUND_POWERUP), pickups + 1);
    for (int i = 0; i < 65; ++i)
        gameState.update();
    EXPECT_EQ(gameState.powerupTimer, 1);
    gameState.update();
    EXPECT_EQ(gameState.powerupTimer, 0);
    EXPECT_FLOAT_EQ(gameState.drift[2], 0.3f);

    gameState.levelIndex = 1;
    gameState.startLevel(1);
    gameState.phase = PHASE_PLAYING;
    blurCount = 4;
    gameState.receivePowerup(POWERUP_SLOW_MOTION);
    EXPECT_FLOAT_EQ(gameState.drift[2], 0.15f);
    const int beeps = soundRequests(SOUND_EXPIRE);
    for (int frame = 1; frame <= 200; ++frame) {
        gameState.update();
        EXPECT_EQ(soundRequests(SOUND_EXPIRE), beeps + (frame >= 151)) << frame;
        EXPECT_FLOAT_EQ(gameState.drift[2], frame < 200 ? 0.15f : 0.5f) << frame;
    }
    EXPECT_EQ(blurCount, 0);

    testing::internal::CaptureStderr();
    gameState.receivePowerup(7);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "unknown type of powerup received: 7\n");
    EXPECT_EQ(gameState.powerupTimer, 0);

    gameState.receivePowerup(POWERUP_SLOW_MOTION);
    gameState.shipPosition[0] = 4.0f;
    gameState.startLevel(2);
    EXPECT_EQ(gameState.shipPosition[0], 0.0f);
    EXPECT_FLOAT_EQ(gameState.drift[2], 0.7f);
    gameState.receivePowerup(POWERUP_SHIELD);
    EXPECT_EQ(soundRequests(SOUND_POWERUP), pickups + 4) << "the old slow motion ran on into the level";
    EXPECT_DEATH_IF_SUPPORTED(gameState.startLevel(3), "");
}
