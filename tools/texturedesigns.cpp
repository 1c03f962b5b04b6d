// SPDX-License-Identifier: GPL-3.0-or-later
// The designs of the game's textures. Labels are original graphic designs
// with no lettering, brand or logo; the planets are painted from noise.
#include <algorithm>
#include <cmath>

#include "texturepaint.h"

namespace paint {

namespace {

const float kPi = 3.14159265f;

float smooth(float e0, float e1, float x)
{
    const float t = std::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

// Brushed-aluminium bands where the label meets the rims.
void metalEdges(Canvas& c, float share)
{
    for (int y = 0; y < c.height; ++y) {
        const float v = float(y) / (c.height - 1);
        const float edge = std::min(v, 1.0f - v);
        if (edge > share)
            continue;
        for (int x = 0; x < c.width; ++x) {
            const float brushed = 0.72f + 0.12f * noise(x * 0.5f, y * 0.02f, 0, 91);
            c.set(x, y, {brushed, brushed, brushed * 1.03f});
        }
    }
}

Canvas sodaLabel()
{
    // Deep red with a white wave ribbon, rising bubbles and a lime accent.
    Canvas c(512, 256);
    const int period = 8;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const float u = float(x) / c.width, v = float(y) / c.height;
            Colour base = mix({0.75f, 0.05f, 0.08f}, {0.45f, 0.0f, 0.05f}, v);
            const float wave = 0.5f + 0.12f * std::sin(2 * kPi * 2 * u) + 0.03f * std::sin(2 * kPi * 7 * u);
            const float ribbon = smooth(0.07f, 0.05f, std::fabs(v - wave));
            const float accent = smooth(0.02f, 0.0f, std::fabs(v - wave - 0.1f));
            base = mix(base, {0.98f, 0.97f, 0.95f}, ribbon);
            base = mix(base, {0.6f, 0.9f, 0.2f}, accent);
            base = mix(base, {0, 0, 0}, 0.08f * fbm(u * period, v * 4, period, 3));
            c.set(x, y, base);
        }
    for (int i = 0; i < 60; ++i) {
        const float x = std::fmod(i * 97.31f, 512.0f);
        const float y = 40 + std::fmod(i * 53.7f, 180.0f);
        const float r = 2 + std::fmod(i * 7.3f, 6.0f);
        c.disc(x, y, r, {1, 1, 1}, 1.5f);
        c.disc(x, y, r - 1.5f, {0.8f, 0.1f, 0.12f}, 1.0f);
    }
    metalEdges(c, 0.06f);
    return c;
}

Canvas tinLabel()
{
    // A food tin: cream and green bands, a ripe orange fruit with a leaf.
    Canvas c(512, 256);
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const float v = float(y) / c.height;
            Colour base = {0.96f, 0.92f, 0.78f};
            if (v < 0.22f || v > 0.78f)
                base = {0.12f, 0.45f, 0.22f};
            if (std::fabs(v - 0.22f) < 0.012f || std::fabs(v - 0.78f) < 0.012f)
                base = {0.85f, 0.7f, 0.2f};
            const float scallop = 0.22f + 0.03f * std::fabs(std::sin(x * kPi / 16));
            if (v < scallop && v > 0.2f)
                base = {0.12f, 0.45f, 0.22f};
            c.set(x, y, base);
        }
    for (float cx : {128.0f, 384.0f}) {
        c.disc(cx, 128, 62, {0.95f, 0.5f, 0.08f}, 2);
        for (int y = 66; y < 190; ++y)
            for (int x = int(cx) - 62; x < int(cx) + 62; ++x) {
                const float d = std::hypot(x - cx + 18, y - 108.0f);
                if (std::hypot(x - cx, y - 128.0f) < 61)
                    c.blend(x, y, {1.0f, 0.85f, 0.5f}, smooth(40, 0, d) * 0.6f);
            }
        c.disc(cx + 25, 70, 16, {0.2f, 0.6f, 0.15f}, 2);
        c.disc(cx + 5, 68, 5, {0.4f, 0.25f, 0.1f}, 1);
    }
    metalEdges(c, 0.05f);
    return c;
}

Canvas smokeLabel()
{
    // White can with a yellow and black hazard band and an orange smoke swirl.
    Canvas c(256, 256);
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const float u = float(x) / c.width, v = float(y) / c.height;
            Colour base = {0.93f, 0.93f, 0.9f};
            if (v > 0.62f && v < 0.8f)
                base = std::fmod(x + y, 32.0f) < 16 ? Colour{0.95f, 0.8f, 0.05f} : Colour{0.08f, 0.08f, 0.08f};
            const float swirl = fbm(u * 6, v * 6, 6, 17);
            const float smoke = smooth(0.55f, 0.7f, swirl) * smooth(0.6f, 0.2f, std::fabs(v - 0.35f) * 3);
            base = mix(base, {0.95f, 0.45f, 0.1f}, smoke);
            c.set(x, y, base);
        }
    metalEdges(c, 0.04f);
    return c;
}

