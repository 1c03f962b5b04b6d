// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of play, grouped by rule: steering, hits, the level-end
// countdown, powerups and the phase messages.
#include <gtest/gtest.h>

#include <cmath>

#include "opengl/bufferobjects.h"
#include "common/gamestate.h"
#include "common/hudpanel.h"
#include "common/scene.h"
#include "common/settings.h"
#include "common/numeric.h"
#include "sound/soundbank.h"

namespace {

class Rules : public ::testing::Test {
protected:
    void SetUp() override
    {
        gameSrand(12439);
        screenFade = ScreenFade();
        hud = HudPanel();
        hud.buildOutline(300.0f, 40.0f);
        hud.setGoal(1000);
        state.hud = &hud;
        state.newGame();
    }

    void play() { state.phase = PHASE_PLAYING; }

    // Fills the meter past its goal and reports the collected entry.
    void finishLevel()
    {
        hud.addScore(1001.0f);
        const float where[3] = {0, 0, -5};
        state.checkLevelComplete(4.0f, where);
    }

    HudPanel hud;
    GameState state;
};

} // namespace

TEST_F(Rules, MouseSteersOnlyWhilePlayingSixteenCountsPerUnit)
{
    for (int32_t p : {PHASE_WAITING, PHASE_LEVEL_END, PHASE_GAME_OVER}) {
        state.phase = p;
        state.moveByMouse(160, -160);
        EXPECT_EQ(state.shipTarget[0], 0.0f);
        EXPECT_EQ(state.shipTarget[1], 0.0f);
        EXPECT_FALSE(state.targetMoved);
    }
    play();
    state.moveByMouse(16, 0);
    EXPECT_EQ(state.shipTarget[0], 1.0f);
    EXPECT_EQ(state.shipTarget[2], -5.0f);
    EXPECT_TRUE(state.targetMoved);
    // Moving the mouse up (negative y) raises the target.
    state.moveByMouse(0, -8);
    EXPECT_EQ(state.shipTarget[1], 0.5f);
}

TEST_F(Rules, TargetIsClampedToFifteenWhateverTheMouseDoes)
{
    play();
    const int32_t moves[][2] = {{10000, 0}, {-1, 3}, {-100000, -100000}, {7, 50000}, {-3, -3}};
    for (const auto& m : moves) {
        state.moveByMouse(m[0], m[1]);
        EXPECT_GE(state.shipTarget[0], -15.0f);
        EXPECT_LE(state.shipTarget[0], 15.0f);
        EXPECT_GE(state.shipTarget[1], -15.0f);
        EXPECT_LE(state.shipTarget[1], 15.0f);
    }
    state.moveByMouse(100000, 0);
    EXPECT_EQ(state.shipTarget[0], 15.0f);
    // The path follows the mirrored target: advance until the camera settles.
    for (int i = 0; i < 60; ++i) {
        state.moveTarget(0.0f, 0.0f);
        state.update();
    }
    EXPECT_FLOAT_EQ(state.shipPosition[0], -15.0f);
}

TEST_F(Rules, FifteenHitsKillAndTheMessagesFollowHealth)
{
    play();
    const int hitsBefore = soundRequests(SOUND_HIT);
    std::string expected;
    for (int i = 1; i <= 15; ++i) {
        testing::internal::CaptureStdout();
        float direction[3] = {0.5f, -0.25f, 3.0f};
        state.hit(direction);
        const std::string said = testing::internal::GetCapturedStdout();
        EXPECT_EQ(state.health, 100 - 7 * i);
        EXPECT_EQ(said, state.health > 70 ? "ahhhh it hurts!\n" : "ouch!\n") << "hit " << i;
        EXPECT_EQ(state.shakeFrames, 20);
        if (i == 14) {
            EXPECT_EQ(state.health, 2);
        }
    }
    EXPECT_EQ(soundRequests(SOUND_HIT) - hitsBefore, 15);
    EXPECT_EQ(state.health, -5);
    // Each hit pushes the target away from the hazard by twice its offset.
    EXPECT_FLOAT_EQ(state.shipTarget[0], -15.0f);
    EXPECT_FLOAT_EQ(state.shipTarget[1], 7.5f);

    EXPECT_EQ(state.phase, PHASE_PLAYING);
    const int deaths = soundRequests(SOUND_DEATH_1) + soundRequests(SOUND_DEATH_2);
    state.update();
    EXPECT_EQ(state.phase, PHASE_GAME_OVER);
    EXPECT_TRUE(state.stopped);
    EXPECT_EQ(soundRequests(SOUND_DEATH_1) + soundRequests(SOUND_DEATH_2), deaths + 1);
    const float* rgba = nullptr;
    const std::string message = state.phaseMessage(&rgba);
    ASSERT_NE(rgba, nullptr);
    EXPECT_FLOAT_EQ(rgba[0], 0.8f);
    EXPECT_FLOAT_EQ(rgba[3], 0.9f);
    EXPECT_EQ(message, state.deathMessage());
}

