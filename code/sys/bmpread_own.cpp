// SPDX-License-Identifier: GPL-3.0-or-later
#include "sys/bmpread.h"

#include <cstdint>
#include <cstring>

namespace {

uint32_t le32(const unsigned char* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}

uint16_t le16(const unsigned char* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

SDL_Surface* readError()
{
    SDL_SetError("Error reading from datastream");
    return nullptr;
}

} // namespace

SDL_Surface* readBmp(const std::vector<unsigned char>& bytes)
{
    const size_t size = bytes.size();
    const unsigned char* data = bytes.data();
    if (size < 18)
        return readError();
    if (data[0] != 'B' || data[1] != 'M') {
        SDL_SetError("File is not a Windows BMP file");
        return nullptr;
    }
    const uint32_t pixelsAt = le32(data + 10);
    const uint32_t headerSize = le32(data + 14);
    if (size < 14 + uint64_t(headerSize) || headerSize < 12)
        return readError();
    int32_t width, height;
    int bits;
    uint32_t compression = 0, colours = 0;
    if (headerSize == 12) {
        width = le16(data + 18);
        height = static_cast<int16_t>(le16(data + 20));
        bits = le16(data + 24);
    } else {
        if (headerSize < 40)
            return readError();
        width = static_cast<int32_t>(le32(data + 18));
        height = static_cast<int32_t>(le32(data + 22));
        bits = le16(data + 28);
        compression = le32(data + 30);
        colours = le32(data + 46);
    }
    if (width <= 0 || height == 0 || height == INT32_MIN || width > 65535 || height > 65535 || height < -65535) {
        SDL_SetError("BMP file with bad dimensions (%dx%d)", width, height);
        return nullptr;
    }
    const bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (bits != 8 && bits != 24 && bits != 32) {
        SDL_SetError("%d-bpp BMP images are not supported", bits);
        return nullptr;
    }
    if (compression != 0) {
        SDL_SetError("Compressed BMP files not supported");
        return nullptr;
    }
    const uint32_t mask = bits == 8 ? 0 : 0xffffff;
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, bits, mask & 0xff0000,
                                                mask & 0x00ff00, mask & 0x0000ff, 0);
    if (!surface)
        return nullptr;
    if (bits == 8) {
        if (colours == 0)
            colours = 256;
        if (colours > 256) {
            SDL_FreeSurface(surface);
            SDL_SetError("BMP file has an invalid number of colors");
            return nullptr;
        }
        const size_t entry = headerSize == 12 ? 3 : 4;
        const size_t at = 14 + headerSize;
        if (size < at + colours * entry) {
            SDL_FreeSurface(surface);
            return readError();
        }
        SDL_Palette* palette = surface->format->palette;
        for (uint32_t i = 0; i < colours; ++i) {
            const unsigned char* c = data + at + i * entry;
            palette->colors[i] = SDL_Color{c[2], c[1], c[0], 0};
        }
        palette->ncolors = static_cast<int>(colours);
    }
    // Rows are padded to four bytes in the file.
    const size_t rowBytes = size_t(width) * (bits / 8);
    const size_t stride = (rowBytes + 3) & ~size_t(3);
    if (pixelsAt > size || (size - pixelsAt) / stride < size_t(height)) {
        SDL_FreeSurface(surface);
        return readError();
    }
    for (int row = 0; row < height; ++row) {
        const int target = topDown ? row : height - 1 - row;
        std::memcpy(static_cast<unsigned char*>(surface->pixels) + size_t(target) * surface->pitch,
                    data + pixelsAt + size_t(row) * stride, rowBytes);
    }
    return surface;
}
