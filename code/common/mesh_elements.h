// SPDX-License-Identifier: GPL-3.0-or-later
// The records a mesh is made of: vertices (with their twin ties across
// texture seams and the faces that use them) and triangles.
//
// Twin and face pointers point into the same mesh's vertex vector and face
// list; the mesh takes them only after its last vertex was added, so they stay
// valid for the mesh's life. A vertex is a master (twins, no master), a twin
// (a master, no twins) or alone; groups are one level deep.
#pragma once

#include <list>

struct CFace;

struct CVertexStruct {
    float position[3] = {0.0f, 0.0f, 0.0f};
    float normal[3] = {0.0f, 0.0f, 0.0f};
    float tangent[3] = {0.0f, 0.0f, 0.0f};
    float t_u = 0.0f;
    float t_v = 0.0f;
    std::list<CVertexStruct*> twins;
    CVertexStruct* twin_master = nullptr;
    std::list<CFace*> adjacent_faces;

    void setPosition(float x, float y, float z);
    void copyPosition(const float p[3]);
    // Stores v flipped (1 - v): every texture coordinate of the game passes here.
    void setTexCoords(float u, float v);
    // Normalises (x, y, z); a zero vector is the caller's mistake.
    void setNormal(float x, float y, float z);
    // The radial normal of a tube along z: position with x (sic) zeroed, normalised.
    void setCylinderNormal();

    void addTwin(CVertexStruct* twin_vertex);
    bool isTwinned() const;

    void addFaceNormals(const CVertexStruct& from, float sum[3]) const;
    // Smooths this vertex's normal over its faces and its twins' faces and
    // hands the result to the twins; a twin leaves the work to its master.
    void computeNormal();
};

struct CFace {
    int vertex_index[4] = {-1, -1, -1, -1};
    float normal[3] = {0.0f, 0.0f, 0.0f};
    bool flipped = false;

    int getVertexIndex(int corner) const;
};
