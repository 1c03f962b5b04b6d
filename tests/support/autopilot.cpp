// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/autopilot.h"

#include <cmath>

#include "sdl/startup.h"
#include "support/ingame.h"

namespace {

// How far the funnel keeps from a rock that could reach it within two seconds.
float clearance(const TrashListItem* e)
{
    const float r = e->item && e->item->models[0] ? e->item->models[0]->getRadius() : 1.0f;
    const bool near = e->kind == KIND_HAZARD && e->position[2] > -19.0f - r && e->position[2] < 1.0f;
    return near ? r + 2.5f : -1.0f;
}

// Whether the rock lies within its clearance of the segment a-b, in x and y.
bool inTheWay(const TrashListItem* rock, const float a[2], const float b[2])
{
    const float* p = rock->position;
    const float abx = b[0] - a[0], aby = b[1] - a[1], len2 = abx * abx + aby * aby;
    const float t = len2 > 0 ? std::clamp(((p[0] - a[0]) * abx + (p[1] - a[1]) * aby) / len2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(a[0] + t * abx - p[0], a[1] + t * aby - p[1]) < clearance(rock);
}

// Where the player wants the funnel this frame.
void chooseTarget(Strategy strategy, float& tx, float& ty)
{
    const float* funnel = catcherFunnel->position;
    tx = funnel[0];
    ty = funnel[1];
    const bool shielded = gameState.powerupTimer > 15 && gameState.powerupType == POWERUP_SHIELD;
    const bool dodging = strategy == Strategy::collect && !shielded;
    for (const TrashListItem* e : trashList->entries) {
        // Flee first: straight away from a rock the funnel is inside, or
        // along the edge when that way is cornered.
        if (!dodging || !inTheWay(e, funnel, funnel))
            continue;
        const float dx = funnel[0] - e->position[0], dy = funnel[1] - e->position[1];
        const float d = std::hypot(dx, dy), reach = clearance(e) + 1.0f;
        const float ux = d > 0.01f ? dx / d : 1.0f, uy = d > 0.01f ? dy / d : 0.0f;
        const float ways[3][2] = {{ux, uy}, {-uy, ux}, {uy, -ux}};
        for (const auto& w : ways) {
            tx = e->position[0] + w[0] * reach;
            ty = e->position[1] + w[1] * reach;
            if (std::fabs(tx) <= 15.0f && std::fabs(ty) <= 15.0f)
                break;
        }
        return;
    }
    const TrashListItem* best = nullptr;
    for (const TrashListItem* e : trashList->entries) {
        if (!e->active || e->caught || e->position[2] < -40.0f || e->position[2] > -3.0f)
            continue;
        const bool wanted = strategy == Strategy::ram
                                ? e->kind == KIND_HAZARD
                                : e->kind == KIND_TRASH || e->kind == KIND_POWERUP || (shielded && e->kind == KIND_HAZARD);
        if (!wanted || (best && e->position[2] <= best->position[2]))
            continue;
        bool safe = true;
        for (const TrashListItem* rock : trashList->entries)
            safe = safe && !(dodging && inTheWay(rock, funnel, e->position));
        if (safe)
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
        enterGameEnvironment();
        startUp();
        // Shut down as the game does: SDL's audio thread must not outlive the libraries.
        std::atexit([] { shutDown(); });
        started = true;
        return;
    }
    // A fresh game in the same world.
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
    bool quit = false;
    for (int frame = 0; frame < maxFrames && !gameState.stopped; ++frame) {
        if (gameState.phase == PHASE_WAITING)
            handleKey(SDLK_SPACE, quit);
        float tx, ty;
        chooseTarget(strategy, tx, ty);
        const int xrel = static_cast<int>(std::lround((tx - gameState.shipTarget[0]) * 16.0f));
        const int yrel = static_cast<int>(-std::lround((ty - gameState.shipTarget[1]) * 16.0f));
        if (xrel != 0 || yrel != 0)
            handleMouseMotion(0, 0, 0, xrel, yrel);

        std::vector<TrashListItem*> loose;
        for (TrashListItem* e : trashList->entries)
            if (!e->caught)
                loose.push_back(e);
        const int health = gameState.health, level = gameState.levelIndex;
        const bool banner = gameState.bannerShown;
        updateFrame();
        for (TrashListItem* e : trashList->entries)
            if (e->caught && std::find(loose.begin(), loose.end(), e) != loose.end()) {
                stats.catchesPerLevel[std::min(level, 2)] += 1;
                stats.shieldCatches += e->kind == KIND_HAZARD;
            }
        for (TrashListItem* e : trashList->entries)
            if (!banner && gameState.bannerShown && e->kind == KIND_TEXT)
                stats.banners.push_back(static_cast<TextObject*>(e->item)->getText());
        stats.hits += std::max(0, health - gameState.health) / 7;
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