TEST_F(Rules, DeathMessageThresholds)
{
    const struct {
        float roll;
        const char* text;
    } cases[] = {
        {0.0f, "Ooops, seems like you are now dead!!! organs collecter is on his way..."},
        {0.9f, "Ooops, seems like you are now dead!!! organs collecter is on his way..."},
        {0.9001f, "Tough luck!! space parasite can have a feast now!"},
        {2.0f, "Tough luck!! space parasite can have a feast now!"},
        {2.0001f, "Your ship guts have cought the vacuum"},
        {2.8999f, "Your ship guts have cought the vacuum"},
        // The roll is a float and the thresholds are doubles: 2.9f lies above 2.9.
        {2.9f, "Game failed because you died!"},
        {4.0f, "Game failed because you died!"},
    };
    for (const auto& c : cases) {
        state.deathRoll = c.roll;
        EXPECT_STREQ(state.deathMessage(), c.text) << c.roll;
    }
}

TEST_F(Rules, LevelEndCountsTenUpdatesFadingOutOnTheSecond)
{
    play();
    screenFade = ScreenFade();
    finishLevel();
    EXPECT_EQ(state.phase, PHASE_LEVEL_END);
    const float* rgba = nullptr;
    EXPECT_STREQ(state.phaseMessage(&rgba), "End of Level. Well Done!");
    state.update();
    EXPECT_EQ(screenFade.fadeMode, FADE_OFF);
    state.update();
    EXPECT_EQ(screenFade.fadeMode, FADE_OUT);
    EXPECT_EQ(screenFade.fadeSteps, 7);
    for (int i = 3; i <= 9; ++i) {
        screenFade.step();
        state.update();
        EXPECT_EQ(state.phase, PHASE_LEVEL_END) << "update " << i;
    }
    state.update();
    EXPECT_EQ(state.phase, PHASE_WAITING);
    EXPECT_EQ(state.levelIndex, 1);
    EXPECT_FLOAT_EQ(state.drift[2], 0.5f);
    EXPECT_EQ(hud.getScore(), 0u);
    EXPECT_FALSE(state.bannerShown);
    EXPECT_EQ(screenFade.fadeMode, FADE_IN);
    EXPECT_TRUE(state.powerupsEnabled());
    EXPECT_EQ(state.hazardSpacing(), 1.0);
}

TEST_F(Rules, NoFadeOutWhileAFadeIsStillCounting)
{
    play();
    screenFade.arm(FADE_IN, 7);
    finishLevel();
    state.update();
    state.update();
    EXPECT_EQ(screenFade.fadeMode, FADE_IN);
}

TEST_F(Rules, FinishingTheThirdLevelWinsTheGame)
{
    for (int level = 0; level < 3; ++level) {
        play();
        finishLevel();
        hud.resetScore();
        for (int i = 0; i < 10 && !state.stopped; ++i)
            state.update();
    }
    EXPECT_EQ(state.phase, PHASE_GAME_OVER);
    EXPECT_TRUE(state.stopped);
    EXPECT_EQ(state.levelIndex, 3);
    EXPECT_EQ(state.health, 100);
    const float* rgba = nullptr;
    EXPECT_STREQ(state.phaseMessage(&rgba), "End of Game!!! you may press escape now.");
    EXPECT_EQ(rgba, nullptr);
}

TEST_F(Rules, MeterCountsAsFullOnlyPastItsGoal)
{
    play();
    hud.addScore(1000.0f);
    const float where[3] = {0, 0, 0};
    state.checkLevelComplete(4.0f, where);
    EXPECT_EQ(state.phase, PHASE_PLAYING);
    state.addScore(1.9f);
    state.checkLevelComplete(4.0f, where);
    EXPECT_EQ(state.phase, PHASE_LEVEL_END);
    EXPECT_EQ(state.levelEndFrames, 0);
}

TEST_F(Rules, ShieldRunsSixtySixFramesAndBlocksOtherPowerups)
{
    play();
    const int pickups = soundRequests(SOUND_POWERUP);
    state.receivePowerup(POWERUP_SHIELD);
    EXPECT_EQ(state.powerupType, POWERUP_SHIELD);
    EXPECT_EQ(state.powerupTimer, 66);
    state.receivePowerup(POWERUP_SLOW_MOTION);
    EXPECT_EQ(state.powerupType, POWERUP_SHIELD);
    EXPECT_EQ(soundRequests(SOUND_POWERUP), pickups + 1);
    for (int i = 0; i < 66; ++i)
        state.update();
    EXPECT_EQ(state.powerupTimer, 0);
    EXPECT_EQ(state.powerupType, POWERUP_SHIELD);
    EXPECT_FLOAT_EQ(state.drift[2], 0.3f);
}

