// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/autopilot.h"

#include <SDL/SDL.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "common/catcher.h"
#include "common/gamestate.h"
#include "common/hudpanel.h"
#include "common/mesh.h"
#include "common/objectitem.h"
#include "common/scene.h"
#include "common/settings.h"
#include "common/textobject.h"
#include "common/trashlist.h"
#include "common/numeric.h"
#include "sdl/mainloop.h"
#include "sdl/startup.h"
#include "support/glcontext.h"
#include "support/xvfb.h"

namespace {

float radiusOf(const TrashListItem* e)
{
    return e->item && e->item->models[0] ? e->item->models[0]->getRadius() : 1.0f;
}

// Rocks that could touch the funnel within the next couple of seconds.
bool threatening(const TrashListItem* e)
{
    return e->kind == KIND_HAZARD && e->position[2] > -5.0f - radiusOf(e) - 14.0f && e->position[2] < 1.0f;
}

float clearance(const TrashListItem* rock)
{
    return radiusOf(rock) + 2.5f;
}

// Distance from point p to the segment a-b, in x and y.
float segmentDistance(const float p[2], const float a[2], const float b[2])
{
    const float abx = b[0] - a[0], aby = b[1] - a[1];
    const float len2 = abx * abx + aby * aby;
    float t = len2 > 0 ? ((p[0] - a[0]) * abx + (p[1] - a[1]) * aby) / len2 : 0.0f;
    t = std::fmax(0.0f, std::fmin(1.0f, t));
    return std::hypot(a[0] + t * abx - p[0], a[1] + t * aby - p[1]);
}

// Where the player wants the funnel this frame.
void chooseTarget(Strategy strategy, float& tx, float& ty)
{
    const float* funnel = catcherFunnel->position;
    tx = funnel[0];
    ty = funnel[1];
    const bool shielded = gameState.powerupTimer > 15 && gameState.powerupType == POWERUP_SHIELD;
    const bool dodging = strategy == Strategy::collect && !shielded;

    if (dodging) {
        // Flee first: straight away from the nearest rock the funnel is inside.
        for (const TrashListItem* e : trashList->entries) {
            if (!threatening(e))
                continue;
            const float dx = funnel[0] - e->position[0];
            const float dy = funnel[1] - e->position[1];
            const float d = std::hypot(dx, dy);
            if (d >= clearance(e))
                continue;
            float ux = d > 0.01f ? dx / d : 1.0f;
            float uy = d > 0.01f ? dy / d : 0.0f;
            const float reach = clearance(e) + 1.0f;
            tx = e->position[0] + ux * reach;
            ty = e->position[1] + uy * reach;
            if (std::fabs(tx) > 15.0f || std::fabs(ty) > 15.0f) {
                // Cornered by the edge: slide along it instead.
                std::swap(ux, uy);
                ux = -ux;
                if (std::fabs(e->position[0] + ux * reach) > 15.0f || std::fabs(e->position[1] + uy * reach) > 15.0f) {
                    ux = -ux;
                    uy = -uy;
                }
                tx = e->position[0] + ux * reach;
                ty = e->position[1] + uy * reach;
            }
            return;
        }
    }

    const TrashListItem* best = nullptr;
    for (const TrashListItem* e : trashList->entries) {
        if (!e->active || e->caught || e->position[2] < -40.0f || e->position[2] > -3.0f)
            continue;
        bool wanted;
        if (strategy == Strategy::ram)
            wanted = e->kind == KIND_HAZARD;
        else
            wanted = e->kind == KIND_TRASH || e->kind == KIND_POWERUP || (shielded && e->kind == KIND_HAZARD);
        if (!wanted || (best && e->position[2] <= best->position[2]))
            continue;
        if (dodging) {
            // Skip what lies in or behind a rock's path.
            bool safe = true;
            const float to[2] = {e->position[0], e->position[1]};
            for (const TrashListItem* rock : trashList->entries) {
                if (!threatening(rock))
                    continue;
                const float at[2] = {rock->position[0], rock->position[1]};
                if (segmentDistance(at, funnel, to) < clearance(rock))
                    safe = false;
            }
            if (!safe)
                continue;
        }
        best = e;
    }
    if (best) {
        tx = best->position[0];
        ty = best->position[1];
    }
}

} // namespace

