// SPDX-License-Identifier: GPL-3.0-or-later
// The backdrop's planet and the catcher funnel's geometry.
#include <gtest/gtest.h>

#include "common/catcher.h"
#include "common/gamestate.h"
#include "common/textures.h"
#include "opengl/bodies.h"
#include "support/glcontext.h"

// Each level's planet image goes into the same texture name, so three levels
// never use up the table; a missing image leaves the planet untextured.
TEST(Backdrop, ThePlanetKeepsOneTextureForEveryLevel)
{
    openGameWindow();
    textureTable = new TextureTable();
    CPlanetoid p;
    p.init("../textures/environment/Earth_Day.bmp", 2000.0f);
    const unsigned before = textureTable->size();
    const int name = p.texture;
    EXPECT_GT(name, 0);
    p.setTexture("../textures/environment/non-2powern/mars_1k_color.jpg");
    p.setTexture("../textures/environment/non-2powern/venusmap.jpg");
    EXPECT_EQ(textureTable->size(), before);
    EXPECT_EQ(p.texture, name);
    testing::internal::CaptureStderr();
    p.setTexture("../textures/environment/missing.jpg");
    EXPECT_NE(testing::internal::GetCapturedStderr().find(
                  "Planetoid class: Unable to load texture: ../textures/environment/missing.jpg"),
              std::string::npos);
    EXPECT_EQ(p.texture, -1);
    delete textureTable;
    textureTable = nullptr;
}

// The tube runs from beside the camera (one right, one down, one ahead) to
// the funnel: across by a quintic, the radius by a cubic, straight in depth.
// Ring 2 (t = 0.2) tells the curves apart; at ring 5 they all agree.
TEST(FunnelGeometry, TubeRunsFromBesideTheCameraToTheFunnelAlongItsCurves)
{
    GameState state;
    state.phase = PHASE_PLAYING;
    CatcherFunnel funnel(&state);
    const struct {
        int ring;
        float x, y, z, radius;
    } rings[] = {
        {0, 1.0f, -1.0f, -1.0f, 0.05f},
        {2, 0.94208f, -0.94208f, -1.8f, 0.1592f},
        {5, 0.5f, -0.5f, -3.0f, 0.575f},
        {10, 0.0f, 0.0f, -5.0f, 1.1f},
    };
    float points[funnelRings][funnelRingPoints][3];
    funnel.computeRings(points);
    for (const auto& r : rings) {
        float c[3] = {0, 0, 0};
        for (int k = 0; k < funnelRingPoints; ++k)
            for (int a = 0; a < 3; ++a)
                c[a] += points[r.ring][k][a] / funnelRingPoints;
        EXPECT_NEAR(c[0], r.x, 1e-4f) << "ring " << r.ring;
        EXPECT_NEAR(c[1], r.y, 1e-4f) << "ring " << r.ring;
        EXPECT_NEAR(c[2], r.z, 1e-4f) << "ring " << r.ring;
        // Each ring starts at angle 0, to the right of its centre.
        EXPECT_NEAR(points[r.ring][0][0] - c[0], r.radius, 1e-4f) << "ring " << r.ring;
        EXPECT_NEAR(points[r.ring][0][1], c[1], 1e-4f) << "ring " << r.ring;
    }

    // The funnel follows its target a fifth of the remaining way each frame;
    // the near end follows the camera.
    state.moveTarget(10.0f, 0.0f);
    funnel.update();
    EXPECT_FLOAT_EQ(funnel.position[0], 2.0f);
    funnel.update();
    EXPECT_FLOAT_EQ(funnel.position[0], 3.6f);
    for (int i = 0; i < 40 && state.targetMoved; ++i)
        funnel.update();
    EXPECT_FALSE(state.targetMoved);
    EXPECT_NEAR(funnel.position[0], 10.0f, 0.1f);
    state.shipPosition[0] = -10.0f;
    funnel.computeRings(points);
    EXPECT_NEAR(points[0][0][0], 11.05f, 1e-4f);
}
