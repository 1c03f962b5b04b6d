// SPDX-License-Identifier: GPL-3.0-or-later
// Mesh records, processing and the procedural shapes, checked by hand-sized
// meshes and by counts and positions that catch off-by-one builders.
#include <gtest/gtest.h>

#include <cmath>

#include "common/mesh.h"
#include "common/vecmath.h"
#include "common/numeric.h"

namespace {

float length(const float v[3])
{
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

// A unit-square of four triangles around a centre vertex, in the z = 0 plane.
void flatSquare(CMesh& m)
{
    const float pts[5][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0.5f, 0.5f, 0}};
    for (const auto& p : pts) {
        CVertexStruct v;
        v.copyPosition(p);
        m.vertices.push_back(v);
    }
    const int tris[4][3] = {{4, 0, 1}, {4, 1, 2}, {4, 2, 3}, {4, 3, 0}};
    for (const auto& t : tris) {
        CFace f;
        for (int c = 0; c < 3; ++c)
            f.vertex_index[c] = t[c];
        m.faces.push_back(f);
    }
    m.vertex_count = 5;
}

} // namespace

TEST(MeshElementsDeath, TwinRulesRejectWrongCalls)
{
    CVertexStruct a, b, other;
    a.addTwin(&b);
    EXPECT_DEATH(other.addTwin(&b), "twin_vertex->twin_master == this");
    CVertexStruct m, t, master;
    m.addTwin(&t);
    EXPECT_DEATH(master.addTwin(&m), "twin_vertex->twins.size\\(\\) == 0");
}

TEST(MeshProcessing, BoxAlwaysHoldsTheOriginAndScaleBringsTheMeanHalfExtentToSize)
{
    CMesh cube;
    for (int i = 0; i < 8; ++i) {
        CVertexStruct v;
        v.setPosition(i & 1 ? 1.0f : -1.0f, i & 2 ? 1.0f : -1.0f, i & 4 ? 1.0f : -1.0f);
        cube.vertices.push_back(v);
    }
    cube.model_type = MODEL_SODA_CAN;
    cube.size = 2.0f;
    cube.computeBounds();
    EXPECT_EQ(cube.center[0], 0.0f);
    EXPECT_FLOAT_EQ(cube.scale, 2.0f);
    EXPECT_FLOAT_EQ(cube.radius, 2.0f * std::sqrt(3.0f));

    CMesh offset;
    for (float x : {10.0f, 12.0f}) {
        CVertexStruct v;
        v.setPosition(x, 1.0f, 1.0f);
        offset.vertices.push_back(v);
    }
    offset.model_type = MODEL_CAN;
    offset.computeBounds();
    EXPECT_EQ(offset.bbox_min[0], 0.0f);
    EXPECT_EQ(offset.bbox_max[0], 12.0f);
    EXPECT_FLOAT_EQ(offset.center[0], 6.0f);
    EXPECT_FLOAT_EQ(offset.scale, 3.0f / 7.0f);
    EXPECT_FLOAT_EQ(offset.scaled_center[0], 6.0f * 3.0f / 7.0f);

    CMesh empty;
    empty.computeBounds();
    EXPECT_EQ(empty.scale, 1.0f);
}

TEST(MeshProcessing, FaceNormalsWithDegenerateAndFlippedFaces)
{
    CMesh m;
    flatSquare(m);
    CFace degenerate;
    degenerate.vertex_index[0] = 0;
    degenerate.vertex_index[1] = 0;
    degenerate.vertex_index[2] = 1;
    m.faces.push_back(degenerate);
    degenerate.flipped = true;
    m.faces.push_back(degenerate);
    m.computeFaceNormals();
    auto it = m.faces.begin();
    EXPECT_EQ(it->normal[2], 1.0f);
    std::advance(it, 4);
    EXPECT_EQ(it->normal[2], 1.0f);
    ++it;
    EXPECT_EQ(it->normal[2], -1.0f);
}

TEST(MeshProcessing, SmoothingSumsFacesOverTwinsAndCopiesToThem)
{
    CMesh m;
    flatSquare(m);
    // Split the centre: a twin record at the same place takes two of the faces.
    CVertexStruct twin = m.vertices[4];
    twin.setTexCoords(0.9f, 0.9f);
    m.vertices.push_back(twin);
    m.vertex_count = 6;
    auto it = m.faces.begin();
    std::advance(it, 2);
    it->vertex_index[0] = 5;
    (++it)->vertex_index[0] = 5;
    // The twin's two faces tilt (corner 3 raised): the sum must reach across records.
    m.vertices[3].position[2] = 1.0f;
    m.vertices[4].addTwin(&m.vertices[5]);
    m.computeFaceNormals();
    m.linkFaces();
    EXPECT_EQ(m.vertices[4].adjacent_faces.size(), 2u);
    EXPECT_EQ(m.vertices[5].adjacent_faces.size(), 2u);
    m.computeVertexNormals();
    // Two flat faces and two tilted by (1, -1, 1): (0.322, -0.322, 0.889).
    EXPECT_NEAR(m.vertices[4].normal[0], 0.322f, 5e-3f);
    EXPECT_NEAR(m.vertices[4].normal[2], 0.889f, 5e-3f);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(m.vertices[5].normal[k], m.vertices[4].normal[k]);
}

