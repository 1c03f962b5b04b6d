// SPDX-License-Identifier: GPL-3.0-or-later
// The smoothed ship path.
#include <gtest/gtest.h>

#include "common/shippath.h"

namespace {

ShipPath gamePath()
{
    ShipPath p;
    p.step = 1.0f / 3.0f;
    return p;
}

} // namespace

// Frame 1 by hand: control x 0, 0, 0, 0.5 at t = 1/3 give 0.5 / 162. A drag
// trims to seven points; a burst in the first piece starts that piece over.
TEST(ShipPath, FollowsADragAndABurstToTheKnownPlaces)
{
    ShipPath still = gamePath();
    EXPECT_FALSE(still.advance());
    EXPECT_EQ(still.position()[0], 0.0f);
    // Where the ship is each frame with a new target every nth frame.
    auto follow = [](int frames, int every) {
        ShipPath p = gamePath();
        std::vector<float> xs;
        for (int frame = 1; frame <= frames; ++frame) {
            if (frame % every == 1 % every)
                p.addPoint(0.5f * frame, -0.25f * frame, -4.0f);
            p.advance();
            xs.push_back(p.position()[0]);
        }
        return xs;
    };
    const std::vector<float> drag = follow(40, 1), slow = follow(20, 3);
    const std::pair<int, float> dragged[] = {{1, 0.003086f}, {3, 0.191358f}, {8, 1.333333f}, {20, 4.333334f},
                                             {40, 11.166667f}};
    for (const auto& d : dragged)
        EXPECT_NEAR(drag[d.first - 1], d.second, 1e-4f) << "frame " << d.first;
    // Every third frame the curve catches up near its end.
    EXPECT_NEAR(slow[3], 0.276578f, 1e-4f);
    EXPECT_NEAR(slow[11], 4.990076f, 1e-4f);
    EXPECT_NEAR(slow[19], 7.978145f, 1e-4f);

    ShipPath burst = gamePath();
    burst.addPoint(3.0f, 0.0f, -4.0f);
    burst.advance();
    for (int k = 1; k <= 17; ++k)
        burst.addPoint(3.0f + k, 0.0f, -4.0f);
    EXPECT_NEAR(burst.position()[0], 0.5f, 1e-4f);
}

TEST(ShipPath, RunsOutWhereTheShipIsAndSettlesOnARepeatedTarget)
{
    ShipPath p = gamePath();
    p.addPoint(4.0f, -2.0f, -4.0f);
    float last = 0.0f;
    int frames = 0;
    for (; p.advance() && frames < 100; ++frames)
        last = p.position()[0];
    ASSERT_LT(frames, 100) << "the path never ran out";
    EXPECT_FALSE(p.isMoving());
    for (int i = 0; i < 10; ++i)
        EXPECT_FALSE(p.advance());
    EXPECT_NEAR(p.position()[0], last, 1.0f);
    EXPECT_GT(p.position()[0], 2.0f);

    for (int i = 0; i < 40; ++i) {
        p.addPoint(-7.5f, 3.25f, -4.0f);
        p.advance();
    }
    EXPECT_FLOAT_EQ(p.position()[0], -7.5f);
    EXPECT_FLOAT_EQ(p.position()[1], 3.25f);
}
