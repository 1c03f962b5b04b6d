// SPDX-License-Identifier: GPL-3.0-or-later
#include "model3ds_writer.h"

#include <cstring>
#include <fstream>

namespace model3ds {

std::string le16(uint16_t v)
{
    return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

std::string le32(uint32_t v)
{
    std::string s;
    for (int i = 0; i < 4; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

std::string f32(float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return le32(bits);
}

std::string chunk(uint16_t id, const std::string& payload)
{
    return le16(id) + le32(static_cast<uint32_t>(payload.size() + 6)) + payload;
}

std::string vertexListChunk(const std::vector<WriterVertex>& vertices)
{
    std::string p = le16(static_cast<uint16_t>(vertices.size()));
    for (const auto& v : vertices)
        p += f32(v.x) + f32(v.y) + f32(v.z);
    return chunk(0x4110, p);
}

std::string mappingChunk(const std::vector<WriterVertex>& vertices)
{
    std::string p = le16(static_cast<uint16_t>(vertices.size()));
    for (const auto& v : vertices)
        p += f32(v.u) + f32(v.v);
    return chunk(0x4140, p);
}

std::string faceListChunk(const std::vector<uint16_t>& faces, const std::string& children)
{
    std::string p = le16(static_cast<uint16_t>(faces.size() / 3));
    for (size_t i = 0; i + 2 < faces.size(); i += 3)
        p += le16(faces[i]) + le16(faces[i + 1]) + le16(faces[i + 2]) + le16(7);
    return chunk(0x4120, p + children);
}

std::string objectChunk(const std::string& name, const std::string& children)
{
    return chunk(0x4000, name + std::string(1, '\0') + children);
}

std::string encode(const WriterMesh& mesh)
{
    // Every face belongs to the one material group "default".
    std::string group = std::string("default") + '\0' + le16(static_cast<uint16_t>(mesh.faces.size() / 3));
    for (uint16_t i = 0; i < mesh.faces.size() / 3; ++i)
        group += le16(i);
    const std::string triangles =
        chunk(0x4100, vertexListChunk(mesh.vertices) + mappingChunk(mesh.vertices) +
                          faceListChunk(mesh.faces, chunk(0x4130, group)));
    const std::string version = chunk(0x0002, le32(3));
    const std::string editor = chunk(0x3D3D, chunk(0x3D3E, le32(3)) + objectChunk(mesh.name, triangles));
    return chunk(0x4D4D, version + editor);
}

bool writeFile(const WriterMesh& mesh, const std::string& path)
{
    std::ofstream out(path, std::ios::binary);
    const std::string bytes = encode(mesh);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace model3ds
