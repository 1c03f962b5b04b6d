// SPDX-License-Identifier: GPL-3.0-or-later
// Paints the game's textures into a staged tree's root.
// Usage: gen_textures <stage root>
#include <cstdio>

#include "texturepaint.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <stage root>\n", argv[0]);
        return 2;
    }
    for (const paint::TextureFile& file : paint::allTextures()) {
        if (!paint::save(file, argv[1])) {
            std::fprintf(stderr, "gen_textures: cannot write %s\n", file.path.c_str());
            return 1;
        }
    }
    // The desktop's icon, and the one the Windows build puts in the program.
    if (!paint::save({"icons/org.drifthaul.Drifthaul.png", paint::appIcon()}, argv[1]) ||
        !paint::save({"icons/drifthaul.ico", paint::appIcon()}, argv[1])) {
        std::fprintf(stderr, "gen_textures: cannot write the icons\n");
        return 1;
    }
    return 0;
}
