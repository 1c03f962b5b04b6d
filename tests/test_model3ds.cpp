// SPDX-License-Identifier: GPL-3.0-or-later
// The model file reader: the layout's own cases on files written by the
// game's 3DS writer, and a table of malformed files, each of which must end
// cleanly with a message, never loop, crash or read out of bounds.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <numeric>
#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <sstream>

#include "common/mesh.h"
#include "common/model3ds.h"
#include "model3ds_writer.h"
#include "modelshapes.h"
#include "support/glcontext.h"

using namespace model3ds;

namespace {

model3ds::Result parseBytes(const std::string& bytes, Geometry& g)
{
    return parse(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), g);
}

std::string wrap(const std::string& objects)
{
    return chunk(MAIN, chunk(EDITOR, objects));
}

std::vector<WriterVertex> triangle()
{
    return {{0, 0, 0, 0, 0}, {1, 0, 0, 1, 0}, {0, 1, 0, 0, 1}};
}

std::string triangleObject(const std::string& name = "tri")
{
    return objectChunk(name, chunk(TRIANGLE_MESH, vertexListChunk(triangle()) + mappingChunk(triangle()) +
                                                      faceListChunk({0, 1, 2}, "")));
}

std::string writeTemp(const std::string& name, const std::string& bytes)
{
    const std::string path = testing::TempDir() + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

} // namespace

TEST(ModelReader, MainAndEditorAloneGiveAnEmptyModel)
{
    Geometry g;
    EXPECT_EQ(parseBytes(wrap(""), g).status, Status::ok);
    EXPECT_TRUE(g.vertices.empty());
    EXPECT_TRUE(g.faces.empty());
}

TEST(ModelReader, ZeroFacesWithAMaterialGroupChildReadsOn)
{
    const std::string group = chunk(MATERIAL_GROUP, std::string("mat\0", 4) + le16(0));
    const std::string mesh = chunk(TRIANGLE_MESH, vertexListChunk(triangle()) + faceListChunk({}, group));
    Geometry g;
    ASSERT_EQ(parseBytes(wrap(objectChunk("a", mesh) + triangleObject("b")), g).status, Status::ok);
    EXPECT_EQ(g.vertices.size(), 6u);
    EXPECT_EQ(g.faces.size(), 3u);
}

TEST(ModelReader, MappingIsStoredFlippedOnTheMesh)
{
    const std::string path = writeTemp("mapping.3ds", wrap(triangleObject()));
    CMesh m;
    ASSERT_TRUE(m.read3ds(path.c_str()));
    ASSERT_EQ(m.vertices.size(), 3u);
    EXPECT_EQ(m.vertices[0].t_u, 0.0f);
    EXPECT_EQ(m.vertices[0].t_v, 1.0f);
    EXPECT_EQ(m.vertices[1].t_u, 1.0f);
    EXPECT_EQ(m.vertices[1].t_v, 1.0f);
    EXPECT_EQ(m.vertices[2].t_v, 0.0f);
    EXPECT_EQ(m.face_count, 1);
    EXPECT_STREQ(m.name, "tri");
}

TEST(ModelReader, NamesAreTerminatedAndCutAtNinetyNineBytes)
{
    Geometry g;
    ASSERT_EQ(parseBytes(wrap(triangleObject("Barrl")), g).status, Status::ok);
    EXPECT_STREQ(g.name, "Barrl");
    // A 99-byte name fills the field and is still terminated.
    const std::string longName(99, 'n');
    std::string object = chunk(OBJECT, longName + chunk(0x4700, "camera"));
    ASSERT_EQ(parseBytes(wrap(object), g).status, Status::ok);
    EXPECT_EQ(std::string(g.name), longName);
    // Without a terminator inside its chunk the name is rejected.
    EXPECT_EQ(parseBytes(wrap(chunk(OBJECT, "abc")), g).status, Status::malformed);
}

TEST(ModelReader, SeveralObjectsKeepTheirOwnIndicesAndMapping)
{
    Geometry g;
    ASSERT_EQ(parseBytes(wrap(triangleObject("a") + triangleObject("b")), g).status, Status::ok);
    ASSERT_EQ(g.vertices.size(), 6u);
    ASSERT_EQ(g.faces.size(), 6u);
    EXPECT_EQ(g.faces[3], 3u);
    EXPECT_EQ(g.faces[5], 5u);
    EXPECT_TRUE(g.vertices[5].mapped);
    EXPECT_EQ(g.vertices[4].u, 1.0f);
    EXPECT_STREQ(g.name, "b");
    EXPECT_EQ(g.objects, 2);
}

