// The interpolation curves, the random pick and the microsecond stopwatch.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "common/numeric.h"
#include "opengl/stopwatch.h"

TEST(Curves, AreExactAtBothEnds)
{
    const float pairs[][2] = {{0.0f, 1.0f}, {-3.5f, 7.25f}, {1e4f, -2e3f}, {0.1f, 0.3f}};
    for (const auto& p : pairs) {
        EXPECT_EQ(lerp(p[0], p[1], 0.0f), p[0]);
        EXPECT_EQ(lerp(p[0], p[1], 1.0f), p[1]);
        EXPECT_EQ(smoothstep(p[0], p[1], 0.0f), p[0]);
        EXPECT_EQ(smoothstep(p[0], p[1], 1.0f), p[1]);
        EXPECT_EQ(smootherstep(p[0], p[1], 0.0f), p[0]);
        EXPECT_EQ(smootherstep(p[0], p[1], 1.0f), p[1]);
    }
}

TEST(Curves, FollowTheirPolynomialsInside)
{
    // Symmetric curves meet the midpoint at t = 0.5; off-centre values catch a
    // swapped coefficient.
    EXPECT_FLOAT_EQ(lerp(2.0f, 4.0f, 0.25f), 2.5f);
    EXPECT_FLOAT_EQ(smoothstep(0.0f, 1.0f, 0.5f), 0.5f);
    EXPECT_FLOAT_EQ(smoothstep(0.0f, 1.0f, 0.25f), 0.15625f);
    EXPECT_FLOAT_EQ(smoothstep(0.05f, 1.1f, 0.5f), 0.575f);
    EXPECT_FLOAT_EQ(smootherstep(0.0f, 1.0f, 0.5f), 0.5f);
    EXPECT_FLOAT_EQ(smootherstep(0.0f, 1.0f, 0.25f), 0.103515625f);
    EXPECT_FLOAT_EQ(smootherstep(10.0f, 20.0f, 0.75f), 18.96484375f);
}

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

TEST(RandomIndex, CoversEveryIndexBelowTheBound)
{
    gameSrand(12439);
    int seen[3] = {0, 0, 0};
    for (int i = 0; i < 3000; ++i) {
        const int k = randomIndex(0, 3);
        if (k < 3)
            ++seen[k];
    }
    for (int n : seen)
        EXPECT_GT(n, 800);
}

TEST(Stopwatch, MeasuresMicrosecondsAndFreezesWhenStopped)
{
    Stopwatch watch;
    watch.start();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const double running = watch.elapsedMicros();
    // A unit check, not a timing: milliseconds or nanoseconds would be 1000x off.
    EXPECT_GT(running, 29000.0);
    EXPECT_LT(running, 3.0e6);
    watch.stop();
    const double stopped = watch.elapsedMicros();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(watch.elapsedMicros(), stopped);
    watch.start();
    EXPECT_LT(watch.elapsedMicros(), stopped);
}
