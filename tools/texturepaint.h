// SPDX-License-Identifier: GPL-3.0-or-later
// Painting of the game's textures: an RGB(A) canvas, tileable value noise,
// simple shapes and the encoders (PNG through libpng, JPEG through libjpeg,
// BMP through SDL, Windows icons as PNGs in an ICO). Used by gen_textures and by the texture tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace paint {

struct Colour {
    float r, g, b, a = 1.0f;
};

Colour mix(const Colour& a, const Colour& b, float t);

struct Canvas {
    int width, height, channels;
    std::vector<float> pixels; // channels floats per pixel, 0 .. 1, top row first

    Canvas(int w, int h, int channels = 3);
    Colour get(int x, int y) const;
    void set(int x, int y, const Colour& c);
    // Blends c over the pixel by amount t (0 .. 1).
    void blend(int x, int y, const Colour& c, float t);
    void fill(const Colour& c);
    void disc(float cx, float cy, float r, const Colour& c, float softness = 1.0f);
    void rect(float x0, float y0, float x1, float y1, const Colour& c);
    std::vector<uint8_t> bytes() const;
};

// Value noise with a period in x (so textures wrap around cans and planets).
float noise(float x, float y, int periodX, unsigned seed);
// Fractal sum of octaves of noise, about 0 .. 1.
float fbm(float x, float y, int periodX, unsigned seed, int octaves = 5);

bool savePng(const Canvas& canvas, const std::string& path);
bool saveJpeg(const Canvas& canvas, const std::string& path, int quality = 90);
bool saveBmp(const Canvas& canvas, const std::string& path);
// A square canvas scaled down to size x size, by area.
Canvas shrink(const Canvas& canvas, int size);
// A Windows icon holding each canvas as one of its sizes.
bool saveIco(const std::vector<Canvas>& sizes, const std::string& path);

struct TextureFile {
    std::string path; // relative to the staged tree's root
    Canvas canvas;
};

// Every image file the game loads, painted.
std::vector<TextureFile> allTextures();
// The desktop icon (128 x 128, with alpha).
Canvas appIcon();
// Writes one by the extension of its path; an .ico holds the canvas and
// its shrunk copies at Windows' usual icon sizes.
bool save(const TextureFile& file, const std::string& root);

} // namespace paint
