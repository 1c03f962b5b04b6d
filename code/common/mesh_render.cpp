// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing of CMesh in the three render modes, and its vertex buffer object.
#include <GL/glew.h>

#include <cassert>
#include <iostream>

#include "common/mesh.h"
#include "common/settings.h"
#include "opengl/shaders.h"

void CMesh::render()
{
    glPushMatrix();
    glTranslatef(-scaled_center[0], -scaled_center[1], -scaled_center[2]);
    glPushMatrix();
    glScalef(scale, scale, scale);
    const uint32_t mode = renderFlags & RENDER_MODE_MASK;
    switch (mode) {
    case RENDER_WIREFRAME:
        renderWireframe();
        break;
    case RENDER_IMMEDIATE:
        renderImmediate();
        break;
    case RENDER_BUFFER_OBJECTS:
        renderBufferObject();
        break;
    default:
        std::cerr << "incorrect flags for render mode: " << mode << std::endl;
        assert(!"render mode outside 0 .. 2");
    }
    glPopMatrix();
    glPopMatrix();
}

void CMesh::renderWireframe()
{
    glPushAttrib(GL_ENABLE_BIT | GL_LIGHTING_BIT | GL_POLYGON_BIT | GL_CURRENT_BIT);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glUseProgramObjectARB(0);
    glColor3f(1.0f, 1.0f, 1.0f);
    for (const CFace& face : faces) {
        glBegin(GL_TRIANGLES);
        for (int c = 0; c < 3; ++c)
            glVertex3fv(vertices[face.vertex_index[c]].position);
        glEnd();
        if (renderFlags & RENDER_NORMALS) {
            const CVertexStruct& v = vertices[face.vertex_index[0]];
            drawVertexNormal(v);
            drawVertexTangent(v);
        }
    }
    if (renderFlags & RENDER_BOUNDING_BOX) {
        glColor3f(1.0f, 0.5f, 0.5f);
        drawBox(bbox_min[0], bbox_min[1], bbox_min[2], bbox_max[0], bbox_max[1], bbox_max[2]);
    }
    glEnable(GL_TEXTURE_2D);
    glPopAttrib();
}

void CMesh::renderImmediate()
{
    for (const CFace& face : faces) {
        glBegin(GL_TRIANGLES);
        for (int c = 0; c < 3; ++c) {
            const CVertexStruct& v = vertices[face.vertex_index[c]];
            const GLfloat uv[2] = {v.t_u, v.t_v};
            glTexCoord2fv(uv);
            glMultiTexCoord2fv(GL_TEXTURE1, uv);
            glNormal3fv(v.normal);
            glVertex3fv(v.position);
        }
        glEnd();
    }
}

static const GLvoid* bufferOffset(int bytes)
{
    return reinterpret_cast<const GLvoid*>(static_cast<intptr_t>(bytes));
}

void CMesh::renderBufferObject()
{
    // The arrays are switched on for this draw only: one left on by another
    // mesh would feed this one that mesh's buffer.
    glBindBufferARB(GL_ARRAY_BUFFER, buffer_id);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, bufferOffset(0));
    glNormalPointer(GL_FLOAT, 0, bufferOffset(normals_offset));
    if (tex_coords_bytes != 0) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, bufferOffset(normals_offset + normals_bytes));
    }
    if (tangents_bytes != 0) {
        glEnableVertexAttribArrayARB(tangentAttribLocation);
        glVertexAttribPointerARB(tangentAttribLocation, 3, GL_FLOAT, GL_FALSE, 0,
                                 bufferOffset(normals_offset + normals_bytes + tex_coords_bytes));
    }
    glDrawArrays(GL_TRIANGLES, 0, buffer_vertex_count);
    if (tangents_bytes != 0)
        glDisableVertexAttribArrayARB(tangentAttribLocation);
    if (tex_coords_bytes != 0)
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindBufferARB(GL_ARRAY_BUFFER, 0);
}

