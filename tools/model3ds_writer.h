// SPDX-License-Identifier: GPL-3.0-or-later
// Writes models as 3DS files: main chunk, editor, one named object with a
// triangle mesh (vertex list, mapping coordinates, face list with a material
// group child). Little-endian whatever the host. Used by gen_models and by
// the reader's tests, which also build deliberately broken files from the
// chunk helpers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace model3ds {

struct WriterVertex {
    float x, y, z;
    float u, v;
};

struct WriterMesh {
    std::string name;
    std::vector<WriterVertex> vertices;
    std::vector<uint16_t> faces; // three indices per triangle
};

std::string le16(uint16_t v);
std::string le32(uint32_t v);
std::string f32(float v);
// A chunk: header (id, length counting the header) then the payload.
std::string chunk(uint16_t id, const std::string& payload);

std::string vertexListChunk(const std::vector<WriterVertex>& vertices);
std::string mappingChunk(const std::vector<WriterVertex>& vertices);
std::string faceListChunk(const std::vector<uint16_t>& faces, const std::string& children);
std::string objectChunk(const std::string& name, const std::string& children);
// A whole file with one object.
std::string encode(const WriterMesh& mesh);
bool writeFile(const WriterMesh& mesh, const std::string& path);

} // namespace model3ds
