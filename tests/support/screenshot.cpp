// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/screenshot.h"

#include "texturepaint.h"

#include <GL/glew.h>

#include <filesystem>

Rgb Image::at(int x, int y) const
{
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return {p[0], p[1], p[2]};
}

int Image::differingPixels(const Image& other, int tolerance, float factor) const
{
    if (width != other.width || height != other.height)
        return width * height;
    int n = 0;
    for (size_t i = 0; i < rgb.size(); i += 3)
        n += std::abs(rgb[i] - other.rgb[i] * factor) > tolerance || std::abs(rgb[i + 1] - other.rgb[i + 1] * factor) > tolerance ||
             std::abs(rgb[i + 2] - other.rgb[i + 2] * factor) > tolerance;
    return n;
}

Rgb Image::mean(int x0, int y0, int x1, int y1) const
{
    Rgb sum{0, 0, 0};
    count(x0, y0, x1, y1, [&](Rgb p) {
        sum = {sum.r + p.r, sum.g + p.g, sum.b + p.b};
        return true;
    });
    const int n = std::max(1, (x1 - x0) * (y1 - y0));
    return {sum.r / n, sum.g / n, sum.b / n};
}

Image readFramebuffer()
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    Image image;
    image.width = viewport[2];
    image.height = viewport[3];
    const size_t row = static_cast<size_t>(image.width) * 3;
    std::vector<uint8_t> raw(row * image.height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE, raw.data());
    for (int y = image.height - 1; y >= 0; --y) // GL counts rows from the bottom
        image.rgb.insert(image.rgb.end(), raw.begin() + y * row, raw.begin() + (y + 1) * row);
    return image;
}

bool savePng(const Image& image, const std::string& path)
{
    paint::Canvas canvas(image.width, image.height);
    for (size_t i = 0; i < image.rgb.size(); ++i)
        canvas.pixels[i] = image.rgb[i] / 255.0f;
    return paint::savePng(canvas, path);
}

std::string testOutputPath(const std::string& name)
{
    std::filesystem::create_directories(DRIFTHAUL_TEST_OUTPUT_DIR);
    return std::string(DRIFTHAUL_TEST_OUTPUT_DIR) + "/" + name;
}
