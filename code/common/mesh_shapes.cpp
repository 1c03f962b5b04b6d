// SPDX-License-Identifier: GPL-3.0-or-later
// The procedural shapes of CMesh: superquadric, noisy icosphere, tetrahedron
// and open cylinder. Angles advance by repeated float addition, as the game's
// shapes always have, so vertex positions are reproducible to the bit.
#include <cassert>
#include <cmath>

#include "common/mesh.h"
#include "common/vecmath.h"

namespace {

const float kPi = 3.14159265358979f;

// Rescales v to the given length; a zero vector points along +z.
void rescale(float v[3], float length)
{
    normalize(v);
    for (int k = 0; k < 3; ++k)
        v[k] *= length;
}

const float icoX = 0.5257311f;
const float icoZ = 0.8606508f;

const float icosahedronPoints[12][3] = {
    {-icoX, 0.0f, icoZ}, {icoX, 0.0f, icoZ},  {-icoX, 0.0f, -icoZ}, {icoX, 0.0f, -icoZ},
    {0.0f, icoZ, icoX},  {0.0f, icoZ, -icoX}, {0.0f, -icoZ, icoX},  {0.0f, -icoZ, -icoX},
    {icoZ, icoX, 0.0f},  {-icoZ, icoX, 0.0f}, {icoZ, -icoX, 0.0f},  {-icoZ, -icoX, 0.0f},
};

const int icosahedronFaces[20][3] = {
    {0, 4, 1},  {0, 9, 4},  {9, 5, 4},  {4, 5, 8},  {4, 8, 1},  {8, 10, 1}, {8, 3, 10},
    {5, 3, 8},  {5, 2, 3},  {2, 7, 3},  {7, 10, 3}, {7, 6, 10}, {7, 11, 6}, {11, 0, 6},
    {0, 1, 6},  {6, 1, 10}, {9, 0, 11}, {9, 11, 2}, {9, 2, 5},  {7, 2, 11},
};

} // namespace

void CMesh::buildSuperquadric(float r, float e)
{
    const float dPhi = kPi / stacks;
    const float dTheta = 2.0f * kPi / slices;
    const float dv = 1.0f / stacks;
    const float du = 1.0f / slices;
    flat_shading = false;
    vertex_count = (stacks + 1) * (slices + 1);
    const int ring = slices + 1;
    vertices.reserve(vertex_count);

    float phi = 0.0f;
    float v = 0.0f;
    for (int i = 0; i <= stacks; ++i) {
        float theta = 0.0f;
        float u = 0.0f;
        for (int j = 0; j <= slices; ++j) {
            if (j == slices)
                theta = 0.0f;
            const float sinPhi = std::sin(phi);
            const float cosPhi = std::cos(phi);
            const float sigma = cosPhi >= 0.0f ? 1.0f : -1.0f;
            const float absCos = std::fabs(cosPhi);
            CVertexStruct vertex;
            vertex.setPosition(sinPhi * r * std::cos(theta), sinPhi * r * std::sin(theta),
                               sigma * r * std::pow(absCos, e));
            vertex.setTexCoords(u, 1.0f - v);
            vertex.tangent[0] = cosPhi * std::cos(theta);
            vertex.tangent[1] = cosPhi * std::sin(theta);
            vertex.tangent[2] = -e * sinPhi * std::pow(absCos, e - 1.0f);
            normalize(vertex.tangent);
            assert(vertices.size() < static_cast<size_t>(vertex_count));
            vertices.push_back(vertex);
            theta += dTheta;
            u += du;
        }
        phi += dPhi;
        v += dv;
    }

    for (int i = 0; i <= stacks; ++i)
        vertices[i * ring].addTwin(&vertices[i * ring + slices]);

    auto samePosition = [this](int a, int b) {
        const float* pa = vertices[a].position;
        const float* pb = vertices[b].position;
        return pa[0] == pb[0] && pa[1] == pb[1] && pa[2] == pb[2];
    };
    for (int i = 0; i < stacks; ++i)
        for (int j = 0; j < slices; ++j) {
            const int p = i * ring + j;
            const int q = (i + 1) * ring + j;
            if (!samePosition(p, q + 1)) {
                addFace(p, q + 1, p + 1);
                ++face_count;
            }
            if (!samePosition(p, q)) {
                addFace(q + 1, p, q, i == stacks - 1);
                ++face_count;
            }
        }
}

