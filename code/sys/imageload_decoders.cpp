// SPDX-License-Identifier: GPL-3.0-or-later
// The image decoders of the Windows and web builds (sys/imageload.h). The
// messages are SDL_image's, so the game reports a broken file in the same
// words.
#include "sys/imageload.h"
#include "sys/bmpread.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace {

const char unsupported[] = "Unsupported image format";

// SDL_image's surfaces: red first in memory, alpha last (32 bits). Every
// kind but a palette file's has the masks, 8-bit grey too (beside its
// palette); a CMYK JPEG's are its own.
SDL_Surface* createSurface(int width, int height, int channels, bool masked, bool cmyk = false)
{
    if (cmyk)
        return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xff0000u, 0x00ff00u, 0x0000ffu, 0xff000000u);
    return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, channels * 8, masked ? 0x0000ffu : 0,
                                masked ? 0x00ff00u : 0, masked ? 0xff0000u : 0, channels == 4 ? 0xff000000u : 0u);
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
    // As SDL_image: grey widens to 8 bits and its transparent value to an
    // alpha channel (two channels, a 16-bit surface); a palette keeps its
    // indices unless some entry is translucent or more than one clear,
    // which turns it into RGBA.
    if (type == PNG_COLOR_TYPE_GRAY)
        png_set_expand(png);
    png_bytep trans = nullptr;
    int transparent = 0;
    if (type == PNG_COLOR_TYPE_PALETTE && png_get_tRNS(png, info, &trans, &transparent, nullptr)) {
        int clear = 0;
        bool translucent = false;
        for (int i = 0; i < transparent; ++i) {
            clear += trans[i] == 0;
            translucent = translucent || (trans[i] != 0 && trans[i] != 255);
        }
        if (clear > 1 || translucent)
            png_set_expand(png);
    }
    if (type == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const int width = static_cast<int>(png_get_image_width(png, info));
    const int height = static_cast<int>(png_get_image_height(png, info));
    surface = createSurface(width, height, png_get_channels(png, info), png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE);
    if (!surface)
        png_error(png, "no memory");
    if (surface->format->palette) {
        // Palette files keep their palette; grey ones get a ramp.
        SDL_Palette* palette = surface->format->palette;
        png_colorp entries = nullptr;
        int count = 0;
        if (type == PNG_COLOR_TYPE_PALETTE && png_get_PLTE(png, info, &entries, &count)) {
            palette->ncolors = std::min(count, palette->ncolors);
            for (int i = 0; i < palette->ncolors; ++i)
                palette->colors[i] = SDL_Color{entries[i].red, entries[i].green, entries[i].blue, 0};
        } else {
            for (int i = 0; i < palette->ncolors; ++i)
                palette->colors[i] = SDL_Color{Uint8(i), Uint8(i), Uint8(i), 0};
        }
    }
    // Row by row: nothing that a longjmp out of libpng could leave behind.
    // What follows the image data is not read, as SDL_image does not: a
    // file cut short only there still loads.
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < height; ++y)
            png_read_row(png, static_cast<png_bytep>(surface->pixels) + static_cast<size_t>(y) * surface->pitch, nullptr);
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
    surface = createSurface(static_cast<int>(info.output_width), static_cast<int>(info.output_height), channels,
                            true, channels == 4);
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

// SDL_image takes a file for a JPEG only when its markers lead, segment by
// segment, to the start of a scan; a file cut short before that is to it an
// unsupported format, not a broken JPEG (after it, libjpeg reads the missing
// rest as grey). The walk is SDL_image's own: a segment's length counts
// itself, and a seek past the end fails only the next read.
bool reachesAScan(const std::vector<unsigned char>& bytes)
{
    const long size = static_cast<long>(bytes.size());
    long at = 2;
    for (;;) {
        if (at < 0 || at + 2 > size)
            return false;
        const unsigned char lead = bytes[at], marker = bytes[at + 1];
        at += 2;
        if (lead != 0xff)
            return false;
        if (marker == 0xff) {
            at -= 1; // padding
        } else if (marker == 0xd9) {
            return true;
        } else if (marker < 0xd0 || marker > 0xd8) { // the others have no length
            if (at + 2 > size)
                return false;
            if (marker == 0xda)
                return true;
            at += (bytes[at] << 8) | bytes[at + 1];
        }
    }
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
    if (bytes.size() >= 3 && bytes[0] == 0xff && bytes[1] == 0xd8 && bytes[2] == 0xff) {
        if (reachesAScan(bytes))
            return decodeJpeg(bytes);
        SDL_SetError(unsupported);
        return nullptr;
    }
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return readBmp(bytes);
    SDL_SetError(unsupported);
    return nullptr;
}