Canvas woodenStaves()
{
    Canvas c(256, 256);
    const int staves = 16;
    const float hoops[] = {0.067f, 0.233f, 0.767f, 0.933f};
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const float u = float(x) / c.width, v = float(y) / c.height;
            const int stave = int(u * staves);
            const float inStave = u * staves - stave;
            const float grain = fbm(u * 64, v * 3 + stave * 7.1f, 64, 5 + stave, 4);
            const float rings = 0.5f + 0.5f * std::sin((grain * 14 + u * 40) * kPi);
            Colour wood = mix({0.45f, 0.27f, 0.12f}, {0.66f, 0.45f, 0.24f}, rings * 0.7f + 0.3f * grain);
            wood = mix(wood, {0.25f, 0.14f, 0.06f}, smooth(0.06f, 0.0f, std::min(inStave, 1 - inStave)));
            for (float h : hoops)
                if (std::fabs((1 - v) - h) < 0.035f) {
                    const float rust = noise(u * 40, v * 40, 40, 9);
                    wood = mix({0.2f, 0.2f, 0.22f}, {0.45f, 0.25f, 0.12f}, rust * 0.6f);
                }
            c.set(x, y, wood);
        }
    return c;
}

Canvas burnedMetal()
{
    Canvas c(256, 256);
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const float u = float(x) / c.width, v = float(y) / c.height;
            const float rust = fbm(u * 8, v * 8, 8, 21);
            const float soot = fbm(u * 4, v * 3, 4, 33);
            const float paint = fbm(u * 12, v * 12, 12, 45);
            Colour metal = mix({0.35f, 0.16f, 0.07f}, {0.72f, 0.36f, 0.12f}, rust);
            metal = mix(metal, {0.15f, 0.3f, 0.55f}, smooth(0.62f, 0.68f, paint));
            metal = mix(metal, {0.05f, 0.04f, 0.03f}, 0.85f * smooth(0.55f, 0.75f, soot + 0.2f * v));
            const float pit = noise(u * 90, v * 90, 90, 57);
            metal = mix(metal, {0.2f, 0.08f, 0.03f}, smooth(0.8f, 0.95f, pit));
            c.set(x, y, metal);
        }
    return c;
}

Canvas sunFlare()
{
    Canvas c(256, 256);
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const float dx = (x + 0.5f) / 128 - 1, dy = (y + 0.5f) / 128 - 1;
            const float r = std::sqrt(dx * dx + dy * dy);
            const float angle = std::atan2(dy, dx);
            const float rays = 0.5f + 0.5f * std::sin(angle * 12) * std::sin(angle * 5 + 1);
            const float glow = std::exp(-r * 4.5f) + 0.25f * rays * std::exp(-r * 3.0f) * smooth(1.0f, 0.3f, r);
            const float core = smooth(0.2f, 0.1f, r);
            Colour col = mix({1.0f, 0.45f, 0.05f}, {1.0f, 0.92f, 0.6f}, std::min(1.0f, glow * 1.5f));
            col = mix(col, {1, 1, 1}, core);
            const float bright = std::min(1.0f, glow * 1.8f + core) * smooth(1.0f, 0.85f, r);
            c.set(x, y, {col.r * bright, col.g * bright, col.b * bright});
        }
    return c;
}

