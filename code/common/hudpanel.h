// SPDX-License-Identifier: GPL-3.0-or-later
// HudPanel: the heads-up display of the 2D overlay pass and the bitmap-text
// routines that the loading screen and the phase messages use.
//
// One static instance, hudPanel, exists before start-up; the game state holds
// its address. It owns the trash meter's score and goal: the score rises by
// whole points while caught entries shrink and is reset at every level start.
// The drawing operations need a current OpenGL context and pixel coordinates
// with the origin at the lower left (the overlay's projection); the score
// operations need none.
#pragma once

#include <cstdint>

#include "common/placement.h"

class HudPanel : public Placement {
public:
    HudPanel();

    // Moves the meter's lower left corner to (x, y, z) and rebuilds its outline.
    void placeMeter(float x, float y, float z);
    void buildOutline(float w, float h);
    void setGoal(uint32_t n);
    // Loads the health and powerup icons through the texture table.
    void loadIcons();

    void addScore(float v);
    void resetScore();
    bool isFull() const;

    void drawMeter() const;
    void drawHealth(int health) const;
    void drawPowerup(int frames, int type) const;
    void drawIcon(int texture, int x, int y, int size) const;
    void drawText(float x, float y, const char* text) const;
    void drawCentredMessage(int width, int height, const char* text, const float* rgba) const;

    uint32_t getScore() const { return score; }
    uint32_t getGoal() const { return goal; }
    float getFillLength() const { return fillLength; }
    const float (*getOutline() const)[3] { return outline; }
    float getWidth() const { return width; }
    float getHeight() const { return height; }
    int getHealthIcon() const { return healthIcon; }
    int getPowerupIcon() const { return powerupIcon; }

private:
    void recompute();
    void computeOutline();

    float width, height;
    float frameColour[3];
    float fillColour[3];
    int32_t fontHeight;
    void* font;
    uint32_t goal;
    uint32_t score;
    float fillLength;
    float outline[12][3];
    int healthIcon;
    int powerupIcon;
};

extern HudPanel hudPanel;
