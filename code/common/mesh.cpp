// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/mesh.h"

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "common/model3ds.h"
#include "common/vecmath.h"
#include "common/numeric.h"
#include "common/fatal.h"

const char* const modelPaths[modelTypeCount] = {
    "",
    "",
    "",
    "",
    "",
    "../models/trash/soda/can.3ds",
    "../models/trash/can2/Model/Can.3ds",
    "../models/trash/packets/duds.3ds",
    "../models/trash/fumican/Fumigene.3ds",
    "../models/trash/barrel_wooden/barrela.3ds",
    "../models/trash/barrel_burned/BurnBarrel.3ds",
    "../models/trash/pizza-slice/pizza.3ds",
    "",
    "../models/ships/spaceship.3ds",
    "",
};

CMesh::CMesh()
{
    for (float& s : noise_seed)
        s = static_cast<float>(gameRand() / 32767.0);
}

CMesh::~CMesh()
{
    releaseBuffer();
    freeStagingArrays();
    vertices.clear();
    faces.clear();
}

void CMesh::freeStagingArrays()
{
    delete[] buffer_positions;
    buffer_positions = nullptr;
    delete[] buffer_normals;
    buffer_normals = nullptr;
    delete[] buffer_tex_coords;
    buffer_tex_coords = nullptr;
    delete[] buffer_tangents;
    buffer_tangents = nullptr;
}

void CMesh::addFace(int a, int b, int c, bool flipped)
{
    CFace face;
    face.vertex_index[0] = a;
    face.vertex_index[1] = b;
    face.vertex_index[2] = c;
    face.flipped = flipped;
    faces.push_back(face);
}

void CMesh::load(int type, int lod, float meshSize)
{
    model_type = type;
    level_of_detail = lod;
    size = meshSize;

    switch (lod) {
    case 0:
        slices = 16;
        stacks = 16;
        break;
    case 1:
        slices = 5;
        stacks = 5;
        break;
    case 2:
        slices = type == MODEL_SODA_CAN ? 10 : 4;
        stacks = 4;
        break;
    default:
        std::cerr << "unknown level of detail " << lod << std::endl;
        return;
    }
    const int subdivisions = lod == 0 ? 2 : 1;

    if (lod == 2) {
        // Coarse stand-ins built at their final size: no bounds, scale 1.
        if (type == MODEL_LUMPY_SPHERE) {
            buildNoisyIcosphere(size, 0);
        } else if (type == MODEL_SODA_CAN) {
            buildCylinder(size / 2, 2 * size);
        } else {
            buildTetrahedron(static_cast<float>(size * 1.5 / 0.6123724356957945));
            flat_shading = false;
        }
    } else {
        switch (type) {
        case MODEL_RANDOM_TETRAHEDRON:
            buildTetrahedron(static_cast<float>(size + (gameRand() / 32767.0) * size));
            break;
        case MODEL_SPHERE:
            buildSuperquadric(size, 1.0f);
            break;
        case MODEL_BULGED_SPHERE:
            buildSuperquadric(size, 0.4f);
            break;
        case MODEL_PINCHED_SPHERE:
            buildSuperquadric(size, 2.4f);
            break;
        case MODEL_LUMPY_SPHERE:
            buildNoisyIcosphere(size, subdivisions);
            break;
        default:
            if (type >= 5 && type < modelTypeCount) {
                if (type == 13 || type == 14)
                    size_factor = 5.0f;
                if (modelPaths[type][0] == '\0')
                    buildTetrahedron(5.0f);
                else
                    loadModelFile(modelPaths[type]);
                flat_shading = false;
            } else {
                std::cerr << "unknown type " << type << std::endl;
            }
            break;
        }
        computeBounds();
    }

    computeFaceNormals();
    linkFaces();
    if (!flat_shading)
        computeVertexNormals();
    if (use_buffer_object) {
        buildBufferArrays();
        uploadBuffer();
    }
}

