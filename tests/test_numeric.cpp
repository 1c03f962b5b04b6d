// SPDX-License-Identifier: GPL-3.0-or-later
// The random pick at the top of the generator's range.
#include <gtest/gtest.h>

#include <cstdlib>

#include "common/numeric.h"

TEST(RandomIndex, ReachesTheUpperBoundOnlyOnTheLargestDraw)
{
    // Replay the generator: whenever rand() gives 32767 the pick is n, never otherwise.
    int tops = 0;
    for (unsigned seed = 1; seed < 40; ++seed) {
        gameSrand(seed);
        std::vector<int> draws(20000);
        for (int& d : draws)
            d = gameRand();
        gameSrand(seed);
        for (int d : draws) {
            const int pick = randomIndex(0, 5);
            ASSERT_GE(pick, 0);
            ASSERT_LE(pick, 5);
            EXPECT_EQ(pick == 5, d == 32767) << "draw " << d;
            tops += d == 32767;
        }
    }
    EXPECT_GT(tops, 0) << "the sweep never saw the largest draw";
}

