// SPDX-License-Identifier: GPL-3.0-or-later
// Mesh loading and drawing against the real driver: the render modes agree,
// empty meshes draw nothing, every model type and level of detail loads, and
// every staged model file reads as the object it is named after.
#include <gtest/gtest.h>

#include <GL/glew.h>
#include <SDL/SDL.h>

#include <cmath>

#include "common/mesh.h"
#include "common/settings.h"
#include "common/numeric.h"
#include "support/glcontext.h"
#include "support/screenshot.h"

namespace {

class MeshGl : public ::testing::Test {
protected:
    void SetUp() override
    {
        openGameWindow();
        renderFlags = RENDER_BUFFER_OBJECTS;
    }
    void TearDown() override { renderFlags = RENDER_BUFFER_OBJECTS; }

    // Draws the mesh lit and untextured, 6 units in front of the camera.
    Image draw(CMesh& mesh, uint32_t flags, float yaw = 30.0f)
    {
        renderFlags = flags;
        glClearColor(0, 0, 0, 1);
        beginTestPicture(7.0f);
        glRotatef(yaw, 0, 1, 0);
        glRotatef(-60, 1, 0, 0);
        glEnable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glUseProgramObjectARB(0);
        mesh.render();
        glEnable(GL_TEXTURE_2D);
        glLoadIdentity();
        glClearColor(0, 0, 0, 0);
        return readFramebuffer();
    }

    static int lit(const Image& image)
    {
        return image.count(0, 0, image.width, image.height, [](Rgb p) { return p.r + p.g + p.b > 30; });
    }
};

} // namespace

TEST_F(MeshGl, ImmediateAndBufferModesDrawTheSamePixelsWireframeDiffers)
{
    CMesh sphere;
    sphere.load(MODEL_SPHERE, 0, 2.0f);
    const Image vbo = draw(sphere, RENDER_BUFFER_OBJECTS);
    const Image immediate = draw(sphere, RENDER_IMMEDIATE);
    const Image wire = draw(sphere, RENDER_WIREFRAME);
    EXPECT_GT(lit(vbo), 5000);
    EXPECT_LE(vbo.differingPixels(immediate, 1), 20);
    // Building the arrays again gives the same buffer, not one sized past them.
    sphere.releaseBuffer();
    sphere.buildBufferArrays();
    sphere.uploadBuffer();
    EXPECT_EQ(vbo.differingPixels(draw(sphere, RENDER_BUFFER_OBJECTS), 0), 0);
    EXPECT_GT(vbo.differingPixels(wire, 1), 2000);
    // Debug bits change nothing outside the wireframe mode.
    const Image vboDebug = draw(sphere, RENDER_BUFFER_OBJECTS | RENDER_NORMALS | RENDER_BOUNDING_BOX);
    EXPECT_EQ(vbo.differingPixels(vboDebug, 0), 0);
    const Image wireBox = draw(sphere, RENDER_WIREFRAME | RENDER_BOUNDING_BOX);
    EXPECT_GT(wire.differingPixels(wireBox, 1), 100);
}

TEST_F(MeshGl, AMeshWithoutFacesDrawsNothingInAnyMode)
{
    CMesh empty;
    testing::internal::CaptureStderr();
    empty.load(99, 0, 2.0f);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "unknown type 99\n");
    EXPECT_EQ(empty.buffer_size, 0);
    EXPECT_NE(empty.buffer_id, 0u);
    for (uint32_t flags : {uint32_t(RENDER_WIREFRAME | RENDER_NORMALS), uint32_t(RENDER_IMMEDIATE), uint32_t(RENDER_BUFFER_OBJECTS)}) {
        EXPECT_EQ(lit(draw(empty, flags)), 0) << flags;
    }
}

TEST_F(MeshGl, FlatShadedBufferCarriesFaceNormals)
{
    CMesh rock;
    rock.load(MODEL_LUMPY_SPHERE, 1, 3.0f);
    ASSERT_TRUE(rock.flat_shading);
    ASSERT_EQ(rock.buffer_vertex_count, 240);
    EXPECT_EQ(rock.buffer_size, 240 * (12 + 12 + 8));
    for (int k = 0; k < rock.buffer_vertex_count; k += 3)
        for (int a = 0; a < 3; ++a) {
            EXPECT_EQ(rock.buffer_normals[k * 3 + a], rock.buffer_normals[(k + 1) * 3 + a]);
            EXPECT_EQ(rock.buffer_normals[k * 3 + a], rock.buffer_normals[(k + 2) * 3 + a]);
        }
    // The vertex normals of a flat-shaded mesh were never computed.
    EXPECT_EQ(rock.vertices[0].normal[0], 0.0f);
    EXPECT_EQ(rock.vertices[0].normal[2], 0.0f);
}