float CMesh::noisyRadius(float x, float y, float R) const
{
    const float s0 = noise_seed[0];
    const float s1 = noise_seed[1];
    const float s2 = noise_seed[2];
    const float a = 0.5f * x + R * (0.3f * s0 + 0.05f);
    const float b = (s1 + 2.2f) * x + R * (0.3f * s2 + 0.05f);
    const float c = 0.5f * y + R * (0.1f - 0.2f * s1);
    const float d = (s2 + 2.5f) * y - R * (0.2f * s1 + 0.15f);
    return R + (R * 0.1f) * (std::cos(a) + 0.3f * std::cos(b) + std::cos(c) + 0.2f * std::cos(d));
}

void CMesh::buildNoisyIcosphere(float R, int subdivisions)
{
    flat_shading = true;
    vertex_count = 0;
    face_count = 0;
    CVertexStruct base[12];
    for (int i = 0; i < 12; ++i) {
        float p[3] = {icosahedronPoints[i][0], icosahedronPoints[i][1], icosahedronPoints[i][2]};
        rescale(p, noisyRadius(p[0], p[1], R));
        base[i].copyPosition(p);
    }
    for (const auto& f : icosahedronFaces) {
        base[f[0]].setTexCoords(0.0f, 0.0f);
        base[f[1]].setTexCoords(0.5f, 0.8660254f);
        base[f[2]].setTexCoords(1.0f, 0.0f);
        subdivide(base[f[0]], base[f[1]], base[f[2]], subdivisions, R);
    }
}

void CMesh::subdivide(const CVertexStruct& a, const CVertexStruct& b, const CVertexStruct& c,
                      int depth, float R)
{
    if (depth == 0) {
        const int k = vertex_count;
        vertices.push_back(a);
        vertices.push_back(b);
        vertices.push_back(c);
        addFace(k, k + 2, k + 1);
        vertex_count += 3;
        face_count += 1;
        return;
    }
    auto midpoint = [](const CVertexStruct& p, const CVertexStruct& q) {
        CVertexStruct m;
        for (int k = 0; k < 3; ++k)
            m.position[k] = (p.position[k] + q.position[k]) / 2.0f;
        m.t_u = (p.t_u + q.t_u) / 2.0f;
        m.t_v = (p.t_v + q.t_v) / 2.0f;
        return m;
    };
    CVertexStruct mab = midpoint(a, b);
    CVertexStruct mbc = midpoint(b, c);
    CVertexStruct mca = midpoint(c, a);
    for (CVertexStruct* m : {&mab, &mbc, &mca})
        rescale(m->position, noisyRadius(m->position[0], m->position[1], R));
    subdivide(a, mab, mca, depth - 1, R);
    subdivide(b, mbc, mab, depth - 1, R);
    subdivide(c, mca, mbc, depth - 1, R);
    subdivide(mab, mbc, mca, depth - 1, R);
}

void CMesh::buildTetrahedron(float edge)
{
    vertex_count = 0;
    face_count = 0;
    flat_shading = true;
    const float h = static_cast<float>(edge * 2.449489742783178 / 4.0);
    const float w = static_cast<float>(edge * 1.7320508075688772 / 3.0);
    CVertexStruct p[4];
    p[0].setPosition(0.0f, h, 0.0f);
    p[1].setPosition(0.0f, -h / 3.0f, w);
    p[2].setPosition(edge / 2.0f, -h / 3.0f, -w / 2.0f);
    p[3].setPosition(-edge / 2.0f, -h / 3.0f, -w / 2.0f);
    subdivide(p[0], p[2], p[1], 0, h);
    subdivide(p[0], p[3], p[2], 0, h);
    subdivide(p[0], p[1], p[3], 0, h);
    subdivide(p[1], p[2], p[3], 0, h);
}

void CMesh::buildCylinder(float r, float height)
{
    const float dTheta = 2.0f * kPi / slices;
    const float du = 1.0f / slices;
    flat_shading = false;
    const float half = height / 2.0f;
    vertex_count = 2 * slices + 2;
    vertices.reserve(vertex_count);
    assert(vertices.size() == 0);

    float theta = 0.0f;
    float u = 0.0f;
    for (int j = 0; j <= slices; ++j) {
        CVertexStruct bottom;
        bottom.setPosition(std::cos(theta) * r, std::sin(theta) * r, -half);
        bottom.setTexCoords(u, 0.0f);
        bottom.setCylinderNormal();
        vertices.push_back(bottom);
        CVertexStruct top;
        top.setPosition(std::cos(theta) * r, std::sin(theta) * r, half);
        top.setTexCoords(u, 1.0f);
        top.setCylinderNormal();
        vertices.push_back(top);
        theta += dTheta;
        u += du;
    }
    for (int j = 0; j < slices; ++j) {
        addFace(2 * j, 2 * j + 3, 2 * j + 1);
        addFace(2 * j + 3, 2 * j, 2 * j + 2);
        face_count += 2;
    }
}
