// SPDX-License-Identifier: GPL-3.0-or-later
// The backdrop bodies and the catcher funnel's geometry.
#include <gtest/gtest.h>

#include <cmath>

#include "common/catcher.h"
#include "common/gamestate.h"
#include "common/mesh.h"
#include "common/textures.h"
#include "opengl/bodies.h"
#include "common/numeric.h"
#include "support/glcontext.h"
#include "support/screenshot.h"

namespace {

class Backdrop : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        openGameWindow();
        textureTable = new TextureTable();
    }
    static void TearDownTestSuite()
    {
        delete textureTable;
        textureTable = nullptr;
    }
};

void centreAndRadius(const float ring[funnelRingPoints][3], float centre[3], float& radius)
{
    for (int a = 0; a < 3; ++a) {
        centre[a] = 0;
        for (int k = 0; k < funnelRingPoints; ++k)
            centre[a] += ring[k][a] / funnelRingPoints;
    }
    radius = std::hypot(ring[0][0] - centre[0], ring[0][1] - centre[1]);
}

} // namespace

TEST_F(Backdrop, StarsLieOnWholeDegreesAndNeverAtTheSouthPole)
{
    CStarfield field;
    field.createStars(1000, 4900.0f);
    field.createStars(20000, 4900.0f);
    ASSERT_EQ(field.count, 20000);
    int north = 0;
    for (int i = 0; i < field.count; ++i) {
        const float* s = &field.stars[3 * i];
        const double lat = std::acos(std::fmax(-1.0, std::fmin(1.0, s[2] / 4900.0))) * 180.0 / 3.141592653589793;
        EXPECT_NEAR(lat, std::round(lat), 0.05) << "star " << i;
        EXPECT_LE(lat, 179.5);
        if (s[2] == 4900.0f) {
            ++north;
            EXPECT_EQ(s[0], 0.0f);
            EXPECT_EQ(s[1], 0.0f);
        }
    }
    // About one star in 180 sits on the north pole.
    EXPECT_GT(north, 60);
    EXPECT_LT(north, 180);
    field.createStars(0, 4900.0f);
    EXPECT_EQ(field.count, 0);
}

// The points are recorded once; new stars must replace the recording.
TEST_F(Backdrop, RecreatedStarsAreTheOnesDrawn)
{
    auto litAfterDrawing = [](CStarfield& field) {
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1, 1, -1, 1, -2, 2);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glColor3f(1, 1, 1);
        field.draw();
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_LIGHTING);
        const Image shot = readFramebuffer();
        return shot.count(0, 0, shot.width, shot.height, [](Rgb p) { return p.r + p.g + p.b > 0; });
    };
    CStarfield field;
    field.createStars(3000, 0.9f);
    const int many = litAfterDrawing(field);
    EXPECT_EQ(litAfterDrawing(field), many);
    field.createStars(0, 0.9f);
    EXPECT_EQ(litAfterDrawing(field), 0);
    field.createStars(100, 0.9f);
    const int few = litAfterDrawing(field);
    EXPECT_GT(few, 0);
    EXPECT_LT(few * 5, many);
}

TEST_F(Backdrop, StarfieldSeedsTheGameSequence)
{
    CStarfield a;
    const int first = gameRand();
    CStarfield b;
    EXPECT_EQ(gameRand(), first);
}

TEST_F(Backdrop, PlanetReusesItsTextureForEveryLevel)
{
    CPlanetoid p;
    p.init("../textures/environment/Earth_Day.bmp", 2000.0f);
    const unsigned before = textureTable->size();
    const int name = p.texture;
    EXPECT_GT(name, 0);
    p.setTexture("../textures/environment/non-2powern/mars_1k_color.jpg");
    p.setTexture("../textures/environment/non-2powern/venusmap.jpg");
    EXPECT_EQ(textureTable->size(), before);
    EXPECT_EQ(p.texture, name);
    EXPECT_EQ(p.mesh->model_type, MODEL_SPHERE);
    EXPECT_EQ(p.mesh->radius, 2000.0f);

    testing::internal::CaptureStderr();
    p.setTexture("../textures/environment/missing.jpg");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Planetoid class: Unable to load texture: ../textures/environment/missing.jpg"),
              std::string::npos);
    EXPECT_EQ(p.texture, -1);
}

TEST(FunnelGeometry, TubeRunsFromBesideTheCameraToTheFunnel)
{
    GameState state;
    CatcherFunnel funnel(&state);
    float rings[funnelRings][funnelRingPoints][3];
    funnel.computeRings(rings);
    float c[3], r;
    centreAndRadius(rings[0], c, r);
    EXPECT_NEAR(c[0], 1.0f, 1e-5f);
    EXPECT_NEAR(c[1], -1.0f, 1e-5f);
    EXPECT_NEAR(c[2], -1.0f, 1e-5f);
    EXPECT_NEAR(r, 0.05f, 1e-5f);
    centreAndRadius(rings[5], c, r);
    EXPECT_NEAR(c[0], 0.5f, 1e-4f);
    EXPECT_NEAR(c[1], -0.5f, 1e-4f);
    EXPECT_NEAR(c[2], -3.0f, 1e-4f);
    EXPECT_NEAR(r, 0.575f, 1e-4f);
    // Ring 2 (t = 0.2) tells the curves apart: quintic 0.05792 across,
    // cubic 0.104 for the radius, straight in depth.
    centreAndRadius(rings[2], c, r);
    EXPECT_NEAR(c[0], 0.94208f, 1e-4f);
    EXPECT_NEAR(c[1], -0.94208f, 1e-4f);
    EXPECT_NEAR(c[2], -1.8f, 1e-4f);
    EXPECT_NEAR(r, 0.1592f, 1e-4f);
    centreAndRadius(rings[10], c, r);
    EXPECT_NEAR(c[0], 0.0f, 1e-4f);
    EXPECT_NEAR(c[2], -5.0f, 1e-4f);
    EXPECT_NEAR(r, 1.1f, 1e-4f);
    // Each ring closes on itself: point 0 starts at angle 0.
    EXPECT_NEAR(rings[10][0][0], 1.1f, 1e-4f);
}

TEST(FunnelGeometry, FollowsTheTargetAFifthOfTheWayPerFrame)
{
    GameState state;
    state.phase = PHASE_PLAYING;
    CatcherFunnel funnel(&state);
    funnel.update();
    EXPECT_EQ(funnel.position[0], 0.0f);
    state.moveTarget(10.0f, 0.0f);
    funnel.update();
    EXPECT_FLOAT_EQ(funnel.position[0], 2.0f);
    funnel.update();
    EXPECT_FLOAT_EQ(funnel.position[0], 3.6f);
    for (int i = 0; i < 40 && state.targetMoved; ++i)
        funnel.update();
    EXPECT_FALSE(state.targetMoved);
    EXPECT_NEAR(funnel.position[0], 10.0f, 0.1f);
    // The near end follows the camera: one right, one down, one ahead.
    state.shipPosition[0] = -10.0f;
    float rings[funnelRings][funnelRingPoints][3];
    funnel.computeRings(rings);
    EXPECT_NEAR(rings[0][0][0], 11.05f, 1e-4f);
}
