// SPDX-License-Identifier: GPL-3.0-or-later
// The smoothed ship path: its start, the parameter's wrap, settling, restart
// and the list invariants under random target streams.
#include <gtest/gtest.h>

#include <random>

#include "common/shippath.h"

namespace {

ShipPath gamePath()
{
    ShipPath p;
    p.step = 1.0f / 3.0f;
    return p;
}

void expectInvariants(const ShipPath& p)
{
    const size_t n = p.pointCount();
    ASSERT_GE(n, 3u);
    ASSERT_LE(n, 23u);
    ASSERT_GE(p.segmentIndex(), 0);
    if (n >= 4) {
        ASSERT_LE(p.segmentIndex(), static_cast<int>(n) - 4) << "n " << n;
    }
}

} // namespace

TEST(ShipPathSpline, WeightsSumToOneAndMatchTheUniformBasis)
{
    for (float t : {0.0f, 0.25f, 0.5f, 1.0f})
        EXPECT_NEAR(ShipPath::bspline4(1, 1, 1, 1, t), 1.0f, 1e-6f);
    EXPECT_NEAR(ShipPath::bspline4(0, 6, 0, 0, 0.0f), 4.0f, 1e-6f);
    EXPECT_NEAR(ShipPath::bspline4(0, 0, 6, 0, 0.0f), 1.0f, 1e-6f);
    EXPECT_NEAR(ShipPath::bspline4(0, 0, 0, 6, 1.0f), 1.0f, 1e-6f);
    EXPECT_NEAR(ShipPath::bspline4(6, 0, 0, 0, 1.0f), 0.0f, 1e-6f);
}

TEST(ShipPathStart, FreshPathHoldsItsSeedUntilATargetArrives)
{
    ShipPath p = gamePath();
    EXPECT_EQ(p.pointCount(), 3u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(p.advance());
        const float* pos = p.position();
        EXPECT_EQ(pos[0], 0.0f);
        EXPECT_EQ(pos[1], 0.0f);
    }
    p.addPoint(-3.0f, 2.0f, -4.0f);
    EXPECT_EQ(p.pointCount(), 6u);
    EXPECT_TRUE(p.advance());
    EXPECT_FLOAT_EQ(p.parameter(), 1.0f / 3.0f);
    EXPECT_EQ(p.segmentIndex(), 0);
}

TEST(ShipPathStart, ParameterWrapsToAThirdOfTheNextPiece)
{
    ShipPath p = gamePath();
    p.addPoint(1.0f, 1.0f, -4.0f);
    p.addPoint(2.0f, 2.0f, -4.0f);
    ASSERT_EQ(p.pointCount(), 7u);
    p.advance();
    EXPECT_FLOAT_EQ(p.parameter(), 1.0f / 3.0f);
    p.advance();
    EXPECT_FLOAT_EQ(p.parameter(), 2.0f / 3.0f);
    p.advance();
    EXPECT_EQ(p.segmentIndex(), 1);
    EXPECT_NEAR(p.parameter(), 1.0f / 3.0f, 1e-6f);
}

TEST(ShipPathMotion, RepeatedTargetIsReachedExactly)
{
    ShipPath p = gamePath();
    for (int i = 0; i < 40; ++i) {
        p.addPoint(-7.5f, 3.25f, -4.0f);
        p.advance();
        p.position();
    }
    const float* pos = p.position();
    EXPECT_FLOAT_EQ(pos[0], -7.5f);
    EXPECT_FLOAT_EQ(pos[1], 3.25f);
}

TEST(ShipPathMotion, RunsOutThenRestartsWhereTheShipIs)
{
    ShipPath p = gamePath();
    p.addPoint(4.0f, -2.0f, -4.0f);
    float last[2] = {0, 0};
    int frames = 0;
    while (p.advance() && frames < 100) {
        const float* pos = p.position();
        last[0] = pos[0];
        last[1] = pos[1];
        ++frames;
    }
    ASSERT_LT(frames, 100) << "the path never ran out";
    EXPECT_FALSE(p.isMoving());
    EXPECT_EQ(p.pointCount(), 3u);
    const float* rest = p.position();
    for (int i = 0; i < 10; ++i) {
        EXPECT_FALSE(p.advance());
        rest = p.position();
    }
    // It stays at the point it had reached, not back at the origin.
    EXPECT_NEAR(rest[0], last[0], 1.0f);
    EXPECT_NEAR(rest[1], last[1], 1.0f);
    EXPECT_GT(rest[0], 2.0f);
}

TEST(ShipPathInvariants, RandomTargetStreamsKeepTheListBoundedAndTheSegmentInside)
{
    std::mt19937 rng(2024);
    std::uniform_real_distribution<float> coord(-15.0f, 15.0f);
    std::uniform_int_distribution<int> burst(0, 6);
    for (int stream = 0; stream < 3000; ++stream) {
        ShipPath p = gamePath();
        for (int frame = 0; frame < 120; ++frame) {
            // Between 0 and 6 mouse events per frame, then one update.
            const int events = burst(rng) == 0 ? 0 : burst(rng);
            for (int e = 0; e < events; ++e) {
                p.addPoint(coord(rng), coord(rng), -4.0f);
                expectInvariants(p);
            }
            p.advance();
            expectInvariants(p);
            const float* pos = p.position();
            ASSERT_GE(pos[0], -15.0f - 1e-3f);
            ASSERT_LE(pos[0], 15.0f + 1e-3f);
            if (HasFatalFailure())
                return;
        }
    }
}

// Where the ship is, frame by frame (the first frame by hand: control x 0, 0,
// 0, 0.5 at t = 1/3 give 0.5 / 162), for two mouse streams: a steady drag,
// where the list is trimmed to seven points once the curve is two pieces in
// and catches up when it runs near the end; and a burst of targets before the
// curve has left its first piece, which trims from the front and starts that
// piece over (t back to 0).
TEST(ShipPathMotion, FollowsADragAndABurstToTheKnownPlaces)
{
    ShipPath drag = gamePath();
    std::vector<float> xs;
    for (int frame = 1; frame <= 40; ++frame) {
        drag.addPoint(0.5f * frame, -0.25f * frame, -4.0f);
        drag.advance();
        xs.push_back(drag.position()[0]);
    }
    const struct {
        int frame;
        float x;
    } dragged[] = {{1, 0.003086f}, {3, 0.191358f}, {8, 1.333333f}, {20, 4.333334f}, {40, 11.166667f}};
    for (const auto& d : dragged)
        EXPECT_NEAR(xs[d.frame - 1], d.x, 1e-4f) << "frame " << d.frame;

    ShipPath burst = gamePath();
    burst.addPoint(3.0f, 0.0f, -4.0f);
    burst.advance();
    for (int k = 1; k <= 17; ++k)
        burst.addPoint(3.0f + k, 0.0f, -4.0f);
    EXPECT_NEAR(burst.position()[0], 0.5f, 1e-4f);
}