Canvas earth()
{
    Canvas c(512, 256);
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const float u = float(x) / c.width, v = float(y) / c.height;
            const float latitude = std::fabs(v - 0.5f) * 2;
            const float land = fbm(u * 6, v * 3, 6, 101, 6);
            const float height = land - 0.52f;
            Colour col;
            if (height < 0) {
                col = mix({0.02f, 0.1f, 0.35f}, {0.1f, 0.35f, 0.6f}, smooth(-0.15f, 0.0f, height));
            } else {
                const float dry = fbm(u * 12, v * 6, 12, 202);
                col = mix({0.15f, 0.42f, 0.12f}, {0.62f, 0.52f, 0.3f}, smooth(0.45f, 0.65f, dry + 0.3f * (1 - latitude) * 0.5f));
                col = mix(col, {0.45f, 0.4f, 0.35f}, smooth(0.1f, 0.2f, height));
            }
            // Ice caps, with a ragged edge.
            const float ice = smooth(0.8f, 0.86f, latitude + 0.06f * noise(u * 30, v * 15, 30, 303));
            col = mix(col, {0.93f, 0.96f, 1.0f}, ice);
            // Clouds in streaks along the latitudes.
            const float cloud = fbm(u * 10, v * 14, 10, 404);
            col = mix(col, {1, 1, 1}, smooth(0.55f, 0.75f, cloud) * 0.85f);
            c.set(x, y, col);
        }
    return c;
}

Canvas mars()
{
    Canvas c(500, 250); // not a power of two
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const float u = float(x) / c.width, v = float(y) / c.height;
            const float latitude = std::fabs(v - 0.5f) * 2;
            const float terrain = fbm(u * 8, v * 4, 8, 505, 6);
            Colour col = mix({0.45f, 0.17f, 0.07f}, {0.82f, 0.45f, 0.22f}, terrain);
            col = mix(col, {0.3f, 0.12f, 0.06f}, smooth(0.55f, 0.7f, fbm(u * 3, v * 2, 3, 606)));
            col = mix(col, {0.95f, 0.92f, 0.88f}, smooth(0.88f, 0.93f, latitude));
            c.set(x, y, col);
        }
    for (int i = 0; i < 40; ++i) {
        const float x = std::fmod(i * 131.7f, 500.0f), y = 30 + std::fmod(i * 71.3f, 190.0f);
        const float r = 2 + std::fmod(i * 3.7f, 7.0f);
        c.disc(x, y, r + 1.5f, {0.88f, 0.55f, 0.3f}, 1.5f);
        c.disc(x, y, r, {0.35f, 0.13f, 0.06f}, 2.0f);
    }
    return c;
}

Canvas venus()
{
    Canvas c(600, 300); // not a power of two
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const float u = float(x) / c.width, v = float(y) / c.height;
            const float warp = fbm(u * 5, v * 5, 5, 707);
            const float bands = 0.5f + 0.5f * std::sin((v * 9 + warp * 2.2f) * kPi);
            Colour col = mix({0.78f, 0.62f, 0.35f}, {0.98f, 0.9f, 0.7f}, bands);
            col = mix(col, {0.7f, 0.5f, 0.28f}, 0.35f * fbm(u * 16, v * 8, 16, 808));
            c.set(x, y, col);
        }
    return c;
}

Canvas redCross()
{
    Canvas c(50, 50, 4);
    c.fill({1, 1, 1, 0});
    auto arm = [&](float x0, float y0, float x1, float y1, const Colour& col) {
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 50; ++x) {
                const float inside = std::min({x + 0.5f - x0, x1 - x - 0.5f, y + 0.5f - y0, y1 - y - 0.5f});
                if (inside > -0.5f) {
                    Colour p = col;
                    p.a = std::clamp(inside + 0.5f, 0.0f, 1.0f);
                    const Colour old = c.get(x, y);
                    const float a = p.a + old.a * (1 - p.a);
                    Colour out = mix(old, p, p.a);
                    out.a = a;
                    c.set(x, y, out);
                }
            }
    };
    arm(15, 3, 35, 47, {1, 1, 1});
    arm(3, 15, 47, 35, {1, 1, 1});
    arm(18, 6, 32, 44, {0.85f, 0.05f, 0.05f});
    arm(6, 18, 44, 32, {0.85f, 0.05f, 0.05f});
    return c;
}

