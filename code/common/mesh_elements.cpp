// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/mesh_elements.h"

#include <cassert>
#include <cmath>

#include "common/vecmath.h"

void CVertexStruct::setPosition(float x, float y, float z)
{
    position[0] = x;
    position[1] = y;
    position[2] = z;
}

void CVertexStruct::copyPosition(const float p[3])
{
    setPosition(p[0], p[1], p[2]);
}

void CVertexStruct::setTexCoords(float u, float v)
{
    t_u = u;
    t_v = 1.0f - v;
}

void CVertexStruct::setNormal(float x, float y, float z)
{
    const float length = std::sqrt(x * x + y * y + z * z);
    normal[0] = x / length;
    normal[1] = y / length;
    normal[2] = z / length;
}

void CVertexStruct::setCylinderNormal()
{
    normal[0] = 0.0f;
    normal[1] = position[1];
    normal[2] = position[2];
    normalize(normal);
}

void CVertexStruct::addTwin(CVertexStruct* twin_vertex)
{
    if (twin_master) {
        twin_master->addTwin(twin_vertex);
        return;
    }
    if (twin_vertex->twin_master) {
        assert(twin_vertex->twin_master == this);
        return;
    }
    assert(twin_vertex->twins.size() == 0);
    twins.push_back(twin_vertex);
    twin_vertex->twin_master = this;
}

bool CVertexStruct::isTwinned() const
{
    return twin_master != nullptr || !twins.empty();
}

void CVertexStruct::addFaceNormals(const CVertexStruct& from, float sum[3]) const
{
    for (const CFace* face : from.adjacent_faces)
        for (int k = 0; k < 3; ++k)
            sum[k] += face->normal[k];
}

void CVertexStruct::computeNormal()
{
    if (twin_master)
        return;
    // The sum starts from the normal already held (the cylinder's radial one).
    float sum[3] = {normal[0], normal[1], normal[2]};
    addFaceNormals(*this, sum);
    for (const CVertexStruct* twin : twins)
        addFaceNormals(*twin, sum);
    normalize(sum);
    for (int k = 0; k < 3; ++k)
        normal[k] = sum[k];
    for (CVertexStruct* twin : twins)
        for (int k = 0; k < 3; ++k)
            twin->normal[k] = sum[k];
}

int CFace::getVertexIndex(int corner) const
{
    return corner >= 0 && corner < 4 ? vertex_index[corner] : -1;
}
