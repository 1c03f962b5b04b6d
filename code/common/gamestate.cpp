// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/gamestate.h"

#include <cassert>
#include <cmath>
#include <iostream>

#include "common/hudpanel.h"
#include "common/scene.h"
#include "common/settings.h"
#include "common/numeric.h"
#include "sound/soundbank.h"

const LevelSettings levelTable[levelCount] = {
    {17.0f, -1, 0.3f, 0},
    {50.0f, 1, 0.5f, 1},
    {20.0f, 2, 0.7f, 3},
};

GameState gameState;

static const float deathColour[4] = {0.8f, 0.0f, 0.0f, 0.9f};

GameState::GameState()
    : hud(nullptr),
      shipPosition{0.0f, 0.0f, 0.0f},
      drift{0.0f, 0.0f, 0.0f},
      levelEndFrames(0),
      paused(false),
      started(false),
      powerupTimer(0),
      shipTarget{0.0f, 0.0f, -5.0f},
      targetMoved(false),
      health(100),
      stopped(false),
      shakeFrames(0),
      levelIndex(0),
      phase(PHASE_NONE),
      powerupType(POWERUP_NONE),
      bannerShown(false),
      deathRoll(0.0f)
{
    for (int k = 0; k < 3; ++k)
        path.current[k] = shipPosition[k];
    path.step = 1.0f / 3.0f;
}

void GameState::newGame()
{
    started = true;
    levelIndex = 0;
    startLevel(0);
}

void GameState::startLevel(int32_t n)
{
    assert(n >= 0 && n < levelCount);
    phase = PHASE_WAITING;
    bannerShown = false;
    powerupTimer = 0;
    powerupType = POWERUP_NONE;
    drift[2] = levelTable[n].levelSpeed;
    shipPosition[0] = shipPosition[1] = shipPosition[2] = 0.0f;
    assert(hud);
    hud->resetScore();
    retexturePlanetForLevel(n);
    screenFade.arm(FADE_IN, 7);
}

void GameState::update()
{
    path.advance();
    const float* p = path.position();
    shipPosition[0] = p[0];
    shipPosition[1] = p[1];
    shipPosition[2] = p[2];

    if (phase == PHASE_LEVEL_END) {
        ++levelEndFrames;
        if (screenFade.fadeSteps == 0 && levelEndFrames == 2)
            screenFade.arm(FADE_OUT, 7);
        if (levelEndFrames >= 10) {
            ++levelIndex;
            if (levelIndex >= levelCount) {
                playSound(randomFraction() < 0.5 ? SOUND_WON_1 : SOUND_WON_2);
                stopped = true;
                phase = PHASE_GAME_OVER;
                return;
            }
            startLevel(levelIndex);
        }
    }

    if (powerupTimer != 0) {
        if (powerupTimer == 50)
            playSound(SOUND_EXPIRE);
        --powerupTimer;
        if (powerupTimer == 0) {
            if (powerupType == POWERUP_SLOW_MOTION)
                drift[2] = levelTable[levelIndex].levelSpeed;
            resetBlurTrail();
        }
    }

    if (health <= 0) {
        playSound(randomFraction() < 0.7777777 ? SOUND_DEATH_1 : SOUND_DEATH_2);
        phase = PHASE_GAME_OVER;
        stopped = true;
    }
}

void GameState::moveByMouse(int32_t xrel, int32_t yrel)
{
    if (phase != PHASE_PLAYING)
        return;
    moveTarget(static_cast<float>(xrel * 0.0625), static_cast<float>(-yrel * 0.0625));
}

void GameState::moveTarget(float dx, float dy)
{
    shipTarget[0] += dx;
    shipTarget[1] += dy;
    for (int k = 0; k < 2; ++k) {
        if (shipTarget[k] < -15.0f)
            shipTarget[k] = -15.0f;
        if (shipTarget[k] > 15.0f)
            shipTarget[k] = 15.0f;
    }
    path.addPoint(-shipTarget[0], -shipTarget[1], -4.0f);
    targetMoved = true;
}

void GameState::hit(float direction[3])
{
    playSound(SOUND_HIT);
    direction[2] = 0.0f;
    for (int k = 0; k < 3; ++k)
        direction[k] *= -2.0f;
    moveTarget(direction[0], direction[1]);
    health -= 7;
    shakeFrames = 20;
    std::cout << (health > 70 ? "ahhhh it hurts!" : "ouch!") << std::endl;
}

void GameState::catchTrash(int32_t)
{
    playSound(randomFraction() < 0.5 ? SOUND_CATCH_1 : SOUND_CATCH_2);
}

void GameState::receivePowerup(int32_t type)
{
    if (powerupTimer != 0)
        return;
    if (powerupType == POWERUP_SLOW_MOTION)
        drift[2] = levelTable[levelIndex].levelSpeed;
    powerupType = type;
    if (type == POWERUP_SHIELD) {
        playSound(SOUND_POWERUP);
        powerupTimer = 66;
    } else if (type == POWERUP_SLOW_MOTION) {
        powerupTimer = 200;
        playSound(SOUND_POWERUP);
        drift[2] = static_cast<float>(drift[2] * static_cast<double>(0.3f));
    } else {
        std::cerr << "unknown type of powerup received: " << type << std::endl;
    }
}

void GameState::addScore(float amount)
{
    assert(hud);
    hud->addScore(amount);
}

void GameState::checkLevelComplete(float, const float*)
{
    assert(hud);
    if (hud->isFull()) {
        levelEndFrames = 0;
        phase = PHASE_LEVEL_END;
    }
}

bool GameState::trashDue(float clock) const
{
    return started && clock > levelTable[levelIndex].trashInterval;
}

double GameState::hazardSpacing() const
{
    return levelTable[levelIndex].hazardSpacing;
}

bool GameState::powerupsEnabled() const
{
    return levelTable[levelIndex].powerupsEnabled != 0;
}

void GameState::rollDeath()
{
    const double u1 = randomFraction();
    const double u2 = randomFraction();
    deathRoll = static_cast<float>(2.0 * u1 + 2.0 * u2);
}

const char* GameState::deathMessage() const
{
    if (deathRoll <= 0.9)
        return "Ooops, seems like you are now dead!!! organs collecter is on his way...";
    if (deathRoll <= 2.0)
        return "Tough luck!! space parasite can have a feast now!";
    if (deathRoll <= 2.9)
        return "Your ship guts have cought the vacuum";
    return "Game failed because you died!";
}

const char* GameState::phaseMessage(const float** rgba) const
{
    *rgba = nullptr;
    switch (phase) {
    case PHASE_WAITING:
        return "press Spacebar to play the game";
    case PHASE_PLAYING:
        return paused ? "paused" : nullptr;
    case PHASE_LEVEL_END:
        return "End of Level. Well Done!";
    case PHASE_GAME_OVER:
        if (health > 0)
            return "End of Game!!! you may press escape now.";
        *rgba = deathColour;
        return deathMessage();
    default:
        return nullptr;
    }
}