Canvas blueTrashCan()
{
    Canvas c(50, 50);
    c.fill({0.92f, 0.95f, 1.0f});
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x) {
            // A tapered bin with a lid, ribbed sides.
            const float half = 13 - (y - 14) * 0.12f;
            if (y >= 14 && y <= 45 && std::fabs(x - 24.5f) < half) {
                const float rib = std::fmod(x - 24.5f + 40, 6.0f) < 1.2f ? 0.75f : 1.0f;
                const float shade = 0.7f + 0.3f * (1 - std::fabs(x - 24.5f) / half);
                c.set(x, y, {0.1f * rib * shade, 0.35f * rib * shade, 0.85f * rib * shade});
            }
            if (y >= 8 && y < 13 && std::fabs(x - 24.5f) < 16)
                c.set(x, y, {0.08f, 0.25f, 0.65f});
            if (y >= 4 && y < 8 && std::fabs(x - 24.5f) < 5)
                c.set(x, y, {0.08f, 0.25f, 0.65f});
        }
    return c;
}

} // namespace

Canvas appIcon()
{
    // A round night-sky badge: a funnel mouth swallowing a red can.
    Canvas c(128, 128, 4);
    c.fill({0, 0, 0, 0});
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const float d = std::hypot(x + 0.5f - 64, y + 0.5f - 64);
            Colour sky = mix({0.05f, 0.08f, 0.25f}, {0.01f, 0.01f, 0.06f}, d / 64);
            if (noise(x * 0.9f, y * 0.9f, 0, 77) > 0.93f)
                sky = {0.9f, 0.9f, 1.0f};
            sky.a = std::clamp(62.5f - d, 0.0f, 1.0f);
            c.set(x, y, sky);
        }
    // The funnel: a widening grey cone from the lower right to the centre.
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const float t = std::clamp(((110 - x) + (110 - y)) / 90.0f, 0.0f, 1.0f);
            const float cx = 110 - 45 * t, cy = 110 - 45 * t;
            const float across = std::fabs((x - cx) - (y - cy)) / 1.414f;
            const float width = 3 + 22 * t * t * (3 - 2 * t);
            if (across < width && t > 0.0f && t < 1.0f && c.get(x, y).a > 0)
                c.blend(x, y, {0.78f, 0.8f, 0.85f, 1}, 0.9f * (1 - across / width * 0.6f));
        }
    c.disc(56, 56, 19, {0.6f, 0.62f, 0.7f, 1}, 1.5f);
    c.disc(56, 56, 15, {0.12f, 0.12f, 0.18f, 1}, 1.5f);
    // The can, tilted, falling in.
    for (int y = 30; y < 70; ++y)
        for (int x = 36; x < 76; ++x) {
            const float u = (x - 56) * 0.8f + (y - 48) * 0.6f;
            const float v = -(x - 56) * 0.6f + (y - 48) * 0.8f;
            if (std::fabs(u) < 8 && std::fabs(v) < 14) {
                const bool band = std::fabs(v) > 11;
                const bool ribbon = std::fabs(v - 4 * std::sin(u * 0.5f)) < 2;
                c.set(x, y, band ? Colour{0.8f, 0.8f, 0.82f, 1}
                                 : ribbon ? Colour{1, 1, 1, 1} : Colour{0.8f, 0.08f, 0.1f, 1});
            }
        }
    return c;
}

std::vector<TextureFile> allTextures()
{
    return {
        {"models/trash/soda/can.jpg", sodaLabel()},
        {"textures/trash/cans/cokecanskin.jpg", tinLabel()},
        {"textures/trash/fumican/normal.jpg", smokeLabel()},
        {"textures/trash/barrels/barrelad.bmp", woodenStaves()},
        {"textures/trash/barrels/barrdiff.bmp", burnedMetal()},
        {"textures/environment/FlareSun.bmp", sunFlare()},
        {"textures/environment/Earth_Day.bmp", earth()},
        {"textures/environment/non-2powern/mars_1k_color.jpg", mars()},
        {"textures/environment/non-2powern/venusmap.jpg", venus()},
        {"textures/powerups/red-cross-50.png", redCross()},
        {"textures/powerups/blue_trash_can.jpg", blueTrashCan()},
    };
}

} // namespace paint
