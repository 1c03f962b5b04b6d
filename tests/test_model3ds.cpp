// SPDX-License-Identifier: GPL-3.0-or-later
// The model reader on written, malformed and slow files; the authored models' surfaces.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numeric>

#include "common/mesh.h"
#include "common/model3ds.h"
#include "modelshapes.h"
#include "support/gameprocess.h"

using namespace model3ds;

namespace {

Result parseBytes(const std::string& bytes, Geometry& g)
{
    g = Geometry();
    return parse(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), g);
}

std::string wrap(const std::string& objects)
{
    return chunk(MAIN, chunk(EDITOR, objects));
}

const std::vector<WriterVertex> triangle = {{0, 0, 0, 0, 0}, {1, 0, 0, 1, 0}, {0, 1, 0, 0, 1}};

std::string triangleObject(const std::string& name)
{
    return objectChunk(name, chunk(TRIANGLE_MESH, vertexListChunk(triangle) + mappingChunk(triangle) +
                                                      faceListChunk({0, 1, 2}, "")));
}

std::string writeTemp(const std::string& name, const std::string& bytes)
{
    const std::string path = testing::TempDir() + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

} // namespace

// A face list with no faces but a material group reads on; the mesh flips v.
TEST(ModelReader, ObjectsAndMappingReadAsWritten)
{
    Geometry g;
    const std::string group = chunk(MATERIAL_GROUP, std::string("mat\0", 4) + le16(0));
    const std::string noFaces = objectChunk("a", chunk(TRIANGLE_MESH, vertexListChunk(triangle) + faceListChunk({}, group)));
    ASSERT_EQ(parseBytes(wrap(noFaces + triangleObject("b") + triangleObject("c")), g).status, Status::ok);
    EXPECT_EQ(g.vertices.size(), 9u);
    EXPECT_EQ(g.faces, (std::vector<uint32_t>{3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(g.vertices[7].u, 1.0f);

    CMesh m;
    ASSERT_TRUE(m.read3ds(writeTemp("two.3ds", wrap(triangleObject("a") + triangleObject("b"))).c_str()));
    ASSERT_EQ(m.vertex_count, 6);
    EXPECT_EQ(m.vertices[1].t_u, 1.0f);
    EXPECT_EQ(m.vertices[1].t_v, 1.0f);
    EXPECT_EQ(m.vertices[5].t_v, 0.0f);
    m.computeFaceNormals();
    m.linkFaces();
    m.computeVertexNormals();
    for (const CVertexStruct& v : m.vertices)
        EXPECT_FLOAT_EQ(v.normal[2], 1.0f);
#if GTEST_HAS_DEATH_TEST // not in WebAssembly
    const std::string early = chunk(TRIANGLE_MESH, vertexListChunk({}) + mappingChunk(triangle));
    EXPECT_EXIT(m.read3ds(writeTemp("novertex.3ds", wrap(objectChunk("x", early))).c_str()),
                exitedMinusOne, "texture coordinates could not be read because no vertices appointed yet!");
#endif
}

TEST(ModelReaderMalformed, EveryBrokenFileIsRejectedWithAReason)
{
    const std::string good = wrap(triangleObject("t"));
    auto withLength = [](uint32_t length) { return le16(MAIN) + le32(length) + chunk(EDITOR, ""); };
    auto mesh = [](const std::string& lists) { return wrap(objectChunk("m", chunk(TRIANGLE_MESH, lists))); };
    const std::string vertices = vertexListChunk(triangle);
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"five bytes", good.substr(0, 5)},
        {"first chunk not main", chunk(EDITOR, "")},
        {"unterminated name", wrap(chunk(OBJECT, "abc"))},
        {"length 0", withLength(0)},
        {"length 5", withLength(5)},
        {"length huge", withLength(0xFFFFFFFFu)},
        {"child past parent", chunk(MAIN, le16(EDITOR) + le32(100))},
        {"vertex count beyond data", mesh(chunk(VERTEX_LIST, le16(60000) + f32(1) + f32(2) + f32(3)))},
        {"face count beyond data", mesh(vertices + chunk(FACE_LIST, le16(50000) + le16(0) + le16(1) + le16(2)))},
        {"mapping count beyond vertices", mesh(vertices + chunk(MAPPING, le16(4)))},
        {"face index equal to vertex count", mesh(vertices + faceListChunk({0, 1, 3}, ""))},
        {"faces without a vertex list", mesh(faceListChunk({0, 1, 2}, ""))},
        {"truncated file", good.substr(0, good.size() - 7)},
    };
    for (const auto& c : cases) {
        Geometry g;
        const Result r = parseBytes(c.second, g);
        EXPECT_NE(r.status, Status::ok) << c.first;
        EXPECT_FALSE(r.message.empty()) << c.first;
    }
}

// A recursive walk would overflow the stack here.
TEST(ModelReaderMalformed, DeepNestingAndManySiblingsLoad)
{
    std::string deep = vertexListChunk(triangle), siblings;
    for (int i = 0; i < 10000; ++i)
        deep = chunk(TRIANGLE_MESH, deep);
    for (int i = 0; i < 100000; ++i)
        siblings += chunk(0xB000, "k");
    Geometry g;
    EXPECT_EQ(parseBytes(wrap(deep), g).status, Status::ok);
    EXPECT_EQ(g.vertices.size(), 3u);
    EXPECT_EQ(parseBytes(wrap(siblings), g).status, Status::ok);
}

// Each edge, vertices welded by position, is met once each way; each part has a positive volume.
TEST(AuthoredModels, AreClosedAndWoundOutward)
{
    int files = 0;
    for (const auto& model : modelshapes::allModels()) {
        Geometry g;
        ASSERT_EQ(parseBytes(readFile(DRIFTHAUL_STAGE_DIR "/" + model.path), g).status, Status::ok) << model.path;
        ++files;
        std::map<std::array<long, 3>, int> weld;
        std::vector<int> id;
        for (const Vertex& v : g.vertices) {
            const std::array<long, 3> key = {std::lround(v.x * 1e4), std::lround(v.y * 1e4), std::lround(v.z * 1e4)};
            id.push_back(weld.emplace(key, static_cast<int>(weld.size())).first->second);
        }
        std::map<std::pair<int, int>, int> edges;
        std::vector<int> part(weld.size());
        std::iota(part.begin(), part.end(), 0);
        std::function<int(int)> root = [&](int a) { return part[a] == a ? a : part[a] = root(part[a]); };
        std::map<int, double> volume; // six times the signed volume of each part
        for (size_t f = 0; f < g.faces.size(); f += 3) {
            for (int c = 0; c < 3; ++c) {
                const int a = id[g.faces[f + c]], b = id[g.faces[f + (c + 1) % 3]];
                ++edges[{a, b}];
                part[root(a)] = root(b);
            }
        }
        for (size_t f = 0; f < g.faces.size(); f += 3) {
            const Vertex &p = g.vertices[g.faces[f]], &q = g.vertices[g.faces[f + 1]], &r = g.vertices[g.faces[f + 2]];
            volume[root(id[g.faces[f]])] += p.x * (q.y * r.z - q.z * r.y) - p.y * (q.x * r.z - q.z * r.x) +
                                            p.z * (q.x * r.y - q.y * r.x);
        }
        int open = 0;
        for (const auto& e : edges) {
            const auto back = edges.find({e.first.second, e.first.first});
            open += e.second != 1 || back == edges.end() || back->second != 1;
        }
        EXPECT_EQ(open, 0) << model.path << ": edges without exactly one opposite";
        for (const auto& v : volume)
            EXPECT_GT(v.second, 0.0) << model.path << ": a part is inside out";
    }
    EXPECT_EQ(files, 8);
}
