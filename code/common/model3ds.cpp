// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/model3ds.h"

#include <cstring>
#include <sstream>

namespace model3ds {

namespace {

// A read position inside [begin, end) of the file; every read checks its room.
class Cursor {
public:
    Cursor(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    size_t position() const { return pos_; }
    void seek(size_t pos) { pos_ = pos; }
    bool has(size_t bytes, size_t end) const { return pos_ <= end && end - pos_ >= bytes; }

    uint8_t u8() { return data_[pos_++]; }
    uint16_t u16()
    {
        const uint16_t v = static_cast<uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    uint32_t u32()
    {
        const uint32_t v = uint32_t(data_[pos_]) | (uint32_t(data_[pos_ + 1]) << 8) |
                           (uint32_t(data_[pos_ + 2]) << 16) | (uint32_t(data_[pos_ + 3]) << 24);
        pos_ += 4;
        return v;
    }
    float f32()
    {
        const uint32_t bits = u32();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

Result fail(size_t offset, const std::string& why)
{
    std::ostringstream s;
    s << why << " at offset " << offset;
    return {Status::malformed, s.str()};
}

bool isContainer(uint16_t id)
{
    return id == MAIN || id == EDITOR || id == OBJECT || id == TRIANGLE_MESH;
}

} // namespace

Result parse(const uint8_t* data, size_t size, Geometry& out)
{
    out = Geometry();
    if (size > maxFileBytes)
        return fail(0, "file larger than the model size limit");
    if (size < 6)
        return fail(0, "file too short for a chunk header");

    Cursor in(data, size);
    if (in.u16() != MAIN)
        return fail(0, "not a 3DS model (no main chunk)");
    in.seek(0);

    // Ends of the chunks we are inside, innermost last.
    std::vector<size_t> parents{size};
    size_t objectBase = 0;    // first vertex of the current object
    size_t objectVertices = 0; // vertices of the current object so far
    bool objectHasVertexList = false;

    while (in.position() < size) {
        while (in.position() >= parents.back()) {
            if (in.position() > parents.back())
                return fail(in.position(), "chunk runs past its parent");
            parents.pop_back();
        }
        const size_t start = in.position();
        const size_t parentEnd = parents.back();
        if (!in.has(6, parentEnd))
            return fail(start, "chunk header cut short");
        const uint16_t id = in.u16();
        const uint32_t length = in.u32();
        if (length < 6)
            return fail(start, "chunk length below its header");
        if (length > parentEnd - start)
            return fail(start, "chunk length past its parent or the file end");
        const size_t end = start + length;

        if (isContainer(id)) {
            parents.push_back(end);
            if (id == OBJECT) {
                // The name: at most 99 bytes, always terminated here.
                size_t n = 0;
                uint8_t byte = 1;
                while (byte != 0 && n < 99) {
                    if (!in.has(1, end))
                        return fail(in.position(), "object name runs past its chunk");
                    byte = in.u8();
                    out.name[n++] = static_cast<char>(byte);
                }
                out.name[n < 100 ? n : 99] = '\0';
                out.name[99] = '\0';
                ++out.objects;
                objectBase = out.vertices.size();
                objectVertices = 0;
                objectHasVertexList = false;
            }
            continue;
        }

        switch (id) {
        case VERTEX_LIST: {
            if (!in.has(2, end))
                return fail(in.position(), "vertex count cut short");
            const uint16_t count = in.u16();
            if (!in.has(size_t(count) * 12, end))
                return fail(in.position(), "vertex records overrun their chunk");
            if (objectHasVertexList) {
                // A second list in one object starts a new vertex run.
                objectBase = out.vertices.size();
                objectVertices = 0;
            }
            // No reserve per list: growing to the exact size each time would
            // make many small lists cost the square of their number.
            for (uint16_t i = 0; i < count; ++i) {
                const float x = in.f32();
                const float y = in.f32();
                const float z = in.f32();
                out.vertices.push_back({x, y, z, 0.0f, 0.0f, false});
            }
            objectVertices = count;
            objectHasVertexList = true;
            in.seek(end);
            break;
        }
        case FACE_LIST: {
            if (!in.has(2, end))
                return fail(in.position(), "face count cut short");
            const uint16_t count = in.u16();
            if (!in.has(size_t(count) * 8, end))
                return fail(in.position(), "face records overrun their chunk");
            for (uint16_t i = 0; i < count; ++i) {
                for (int c = 0; c < 3; ++c) {
                    const uint16_t index = in.u16();
                    if (index >= objectVertices)
                        return fail(in.position() - 2, "face index beyond its object's vertices");
                    out.faces.push_back(static_cast<uint32_t>(objectBase + index));
                }
                in.u16(); // edge flags
            }
            // The face list's children (material and smoothing groups) follow.
            parents.push_back(end);
            break;
        }
        case MAPPING: {
            if (!in.has(2, end))
                return fail(in.position(), "mapping count cut short");
            const uint16_t count = in.u16();
            if (!objectHasVertexList || objectVertices == 0)
                return {Status::noVerticesForMapping, "mapping coordinates before any vertex"};
            if (count > objectVertices)
                return fail(in.position(), "more mapping coordinates than vertices");
            if (!in.has(size_t(count) * 8, end))
                return fail(in.position(), "mapping records overrun their chunk");
            for (uint16_t i = 0; i < count; ++i) {
                Vertex& v = out.vertices[objectBase + i];
                v.u = in.f32();
                v.v = in.f32();
                v.mapped = true;
            }
            in.seek(end);
            break;
        }
        default:
            in.seek(end);
            break;
        }
    }
    return {};
}

} // namespace model3ds
