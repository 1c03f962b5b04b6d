// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/hudpanel.h"

#include <GL/glew.h>
#include <GL/freeglut.h>

#include <cmath>
#include <cstdio>
#include <iostream>

#include "common/textures.h"
#include "opengl/glutil.h"

HudPanel hudPanel;

HudPanel::HudPanel()
    : width(0.2f),
      height(0.05f),
      frameColour{0.4f, 0.4f, 0.9f},
      fillColour{0.25f, 0.25f, 0.65f},
      fontHeight(18),
      font(GLUT_BITMAP_HELVETICA_18),
      goal(100),
      score(0),
      fillLength(0.0f),
      outline{},
      healthIcon(0),
      powerupIcon(0)
{
    recompute();
}

void HudPanel::placeMeter(float x, float y, float z)
{
    Placement::setPosition(x, y, z);
    computeOutline();
}

void HudPanel::buildOutline(float w, float h)
{
    width = w;
    height = h;
    computeOutline();
    recompute();
}

void HudPanel::computeOutline()
{
    const float x0 = position[0];
    const float y0 = position[1];
    const float w = width;
    const float h = height;
    const float a = static_cast<float>(h * 5.414213562373095 / 10.0);
    const float b = static_cast<float>((h / 10.0f) * 1.4142135623730951);
    const float pts[12][2] = {
        {x0, y0 + h / 2},
        {x0 + b, y0 + h / 2},
        {x0 + h / 2, y0},
        {x0 + a, y0 + h / 10},
        {x0 + w - h / 2, y0},
        {x0 + w - a, y0 + h / 10},
        {x0 + w, y0 + h / 2},
        {x0 + w - b, y0 + h / 2},
        {x0 + w - h / 2, y0 + h},
        {x0 + w - a, y0 + 9 * h / 10},
        {x0 + h / 2, y0 + h},
        {x0 + a, y0 + 9 * h / 10},
    };
    for (int i = 0; i < 12; ++i) {
        outline[i][0] = pts[i][0];
        outline[i][1] = pts[i][1];
        outline[i][2] = 0.0f;
    }
}

void HudPanel::recompute()
{
    // Not clamped: past the goal the fill runs beyond the frame.
    fillLength = static_cast<float>(static_cast<double>(score) / static_cast<double>(goal) *
                                    (width - height * 6.414213562373095 / 5.0));
}

void HudPanel::setGoal(uint32_t n)
{
    goal = n;
    recompute();
}

void HudPanel::loadIcons()
{
    healthIcon = textureTable->load("../textures/powerups/red-cross-50.png", 0);
    powerupIcon = textureTable->load("../textures/powerups/blue_trash_can.jpg", 0);
}

void HudPanel::addScore(float v)
{
    score += static_cast<uint32_t>(static_cast<int64_t>(v));
    recompute();
}

void HudPanel::resetScore()
{
    score = 0;
    recompute();
}

bool HudPanel::isFull() const
{
    return goal < score;
}

void HudPanel::drawMeter() const
{
    glBindTexture(GL_TEXTURE_2D, 0); // flat colours
    glColor3fv(frameColour);
    glBegin(GL_TRIANGLE_STRIP);
    for (int i = 0; i < 12; ++i)
        glVertex3fv(outline[i]);
    glVertex3fv(outline[0]);
    glVertex3fv(outline[1]);
    glEnd();

    const float h = height;
    glColor3fv(fillColour);
    glBegin(GL_TRIANGLE_FAN);
    glVertex3fv(outline[1]);
    glVertex3fv(outline[3]);
    glVertex3f(outline[3][0] + h / 5 + fillLength, outline[3][1], 0.0f);
    glVertex3f(outline[11][0] + fillLength, outline[11][1], 0.0f);
    glVertex3fv(outline[11]);
    glEnd();
    glColor3f(1.0f, 1.0f, 1.0f);
}

void HudPanel::drawHealth(int health) const
{
    char text[100];
    std::snprintf(text, sizeof text, "%d", health);
    drawIcon(healthIcon, 300, 5, 50); // leaves the colour white for the number
    drawText(350.0f, static_cast<float>(30 - fontHeight / 2), text);
}

void HudPanel::drawPowerup(int frames, int type) const
{
    if (type != 1) {
        std::cerr << "unknown powerup?!? " << type << std::endl;
        return;
    }
    char text[100];
    std::snprintf(text, sizeof text, "powerup %d", frames);
    drawIcon(powerupIcon, 400, 5, 50); // leaves the colour white for the number
    drawText(450.0f, 21.0f, text);
}

void HudPanel::drawIcon(int texture, int x, int y, int size) const
{
    // Slot 0 of the texture table always holds 0: "no texture".
    glBindTexture(GL_TEXTURE_2D, texture < 1 ? 0u : static_cast<GLuint>(texture));
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3i(x, y, 0);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3i(x + size, y, 0);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3i(x + size, y + size, 0);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3i(x, y + size, 0);
    glEnd();
    glBindTexture(GL_TEXTURE_2D, 0);
}

void HudPanel::drawText(float x, float y, const char* text) const
{
    ensureGlutInitialised();
    glLineWidth(1.0f);
    // Bitmaps are textured too, at the raster position's coordinate: the
    // default texture's one white texel leaves the caller's colour as it is.
    glBindTexture(GL_TEXTURE_2D, 0);
    placeBitmapText(x, y);
    for (const char* c = text; *c; ++c)
        glutBitmapCharacter(font, static_cast<unsigned char>(*c));
}

void HudPanel::drawCentredMessage(int width, int height, const char* text, const float* rgba) const
{
    ensureGlutInitialised();
    const int length = glutBitmapLength(font, reinterpret_cast<const unsigned char*>(text));
    glPushAttrib(GL_CURRENT_BIT);
    glBindTexture(GL_TEXTURE_2D, 0);
    if (rgba)
        glColor4fv(rgba);
    else
        glColor4f(1.0f, 1.0f, 1.0f, 0.9f);
    // Wider than the window, the message stays centred and loses both ends.
    placeBitmapText((width - length) / 2, static_cast<int>(std::trunc(height * 0.777)));
    for (const char* c = text; *c; ++c)
        glutBitmapCharacter(font, static_cast<unsigned char>(*c));
    glPopAttrib();
}
