// SPDX-License-Identifier: GPL-3.0-or-later
// Meshes: smoothing, the far stand-ins, the render modes and every staged model.
#include <cmath>

#include "support/ingame.h"

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
    return image.count(0, 0, image.width, image.height, [](Rgb p) { return brightness(p) > 30; });
}

} // namespace

// Four triangles round a centre split into twin records, the twin's two faces tilted.
TEST(MeshProcessing, SmoothingSumsFacesOverTwinsAndCopiesToThem)
{
    CMesh m;
    const float corners[6][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 1}, {0.5f, 0.5f, 0}, {0.5f, 0.5f, 0}};
    m.vertices.resize(6);
    for (int i = 0; i < 6; ++i)
        m.vertices[i].setPosition(corners[i][0], corners[i][1], corners[i][2]);
    m.vertex_count = 6;
    for (const auto& t : {std::array<int, 3>{4, 0, 1}, {4, 1, 2}, {5, 2, 3}, {5, 3, 0}}) {
        CFace f;
        std::copy(t.begin(), t.end(), f.vertex_index);
        m.faces.push_back(f);
    }
    m.vertices[4].addTwin(&m.vertices[5]);
    m.computeFaceNormals();
    m.linkFaces();
    m.computeVertexNormals();
    // Two flat faces and two tilted by (1, -1, 1).
    const float normal[3] = {0.322f, -0.322f, 0.889f};
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(m.vertices[4].normal[k], normal[k], 5e-3f);
        EXPECT_EQ(m.vertices[5].normal[k], m.vertices[4].normal[k]);
    }
}

// Rocks become a flat icosahedron, the soda can an open ten-sided cylinder whose
// normals lean to its ends, the rest a tetrahedron; all wound outward.
TEST(Shapes, EachTypeHasItsStandIn)
{
    const struct { int type; size_t faces; float minRadius, maxRadius; bool flat; } cases[] = {
        {MODEL_LUMPY_SPHERE, 20, 1.0f, 3.0f, true}, {MODEL_SODA_CAN, 20, 2.236f, 2.237f, false},
        {MODEL_WOODEN_BARREL, 4, 3.0f, 3.0001f, false}, {MODEL_SPACESHIP, 4, 3.0f, 3.0001f, false}};
    openGameWindow();
    for (const auto& c : cases) {
        CMesh m;
        m.load(c.type, 2, 2.0f);
        EXPECT_EQ(m.faces.size(), c.faces) << c.type;
        EXPECT_EQ(m.flat_shading, c.flat) << c.type;
        EXPECT_EQ(m.scale, 1.0f) << c.type;
        for (const CVertexStruct& v : m.vertices) {
            EXPECT_GE(std::hypot(v.position[0], v.position[1], v.position[2]), c.minRadius) << c.type;
            EXPECT_LE(std::hypot(v.position[0], v.position[1], v.position[2]), c.maxRadius) << c.type;
        }
        for (const CFace& f : m.faces) {
            float centre[3] = {0, 0, 0};
            for (int k = 0; k < 3; ++k)
                for (int a = 0; a < 3; ++a)
                    centre[a] += m.vertices[f.vertex_index[k]].position[a];
            EXPECT_GT(centre[0] * f.normal[0] + centre[1] * f.normal[1] + centre[2] * f.normal[2], 0.0f) << c.type;
        }
        if (c.type == MODEL_SODA_CAN) {
            EXPECT_EQ(m.vertices.size(), 22u);
            EXPECT_LT(m.vertices[0].normal[2], -0.3f);
            EXPECT_GT(m.vertices[1].normal[2], 0.3f);
        }
    }
}

// The debug bits change nothing outside wireframe.
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
    EXPECT_GT(vbo.differingPixels(wire, 1), 2000);
    EXPECT_GT(wire.differingPixels(draw(sphere, RENDER_WIREFRAME | RENDER_BOUNDING_BOX), 1), 100);
}

TEST(MeshGl, EveryStagedModelLoadsAtEveryLevelAndHasItsShape)
{
    openGameWindow();
    // Depth over width: tall cans and barrels, a flat packet and pizza, the ship.
    const struct { int type; float minZOverX, maxZOverX; } models[] = {
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
            // The mean half extent drawn is 2 (10 for 13 and 14); the radius reaches the farthest vertex.
            const float drawn = (hi[0] - lo[0] + hi[1] - lo[1] + hi[2] - lo[2]) / 6.0f * m.scale;
            EXPECT_NEAR(drawn, e.type >= MODEL_SPACESHIP ? 10.0f : 2.0f, 0.01f);
            EXPECT_GT(m.radius, drawn * 0.99f);
            EXPECT_LE(m.radius, std::hypot(hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]) / 2 * m.scale * 1.001f);
            EXPECT_GT(lit(draw(m, RENDER_BUFFER_OBJECTS)), 1500);
        }
}