TEST(ModelReader, MultiObjectFileGivesEveryVertexItsNormal)
{
    const std::string path = writeTemp("two.3ds", wrap(triangleObject("a") + triangleObject("b")));
    CMesh m;
    m.read3ds(path.c_str());
    EXPECT_EQ(m.vertex_count, 6);
    m.computeFaceNormals();
    m.linkFaces();
    m.computeVertexNormals();
    for (const CVertexStruct& v : m.vertices)
        EXPECT_FLOAT_EQ(v.normal[2], 1.0f);
}

TEST(ModelReaderDeath, MissingFileEndsTheProcess)
{
    CMesh m;
    EXPECT_EXIT(m.read3ds("/nonexistent/model.3ds"), testing::ExitedWithCode(255),
                "could not find file /nonexistent/model.3ds!!!");
}

TEST(ModelReaderDeath, MappingBeforeAnyVertexEndsTheProcess)
{
    const std::string mesh = chunk(TRIANGLE_MESH, vertexListChunk({}) + mappingChunk(triangle()));
    const std::string path = writeTemp("novertex.3ds", wrap(objectChunk("x", mesh)));
    CMesh m;
    EXPECT_EXIT(m.read3ds(path.c_str()), testing::ExitedWithCode(255),
                "texture coordinates could not be read because no vertices appointed yet!");
}

TEST(ModelReaderDeath, MalformedFileEndsTheProcessWithItsReason)
{
    const std::string path = writeTemp("broken.3ds", std::string("\x4d\x4d\x03\0\0\0", 6));
    CMesh m;
    EXPECT_EXIT(m.read3ds(path.c_str()), testing::ExitedWithCode(255),
                "could not read model file .*broken.3ds: chunk length below its header");
}

TEST(ModelReaderMalformed, EveryBrokenFileIsRejectedWithAReason)
{
    const std::string good = wrap(triangleObject());
    auto withLength = [](uint32_t length) {
        return le16(MAIN) + le32(length) + chunk(EDITOR, "");
    };
    const std::string bigCount = chunk(VERTEX_LIST, le16(60000) + f32(1) + f32(2) + f32(3));
    const std::string bigFaces = chunk(FACE_LIST, le16(50000) + le16(0) + le16(1) + le16(2) + le16(0));
    const std::string vertices = vertexListChunk(triangle());
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"five bytes", good.substr(0, 5)},
        {"first chunk not main", chunk(EDITOR, "")},
        {"length 0", withLength(0)},
        {"length 1", withLength(1)},
        {"length 5", withLength(5)},
        {"length huge", withLength(0xFFFFFFFFu)},
        {"child past parent", chunk(MAIN, le16(EDITOR) + le32(100))},
        {"vertex count beyond data", wrap(objectChunk("v", chunk(TRIANGLE_MESH, bigCount)))},
        {"face count beyond data",
         wrap(objectChunk("f", chunk(TRIANGLE_MESH, vertices + bigFaces)))},
        {"mapping count beyond vertices",
         wrap(objectChunk("m", chunk(TRIANGLE_MESH, vertices + chunk(MAPPING, le16(4)))))},
        {"face index equal to vertex count",
         wrap(objectChunk("i", chunk(TRIANGLE_MESH, vertices + faceListChunk({0, 1, 3}, ""))))},
        {"faces without a vertex list",
         wrap(objectChunk("n", chunk(TRIANGLE_MESH, faceListChunk({0, 1, 2}, ""))))},
        {"unterminated name", wrap(chunk(OBJECT, "no end"))},
        {"truncated file", good.substr(0, good.size() - 7)},
    };
    for (const auto& c : cases) {
        Geometry g;
        const Result r = parseBytes(c.bytes, g);
        EXPECT_NE(r.status, Status::ok) << c.name;
        EXPECT_FALSE(r.message.empty()) << c.name;
    }
}

TEST(ModelReaderMalformed, DeepNestingAndManySiblingsStayCheap)
{
    // 10,000 nested triangle-mesh containers: a loop, not a recursion.
    std::string inner = vertexListChunk(triangle());
    for (int i = 0; i < 10000; ++i)
        inner = chunk(TRIANGLE_MESH, inner);
    Geometry g;
    EXPECT_EQ(parseBytes(wrap(inner), g).status, Status::ok);
    EXPECT_EQ(g.vertices.size(), 3u);

    std::string siblings;
    for (int i = 0; i < 100000; ++i)
        siblings += chunk(0xB000, "k");
    // A quadratic walk would run into the test's time limit.
    EXPECT_EQ(parseBytes(wrap(siblings), g).status, Status::ok);
}

