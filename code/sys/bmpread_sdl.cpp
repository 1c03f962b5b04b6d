// SPDX-License-Identifier: GPL-3.0-or-later
#include "sys/bmpread.h"

SDL_Surface* readBmp(const std::vector<unsigned char>& bytes)
{
    return SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
}
