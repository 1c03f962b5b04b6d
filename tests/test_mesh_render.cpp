// SPDX-License-Identifier: GPL-3.0-or-later
// Meshes drawn by the real driver: the render modes agree, and every staged
// model file loads at every level of detail as the object it is named after.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cmath>

#include "common/mesh.h"
#include "common/settings.h"
#include "support/glcontext.h"
#include "support/screenshot.h"

namespace {

// The mesh lit and untextured, turned, 7 units in front of the camera.
Image draw(CMesh& mesh, uint32_t flags)
{
    renderFlags = flags;
    beginTestPicture(7.0f);
    glRotatef(30, 0, 1, 0);
    glRotatef(-60, 1, 0, 0);
    glEnable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    mesh.render();
    glEnable(GL_TEXTURE_2D);
    glLoadIdentity();
    renderFlags = RENDER_BUFFER_OBJECTS;
    return readFramebuffer();
}

int lit(const Image& image)
{
    return image.count(0, 0, image.width, image.height, [](Rgb p) { return p.r + p.g + p.b > 30; });
}

} // namespace

// Buffer objects and immediate mode draw the same pixels, also after the
// arrays are built again; the debug bits change nothing outside wireframe.
TEST(MeshGl, RenderModesAgreeAndWireframeDiffers)
{
    openGameWindow();
    CMesh sphere;
    sphere.load(MODEL_SPHERE, 0, 2.0f);
    const Image vbo = draw(sphere, RENDER_BUFFER_OBJECTS);
    const Image wire = draw(sphere, RENDER_WIREFRAME);
    EXPECT_GT(lit(vbo), 5000);
    EXPECT_LE(vbo.differingPixels(draw(sphere, RENDER_IMMEDIATE), 1), 20);
    EXPECT_EQ(vbo.differingPixels(draw(sphere, RENDER_BUFFER_OBJECTS | RENDER_NORMALS | RENDER_BOUNDING_BOX), 0), 0);
    sphere.releaseBuffer();
    sphere.buildBufferArrays();
    sphere.uploadBuffer();
    EXPECT_EQ(vbo.differingPixels(draw(sphere, RENDER_BUFFER_OBJECTS), 0), 0);
    EXPECT_GT(vbo.differingPixels(wire, 1), 2000);
    EXPECT_GT(wire.differingPixels(draw(sphere, RENDER_WIREFRAME | RENDER_BOUNDING_BOX), 1), 100);
}

TEST(MeshGl, EveryStagedModelLoadsAtEveryLevelAndHasItsShape)
{
    openGameWindow();
    // Depth over width: tall cans and barrels, a flat packet and pizza, the ship.
    const struct {
        int type;
        float minZOverX, maxZOverX;
    } models[] = {
        {MODEL_SODA_CAN, 1.9f, 2.1f},      {MODEL_CAN, 1.0f, 1.3f},           {MODEL_PACKET, 0.2f, 0.35f},
        {MODEL_FUMIGENE, 2.0f, 2.6f},      {MODEL_WOODEN_BARREL, 1.2f, 1.6f}, {MODEL_BURNED_BARREL, 1.3f, 1.7f},
        {MODEL_PIZZA_SLICE, 0.05f, 0.25f}, {MODEL_SPACESHIP, 0.8f, 1.4f},    {14, 0.5f, 2.0f},
    };
    for (const auto& e : models)
        for (int lod = 0; lod < 2; ++lod) {
            SCOPED_TRACE("type " + std::to_string(e.type) + " level " + std::to_string(lod));
            CMesh m;
            m.load(e.type, lod, 2.0f);
            const float* lo = m.bbox_min;
            const float* hi = m.bbox_max;
            EXPECT_GT((hi[2] - lo[2]) / (hi[0] - lo[0]), e.minZOverX);
            EXPECT_LT((hi[2] - lo[2]) / (hi[0] - lo[0]), e.maxZOverX);
            // Drawn at its size: the mean half extent becomes 2 (10 for 13 and 14),
            // and the radius reaches its farthest vertex, within the box.
            const float drawn = (hi[0] - lo[0] + hi[1] - lo[1] + hi[2] - lo[2]) / 6.0f * m.scale;
            EXPECT_NEAR(drawn, e.type >= MODEL_SPACESHIP ? 10.0f : 2.0f, 0.01f);
            EXPECT_GT(m.radius, drawn * 0.99f);
            EXPECT_LE(m.radius, std::hypot(hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]) / 2 * m.scale * 1.001f);
            EXPECT_GT(lit(draw(m, RENDER_BUFFER_OBJECTS)), 1500);
        }
}
