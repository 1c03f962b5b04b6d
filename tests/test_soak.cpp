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

// A rammer after every winner. Memory is sampled at each game start, with the
// list empty and the freed heap handed back; the driver's caches swing by a
// few MB, so the later games' highest must not pass the earlier games'.
TEST(Autopilot, SoakKeepsEntriesBoundedAndMemoryFlat)
{
    const char* v = std::getenv("DRIFTHAUL_SOAK_FRAMES");
    const int total = v ? std::atoi(v) : 20000;
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
                                               std::min(8000, total - frames), 10, [&](int) { ++frames; });
        maxEntries = std::max(maxEntries, s.maxEntries);
    }
    std::printf("soak: %d frames, at most %d entries\n", frames, maxEntries);
    EXPECT_LT(maxEntries, 600);
#if !defined(__SANITIZE_ADDRESS__) // the sanitizer's quarantine makes resident sizes meaningless
    ASSERT_GE(rss.size(), 4u);
    const long early = *std::max_element(rss.begin(), rss.begin() + rss.size() / 2);
    const long late = *std::max_element(rss.begin() + rss.size() / 2, rss.end());
    EXPECT_LT(late - early, 1024) << "resident memory rose by " << late - early << " kB";
#endif
}
