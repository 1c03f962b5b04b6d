// The trash meter: fullness, whole-point scoring, the outline and the fill.
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
    hud.setPosition(10.0f, 60.0f, 0.0f);
    hud.buildOutline(300.0f, 40.0f);
    hud.setGoal(1000);
    const float usable = static_cast<float>(300.0 - 40.0 * 6.414213562373095 / 5.0);
    EXPECT_EQ(hud.getFillLength(), 0.0f);
    hud.addScore(500.0f);
    EXPECT_FLOAT_EQ(hud.getFillLength(), usable / 2);
    hud.addScore(1000.0f);
    EXPECT_FLOAT_EQ(hud.getFillLength(), usable * 1.5f);
}

TEST(TrashMeter, OutlineHasPointedEndsAndAnInsetInnerContour)
{
    HudPanel hud;
    hud.setPosition(10.0f, 60.0f, 0.0f);
    hud.buildOutline(300.0f, 40.0f);
    const float (*p)[3] = hud.getOutline();
    EXPECT_FLOAT_EQ(p[0][0], 10.0f);
    EXPECT_FLOAT_EQ(p[0][1], 80.0f);
    EXPECT_FLOAT_EQ(p[6][0], 310.0f);
    EXPECT_FLOAT_EQ(p[2][1], 60.0f);
    EXPECT_FLOAT_EQ(p[8][1], 100.0f);
    EXPECT_FLOAT_EQ(p[3][1], 64.0f);
    EXPECT_FLOAT_EQ(p[11][1], 96.0f);
    EXPECT_FLOAT_EQ(p[1][0], 10.0f + 4.0f * 1.4142135f);
    EXPECT_FLOAT_EQ(p[3][0], 10.0f + 40.0f * 0.5414213562f);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(p[i][2], 0.0f);
    // At score 0 the fill's far edge is h/5 longer on the lower side.
    const float lowerTip = p[3][0] + 40.0f / 5 + hud.getFillLength();
    const float upperTip = p[11][0] + hud.getFillLength();
    EXPECT_FLOAT_EQ(lowerTip - upperTip, 8.0f);
}