TEST(ModelReaderMalformed, EveryPrefixOfEachGameModelLoadsOrFailsCleanly)
{
    for (const auto& model : modelshapes::allModels()) {
        const std::string bytes = encode(model.mesh);
        Geometry whole;
        ASSERT_EQ(parseBytes(bytes, whole).status, Status::ok) << model.path;
        ASSERT_EQ(whole.vertices.size(), model.mesh.vertices.size());
        // Every prefix for small sizes, then every 97th (the files are tens of KB).
        for (size_t n = 0; n < bytes.size(); n += n < 600 ? 1 : 97) {
            Geometry g;
            const Result r = parseBytes(bytes.substr(0, n), g);
            if (r.status == Status::ok) {
                EXPECT_LE(g.vertices.size(), whole.vertices.size());
            } else {
                EXPECT_FALSE(r.message.empty());
            }
        }
    }
}

// Every input the fuzzer ever kept, and every one that once failed, replays here.
TEST(ModelReaderMalformed, FuzzCorpusReplaysCleanly)
{
    int files = 0;
    for (const char* dir : {DRIFTHAUL_SOURCE_DIR "/tests/fuzz/corpus", DRIFTHAUL_SOURCE_DIR "/tests/fuzz/regressions"}) {
        DIR* d = opendir(dir);
        if (!d)
            continue;
        while (dirent* e = readdir(d)) {
            if (e->d_name[0] == '.')
                continue;
            std::ifstream in(std::string(dir) + "/" + e->d_name, std::ios::binary);
            std::stringstream s;
            s << in.rdbuf();
            Geometry g;
            const Result r = parseBytes(s.str(), g);
            if (r.status == Status::ok) {
                for (uint32_t index : g.faces)
                    ASSERT_LT(index, g.vertices.size()) << e->d_name;
            }
            ++files;
        }
        closedir(d);
    }
    EXPECT_GT(files, 0);
}

// Files near the size cap built from the smallest lists: a reader that grows
// its arrays list by list to the exact size needs hours for these.
TEST(ModelReaderMalformed, ManyTinyListsLoadInLinearTime)
{
    const std::string one = chunk(VERTEX_LIST, le16(1) + f32(1) + f32(2) + f32(3));
    const std::string oneFace = chunk(FACE_LIST, le16(1) + le16(0) + le16(1) + le16(2) + le16(0));
    const size_t lists = 1500000; // about 30 MB either way
    std::string vertexLists, faceLists = vertexListChunk(triangle());
    vertexLists.reserve(lists * one.size());
    faceLists.reserve(lists * oneFace.size() + 64);
    for (size_t i = 0; i < lists; ++i) {
        vertexLists += one;
        faceLists += oneFace;
    }
    Geometry g;
    ASSERT_EQ(parseBytes(wrap(objectChunk("v", chunk(TRIANGLE_MESH, vertexLists))), g).status, Status::ok);
    EXPECT_EQ(g.vertices.size(), lists);
    ASSERT_EQ(parseBytes(wrap(objectChunk("f", chunk(TRIANGLE_MESH, faceLists))), g).status, Status::ok);
    EXPECT_EQ(g.faces.size(), lists * 3);
}

// Every model file the build writes is a closed surface wound outward: each
// edge (vertices welded by position) is met once in each direction, and each
// connected part encloses a positive volume.
TEST(AuthoredModels, AreClosedAndWoundOutward)
{
    int files = 0;
    for (const auto& model : modelshapes::allModels()) {
        std::ifstream in(DRIFTHAUL_STAGE_DIR "/" + model.path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        Geometry g;
        ASSERT_EQ(parseBytes(bytes.str(), g).status, Status::ok) << model.path;
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
        for (size_t f = 0; f < g.faces.size(); f += 3)
            for (int c = 0; c < 3; ++c) {
                const int a = id[g.faces[f + c]], b = id[g.faces[f + (c + 1) % 3]];
                ++edges[{a, b}];
                part[root(a)] = root(b);
            }
        int open = 0;
        for (const auto& e : edges)
            if (e.second != 1 || edges.count({e.first.second, e.first.first}) == 0 ||
                edges.at({e.first.second, e.first.first}) != 1)
                ++open;
        EXPECT_EQ(open, 0) << model.path << ": edges without exactly one opposite";

        std::map<int, double> volume; // six times the signed volume of each part
        for (size_t f = 0; f < g.faces.size(); f += 3) {
            const Vertex& p = g.vertices[g.faces[f]];
            const Vertex& q = g.vertices[g.faces[f + 1]];
            const Vertex& r = g.vertices[g.faces[f + 2]];
            volume[root(id[g.faces[f]])] += p.x * (q.y * r.z - q.z * r.y) - p.y * (q.x * r.z - q.z * r.x) +
                                            p.z * (q.x * r.y - q.y * r.x);
        }
        double total = 0.0;
        for (const auto& v : volume) {
            EXPECT_GT(v.second, 0.0) << model.path << ": a part is inside out";
            total += v.second / 6.0;
        }
        std::printf("%s: signed volume %.3f in %zu parts\n", model.path.c_str(), total, volume.size());
    }
    EXPECT_EQ(files, 8);
}
