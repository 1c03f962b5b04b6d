// SPDX-License-Identifier: GPL-3.0-or-later
// CMesh: one solid in memory: its vertices and triangles, the vertex buffer
// object built from them, and its bounds, scale and build parameters.
//
// A mesh is created with new, loaded once right after construction (load
// needs a current OpenGL context for the buffer upload) and owned by exactly
// one holder (an item holds three, the planet one). render() draws it in the
// render mode of renderFlags with the caller's texture, material and shader.
// The builders and processing steps need no context and can run alone.
#pragma once

#include <cstdint>
#include <list>
#include <vector>

#include "common/mesh_elements.h"

enum ModelType : int {
    MODEL_RANDOM_TETRAHEDRON = 0,
    MODEL_SPHERE = 1,
    MODEL_BULGED_SPHERE = 2,
    MODEL_PINCHED_SPHERE = 3,
    MODEL_LUMPY_SPHERE = 4,
    MODEL_SODA_CAN = 5,
    MODEL_CAN = 6,
    MODEL_PACKET = 7,
    MODEL_FUMIGENE = 8,
    MODEL_WOODEN_BARREL = 9,
    MODEL_BURNED_BARREL = 10,
    MODEL_PIZZA_SLICE = 11,
    MODEL_SPACESHIP = 13,
};

const int modelTypeCount = 15;
// The model file of each type; empty for built shapes.
extern const char* const modelPaths[modelTypeCount];

class CMesh {
public:
    CMesh();
    ~CMesh();
    CMesh(const CMesh&) = delete;
    CMesh& operator=(const CMesh&) = delete;

    void load(int model_type, int level_of_detail, float size);
    bool read3ds(const char* path);
    void loadModelFile(const char* path);

    void buildSuperquadric(float r, float e);
    void buildNoisyIcosphere(float R, int subdivisions);
    void subdivide(const CVertexStruct& a, const CVertexStruct& b, const CVertexStruct& c, int depth,
                   float R);
    void buildTetrahedron(float edge);
    void buildCylinder(float r, float height);
    float noisyRadius(float x, float y, float R) const;

    void computeBounds();
    void computeFaceNormals();
    void linkFaces();
    void computeVertexNormals();

    void buildBufferArrays();
    void uploadBuffer();
    void releaseBuffer();
    void render();

    float getRadius() const { return radius; }
    void getBoundingBox(float*& min, float*& max)
    {
        min = bbox_min;
        max = bbox_max;
    }

    std::vector<CVertexStruct> vertices;
    std::list<CFace> faces;
    float* buffer_positions = nullptr;
    float* buffer_normals = nullptr;
    float* buffer_tex_coords = nullptr;
    float* buffer_tangents = nullptr;
    int buffer_vertex_count = 0;
    int buffer_size = 0;
    bool use_buffer_object = true;
    unsigned int buffer_id = 0;
    int vertex_count = 0;
    int face_count = 0;
    bool flat_shading = false;
    int model_type = 0;
    int level_of_detail = 0;
    char name[100] = {};
    int slices = 0;
    int stacks = 0;
    float size_factor = 1.0f;
    float size = 1.0f;
    bool has_tex_coords = true;
    bool has_tangents = false;
    int normals_offset = 0;
    int normals_bytes = 0;
    int tex_coords_bytes = 0;
    int tangents_bytes = 0;
    float noise_seed[3];
    float bbox_min[3] = {0.0f, 0.0f, 0.0f};
    float bbox_max[3] = {0.0f, 0.0f, 0.0f};
    float center[3] = {0.0f, 0.0f, 0.0f};
    float scaled_center[3] = {0.0f, 0.0f, 0.0f};
    float scale = 1.0f;
    float radius = 0.0f;

private:
    void renderWireframe();
    void renderImmediate();
    void renderBufferObject();
    void addFace(int a, int b, int c, bool flipped = false);
    void freeStagingArrays();
};

// The wireframe mode's debug drawing.
void drawVertexNormal(const CVertexStruct& vertex);
void drawVertexTangent(const CVertexStruct& vertex);
void drawBox(float minX, float minY, float minZ, float maxX, float maxY, float maxZ);
