// SPDX-License-Identifier: GPL-3.0-or-later
#include "modelshapes.h"

#include <cmath>
#include <array>
#include <functional>

namespace modelshapes {

namespace {

using model3ds::WriterMesh;
using model3ds::WriterVertex;

const float kPi = 3.14159265358979f;

struct ProfilePoint {
    float r, z, v;
};

uint16_t addVertex(WriterMesh& m, float x, float y, float z, float u, float v)
{
    m.vertices.push_back({x, y, z, u, v});
    return static_cast<uint16_t>(m.vertices.size() - 1);
}

// Adds a triangle unless it has no area (the lathe's poles would give some).
void addTriangle(WriterMesh& m, uint16_t a, uint16_t b, uint16_t c)
{
    const WriterVertex& p = m.vertices[a];
    const WriterVertex& q = m.vertices[b];
    const WriterVertex& r = m.vertices[c];
    const float e1[3] = {q.x - p.x, q.y - p.y, q.z - p.z};
    const float e2[3] = {r.x - p.x, r.y - p.y, r.z - p.z};
    const float n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                        e1[0] * e2[1] - e1[1] * e2[0]};
    if (n[0] * n[0] + n[1] * n[1] + n[2] * n[2] < 1e-12f)
        return;
    m.faces.insert(m.faces.end(), {a, b, c});
}

// A surface of revolution about z. The profile runs so that the outside lies
// to its right when seen with z up (bottom centre, out, up, in to the top);
// shape may move each point by its angle (dents, staves, torn edges).
using Shaper = std::function<void(int index, float theta, float& r, float& z)>;

void lathe(WriterMesh& m, const std::vector<ProfilePoint>& profile, int segments,
           const Shaper& shape = nullptr)
{
    const uint16_t first = static_cast<uint16_t>(m.vertices.size());
    const int columns = segments + 1;
    for (size_t i = 0; i < profile.size(); ++i)
        for (int j = 0; j <= segments; ++j) {
            const float theta = 2.0f * kPi * (j % segments) / segments;
            float r = profile[i].r;
            float z = profile[i].z;
            if (shape)
                shape(static_cast<int>(i), theta, r, z);
            addVertex(m, r * std::cos(theta), r * std::sin(theta), z, float(j) / segments, profile[i].v);
        }
    for (size_t i = 0; i + 1 < profile.size(); ++i)
        for (int j = 0; j < segments; ++j) {
            const uint16_t a = static_cast<uint16_t>(first + i * columns + j);
            const uint16_t b = static_cast<uint16_t>(a + 1);
            const uint16_t c = static_cast<uint16_t>(a + 1 + columns);
            const uint16_t d = static_cast<uint16_t>(a + columns);
            addTriangle(m, a, b, c);
            addTriangle(m, a, c, d);
        }
}

// A box with its own texture square on every side, turned by yaw about z.
void box(WriterMesh& m, float cx, float cy, float cz, float hx, float hy, float hz, float yaw = 0.0f)
{
    const float c = std::cos(yaw);
    const float s = std::sin(yaw);
    auto put = [&](float x, float y, float z, float u, float v) {
        return addVertex(m, cx + c * x - s * y, cy + s * x + c * y, cz + z, u, v);
    };
    // Each side: the outward axis and two axes spanning it, right-handed.
    const float sides[6][3][3] = {
        {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},  {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
        {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}},  {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
        {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}},
    };
    const float h[3] = {hx, hy, hz};
    for (const auto& side : sides) {
        uint16_t idx[4];
        const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (int k = 0; k < 4; ++k) {
            float p[3];
            for (int a = 0; a < 3; ++a)
                p[a] = (side[0][a] + side[1][a] * corners[k][0] + side[2][a] * corners[k][1]) * h[a];
            idx[k] = put(p[0], p[1], p[2], (corners[k][0] + 1) / 2, (corners[k][1] + 1) / 2);
        }
        addTriangle(m, idx[0], idx[1], idx[2]);
        addTriangle(m, idx[0], idx[2], idx[3]);
    }
}

// A tube of radius r along a path of points, capped at both ends (the pizza's crust).
void tube(WriterMesh& m, const std::vector<std::array<float, 3>>& path, float r, int segments,
          const std::array<float, 3>& up)
{
    const uint16_t first = static_cast<uint16_t>(m.vertices.size());
    for (size_t i = 0; i < path.size(); ++i) {
        const auto& p = path[i];
        const auto& q = path[i + 1 < path.size() ? i + 1 : i];
        const auto& o = path[i > 0 ? i - 1 : i];
        float t[3] = {q[0] - o[0], q[1] - o[1], q[2] - o[2]};
        const float tl = std::sqrt(t[0] * t[0] + t[1] * t[1] + t[2] * t[2]);
        for (float& x : t)
            x /= tl;
        // side = t x up, then a true up = side x t.
        float side[3] = {t[1] * up[2] - t[2] * up[1], t[2] * up[0] - t[0] * up[2],
                         t[0] * up[1] - t[1] * up[0]};
        const float sl = std::sqrt(side[0] * side[0] + side[1] * side[1] + side[2] * side[2]);
        for (float& x : side)
            x /= sl;
        const float n2[3] = {side[1] * t[2] - side[2] * t[1], side[2] * t[0] - side[0] * t[2],
                             side[0] * t[1] - side[1] * t[0]};
        for (int j = 0; j <= segments; ++j) {
            const float a = 2.0f * kPi * (j % segments) / segments;
            float pos[3];
            for (int k = 0; k < 3; ++k)
                pos[k] = p[k] + r * (std::cos(a) * side[k] + std::sin(a) * n2[k]);
            addVertex(m, pos[0], pos[1], pos[2], float(j) / segments, float(i) / (path.size() - 1));
        }
    }
    const int columns = segments + 1;
    for (size_t i = 0; i + 1 < path.size(); ++i)
        for (int j = 0; j < segments; ++j) {
            const uint16_t a = static_cast<uint16_t>(first + i * columns + j);
            addTriangle(m, a, static_cast<uint16_t>(a + columns), static_cast<uint16_t>(a + columns + 1));
            addTriangle(m, a, static_cast<uint16_t>(a + columns + 1), static_cast<uint16_t>(a + 1));
        }
    // Flat caps close both ends.
    const uint16_t last = static_cast<uint16_t>(first + (path.size() - 1) * columns);
    const uint16_t startCentre = addVertex(m, path.front()[0], path.front()[1], path.front()[2], 0.5f, 0.0f);
    const uint16_t endCentre = addVertex(m, path.back()[0], path.back()[1], path.back()[2], 0.5f, 1.0f);
    for (int j = 0; j < segments; ++j) {
        addTriangle(m, startCentre, static_cast<uint16_t>(first + j), static_cast<uint16_t>(first + j + 1));
        addTriangle(m, endCentre, static_cast<uint16_t>(last + j + 1), static_cast<uint16_t>(last + j));
    }
}

// v of each profile point by its share of the body between zLow and zHigh,
// so a label covers the body and the rims and lids get its edges.
std::vector<ProfilePoint> labelled(std::vector<std::array<float, 2>> rz, float zLow, float zHigh)
{
    std::vector<ProfilePoint> p;
    for (const auto& q : rz) {
        float v = (q[1] - zLow) / (zHigh - zLow);
        v = std::fmin(1.0f, std::fmax(0.0f, v));
        p.push_back({q[0], q[1], v});
    }
    return p;
}

WriterMesh sodaCan()
{
    WriterMesh m{"SodaCan", {}, {}};
    // Four times as tall as wide in radius, like the coarse cylinder that
    // stands in for it further out, so the can keeps its shape when the
    // level of detail changes.
    const float w = 0.81f;
    // Domed base, bottom rim, straight body, tapered neck, rolled lip, recessed lid.
    std::vector<std::array<float, 2>> rz = {
        {0.0f, 0.16f}, {0.3f, 0.12f}, {0.46f, 0.04f}, {0.54f, 0.0f}, {0.62f, 0.07f},
        {0.66f, 0.22f}, {0.66f, 0.6f}, {0.66f, 1.2f}, {0.66f, 1.8f}, {0.63f, 1.95f},
        {0.55f, 2.06f}, {0.57f, 2.1f}, {0.55f, 2.14f}, {0.52f, 2.1f}, {0.5f, 2.07f},
        {0.0f, 2.07f}};
    for (auto& p : rz)
        p[0] *= w;
    lathe(m, labelled(rz, 0.22f, 1.8f), 40);
    // The pull-tab lying on the lid with its rivet.
    box(m, 0.18f * w, 0.0f, 2.09f, 0.2f * w, 0.08f * w, 0.012f);
    box(m, 0.0f, 0.0f, 2.085f, 0.04f * w, 0.04f * w, 0.02f);
    // The opening's tongue, slightly raised.
    box(m, 0.33f * w, 0.0f, 2.08f, 0.08f * w, 0.1f * w, 0.008f);
    return m;
}

WriterMesh tinCan()
{
    WriterMesh m{"TinCan", {}, {}};
    std::vector<std::array<float, 2>> rz = {{0.0f, 0.04f}, {0.66f, 0.04f}, {0.72f, 0.0f}, {0.74f, 0.05f}, {0.7f, 0.1f}};
    // Ribs pressed round the body.
    const int ribs = 7;
    for (int k = 0; k <= ribs * 4; ++k) {
        const float z = 0.15f + 1.4f * k / (ribs * 4);
        rz.push_back({0.7f + 0.025f * std::sin(2.0f * kPi * k / 4.0f), z});
    }
    rz.insert(rz.end(), {{0.7f, 1.6f}, {0.74f, 1.65f}, {0.72f, 1.7f}, {0.66f, 1.66f}, {0.0f, 1.66f}});
    lathe(m, labelled(rz, 0.1f, 1.6f), 40);
    return m;
}

WriterMesh snackPacket()
{
    WriterMesh m{"SnackPacket", {}, {}};
    // A pillow: two bulging faces that meet in crimped seals at both ends.
    const int nx = 24, ny = 16;
    for (int side = 0; side < 2; ++side) {
        const float sign = side == 0 ? 1.0f : -1.0f;
        const uint16_t first = static_cast<uint16_t>(m.vertices.size());
        for (int i = 0; i <= nx; ++i)
            for (int j = 0; j <= ny; ++j) {
                const float x = -1.0f + 2.0f * i / nx;
                const float y = -0.7f + 1.4f * j / ny;
                const float fx = 1.0f - std::pow(std::fabs(x), 6.0f);
                const float fy = 1.0f - std::pow(std::fabs(y / 0.7f), 4.0f);
                // Crimp ridges near the sealed ends.
                const float crimp = std::fabs(x) > 0.88f ? 0.015f * std::sin(40.0f * y) : 0.0f;
                // The crimp bends both sheets alike, so they meet at the seals.
                const float z = sign * 0.28f * std::sqrt(std::fmax(0.0f, fx * fy)) + crimp;
                addVertex(m, x * 1.08f, y, z, (x + 1) / 2, side * 0.5f + (y + 0.7f) / 2.8f);
            }
        for (int i = 0; i < nx; ++i)
            for (int j = 0; j < ny; ++j) {
                const uint16_t a = static_cast<uint16_t>(first + i * (ny + 1) + j);
                const uint16_t b = static_cast<uint16_t>(a + ny + 1);
                // In two corner cells the usual diagonal would join two
                // points of the seal, and both sheets would share a sliver.
                if ((i == 0 && j == ny - 1) || (i == nx - 1 && j == 0)) {
                    const uint16_t a1 = static_cast<uint16_t>(a + 1), b1 = static_cast<uint16_t>(b + 1);
                    if (side == 0) {
                        addTriangle(m, a, b, a1);
                        addTriangle(m, b, b1, a1);
                    } else {
                        addTriangle(m, a, a1, b);
                        addTriangle(m, b, a1, b1);
                    }
                } else if (side == 0) {
                    addTriangle(m, a, b, static_cast<uint16_t>(b + 1));
                    addTriangle(m, a, static_cast<uint16_t>(b + 1), static_cast<uint16_t>(a + 1));
                } else {
                    addTriangle(m, a, static_cast<uint16_t>(b + 1), b);
                    addTriangle(m, a, static_cast<uint16_t>(a + 1), static_cast<uint16_t>(b + 1));
                }
            }
    }
    return m;
}

WriterMesh smokeCan()
{
    WriterMesh m{"Fumigene", {}, {}};
    // Body, domed shoulder, valve cup and the nozzle stem.
    lathe(m, labelled({{0.0f, 0.03f}, {0.44f, 0.03f}, {0.5f, 0.0f}, {0.52f, 0.06f}, {0.5f, 0.1f},
                       {0.5f, 0.8f}, {0.5f, 1.5f}, {0.51f, 1.55f}, {0.46f, 1.68f}, {0.32f, 1.8f},
                       {0.18f, 1.86f}, {0.2f, 1.9f}, {0.17f, 1.93f}, {0.08f, 1.93f}, {0.07f, 2.1f},
                       {0.0f, 2.1f}},
                      0.1f, 1.5f),
          32);
    // The spray head with its sideways nozzle.
    lathe(m, labelled({{0.0f, 2.08f}, {0.13f, 2.08f}, {0.14f, 2.3f}, {0.12f, 2.34f}, {0.0f, 2.34f}}, 2.08f, 2.34f), 20);
    box(m, 0.17f, 0.0f, 2.24f, 0.07f, 0.03f, 0.03f);
    return m;
}

WriterMesh woodenBarrel()
{
    WriterMesh m{"WoodenBarrel", {}, {}};
    std::vector<std::array<float, 2>> rz = {{0.0f, 0.06f}, {0.5f, 0.06f}, {0.52f, 0.0f}};
    const float hoops[] = {0.12f, 0.42f, 1.38f, 1.68f};
    const int steps = 36;
    for (int k = 0; k <= steps; ++k) {
        const float z = 1.8f * k / steps;
        float r = 0.52f + 0.13f * std::sin(kPi * z / 1.8f);
        for (float h : hoops)
            if (std::fabs(z - h) < 0.04f)
                r += 0.025f;
        rz.push_back({r, z});
    }
    rz.insert(rz.end(), {{0.5f, 1.74f}, {0.0f, 1.74f}});
    // Staves: a shallow groove between each of 16 boards.
    lathe(m, labelled(rz, 0.0f, 1.8f), 64, [](int, float theta, float& r, float&) {
        const float board = std::fabs(std::sin(8.0f * theta));
        r *= 0.99f + 0.01f * std::sqrt(board);
    });
    return m;
}

WriterMesh burnedBarrel()
{
    WriterMesh m{"BurnBarrel", {}, {}};
    std::vector<std::array<float, 2>> rz = {{0.0f, 0.04f}, {0.56f, 0.04f}, {0.6f, 0.0f}};
    const int steps = 30;
    for (int k = 0; k <= steps; ++k) {
        const float z = 1.8f * k / steps;
        const float ridge = std::exp(-std::pow((z - 0.6f) / 0.04f, 2.0f)) +
                            std::exp(-std::pow((z - 1.2f) / 0.04f, 2.0f));
        rz.push_back({0.6f + 0.03f * ridge, z});
    }
    // The torn rim turns inward a little: the inner wall of the open drum.
    rz.push_back({0.57f, 1.8f});
    rz.push_back({0.57f, 0.1f});
    const int last = static_cast<int>(rz.size()) - 1;
    // The inner floor: a look into the torn top meets it, not the base's back.
    rz.push_back({0.0f, 0.1f});
    lathe(m, labelled(rz, 0.0f, 1.8f), 48, [last](int i, float theta, float& r, float& z) {
        // Two dents pressed into the side.
        const float d1 = std::exp(-(std::pow((theta - 1.1f) / 0.35f, 2.0f) + std::pow((z - 0.9f) / 0.3f, 2.0f)));
        const float d2 = std::exp(-(std::pow((theta - 4.0f) / 0.25f, 2.0f) + std::pow((z - 1.4f) / 0.2f, 2.0f)));
        r *= 1.0f - 0.22f * d1 - 0.15f * d2;
        // A jagged, torn top edge.
        if (i >= last - 2 && z > 1.5f) {
            const float tear = std::fabs(std::sin(5.0f * theta) + 0.6f * std::sin(13.0f * theta + 1.0f));
            z -= 0.22f * tear;
        }
    });
    return m;
}

WriterMesh pizzaSlice()
{
    WriterMesh m{"PizzaSlice", {}, {}};
    const float radius = 1.6f;
    const float half = 0.35f; // half the wedge's angle
    const int arcs = 16, rings = 10;
    // Top with cheese bumps, then the flat bottom, each a fan grid from the tip.
    uint16_t tips[2], firsts[2];
    for (int side = 0; side < 2; ++side) {
        const uint16_t tip = addVertex(m, 0.0f, 0.0f, side == 0 ? 0.08f : 0.0f, 0.5f, 0.0f);
        const uint16_t first = static_cast<uint16_t>(m.vertices.size());
        tips[side] = tip;
        firsts[side] = first;
        for (int i = 1; i <= rings; ++i)
            for (int j = 0; j <= arcs; ++j) {
                const float rr = radius * i / rings;
                const float a = -half + 2.0f * half * j / arcs;
                const float bump = side == 0 ? 0.03f * std::pow(std::sin(7.0f * rr) * std::cos(9.0f * a), 2.0f) : 0.0f;
                addVertex(m, rr * std::cos(a), rr * std::sin(a), side == 0 ? 0.08f + bump : 0.0f,
                          0.5f + 0.5f * rr * std::sin(a) / radius, rr / radius);
            }
        auto at = [&](int i, int j) { return static_cast<uint16_t>(first + (i - 1) * (arcs + 1) + j); };
        for (int j = 0; j < arcs; ++j) {
            if (side == 0)
                addTriangle(m, tip, at(1, j), at(1, j + 1));
            else
                addTriangle(m, tip, at(1, j + 1), at(1, j));
        }
        for (int i = 1; i < rings; ++i)
            for (int j = 0; j < arcs; ++j) {
                if (side == 0) {
                    addTriangle(m, at(i, j), at(i + 1, j), at(i + 1, j + 1));
                    addTriangle(m, at(i, j), at(i + 1, j + 1), at(i, j + 1));
                } else {
                    addTriangle(m, at(i, j), at(i + 1, j + 1), at(i + 1, j));
                    addTriangle(m, at(i, j), at(i, j + 1), at(i + 1, j + 1));
                }
            }
    }
    // The slice's rim: the two cut sides and the outer edge join the top to
    // the bottom, so the slice is a closed solid.
    std::vector<std::array<uint16_t, 2>> rim; // (top, bottom) round the top's boundary
    auto both = [&](int i, int j) {
        const int k = (i - 1) * (arcs + 1) + j;
        rim.push_back({static_cast<uint16_t>(firsts[0] + k), static_cast<uint16_t>(firsts[1] + k)});
    };
    rim.push_back({tips[0], tips[1]});
    for (int i = 1; i <= rings; ++i)
        both(i, 0);
    for (int j = 1; j <= arcs; ++j)
        both(rings, j);
    for (int i = rings - 1; i >= 1; --i)
        both(i, arcs);
    for (size_t k = 0; k < rim.size(); ++k) {
        const auto& p = rim[k];
        const auto& q = rim[(k + 1) % rim.size()];
        addTriangle(m, q[0], p[0], p[1]);
        addTriangle(m, q[0], p[1], q[1]);
    }
    // The crust along the outer edge.
    std::vector<std::array<float, 3>> arc;
    for (int j = 0; j <= arcs; ++j) {
        const float a = -half + 2.0f * half * j / arcs;
        arc.push_back({radius * std::cos(a), radius * std::sin(a), 0.06f});
    }
    tube(m, arc, 0.13f, 12, {0.0f, 0.0f, 1.0f});
    return m;
}

WriterMesh spaceship()
{
    WriterMesh m{"Spaceship", {}, {}};
    // Fuselage along z: pointed nose, cockpit bulge, body, engine skirt.
    lathe(m, labelled({{0.0f, -0.95f}, {0.18f, -0.95f}, {0.26f, -1.0f}, {0.3f, -0.9f}, {0.34f, -0.6f},
                       {0.34f, 0.5f}, {0.32f, 0.9f}, {0.24f, 1.2f}, {0.12f, 1.45f}, {0.0f, 1.6f}},
                      -1.0f, 1.6f),
          24, [](int, float theta, float& r, float&) {
              // Flattened underside.
              r *= 1.0f - 0.15f * std::fmax(0.0f, -std::sin(theta));
          });
    // Canopy.
    box(m, 0.0f, 0.26f, 0.75f, 0.12f, 0.08f, 0.25f);
    // Swept wings, each a few flat boxes stepping outward and back.
    for (int side = -1; side <= 1; side += 2)
        for (int k = 0; k < 4; ++k) {
            const float x = side * (0.45f + 0.25f * k);
            box(m, x, -0.05f, -0.2f - 0.12f * k, 0.14f, 0.025f, 0.45f - 0.08f * k);
        }
    // Tail fin and two engine pods.
    box(m, 0.0f, 0.45f, -0.65f, 0.025f, 0.22f, 0.25f);
    box(m, 0.55f, -0.12f, -0.5f, 0.08f, 0.08f, 0.3f);
    box(m, -0.55f, -0.12f, -0.5f, 0.08f, 0.08f, 0.3f);
    return m;
}

} // namespace

std::vector<ModelFile> allModels()
{
    return {
        {"models/trash/soda/can.3ds", sodaCan()},
        {"models/trash/can2/Model/Can.3ds", tinCan()},
        {"models/trash/packets/duds.3ds", snackPacket()},
        {"models/trash/fumican/Fumigene.3ds", smokeCan()},
        {"models/trash/barrel_wooden/barrela.3ds", woodenBarrel()},
        {"models/trash/barrel_burned/BurnBarrel.3ds", burnedBarrel()},
        {"models/trash/pizza-slice/pizza.3ds", pizzaSlice()},
        {"models/ships/spaceship.3ds", spaceship()},
    };
}

} // namespace modelshapes