void autopilotStartGame()
{
    static bool started = false;
    if (!started) {
        enterStageDirectory();
        setenv("DISPLAY", sharedTestDisplay().c_str(), 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        startUp();
        // Shut down as the game does before the process ends: SDL's audio
        // thread must not outlive the libraries' teardown.
        std::atexit([] { shutDown(); });
        started = true;
        return;
    }
    // A fresh game in the same world: the list empties, the rules restart.
    for (TrashListItem* e : trashList->entries)
        delete e;
    trashList->entries.clear();
    trashList->lastHazard = trashList->lastTrash = nullptr;
    HudPanel* hud = gameState.hud;
    gameState = GameState();
    gameState.hud = hud;
    catcherFunnel->setPosition(0.0f, 0.0f, -5.0f);
    gameState.newGame();
}

AutopilotStats autopilotPlay(Strategy strategy, int maxFrames, int renderEvery,
                             const std::function<void(int)>& everyFrame)
{
    AutopilotStats stats;
    int levelEndStart = -1;
    bool quit = false;
    for (int frame = 0; frame < maxFrames && !gameState.stopped; ++frame) {
        stats.frames = frame + 1;
        if (gameState.phase == PHASE_WAITING) {
            handleKey(SDLK_SPACE, quit);
            ++stats.levelsStarted;
        }
        float tx, ty;
        chooseTarget(strategy, tx, ty);
        const int xrel = static_cast<int>(std::lround((tx - gameState.shipTarget[0]) * 16.0f));
        const int yrel = static_cast<int>(-std::lround((ty - gameState.shipTarget[1]) * 16.0f));
        if (xrel != 0 || yrel != 0)
            handleMouseMotion(0, 0, 0, xrel, yrel);

        // Watch what the frame does.
        std::vector<std::pair<TrashListItem*, bool>> before;
        for (TrashListItem* e : trashList->entries)
            before.emplace_back(e, e->caught);
        const int healthBefore = gameState.health;
        const int32_t timerBefore = gameState.powerupTimer;
        const int32_t phaseBefore = gameState.phase;
        const int32_t level = gameState.levelIndex;
        const bool bannerBefore = gameState.bannerShown;

        updateFrame();

        for (const auto& b : before) {
            // Entries that were removed this frame are not dereferenced.
            bool alive = false;
            for (TrashListItem* e : trashList->entries)
                alive = alive || e == b.first;
            if (alive && !b.second && b.first->caught) {
                if (level < 3)
                    ++stats.catchesPerLevel[level];
                stats.shieldCatches += b.first->kind == KIND_HAZARD;
            }
        }
        if (!bannerBefore && gameState.bannerShown) {
            for (TrashListItem* e : trashList->entries)
                if (e->kind == KIND_TEXT)
                    stats.banners.push_back(static_cast<TextObject*>(e->item)->getText());
        }
        stats.hits += gameState.health < healthBefore ? (healthBefore - gameState.health) / 7 : 0;
        if (gameState.powerupTimer > timerBefore)
            ++stats.powerupsReceived;
        // After the last level the index has run past the table.
        if (gameState.powerupType == POWERUP_SLOW_MOTION && gameState.powerupTimer != 0 &&
            gameState.levelIndex < levelCount) {
            ++stats.slowMotionFrames;
            const float expected = static_cast<float>(levelTable[gameState.levelIndex].levelSpeed * double(0.3f));
            stats.slowMotionCutDrift = stats.slowMotionCutDrift && gameState.drift[2] == expected;
        }
        if (phaseBefore == PHASE_PLAYING && gameState.phase == PHASE_LEVEL_END) {
            stats.scoreAtLevelEnd.push_back(gameState.hud->getScore());
            levelEndStart = frame;
        }
        if (phaseBefore == PHASE_LEVEL_END && gameState.phase != PHASE_LEVEL_END)
            stats.levelEndUpdates.push_back(frame - levelEndStart);
        stats.maxEntries = std::max(stats.maxEntries, static_cast<int>(trashList->entries.size()));

        if (renderEvery > 0 && frame % renderEvery == 0) {
            renderScene();
            applyScreenFade();
            SDL_GL_SwapBuffers();
        } else {
            screenFade.step();
        }
        if (everyFrame)
            everyFrame(frame);
    }
    return stats;
}