TEST_F(MeshGl, LevelsOfDetailByType)
{
    const int rockFaces[] = {320, 80, 20};
    for (int lod = 0; lod < 3; ++lod) {
        CMesh rock;
        rock.load(MODEL_LUMPY_SPHERE, lod, 4.0f);
        EXPECT_EQ(rock.faces.size(), static_cast<size_t>(rockFaces[lod]));
        EXPECT_EQ(rock.radius, lod == 2 ? 0.0f : 4.0f);
    }
    gameSrand(5);
    CMesh tetra;
    tetra.load(MODEL_RANDOM_TETRAHEDRON, 0, 2.0f);
    EXPECT_TRUE(tetra.flat_shading);
    EXPECT_EQ(tetra.radius, 2.0f);
}

TEST_F(MeshGl, UnknownLevelOfDetailLeavesTheMeshEmpty)
{
    CMesh m;
    testing::internal::CaptureStderr();
    m.load(MODEL_SPHERE, 3, 2.0f);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "unknown level of detail 3\n");
    EXPECT_TRUE(m.vertices.empty());
    EXPECT_EQ(m.buffer_id, 0u);
}

TEST_F(MeshGl, EveryStagedModelLoadsAtEveryLevelAndHasItsShape)
{
    struct Expect {
        int type;
        // Ratios of the box: tall along z (cans, barrels), flat (packet, pizza) or long (ship).
        float minZOverX, maxZOverX;
    };
    const Expect models[] = {
        {MODEL_SODA_CAN, 1.9f, 2.1f},      {MODEL_CAN, 1.0f, 1.3f},         {MODEL_PACKET, 0.2f, 0.35f},
        {MODEL_FUMIGENE, 2.0f, 2.6f},      {MODEL_WOODEN_BARREL, 1.2f, 1.6f}, {MODEL_BURNED_BARREL, 1.3f, 1.7f},
        {MODEL_PIZZA_SLICE, 0.05f, 0.25f}, {MODEL_SPACESHIP, 0.8f, 1.4f},
    };
    Image sheet;
    for (const Expect& e : models) {
        SCOPED_TRACE(modelPaths[e.type]);
        for (int lod = 0; lod < 3; ++lod) {
            CMesh m;
            m.load(e.type, lod, 2.0f);
            ASSERT_FALSE(m.faces.empty());
            if (lod == 2)
                continue;
            const float w = m.bbox_max[0] - m.bbox_min[0];
            const float zSize = m.bbox_max[2] - m.bbox_min[2];
            EXPECT_GT(zSize / w, e.minZOverX);
            EXPECT_LT(zSize / w, e.maxZOverX);
            // The radius is the farthest vertex at size 2: beyond the mean half
            // extent of 2, within the box's half diagonal.
            float diag = 0;
            for (int k = 0; k < 3; ++k)
                diag += std::pow((m.bbox_max[k] - m.bbox_min[k]) / 2 * m.scale, 2.0f);
            // Drawn at its size: the mean half extent of the box becomes 2,
            // five times that for the ship (type 13).
            const float drawn = (m.bbox_max[0] - m.bbox_min[0] + m.bbox_max[1] - m.bbox_min[1] + m.bbox_max[2] -
                                 m.bbox_min[2]) / 6.0f * m.scale;
            EXPECT_NEAR(drawn, 2.0f * (e.type == MODEL_SPACESHIP ? 5.0f : 1.0f), 0.01f);
            EXPECT_GT(m.radius, drawn * 0.99f);
            EXPECT_LE(m.radius, std::sqrt(diag) * 1.001f);
            for (const CVertexStruct& v : m.vertices)
                ASSERT_NEAR(std::sqrt(v.normal[0] * v.normal[0] + v.normal[1] * v.normal[1] +
                                      v.normal[2] * v.normal[2]),
                            1.0f, 1e-3f);
            if (lod == 0) {
                const Image shot = draw(m, RENDER_BUFFER_OBJECTS);
                EXPECT_GT(lit(shot), 1500);
                savePng(shot, testOutputPath(std::string("model-") + std::to_string(e.type) + ".png"));
            }
        }
    }
}
