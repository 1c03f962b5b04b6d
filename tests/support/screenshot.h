// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of an X screen or the GL framebuffer, top row first, counted by
// region, and saved as PNG for the README and for failed checks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    int r, g, b;
};
inline int brightness(Rgb p)
{
    return p.r + p.g + p.b;
}
inline bool white(Rgb p)
{
    return p.r > 200 && p.g > 200 && p.b > 200;
}

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb; // top row first

    Rgb at(int x, int y) const;
    // Pixels in [x0, x1) x [y0, y1) for which the test holds.
    template <typename Test>
    int count(int x0, int y0, int x1, int y1, Test test) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += test(at(x, y));
        return n;
    }
    // Pixels in the region for which test(this pixel, other's pixel) holds.
    template <typename Test>
    int countAgainst(const Image& other, int x0, int y0, int x1, int y1, Test test) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += test(at(x, y), other.at(x, y));
        return n;
    }
    Rgb mean(int x0, int y0, int x1, int y1) const;
    // How many pixels of the region pass test(x, y), and their mean place.
    template <typename Test>
    int centroid(int x0, int y0, int x1, int y1, Test test, double& cx, double& cy) const
    {
        int n = 0;
        cx = cy = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (test(x, y)) {
                    cx += x;
                    cy += y;
                    ++n;
                }
        cx /= std::max(n, 1);
        cy /= std::max(n, 1);
        return n;
    }
    // Pixels that differ by more than tolerance in any channel.
    int differingPixels(const Image& other, int tolerance) const;
};

Image grabScreen(const std::string& display);
// Grabs until the invitation shows over dark sky, for twelve seconds at most.
Image grabWaitingScreen(const std::string& display);
Image readFramebuffer();
// The X server's view of the pointer: grabbed by a client, its cursor visible.
struct PointerState {
    bool grabbedByAnother = false;
    bool cursorVisible = false;
};
PointerState pointerState(const std::string& display);
bool savePng(const Image& image, const std::string& path);
// Where tests write their pictures (created on demand).
std::string testOutputPath(const std::string& name);
