// The trash meter: fullness, whole-point scoring and the fill.
#include <gtest/gtest.h>

#include "common/hudpanel.h"

TEST(TrashMeter, IsFullOnlyPastItsGoal)
{
    HudPanel hud;
    hud.setGoal(1000);
    hud.addScore(1000.0f);
    EXPECT_FALSE(hud.isFull());
    hud.addScore(1.0f);
    EXPECT_TRUE(hud.isFull());
    hud.resetScore();
    EXPECT_EQ(hud.getScore(), 0u);
    EXPECT_FALSE(hud.isFull());
}

TEST(TrashMeter, ScoresWholePointsCutTowardZero)
{
    HudPanel hud;
    hud.addScore(4.9f);
    EXPECT_EQ(hud.getScore(), 4u);
    hud.addScore(0.99f);
    EXPECT_EQ(hud.getScore(), 4u);
}

TEST(TrashMeter, FillGrowsWithTheScoreAndRunsPastTheFrame)
{
    HudPanel hud;
    hud.placeMeter(10.0f, 60.0f, 0.0f);
    hud.buildOutline(300.0f, 40.0f);
    hud.setGoal(1000);
    const float usable = static_cast<float>(300.0 - 40.0 * 6.414213562373095 / 5.0);
    EXPECT_EQ(hud.getFillLength(), 0.0f);
    hud.addScore(500.0f);
    EXPECT_FLOAT_EQ(hud.getFillLength(), usable / 2);
    hud.addScore(1000.0f);
    EXPECT_FLOAT_EQ(hud.getFillLength(), usable * 1.5f);
}

