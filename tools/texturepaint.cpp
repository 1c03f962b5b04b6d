// SPDX-License-Identifier: GPL-3.0-or-later
#include "texturepaint.h"

#include <SDL/SDL.h>
#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace paint {

Colour mix(const Colour& a, const Colour& b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Canvas::Canvas(int w, int h, int ch) : width(w), height(h), channels(ch), pixels(size_t(w) * h * ch, 0.0f) {}

Colour Canvas::get(int x, int y) const
{
    const float* p = &pixels[(size_t(y) * width + x) * channels];
    return {p[0], p[1], p[2], channels == 4 ? p[3] : 1.0f};
}

void Canvas::set(int x, int y, const Colour& c)
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return;
    float* p = &pixels[(size_t(y) * width + x) * channels];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
    if (channels == 4)
        p[3] = c.a;
}

void Canvas::blend(int x, int y, const Colour& c, float t)
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return;
    set(x, y, mix(get(x, y), c, std::clamp(t, 0.0f, 1.0f)));
}

void Canvas::fill(const Colour& c)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            set(x, y, c);
}

void Canvas::disc(float cx, float cy, float r, const Colour& c, float softness)
{
    for (int y = int(cy - r - 2); y <= int(cy + r + 2); ++y)
        for (int x = int(cx - r - 2); x <= int(cx + r + 2); ++x) {
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
            blend(x, y, c, (r - d) / softness + 0.5f);
        }
}

void Canvas::rect(float x0, float y0, float x1, float y1, const Colour& c)
{
    for (int y = int(y0); y < int(std::ceil(y1)); ++y)
        for (int x = int(x0); x < int(std::ceil(x1)); ++x)
            set(x, y, c);
}

std::vector<uint8_t> Canvas::bytes() const
{
    std::vector<uint8_t> out(pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i)
        out[i] = static_cast<uint8_t>(std::lround(std::clamp(pixels[i], 0.0f, 1.0f) * 255.0f));
    return out;
}

static float lattice(int x, int y, unsigned seed)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFFFF) / float(0xFFFFFF);
}

float noise(float x, float y, int periodX, unsigned seed)
{
    const int ix = int(std::floor(x));
    const int iy = int(std::floor(y));
    float fx = x - ix, fy = y - iy;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    auto wrap = [periodX](int v) { return periodX > 0 ? ((v % periodX) + periodX) % periodX : v; };
    const float a = lattice(wrap(ix), iy, seed), b = lattice(wrap(ix + 1), iy, seed);
    const float c = lattice(wrap(ix), iy + 1, seed), d = lattice(wrap(ix + 1), iy + 1, seed);
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

float fbm(float x, float y, int periodX, unsigned seed, int octaves)
{
    float sum = 0, amplitude = 0.5f, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * noise(x, y, periodX, seed + o);
        total += amplitude;
        x *= 2;
        y *= 2;
        periodX *= 2;
        amplitude *= 0.5f;
    }
    return sum / total;
}

static void appendPngBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

