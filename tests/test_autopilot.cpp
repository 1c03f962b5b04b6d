// SPDX-License-Identifier: GPL-3.0-or-later
// Whole games played by the autopilot in-process, with the real start-up,
// the game's seed and the main loop's update order.
#include <gtest/gtest.h>

#include "common/gamestate.h"
#include "common/trashlist.h"
#include "support/autopilot.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <unistd.h>

TEST(Autopilot, ACollectorWinsAllThreeLevels)
{
    autopilotStartGame();
    const AutopilotStats s = autopilotPlay(Strategy::collect, 12000, 10);
    const float* rgba = nullptr;
    ASSERT_EQ(gameState.phase, PHASE_GAME_OVER)
        << "stopped at level " << gameState.levelIndex << " with health " << gameState.health;
    EXPECT_GT(gameState.health, 0) << "hits taken: " << s.hits;
    EXPECT_STREQ(gameState.phaseMessage(&rgba), "End of Game!!! you may press escape now.");
    ASSERT_EQ(s.scoreAtLevelEnd.size(), 3u);
    for (int level = 0; level < 3; ++level) {
        EXPECT_GE(s.catchesPerLevel[level], 23) << "level " << level + 1;
        EXPECT_LE(s.catchesPerLevel[level], 24) << "level " << level + 1;
        EXPECT_GT(s.scoreAtLevelEnd[level], 1000u);
    }
    ASSERT_EQ(s.levelEndUpdates.size(), 3u);
    for (int n : s.levelEndUpdates)
        EXPECT_EQ(n, 10);
    EXPECT_EQ(s.banners, (std::vector<std::string>{"Level 1", "Level 2", "Level 3"}));
    EXPECT_GT(s.powerupsReceived, 2);
    EXPECT_GT(s.shieldCatches, 0);
    EXPECT_GT(s.slowMotionFrames, 0);
    EXPECT_TRUE(s.slowMotionCutDrift);
    std::printf("autopilot: %d frames, %d hits, %d powerups, %d shield catches, at most %d entries\n",
                s.frames, s.hits, s.powerupsReceived, s.shieldCatches, s.maxEntries);
}

TEST(Autopilot, ARammerDiesWithADeathMessage)
{
    autopilotStartGame();
    // Level 1 has no rocks: start the rammer where they come.
    gameState.levelIndex = 1;
    gameState.startLevel(1);
    const AutopilotStats s = autopilotPlay(Strategy::ram, 3000, 10);
    ASSERT_EQ(gameState.phase, PHASE_GAME_OVER);
    EXPECT_LE(gameState.health, 0);
    const float* rgba = nullptr;
    const std::string message = gameState.phaseMessage(&rgba);
    ASSERT_NE(rgba, nullptr);
    const std::vector<std::string> deaths = {
        "Ooops, seems like you are now dead!!! organs collecter is on his way...",
        "Tough luck!! space parasite can have a feast now!", "Your ship guts have cought the vacuum",
        "Game failed because you died!"};
    EXPECT_NE(std::find(deaths.begin(), deaths.end(), message), deaths.end()) << message;
    EXPECT_GE(s.hits, 15);
}

namespace {

long residentKilobytes()
{
    FILE* f = std::fopen("/proc/self/statm", "r");
    long pages = 0, resident = 0;
    if (f) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Whole games restarted in-process, a rammer after every winner, for the
// given number of frames; memory is sampled at each game start (the list is
// empty then) after the freed heap is handed back, so only what is held
// counts. The first game is the warm-up: it meets every kind of entry, the
// trail and all three planets.
std::vector<long> soak(int total, int renderEvery, int& games, int& maxEntries)
{
    autopilotStartGame();
    int frames = 0;
    games = 0;
    maxEntries = 0;
    std::vector<long> atGameStart;
    while (frames < total) {
        if (games > 0) {
            autopilotStartGame();
            malloc_trim(0);
            atGameStart.push_back(residentKilobytes());
        }
        const bool ram = games % 2 == 1;
        if (ram) {
            gameState.levelIndex = 1;
            gameState.startLevel(1);
        }
        const AutopilotStats s = autopilotPlay(ram ? Strategy::ram : Strategy::collect,
                                               std::min(8000, total - frames), renderEvery,
                                               [&](int) { ++frames; });
        maxEntries = std::max(maxEntries, s.maxEntries);
        ++games;
    }
    std::printf("soak: %d frames over %d games (render every %d), at most %d entries; resident kB at game starts:",
                frames, games, renderEvery, maxEntries);
    for (long kb : atGameStart)
        std::printf(" %ld", kb);
    std::printf("\n");
    return atGameStart;
}

int soakFrames()
{
    const char* v = std::getenv("DRIFTHAUL_SOAK_FRAMES");
    return v ? std::atoi(v) : 20000;
}

} // namespace

// AddressSanitizer's quarantine and shadow memory make resident sizes
// meaningless: there the soaks check the entries only.
#if defined(__SANITIZE_ADDRESS__)
const bool measuresMemory = false;
#else
const bool measuresMemory = true;
#endif

TEST(Autopilot, SoakOfTheRulesKeepsEntriesAndMemoryFlat)
{
    int games = 0, maxEntries = 0;
    const std::vector<long> rss = soak(soakFrames(), 0, games, maxEntries);
    ASSERT_GE(rss.size(), 3u);
    EXPECT_LT(maxEntries, 600);
    if (!measuresMemory)
        return;
    const long most = *std::max_element(rss.begin(), rss.end());
    EXPECT_LT(most - rss.front(), 1024) << "resident memory grew by " << most - rss.front() << " kB";
}

TEST(Autopilot, SoakWithRenderingShowsNoUpwardTrend)
{
    // The GL driver's own caches swing by a few MB from game to game either
    // way; what must not happen is a rise beyond the earlier games' highest.
    int games = 0, maxEntries = 0;
    const std::vector<long> rss = soak(soakFrames(), 10, games, maxEntries);
    ASSERT_GE(rss.size(), 4u);
    EXPECT_LT(maxEntries, 600);
    if (!measuresMemory)
        return;
    const size_t half = rss.size() / 2;
    const long early = *std::max_element(rss.begin(), rss.begin() + half);
    const long late = *std::max_element(rss.begin() + half, rss.end());
    EXPECT_LT(late - early, 1024) << "resident memory rose by " << late - early << " kB";
}