void CMesh::computeBounds()
{
    for (int k = 0; k < 3; ++k)
        bbox_min[k] = bbox_max[k] = 0.0f;
    radius = 0.0f;
    for (const CVertexStruct& v : vertices)
        for (int k = 0; k < 3; ++k) {
            if (v.position[k] <= bbox_min[k])
                bbox_min[k] = v.position[k];
            if (v.position[k] >= bbox_max[k])
                bbox_max[k] = v.position[k];
        }
    float half[3];
    for (int k = 0; k < 3; ++k)
        half[k] = (bbox_max[k] - bbox_min[k]) * 0.5f;
    const float extent = half[0] + half[1] + half[2];
    // An empty mesh has nothing to scale: keep it at 1.
    scale = extent > 0.0f ? size * size_factor * 3.0f / extent : 1.0f;
    for (int k = 0; k < 3; ++k) {
        center[k] = bbox_min[k] + half[k];
        scaled_center[k] = center[k] * scale;
    }
    if (model_type >= 0 && model_type <= 4) {
        radius = size;
        return;
    }
    for (const CVertexStruct& v : vertices) {
        const float d[3] = {v.position[0] - center[0], v.position[1] - center[1],
                            v.position[2] - center[2]};
        const float r = scale * std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
        if (r >= radius)
            radius = r;
    }
}

void CMesh::computeFaceNormals()
{
    for (CFace& face : faces) {
        const float* p0 = vertices[face.vertex_index[0]].position;
        const float* p1 = vertices[face.vertex_index[1]].position;
        const float* p2 = vertices[face.vertex_index[2]].position;
        triangleNormal(p0, p1, p2, face.normal);
        if (face.flipped)
            for (float& n : face.normal)
                n = -n;
    }
}

void CMesh::linkFaces()
{
    for (CFace& face : faces)
        for (int c = 0; c < 3; ++c)
            vertices[face.vertex_index[c]].adjacent_faces.push_back(&face);
}

void CMesh::computeVertexNormals()
{
    for (int i = 0; i < vertex_count && i < static_cast<int>(vertices.size()); ++i)
        vertices[i].computeNormal();
}

bool CMesh::read3ds(const char* path)
{
    FILE* file = std::fopen(path, "rb");
    if (!file) {
        std::fprintf(stderr, "could not find file %s!!!\n", path);
        exitGame(-1);
    }
    struct stat status;
    std::vector<uint8_t> bytes;
    bool readWhole = fstat(fileno(file), &status) == 0 && status.st_size >= 0 &&
                     static_cast<size_t>(status.st_size) <= model3ds::maxFileBytes;
    if (readWhole) {
        bytes.resize(static_cast<size_t>(status.st_size));
        readWhole = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);

    model3ds::Geometry geometry;
    model3ds::Result result;
    if (!readWhole)
        result = {model3ds::Status::malformed, "file unreadable or larger than the size limit"};
    else
        result = model3ds::parse(bytes.data(), bytes.size(), geometry);

    if (result.status == model3ds::Status::noVerticesForMapping) {
        std::fprintf(stderr,
                     "texture coordinates could not be read because no vertices appointed yet!\n");
        exitGame(-1);
    }
    if (result.status != model3ds::Status::ok) {
        // The game cannot run without its models: a broken file ends it like a missing one.
        std::fprintf(stderr, "could not read model file %s: %s\n", path, result.message.c_str());
        exitGame(-1);
    }

    std::memcpy(name, geometry.name, sizeof name);
    vertices.reserve(vertices.size() + geometry.vertices.size());
    const size_t base = vertices.size();
    for (const model3ds::Vertex& g : geometry.vertices) {
        CVertexStruct v;
        v.setPosition(g.x, g.y, g.z);
        if (g.mapped)
            v.setTexCoords(g.u, g.v);
        vertices.push_back(v);
    }
    for (size_t f = 0; f + 2 < geometry.faces.size(); f += 3)
        addFace(static_cast<int>(base + geometry.faces[f]), static_cast<int>(base + geometry.faces[f + 1]),
                static_cast<int>(base + geometry.faces[f + 2]));
    // Every vertex of every object gets its normal: count them all.
    vertex_count = static_cast<int>(vertices.size());
    face_count = static_cast<int>(faces.size());
    return true;
}

void CMesh::loadModelFile(const char* path)
{
    if (!read3ds(path))
        std::cerr << "could not load model! " << std::endl;
}
