// SPDX-License-Identifier: GPL-3.0-or-later
// GameState: the one record of a game in progress and the rules of play.
//
// gameState is a static object that exists before start-up; the main loop,
// the trash list, the level schedule and the scene call into it from inside
// the frame, on the main thread. It keeps the phase, level, health, powerup,
// the mouse-steered ship target and the smoothed ship position. Start-up
// stores the HUD panel's address in hud before the first newGame(); the score
// operations need it.
#pragma once

#include <cstdint>

#include "common/shippath.h"

class HudPanel;

struct LevelSettings {
    float trashInterval;
    int32_t hazardSpacing;
    float levelSpeed;
    int32_t powerupsEnabled;
};

const int32_t levelCount = 3;
extern const LevelSettings levelTable[levelCount];

enum Phase : int32_t {
    PHASE_NONE = 0,
    PHASE_WAITING = 1,
    PHASE_PLAYING = 2,
    PHASE_LEVEL_END = 3,
    PHASE_GAME_OVER = 4,
};

enum PowerupType : int32_t {
    POWERUP_NONE = 0,
    POWERUP_SHIELD = 1,
    POWERUP_SLOW_MOTION = 2,
};

// Sound indices the rules play.
enum GameSound : int {
    SOUND_POWERUP = 0,
    SOUND_HIT = 2,
    SOUND_CATCH_1 = 3,
    SOUND_CATCH_2 = 4,
    SOUND_EXPIRE = 6,
    SOUND_WON_1 = 7,
    SOUND_WON_2 = 8,
    SOUND_DEATH_1 = 9,
    SOUND_DEATH_2 = 10,
};

class GameState {
public:
    GameState();

    void newGame();
    void startLevel(int32_t n);
    void update();
    void moveByMouse(int32_t xrel, int32_t yrel);
    void moveTarget(float dx, float dy);
    void hit(float direction[3]);
    void catchTrash(int32_t value);
    void receivePowerup(int32_t type);
    void addScore(float amount);
    void checkLevelComplete(float value, const float position[3]);

    bool trashDue(float clock) const;
    double hazardSpacing() const;
    bool powerupsEnabled() const;

    // The overlay's phase message: the text to centre (null for none); rgba
    // is set for the death messages and null otherwise.
    const char* phaseMessage(const float** rgba) const;
    // Draws which death message a later death shows; the overlay rolls it
    // on every waiting frame.
    void rollDeath();
    const char* deathMessage() const;

    HudPanel* hud;
    float shipPosition[3];
    float drift[3];
    int32_t levelEndFrames;
    ShipPath path;
    bool paused;
    bool started;
    int32_t powerupTimer;
    float shipTarget[3];
    bool targetMoved;
    int32_t health;
    bool stopped;
    int32_t shakeFrames;
    int32_t levelIndex;
    int32_t phase;
    int32_t powerupType;
    bool bannerShown;
    float deathRoll;
};

extern GameState gameState;
