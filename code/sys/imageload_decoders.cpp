// SPDX-License-Identifier: GPL-3.0-or-later
// The image decoders of the Windows build (sys/imageload.h). The messages
// are SDL_image's, so the game reports a broken file in the same words.
#include "sys/imageload.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace {

const char unsupported[] = "Unsupported image format";

// 24-bit surfaces hold red first in memory, 32-bit ones red first with alpha last.
SDL_Surface* createSurface(int width, int height, int channels)
{
    const Uint32 alpha = channels == 4 ? 0xff000000u : 0u;
    return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, channels * 8, channels == 1 ? 0 : 0x0000ffu,
                                channels == 1 ? 0 : 0x00ff00u, channels == 1 ? 0 : 0xff0000u, alpha);
}

struct PngInput {
    const std::vector<unsigned char>* bytes;
    size_t offset;
};

void readPngBytes(png_structp png, png_bytep out, png_size_t length)
{
    PngInput* in = static_cast<PngInput*>(png_get_io_ptr(png));
    if (in->offset + length > in->bytes->size())
        png_error(png, "file ends early");
    std::memcpy(out, in->bytes->data() + in->offset, length);
    in->offset += length;
}

SDL_Surface* decodePng(const std::vector<unsigned char>& bytes)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    SDL_Surface* volatile surface = nullptr;
    PngInput in{&bytes, 0};
    if (!info || setjmp(png_jmpbuf(png))) {
        SDL_SetError("Error reading the PNG file.");
        if (surface)
            SDL_FreeSurface(surface);
        png_destroy_read_struct(&png, &info, nullptr);
        return nullptr;
    }
    png_set_read_fn(png, &in, readPngBytes);
    png_read_info(png, info);
    const int type = png_get_color_type(png, info);
    png_set_strip_16(png);
    png_set_packing(png);
    if (type == PNG_COLOR_TYPE_GRAY)
        png_set_expand_gray_1_2_4_to_8(png);
    if (type == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const int width = static_cast<int>(png_get_image_width(png, info));
    const int height = static_cast<int>(png_get_image_height(png, info));
    surface = createSurface(width, height, png_get_channels(png, info));
    if (!surface)
        png_error(png, "no memory");
    if (surface->format->palette) {
        // Palette files keep their palette; grey ones get a ramp.
        SDL_Palette* palette = surface->format->palette;
        png_colorp entries = nullptr;
        int count = 0;
        if (type == PNG_COLOR_TYPE_PALETTE && png_get_PLTE(png, info, &entries, &count)) {
            for (int i = 0; i < count && i < palette->ncolors; ++i)
                palette->colors[i] = SDL_Color{entries[i].red, entries[i].green, entries[i].blue, 0};
        } else {
            for (int i = 0; i < palette->ncolors; ++i)
                palette->colors[i] = SDL_Color{Uint8(i), Uint8(i), Uint8(i), 0};
        }
    }
    // Row by row: nothing that a longjmp out of libpng could leave behind.
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < height; ++y)
            png_read_row(png, static_cast<png_bytep>(surface->pixels) + static_cast<size_t>(y) * surface->pitch, nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return surface;
}

struct JpegErrors {
    jpeg_error_mgr manager;
    jmp_buf escape;
};

void jpegFails(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->escape, 1);
}

// libjpeg's warnings (a file that ends early is read with grey after its end) stay quiet.
void jpegSaysNothing(j_common_ptr) {}

SDL_Surface* decodeJpeg(const std::vector<unsigned char>& bytes)
{
    jpeg_decompress_struct info;
    JpegErrors errors;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jpegFails;
    errors.manager.output_message = jpegSaysNothing;
    SDL_Surface* volatile surface = nullptr;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        if (surface)
            SDL_FreeSurface(surface);
        SDL_SetError("JPEG loading error");
        return nullptr;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    // Four-channel (CMYK) files come through as they are, as SDL_image leaves them.
    const int channels = info.num_components == 4 ? 4 : 3;
    info.out_color_space = channels == 4 ? JCS_CMYK : JCS_RGB;
    info.quantize_colors = FALSE;
    jpeg_start_decompress(&info);
    surface = createSurface(static_cast<int>(info.output_width), static_cast<int>(info.output_height), channels);
    if (!surface)
        std::longjmp(errors.escape, 1);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = static_cast<JSAMPROW>(surface->pixels) + static_cast<size_t>(info.output_scanline) * surface->pitch;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return surface;
}

} // namespace

SDL_Surface* loadImageFile(const char* path)
{
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        SDL_SetError("Couldn't open %s", path);
        return nullptr;
    }
    std::vector<unsigned char> bytes;
    unsigned char chunk[65536];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(file);

    static const unsigned char pngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (bytes.size() >= 8 && std::memcmp(bytes.data(), pngSignature, 8) == 0)
        return decodePng(bytes);
    if (bytes.size() >= 3 && bytes[0] == 0xff && bytes[1] == 0xd8 && bytes[2] == 0xff)
        return decodeJpeg(bytes);
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    SDL_SetError(unsupported);
    return nullptr;
}
