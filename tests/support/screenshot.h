// SPDX-License-Identifier: GPL-3.0-or-later
// Screenshots for the display tests: the X root window of a display, or the
// current OpenGL framebuffer; pixel access with y counted from the top, region
// statistics, and PNG output for the README and for failed checks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    int r, g, b;
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb; // top row first

    Rgb at(int x, int y) const;
    bool empty() const { return width == 0; }
    // Pixels in [x0, x1) x [y0, y1) for which the test holds.
    template <typename Test>
    int count(int x0, int y0, int x1, int y1, Test test) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (test(at(x, y)))
                    ++n;
        return n;
    }
    // Number of pixels that differ by more than tolerance in any channel.
    int differingPixels(const Image& other, int tolerance) const;
};

Image grabScreen(const std::string& display);
// Grabs the display until the waiting screen's invitation shows in its row
// over dark sky (the white loading screen would pass for the row alone), or
// about twelve seconds have passed.
Image grabWaitingScreen(const std::string& display);
Image readFramebuffer();
bool savePng(const Image& image, const std::string& path);
// Where tests write their pictures (created on demand).
std::string testOutputPath(const std::string& name);
