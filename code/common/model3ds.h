// SPDX-License-Identifier: GPL-3.0-or-later
// The 3DS model file reader's core: parses a whole file held in memory into
// plain geometry, or explains why the file is rejected. It needs no OpenGL
// and never exits, so it can be tested and fuzzed in-process; CMesh::read3ds
// reads the file, calls it and reports.
//
// Chunks are walked front to back in a loop (never by recursion): containers
// are entered, every other chunk is left at exactly its start plus its
// length. Every read is bounds-checked against the chunk and the file.
// Several objects share one vertex array; each object's faces and mapping
// coordinates refer to its own vertices and are rebased onto the array.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace model3ds {

enum ChunkId : uint16_t {
    MAIN = 0x4D4D,
    EDITOR = 0x3D3D,
    OBJECT = 0x4000,
    TRIANGLE_MESH = 0x4100,
    VERTEX_LIST = 0x4110,
    FACE_LIST = 0x4120,
    MATERIAL_GROUP = 0x4130,
    MAPPING = 0x4140,
};

// Larger files are refused before they are read.
const size_t maxFileBytes = 64u * 1024u * 1024u;

struct Vertex {
    float x, y, z;
    float u, v;
    bool mapped;
};

struct Geometry {
    char name[100] = {}; // the last object's name, always terminated
    std::vector<Vertex> vertices;
    std::vector<uint32_t> faces; // three indices into vertices per face
    int objects = 0;
};

enum class Status {
    ok,
    noVerticesForMapping, // mapping coordinates before any vertex list of the object
    malformed,
};

struct Result {
    Status status = Status::ok;
    std::string message; // why a malformed file was rejected
};

Result parse(const uint8_t* data, size_t size, Geometry& out);

} // namespace model3ds
