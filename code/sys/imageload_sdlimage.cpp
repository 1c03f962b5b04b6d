// SPDX-License-Identifier: GPL-3.0-or-later
#include "sys/imageload.h"

#include <SDL/SDL_image.h>

SDL_Surface* loadImageFile(const char* path)
{
    return IMG_Load(path);
}
