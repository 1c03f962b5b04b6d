// SPDX-License-Identifier: GPL-3.0-or-later
// Whole games played by the autopilot.
#include <set>

#include "support/autopilot.h"
#include "support/ingame.h"

// The collector's game also saves the README's pictures (scripts/screenshots.sh).
TEST(Autopilot, ACollectorWinsAllThreeLevelsAndARammerDies)
{
    autopilotStartGame();
    bool banner = false, trail = false;
    auto picture = [](const char* name) {
        renderScene();
        return savePng(readFramebuffer(), testOutputPath(name));
    };
    std::vector<Rgb> planets; // the lower half of each level's waiting screen
    AutopilotStats s = autopilotPlay(Strategy::collect, 12000, 10, [&](int) {
        std::set<const void*> kinds;
        bool flying = false;
        for (const TrashListItem* e : trashList->entries) {
            if (e->kind == KIND_TRASH && e->position[2] > -45.0f)
                kinds.insert(e->item);
            flying = flying || (e->kind == KIND_TEXT && e->position[2] > -20.0f && e->position[2] < -4.0f &&
                                e->position[0] < 0.0f && e->position[0] > 0.4f * e->position[2]);
        }
        if (planets.size() == size_t(gameState.levelIndex) && planets.size() < 3 && screenFade.fadeMode == FADE_OFF) {
            renderScene();
            planets.push_back(readFramebuffer().mean(0, 150, 320, 200));
        }
        if (!banner && flying && screenFade.fadeMode == FADE_OFF && !kinds.empty())
            banner = picture("level-banner.png");
        if (!trail && gameState.powerupType == POWERUP_SLOW_MOTION && blurCount == 5 && kinds.size() >= 2)
            trail = picture("slow-motion.png");
    });
    picture("win.png");
    ASSERT_EQ(gameState.phase, PHASE_GAME_OVER) << "stopped at level " << gameState.levelIndex;
    EXPECT_GT(gameState.health, 0) << "hits taken: " << s.hits;
    // Four points a catch, eleven frames each, past a goal of 1000.
    for (int level = 0; level < 3; ++level) {
        EXPECT_GE(s.catchesPerLevel[level], 23) << "level " << level + 1;
        EXPECT_LE(s.catchesPerLevel[level], 24) << "level " << level + 1;
    }
    EXPECT_EQ(s.banners, (std::vector<std::string>{"Level 1", "Level 2", "Level 3"}));
    // Earth's blue, then Mars' red, then Venus' yellow.
    ASSERT_EQ(planets.size(), 3u);
    EXPECT_GT(planets[0].b, planets[0].r + 8);
    EXPECT_GT(planets[1].r, planets[1].g + 20);
    EXPECT_GT(planets[2].g, planets[2].b + 20);
    EXPECT_GT(planets[2].g, planets[1].g + 40);
    EXPECT_GT(s.shieldCatches, 0);

    // Level 1 has no rocks: the rammer starts where they come.
    autopilotStartGame();
    gameState.levelIndex = 1;
    gameState.startLevel(1);
    s = autopilotPlay(Strategy::ram, 3000, 10);
    ASSERT_EQ(gameState.phase, PHASE_GAME_OVER);
    EXPECT_LE(gameState.health, 0);
    EXPECT_GE(s.hits, 15);
    const float* rgba = nullptr;
    EXPECT_STREQ(gameState.phaseMessage(&rgba), gameState.deathMessage());
    EXPECT_NE(rgba, nullptr);
}
