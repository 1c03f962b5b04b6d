// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/textures.h"

#include <GL/glu.h>
#include <SDL/SDL.h>

#include <cstring>
#include <iostream>
#include <vector>

#include "common/numeric.h"
#include "sys/imageload.h"

TextureTable* textureTable = nullptr;

TextureTable::TextureTable()
{
    generateNoiseTextures();
}

TextureTable::~TextureTable()
{
    deleteAll();
}

SDL_Surface* TextureTable::loadImage(const char* path)
{
    SDL_Surface* surface = loadImageFile(path);
    if (!surface) {
        std::cerr << "Unable to load texture image: " << path << ", " << SDL_GetError() << std::endl;
        return nullptr;
    }
    const int bpp = surface->format->BitsPerPixel;
    if (bpp != 24 && bpp != 32) {
        std::cerr << "Wrong expected 24/32 bits perpixel, got: " << bpp << "! " << path << std::endl;
        SDL_FreeSurface(surface);
        return nullptr;
    }
    if (std::strstr(path, "bmp")) {
        // BMP pixels arrive blue first. Rows are walked by the surface's pitch,
        // which pads them to four bytes.
        const int bytes = surface->format->BytesPerPixel;
        SDL_LockSurface(surface);
        uint8_t* pixels = static_cast<uint8_t*>(surface->pixels);
        for (int y = 0; y < surface->h; ++y) {
            uint8_t* row = pixels + static_cast<size_t>(y) * surface->pitch;
            for (int x = 0; x < surface->w; ++x) {
                uint8_t* p = row + x * bytes;
                const uint8_t t = p[0];
                p[0] = p[2];
                p[2] = t;
            }
        }
        SDL_UnlockSurface(surface);
    }
    return surface;
}

int TextureTable::load(const char* path, int reuseName)
{
    SDL_Surface* surface = loadImage(path);
    if (!surface)
        return -1;
    const GLenum format = surface->format->BitsPerPixel == 24 ? GL_RGB : GL_RGBA;
    int name;
    SDL_LockSurface(surface);
    if (reuseName < 1)
        name = createTexture(surface->w, surface->h, format, surface->pixels);
    else
        name = updateTexture(surface->w, surface->h, format, surface->pixels, reuseName);
    SDL_UnlockSurface(surface);
    SDL_FreeSurface(surface);
    return name;
}

int TextureTable::createTexture(int width, int height, GLenum format, const void* pixels)
{
    if (count >= textureCapacity) {
        std::cerr << "Too many textures already loaded - cannot load any anymore!" << std::endl;
        return -1;
    }
    glGenTextures(1, &names[count]);
    glBindTexture(GL_TEXTURE_2D, names[count]);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
    // Specifies every level again from level 0, rescaling sides that are not powers of two.
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA8, width, height, format, GL_UNSIGNED_BYTE, pixels);
    return static_cast<int>(names[count++]);
}

int TextureTable::createRenderTarget(int width, int height, const void* pixels)
{
    if (count >= textureCapacity) {
        std::cerr << "Too many textures already loaded - cannot load any anymore!" << std::endl;
        return -1;
    }
    glGenTextures(1, &names[count]);
    glBindTexture(GL_TEXTURE_2D, names[count]);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    return static_cast<int>(names[count++]);
}

int TextureTable::updateTexture(int width, int height, GLenum format, const void* pixels, int name)
{
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(name));
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA8, width, height, format, GL_UNSIGNED_BYTE, pixels);
    return name;
}

void TextureTable::deleteAll()
{
    if (count > 0)
        glDeleteTextures(static_cast<GLsizei>(count), names);
    for (GLuint& n : names)
        n = 0;
    count = 0;
}

float TextureTable::latticeNoise(int32_t x, int32_t y)
{
    // Integer hash noise; all arithmetic wraps modulo 2^32.
    uint32_t n = static_cast<uint32_t>(x) + 57u * static_cast<uint32_t>(y);
    n = (n << 13) ^ n;
    const uint32_t m = (n * (n * n * 15731u + 789221u) + 1376312589u) & 0x7fffffffu;
    return static_cast<float>(1.0 - m / 1073741824.0);
}

float TextureTable::smoothNoise(int32_t x, int32_t y)
{
    const float corners = (latticeNoise(x - 1, y - 1) + latticeNoise(x + 1, y - 1) +
                           latticeNoise(x - 1, y + 1) + latticeNoise(x + 1, y + 1)) / 16.0f;
    const float sides = (latticeNoise(x - 1, y) + latticeNoise(x + 1, y) + latticeNoise(x, y - 1) +
                         latticeNoise(x, y + 1)) / 8.0f;
    return corners + sides + latticeNoise(x, y) / 4.0f;
}

float TextureTable::interpolatedNoise(float x, float y, float f)
{
    const int32_t ix = static_cast<int32_t>(x);
    const int32_t iy = static_cast<int32_t>(y);
    const float fx = x - ix;
    const float fy = y - iy;
    // The two axes wrap by different tests: a float one for x, an integer one for y.
    const float limit = f * 255.0f;
    const int32_t intLimit = static_cast<int32_t>(limit);
    const int32_t x1 = x == limit ? 0 : ix + 1;
    const int32_t y1 = iy == intLimit ? 0 : iy + 1;
    const float a = lerp(smoothNoise(ix, iy), smoothNoise(x1, iy), fx);
    const float b = lerp(smoothNoise(ix, y1), smoothNoise(x1, y1), fx);
    return lerp(a, b, fy);
}

float TextureTable::noiseSample(float x, float y, float offset, float f, float amplitude)
{
    return interpolatedNoise((x + offset) * f, (y + offset) * f, f) * amplitude;
}

void TextureTable::generateNoiseImage(uint8_t* rgb)
{
    for (int r = 0; r < 256; ++r)
        for (int c = 0; c < 256; ++c) {
            uint8_t v = 0;
            for (int k = 0; k < 3; ++k) {
                const float f = static_cast<float>(1 << k) / 8.0f;
                const float s = noiseSample(static_cast<float>(r), static_cast<float>(c), 0.0f, f, 40.0f) + 40.0f;
                const int t = static_cast<int>(s);
                v = static_cast<uint8_t>(v + (((t & 255) * 2) >> k));
            }
            uint8_t* p = rgb + (r * 256 + c) * 3;
            p[0] = p[1] = p[2] = v;
        }
}

void TextureTable::generateNoiseTextures()
{
    std::vector<uint8_t> image(256 * 256 * 3);
    generateNoiseImage(image.data());
    count = 1;
    createTexture(256, 256, GL_RGB, image.data());
    std::vector<uint8_t> tinted(image.size());
    for (int k = 0; k < 3; ++k) {
        for (size_t p = 0; p < image.size(); p += 3)
            for (int b = 0; b < 3; ++b)
                tinted[p + b] = b == k ? image[p + b] : 48;
        count = static_cast<unsigned int>(k + 3);
        createTexture(256, 256, GL_RGB, tinted.data());
    }
}
