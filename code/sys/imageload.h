// SPDX-License-Identifier: GPL-3.0-or-later
// Decodes an image file (BMP, PNG or JPEG, told by its first bytes, not its
// name) into a new SDL surface, or returns null with SDL's error set.
//
// Linux builds use SDL_image (imageload_sdlimage.cpp). Windows builds, which
// have no SDL_image, decode with libpng, libjpeg and SDL's own BMP reader
// (imageload_decoders.cpp) and give the same surfaces and messages: 24-bit
// RGB from JPEG and RGB PNG, 32-bit RGBA from PNG with alpha, 8-bit
// palettised from grey and palette PNG, BMP as SDL reads it (blue first).
#pragma once

#include <SDL/SDL.h>

SDL_Surface* loadImageFile(const char* path);