TEST_F(Rules, SlowMotionCutsTheDriftForTwoHundredFramesWithAnExpiryBeep)
{
    state.levelIndex = 1;
    state.startLevel(1);
    play();
    blurCount = 4;
    state.receivePowerup(POWERUP_SLOW_MOTION);
    EXPECT_EQ(state.powerupTimer, 200);
    EXPECT_FLOAT_EQ(state.drift[2], 0.5f * 0.3f);
    const int beeps = soundRequests(SOUND_EXPIRE);
    for (int i = 0; i < 150; ++i)
        state.update();
    EXPECT_EQ(soundRequests(SOUND_EXPIRE), beeps);
    state.update();
    EXPECT_EQ(soundRequests(SOUND_EXPIRE), beeps + 1);
    EXPECT_EQ(state.powerupTimer, 49);
    EXPECT_FLOAT_EQ(state.drift[2], 0.15f);
    for (int i = 0; i < 49; ++i)
        state.update();
    EXPECT_EQ(state.powerupTimer, 0);
    EXPECT_FLOAT_EQ(state.drift[2], 0.5f);
    EXPECT_EQ(blurCount, 0);
    EXPECT_EQ(soundRequests(SOUND_EXPIRE), beeps + 1);
    // A second slow motion starts again from the level's speed.
    state.receivePowerup(POWERUP_SLOW_MOTION);
    EXPECT_FLOAT_EQ(state.drift[2], 0.15f);
}

TEST_F(Rules, UnknownPowerupIsReportedAndStartsNothing)
{
    testing::internal::CaptureStderr();
    state.receivePowerup(7);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "unknown type of powerup received: 7\n");
    EXPECT_EQ(state.powerupTimer, 0);
    EXPECT_EQ(state.powerupType, 7);
}

TEST_F(Rules, CatchingTrashPlaysOneOfTheTwoCatchSounds)
{
    const int before = soundRequests(SOUND_CATCH_1) + soundRequests(SOUND_CATCH_2);
    int first = soundRequests(SOUND_CATCH_1);
    for (int i = 0; i < 40; ++i)
        state.catchTrash(0);
    EXPECT_EQ(soundRequests(SOUND_CATCH_1) + soundRequests(SOUND_CATCH_2), before + 40);
    first = soundRequests(SOUND_CATCH_1) - first;
    EXPECT_GT(first, 5);
    EXPECT_LT(first, 35);
}

TEST(RulesDeath, StartingALevelOutsideTheTableIsAnInvariantViolation)
{
    GameState s;
    HudPanel h;
    s.hud = &h;
    EXPECT_DEATH(s.startLevel(3), "");
    EXPECT_DEATH(s.startLevel(-1), "");
}

// A new level starts clean: a running slow motion ends and its drift goes
// back to the level's, and the ship is back at the origin; finishing the
// last level plays a win sound, not a death sound.
TEST_F(Rules, LevelStartClearsThePowerupAndTheShipAndTheWinSoundsRight)
{
    play();
    state.receivePowerup(POWERUP_SLOW_MOTION);
    state.shipPosition[0] = 4.0f;
    state.startLevel(1);
    EXPECT_EQ(state.shipPosition[0], 0.0f);
    // The first powerup of the new level is taken at once.
    const int pickups = soundRequests(SOUND_POWERUP);
    state.receivePowerup(POWERUP_SHIELD);
    EXPECT_EQ(soundRequests(SOUND_POWERUP), pickups + 1) << "the old slow motion ran on into the level";

    // Eight wins draw both of the win sounds, and never a death sound.
    const int wins = soundRequests(SOUND_WON_1) + soundRequests(SOUND_WON_2);
    const int deaths = soundRequests(SOUND_DEATH_1) + soundRequests(SOUND_DEATH_2);
    for (int game = 0; game < 8; ++game) {
        state = GameState();
        state.hud = &hud;
        state.newGame();
        state.levelIndex = 2;
        play();
        finishLevel();
        hud.resetScore();
        for (int i = 0; i < 10 && !state.stopped; ++i)
            state.update();
    }
    EXPECT_EQ(soundRequests(SOUND_WON_1) + soundRequests(SOUND_WON_2), wins + 8);
    EXPECT_EQ(soundRequests(SOUND_DEATH_1) + soundRequests(SOUND_DEATH_2), deaths);
}
