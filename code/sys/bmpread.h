// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a BMP file's bytes into a new surface as SDL's own reader does, or
// returns null with SDL's error set. Windows uses SDL's reader
// (bmpread_sdl.cpp); the web's SDL has none that works on bytes, so the web
// build reads the uncompressed kinds itself (bmpread_own.cpp): 8-bit
// palettised, 24 and 32 bits, bottom-up or top-down, with SDL's surfaces
// (blue first in memory) and SDL's words for what it refuses.
#pragma once

#include <SDL/SDL.h>

#include <vector>

SDL_Surface* readBmp(const std::vector<unsigned char>& bytes);