TEST(Shapes, SuperquadricFourByFour)
{
    CMesh m;
    m.slices = 4;
    m.stacks = 4;
    m.buildSuperquadric(1.0f, 1.0f);
    ASSERT_EQ(m.vertices.size(), 25u);
    EXPECT_EQ(m.vertex_count, 25);
    EXPECT_NEAR(m.vertices[0].position[2], 1.0f, 1e-6f);
    EXPECT_NEAR(m.vertices[0].position[0], 0.0f, 1e-6f);
    EXPECT_EQ(m.vertices[0].t_u, 0.0f);
    EXPECT_EQ(m.vertices[0].t_v, 0.0f);
    EXPECT_EQ(m.vertices[4].twin_master, &m.vertices[0]);
    EXPECT_EQ(m.vertices[24].twin_master, &m.vertices[20]);
    EXPECT_EQ(m.face_count, static_cast<int>(m.faces.size()));
    // Ring row 0 keeps its pole-sharing A faces; only B faces collapse there.
    int poleFaces = 0;
    for (const CFace& f : m.faces)
        poleFaces += f.vertex_index[0] < 5 && f.vertex_index[2] < 5;
    EXPECT_EQ(poleFaces, 4);
    // The bottom row's B faces are flipped.
    int flipped = 0;
    for (const CFace& f : m.faces)
        flipped += f.flipped;
    EXPECT_EQ(flipped, 4);
    for (const CVertexStruct& v : m.vertices)
        EXPECT_NEAR(length(v.position), 1.0f, 1e-5f);
}

TEST(Shapes, NoisyRockDependsOnItsSeed)
{
    gameSrand(1);
    CMesh a, b;
    a.buildNoisyIcosphere(3.0f, 1);
    b.buildNoisyIcosphere(3.0f, 1);
    int differing = 0;
    for (size_t i = 0; i < a.vertices.size(); ++i)
        differing += a.vertices[i].position[0] != b.vertices[i].position[0];
    EXPECT_GT(differing, 100);
}

TEST(Shapes, TetrahedronCircumradius)
{
    CMesh m;
    m.buildTetrahedron(1.0f);
    ASSERT_EQ(m.vertices.size(), 12u);
    EXPECT_EQ(m.face_count, 4);
    EXPECT_NEAR(m.vertices[0].position[1], 0.6123724f, 1e-6f);
    for (const CVertexStruct& v : m.vertices) {
        EXPECT_NEAR(length(v.position), 0.6123724f, 1e-6f);
        if (v.position[1] < 0) {
            EXPECT_NEAR(v.position[1], -0.2041241f, 1e-6f);
        }
    }
    // Faces run (P0, P1, P2): outward normals after processing.
    m.computeFaceNormals();
    for (const CFace& f : m.faces) {
        float c[3] = {0, 0, 0};
        for (int k = 0; k < 3; ++k)
            for (int a = 0; a < 3; ++a)
                c[a] += m.vertices[f.vertex_index[k]].position[a] / 3;
        EXPECT_GT(c[0] * f.normal[0] + c[1] * f.normal[1] + c[2] * f.normal[2], 0.0f);
    }
}

TEST(Shapes, CylinderTenSlices)
{
    CMesh m;
    m.slices = 10;
    m.buildCylinder(1.0f, 4.0f);
    ASSERT_EQ(m.vertices.size(), 22u);
    EXPECT_EQ(m.faces.size(), 20u);
    EXPECT_EQ(m.face_count, 20);
    EXPECT_FLOAT_EQ(m.vertices[0].position[0], 1.0f);
    EXPECT_FLOAT_EQ(m.vertices[0].position[2], -2.0f);
    EXPECT_EQ(m.vertices[0].t_v, 1.0f);
    EXPECT_FLOAT_EQ(m.vertices[1].position[2], 2.0f);
    EXPECT_NEAR(m.vertices[20].position[0], 1.0f, 1e-5f);
    EXPECT_NEAR(m.vertices[20].t_u, 1.0f, 1e-5f);
}
