// SPDX-License-Identifier: GPL-3.0-or-later
// Mesh processing on hand-sized meshes (bounds and scale, smoothing across
// twins) and the coarse stand-ins each model type becomes far away.
#include <gtest/gtest.h>

#include <cmath>

#include "common/mesh.h"

namespace {

float length(const float v[3])
{
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

CVertexStruct at(float x, float y, float z)
{
    CVertexStruct v;
    v.setPosition(x, y, z);
    return v;
}

} // namespace

// A unit square of four triangles round a centre split into two twin
// records, each with two faces, the twin's two tilted: both records get the
// sum over all four faces.
TEST(MeshProcessing, SmoothingSumsFacesOverTwinsAndCopiesToThem)
{
    CMesh m;
    for (const CVertexStruct& v : {at(0, 0, 0), at(1, 0, 0), at(1, 1, 0), at(0, 1, 1), at(0.5f, 0.5f, 0),
                                   at(0.5f, 0.5f, 0)})
        m.vertices.push_back(v);
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
    // Two flat faces and two tilted by (1, -1, 1): (0.322, -0.322, 0.889).
    EXPECT_NEAR(m.vertices[4].normal[0], 0.322f, 5e-3f);
    EXPECT_NEAR(m.vertices[4].normal[1], -0.322f, 5e-3f);
    EXPECT_NEAR(m.vertices[4].normal[2], 0.889f, 5e-3f);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(m.vertices[5].normal[k], m.vertices[4].normal[k]);
}

// Far away, rocks become the bare icosahedron (flat), the soda can a ten-sided
// open cylinder of radius size / 2 and height 2 x size whose normals lean
// toward its ends, everything else a tetrahedron of circumradius 1.5 x size;
// all at their final size (scale 1) and wound outward.
TEST(Shapes, EachTypeHasItsStandIn)
{
    const struct {
        int type;
        size_t faces;
        float minRadius, maxRadius;
        bool flat;
    } cases[] = {
        {MODEL_LUMPY_SPHERE, 20, 1.0f, 3.0f, true},
        {MODEL_SODA_CAN, 20, 2.236f, 2.237f, false},
        {MODEL_WOODEN_BARREL, 4, 3.0f, 3.0001f, false},
        {MODEL_SPACESHIP, 4, 3.0f, 3.0001f, false},
    };
    for (const auto& c : cases) {
        CMesh m;
        m.use_buffer_object = false; // no GL context here
        m.load(c.type, 2, 2.0f);
        EXPECT_EQ(m.faces.size(), c.faces) << c.type;
        EXPECT_EQ(m.flat_shading, c.flat) << c.type;
        EXPECT_EQ(m.scale, 1.0f) << c.type;
        for (const CVertexStruct& v : m.vertices) {
            EXPECT_GE(length(v.position), c.minRadius) << c.type;
            EXPECT_LE(length(v.position), c.maxRadius) << c.type;
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
            EXPECT_FLOAT_EQ(m.vertices[0].position[0], 1.0f);
            EXPECT_FLOAT_EQ(m.vertices[0].position[2], -2.0f);
            EXPECT_LT(m.vertices[0].normal[2], -0.3f);
            EXPECT_GT(m.vertices[1].normal[2], 0.3f);
        }
    }
}
