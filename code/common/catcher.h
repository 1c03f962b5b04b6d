// SPDX-License-Identifier: GPL-3.0-or-later
// CatcherFunnel: the flexible tube that catches trash. It chases the
// mouse-steered ship target a fifth of the remaining way per frame.
//
// Created by start-up (at (0, 0, -5)) with the game state it follows, deleted
// by shutdown. update() runs after the trash list's update; draw() runs in the
// scene with shader program 0 current and is defined with the other GL
// drawing, in opengl/funneldraw.cpp.
#pragma once

#include "common/placement.h"

class GameState;

const int funnelRings = 11;
const int funnelRingPoints = 10;

class CatcherFunnel : public Placement {
public:
    explicit CatcherFunnel(GameState* state);

    void update();
    void draw() const;

    // The tube's 11 x 10 points from near the camera (ring 0) to the funnel
    // (ring 10), rebuilt from the current positions.
    void computeRings(float points[funnelRings][funnelRingPoints][3]) const;

private:
    GameState* state;
};

// The game's one funnel: made by start-up, deleted by shutdown.
extern CatcherFunnel* catcherFunnel;
