// SPDX-License-Identifier: GPL-3.0-or-later
// Software surfaces for the web build. Emscripten's SDL keeps each surface
// in a 2D canvas, copies it in and out on lock and unlock, and refuses that
// in an OpenGL program; the game's surfaces are only decoded images on
// their way to a texture, so here they are plain memory, as SDL's are on
// the desktop. These definitions take the place of Emscripten's.
#include <SDL/SDL.h>

#include <cstdlib>

extern "C" {

SDL_Surface* SDL_CreateRGBSurface(Uint32 flags, int width, int height, int depth, Uint32 rmask,
                                  Uint32 gmask, Uint32 bmask, Uint32 amask)
{
    if (width < 0 || height < 0 || (depth != 8 && depth != 16 && depth != 24 && depth != 32)) {
        SDL_SetError("Unsupported surface %dx%d at %d bits", width, height, depth);
        return nullptr;
    }
    auto* surface = static_cast<SDL_Surface*>(std::calloc(1, sizeof(SDL_Surface)));
    auto* format = static_cast<SDL_PixelFormat*>(std::calloc(1, sizeof(SDL_PixelFormat)));
    surface->flags = flags;
    surface->format = format;
    surface->w = width;
    surface->h = height;
    surface->pitch = (width * (depth / 8) + 3) & ~3;
    surface->pixels = std::calloc(size_t(surface->pitch) * height + 1, 1);
    surface->clip_rect = SDL_Rect{0, 0, Uint16(width), Uint16(height)};
    surface->refcount = 1;
    format->BitsPerPixel = Uint8(depth);
    format->BytesPerPixel = Uint8(depth / 8);
    format->Rmask = rmask;
    format->Gmask = gmask;
    format->Bmask = bmask;
    format->Amask = amask;
    if (depth == 8) {
        format->palette = static_cast<SDL_Palette*>(std::calloc(1, sizeof(SDL_Palette)));
        format->palette->ncolors = 256;
        format->palette->colors = static_cast<SDL_Color*>(std::calloc(256, sizeof(SDL_Color)));
    }
    return surface;
}

void SDL_FreeSurface(SDL_Surface* surface)
{
    if (!surface)
        return;
    if (surface->format->palette)
        std::free(surface->format->palette->colors);
    std::free(surface->format->palette);
    std::free(surface->format);
    std::free(surface->pixels);
    std::free(surface);
}

int SDL_LockSurface(SDL_Surface* surface)
{
    ++surface->locked;
    return 0;
}

void SDL_UnlockSurface(SDL_Surface* surface)
{
    if (surface->locked > 0)
        --surface->locked;
}

} // extern "C"
