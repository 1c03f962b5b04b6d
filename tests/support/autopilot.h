// SPDX-License-Identifier: GPL-3.0-or-later
// The autopilot plays the real game in-process, through the main loop's
// update order, steering by mouse motion and seeing what a player sees.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct AutopilotStats {
    int catchesPerLevel[3] = {0, 0, 0};
    std::vector<std::string> banners;
    int shieldCatches = 0;
    int maxEntries = 0;
    int hits = 0;
};

enum class Strategy { collect, ram };

// Starts the game (the real start-up, once per process) or restarts it.
void autopilotStartGame();
// Plays until the game is over or maxFrames are spent, rendering every renderEvery frames.
AutopilotStats autopilotPlay(Strategy strategy, int maxFrames, int renderEvery,
                             const std::function<void(int frame)>& everyFrame = nullptr);