static std::vector<uint8_t> encodePng(const Canvas& canvas)
{
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, appendPngBytes, nullptr);
    png_set_IHDR(png, info, canvas.width, canvas.height, 8,
                 canvas.channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const std::vector<uint8_t> data = canvas.bytes();
    for (int y = 0; y < canvas.height; ++y)
        png_write_row(png, const_cast<png_bytep>(&data[size_t(y) * canvas.width * canvas.channels]));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

static bool writeBytes(const std::vector<uint8_t>& bytes, const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool savePng(const Canvas& canvas, const std::string& path)
{
    const std::vector<uint8_t> bytes = encodePng(canvas);
    return !bytes.empty() && writeBytes(bytes, path);
}

Canvas shrink(const Canvas& canvas, int size)
{
    // Each pixel averages the source pixels whose centres fall in it,
    // colour weighted by alpha so transparent corners do not darken edges.
    Canvas out(size, size, canvas.channels);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Colour sum{0, 0, 0, 0};
            int n = 0;
            for (int sy = y * canvas.height / size; sy < (y + 1) * canvas.height / size; ++sy)
                for (int sx = x * canvas.width / size; sx < (x + 1) * canvas.width / size; ++sx, ++n) {
                    const Colour c = canvas.get(sx, sy);
                    sum = {sum.r + c.r * c.a, sum.g + c.g * c.a, sum.b + c.b * c.a, sum.a + c.a};
                }
            const float a = sum.a > 0 ? sum.a : 1;
            out.set(x, y, {sum.r / a, sum.g / a, sum.b / a, sum.a / n});
        }
    return out;
}

bool saveIco(const std::vector<Canvas>& sizes, const std::string& path)
{
    // A header, one directory entry per size, then each image as a PNG
    // (which Windows reads in icons since Vista, at every size).
    std::vector<uint8_t> out;
    auto le = [&out](uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            out.push_back(uint8_t(v >> (8 * i)));
    };
    le(0, 2), le(1, 2), le(uint32_t(sizes.size()), 2);
    std::vector<std::vector<uint8_t>> images;
    uint32_t offset = 6 + 16 * uint32_t(sizes.size());
    for (const Canvas& c : sizes) {
        images.push_back(encodePng(c));
        if (images.back().empty())
            return false;
        le(c.width & 0xff, 1), le(c.height & 0xff, 1), le(0, 2), le(1, 2), le(32, 2);
        le(uint32_t(images.back().size()), 4), le(offset, 4);
        offset += uint32_t(images.back().size());
    }
    for (const std::vector<uint8_t>& image : images)
        out.insert(out.end(), image.begin(), image.end());
    return writeBytes(out, path);
}

bool saveJpeg(const Canvas& canvas, const std::string& path, int quality)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = canvas.width;
    cinfo.image_height = canvas.height;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const std::vector<uint8_t> data = canvas.bytes();
    std::vector<uint8_t> row(size_t(canvas.width) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const uint8_t* src = &data[size_t(cinfo.next_scanline) * canvas.width * canvas.channels];
        for (int x = 0; x < canvas.width; ++x)
            for (int c = 0; c < 3; ++c)
                row[size_t(x) * 3 + c] = src[size_t(x) * canvas.channels + c];
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(f);
    return true;
}

bool saveBmp(const Canvas& canvas, const std::string& path)
{
    // SDL writes 24-bit BMPs from a surface whose bytes are blue, green, red.
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, canvas.width, canvas.height, 24, 0xFF0000,
                                          0x00FF00, 0x0000FF, 0);
    if (!s)
        return false;
    const std::vector<uint8_t> data = canvas.bytes();
    SDL_LockSurface(s);
    for (int y = 0; y < canvas.height; ++y) {
        uint8_t* row = static_cast<uint8_t*>(s->pixels) + size_t(y) * s->pitch;
        for (int x = 0; x < canvas.width; ++x) {
            const uint8_t* p = &data[(size_t(y) * canvas.width + x) * canvas.channels];
            row[x * 3] = p[2];
            row[x * 3 + 1] = p[1];
            row[x * 3 + 2] = p[0];
        }
    }
    SDL_UnlockSurface(s);
    const bool ok = SDL_SaveBMP(s, path.c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
}

bool save(const TextureFile& file, const std::string& root)
{
    const std::filesystem::path path = std::filesystem::path(root) / file.path;
    std::filesystem::create_directories(path.parent_path());
    const std::string ext = path.extension().string();
    if (ext == ".ico") {
        std::vector<Canvas> sizes;
        for (int size : {16, 24, 32, 48, 64})
            sizes.push_back(shrink(file.canvas, size));
        sizes.push_back(file.canvas);
        return saveIco(sizes, path.string());
    }
    if (ext == ".png")
        return savePng(file.canvas, path.string());
    if (ext == ".jpg")
        return saveJpeg(file.canvas, path.string());
    return saveBmp(file.canvas, path.string());
}

} // namespace paint