void CMesh::buildBufferArrays()
{
    freeStagingArrays();
    const size_t f = faces.size();
    buffer_positions = new float[f * 9];
    buffer_normals = new float[f * 9];
    if (has_tex_coords)
        buffer_tex_coords = new float[f * 6];
    if (has_tangents)
        buffer_tangents = new float[f * 9];

    // Counted from 0, not from the previous count: a second call rebuilds the
    // same arrays instead of sizing the buffer past them.
    int k = 0;
    int entry = 0;
    for (const CFace& face : faces) {
        for (int c = 0; c < 3; ++c, ++entry) {
            const CVertexStruct& v = vertices[face.vertex_index[c]];
            const float* n = flat_shading ? face.normal : v.normal;
            for (int a = 0; a < 3; ++a) {
                buffer_positions[entry * 3 + a] = v.position[a];
                buffer_normals[entry * 3 + a] = n[a];
                if (has_tangents)
                    buffer_tangents[entry * 3 + a] = v.tangent[a];
            }
            if (has_tex_coords) {
                buffer_tex_coords[entry * 2] = v.t_u;
                buffer_tex_coords[entry * 2 + 1] = v.t_v;
            }
        }
        k += 3;
    }
    buffer_vertex_count = k;
    normals_offset = normals_bytes = buffer_vertex_count * 12;
    tex_coords_bytes = has_tex_coords ? buffer_vertex_count * 8 : 0;
    tangents_bytes = has_tangents ? buffer_vertex_count * 12 : 0;
    buffer_size = normals_offset + normals_bytes + tex_coords_bytes + tangents_bytes;
}

void CMesh::uploadBuffer()
{
    glGenBuffersARB(1, &buffer_id);
    glBindBufferARB(GL_ARRAY_BUFFER, buffer_id);
    glBufferDataARB(GL_ARRAY_BUFFER, buffer_size, nullptr, GL_STATIC_DRAW_ARB);
    glBufferSubDataARB(GL_ARRAY_BUFFER, 0, normals_offset, buffer_positions);
    glBufferSubDataARB(GL_ARRAY_BUFFER, normals_offset, normals_bytes, buffer_normals);
    if (tex_coords_bytes != 0)
        glBufferSubDataARB(GL_ARRAY_BUFFER, normals_offset + normals_bytes, tex_coords_bytes,
                           buffer_tex_coords);
    if (tangents_bytes != 0)
        glBufferSubDataARB(GL_ARRAY_BUFFER, normals_offset + normals_bytes + tex_coords_bytes,
                           tangents_bytes, buffer_tangents);
    glBindBufferARB(GL_ARRAY_BUFFER, 0);
}

void CMesh::releaseBuffer()
{
    // A mesh that never uploaded never touched OpenGL (and may have no context).
    if (buffer_id == 0)
        return;
    glDeleteBuffersARB(1, &buffer_id);
    buffer_id = 0;
}

// One debug line from the vertex along a vector, lighting off for it.
static void drawVertexLine(const CVertexStruct& vertex, const float vector[3], float r, float g, float b)
{
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_LIGHTING_BIT);
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glColor3f(r, g, b);
    glTranslatef(vertex.position[0], vertex.position[1], vertex.position[2]);
    glBegin(GL_LINES);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3fv(vector);
    glEnd();
    glPopMatrix();
}

void drawVertexNormal(const CVertexStruct& vertex)
{
    if (vertex.isTwinned())
        drawVertexLine(vertex, vertex.normal, 1.0f, 0.0f, 1.0f);
    else
        drawVertexLine(vertex, vertex.normal, 1.0f, 0.0f, 0.0f);
    glPopAttrib();
}

void drawVertexTangent(const CVertexStruct& vertex)
{
    drawVertexLine(vertex, vertex.tangent, 1.0f, 1.0f, 0.0f);
    // The current colour is not among the pushed groups: the grey outlines
    // the remaining triangles of the debug view.
    glColor3f(0.4f, 0.4f, 0.4f);
    glPopAttrib();
}

void drawBox(float minX, float minY, float minZ, float maxX, float maxY, float maxZ)
{
    glBegin(GL_LINES);
    for (float y : {minY, maxY}) {
        glVertex3f(minX, y, minZ);
        glVertex3f(maxX, y, minZ);
        glVertex3f(minX, y, maxZ);
        glVertex3f(maxX, y, maxZ);
        glVertex3f(minX, y, minZ);
        glVertex3f(minX, y, maxZ);
        glVertex3f(maxX, y, minZ);
        glVertex3f(maxX, y, maxZ);
    }
    const float corners[4][2] = {{minX, minZ}, {maxX, minZ}, {minX, maxZ}, {maxX, maxZ}};
    for (const auto& c : corners) {
        glVertex3f(c[0], minY, c[1]);
        glVertex3f(c[0], maxY, c[1]);
    }
    glEnd();
}
