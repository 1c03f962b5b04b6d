// SPDX-License-Identifier: GPL-3.0-or-later
// Soaks of many games played by the autopilot: entries stay bounded and the
// resident memory flat (read from Linux's /proc).
#include <fstream>
#include <malloc.h>
#include <unistd.h>

#include "support/autopilot.h"
#include "support/ingame.h"

static long residentKilobytes()
{
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// A rammer after every winner, in games of at most 1500 frames. Memory is
// sampled at each game start, with the list empty and the freed heap handed
// back. The driver's caches grow for a while and then stop, by a few MB at
// once; a leak grows with every game. So over the later half of the games the
// typical growth across two games (one of each kind) must be about nothing.
TEST(Autopilot, SoakKeepsEntriesBoundedAndMemoryFlat)
{
    const char* v = std::getenv("DRIFTHAUL_SOAK_FRAMES");
    const int total = v ? std::atoi(v) : 24000;
    autopilotStartGame();
    int frames = 0, maxEntries = 0;
    std::vector<long> rss;
    for (int games = 0; frames < total; ++games) {
        if (games > 0) {
            autopilotStartGame();
            malloc_trim(0);
            rss.push_back(residentKilobytes());
        }
        if (games % 2 == 1) {
            gameState.levelIndex = 1;
            gameState.startLevel(1);
        }
        const AutopilotStats s = autopilotPlay(games % 2 ? Strategy::ram : Strategy::collect,
                                               std::min(1500, total - frames), 10, [&](int) { ++frames; });
        maxEntries = std::max(maxEntries, s.maxEntries);
    }
    std::printf("soak: %d frames, at most %d entries\n", frames, maxEntries);
    EXPECT_LT(maxEntries, 600);
#if !defined(__SANITIZE_ADDRESS__) // the sanitizer's quarantine makes resident sizes meaningless
    ASSERT_GE(rss.size(), 12u);
    std::vector<long> growth;
    for (size_t i = rss.size() / 2; i + 2 < rss.size(); ++i)
        growth.push_back(rss[i + 2] - rss[i]);
    std::nth_element(growth.begin(), growth.begin() + growth.size() / 2, growth.end());
    std::printf("soak: %zu games, resident %ld to %ld kB, median growth across two games %ld kB\n", rss.size() + 1,
                *std::min_element(rss.begin(), rss.end()), *std::max_element(rss.begin(), rss.end()),
                growth[growth.size() / 2]);
    EXPECT_LT(growth[growth.size() / 2], 256) << "resident memory grows by about " << growth[growth.size() / 2]
                                              << " kB every two games";
#endif
}
