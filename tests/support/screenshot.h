// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of an X screen or the GL framebuffer, top row first, counted by
// region, and saved as PNG for the README and for failed checks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <type_traits>
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
    // Pixels of [x0, x1) x [y0, y1) that pass test(pixel), or test(x, y);
    // cx and cy, when given, receive their mean place.
    template <typename Test>
    int count(int x0, int y0, int x1, int y1, Test test, double* cx = nullptr, double* cy = nullptr) const
    {
        int n = 0;
        double sx = 0, sy = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                bool pass;
                if constexpr (std::is_invocable_v<Test, Rgb>)
                    pass = test(at(x, y));
                else
                    pass = test(x, y);
                n += pass;
                sx += pass ? x : 0;
                sy += pass ? y : 0;
            }
        if (cx && cy) {
            *cx = sx / std::max(n, 1);
            *cy = sy / std::max(n, 1);
        }
        return n;
    }
    Rgb mean(int x0, int y0, int x1, int y1) const;
    // Pixels that differ from other's times factor by more than tolerance in any channel.
    int differingPixels(const Image& other, int tolerance, float factor = 1.0f) const;
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
