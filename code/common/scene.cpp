// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/scene.h"

#include <GL/glew.h>

#include <cassert>
#include <cstdlib>

#include "common/catcher.h"
#include "common/gamestate.h"
#include "common/hudpanel.h"
#include "common/settings.h"
#include "common/trashlist.h"
#include "opengl/bodies.h"
#include "opengl/bufferobjects.h"
#include "opengl/shaders.h"
#include "sdl/startup.h"
#include "opengl/glutil.h"
#include "common/numeric.h"
#include "sdl/video.h"

void (*beforeEachDraw)(const char*) = nullptr;

void resetBlurTrail()
{
    blurCount = 0;
}

void setupCamera()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect = static_cast<double>(screen->w) / static_cast<double>(screen->h);
    gluPerspective(90.0, aspect, 0.5, 5000.0);

    const float* p = gameState.shipPosition;
    if (!(p[0] == 0.0f && p[1] == 0.0f && p[2] == 0.0f))
        glTranslatef(p[0], p[1], p[2]);

    if (gameState.shakeFrames != 0) {
        float shakeOffsets[3];
        for (int k = 0; k < 3; ++k) {
            const double u = randomFraction();
            shakeOffsets[k] = static_cast<float>((2.0 * u - 1.0) * gameState.shakeFrames * 0.1);
        }
        glTranslatef(shakeOffsets[0], shakeOffsets[1], shakeOffsets[2]);
        --gameState.shakeFrames;
    }
    glMatrixMode(GL_MODELVIEW);
}

void drawBlurQuad(const unsigned int* textures, int32_t count)
{
    glViewport(0, 0, screen->w, screen->h);
    pushIdentityMatrices();

    glColor4f(1.0f, 1.0f, 1.0f, 1.0f / count);
    for (int32_t i = 0; i < count; ++i) {
        glActiveTexture(GL_TEXTURE0 + i);
        glBindTexture(GL_TEXTURE_2D, textures[i]);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    }
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-1.0f, -1.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(1.0f, -1.0f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(1.0f, 1.0f, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-1.0f, 1.0f, 0.0f);
    glEnd();
    // The shader ignores the environment; left at decal it would strip the
    // lighting and colours from every fixed-function draw after the trail.
    for (int32_t i = count - 1; i >= 0; --i) {
        glActiveTexture(GL_TEXTURE0 + i);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    popIdentityMatrices();
}

void drawMessages()
{
    if (showFps) {
        probeBeforeDraw("fps");
        drawFps();
    }

    HudPanel* hud = gameState.hud;
    assert(hud);
    const float* rgba = nullptr;
    if (gameState.phase == PHASE_WAITING) {
        // Every waiting frame rolls again which message a later death shows.
        gameState.rollDeath();
        probeBeforeDraw("message");
        hud->drawCentredMessage(screen->w, screen->h, gameState.phaseMessage(&rgba), rgba);
        return;
    }
    probeBeforeDraw("meter");
    hud->drawMeter();
    probeBeforeDraw("health");
    hud->drawHealth(gameState.health);
    const char* text = gameState.phaseMessage(&rgba);
    if (text) {
        probeBeforeDraw("message");
        hud->drawCentredMessage(screen->w, screen->h, text, rgba);
    }
    if (gameState.phase == PHASE_PLAYING && gameState.powerupTimer != 0) {
        probeBeforeDraw("powerup");
        hud->drawPowerup(gameState.powerupTimer, 1);
    }
}

static void drawPlayField()
{
    useShader(SHADER_DEFAULT_LIGHTING);
    trashList->draw();
    probeBeforeDraw("funnel");
    catcherFunnel->draw();
    glUseProgramObjectARB(0);
}

void renderScene()
{
    // Everything drawn here exists from start-up on.
    assert(starfield && sun && planet && trashList && catcherFunnel && framebufferSet);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_LIGHTING);
    setupCamera();
    glLoadIdentity();

    probeBeforeDraw("stars");
    starfield->draw();
    probeBeforeDraw("sun");
    sun->draw();
    probeBeforeDraw("planet");
    planet->draw();

    if (gameState.powerupType == POWERUP_SLOW_MOTION && gameState.powerupTimer != 0) {
        // The slow-motion trail: this frame goes into the ring, then the
        // filled slots are laid over the backdrop.
        framebufferSet->bindFramebuffer(blurIndex);
        drawPlayField();
        framebufferSet->noteFilledTiles(blurIndex);
        framebufferSet->unbindFramebuffer();
        if (blurCount < 5)
            ++blurCount;
        framebufferSet->maskEmptyTiles(blurCount, screen->w, screen->h);
        useShader(SHADER_TEXTURE_COMBINE);
        probeBeforeDraw("trail");
        drawBlurQuad(blurTextures, blurCount);
        glUseProgramObjectARB(0);
        blurIndex = (blurIndex + 1) % 5;
    } else {
        drawPlayField();
    }

    glDisable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, screen->w, 0.0, screen->h, 0.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    drawMessages();
}

void retexturePlanetForLevel(int32_t n)
{
    static const char* const levelTextures[3] = {
        nullptr,
        "../textures/environment/non-2powern/mars_1k_color.jpg",
        "../textures/environment/non-2powern/venusmap.jpg",
    };
    // Level 0 keeps the image loaded at start-up.
    if (planet && levelTextures[n])
        planet->setTexture(levelTextures[n]);
}
