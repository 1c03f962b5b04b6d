// Whole games played by the autopilot in-process, with the real start-up,
// the game's seed and the main loop's update order.
#include <gtest/gtest.h>

#include "common/gamestate.h"
#include "common/trashlist.h"
#include "support/autopilot.h"

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
