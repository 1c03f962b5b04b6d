// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the game's model files under a staged tree's root.
// Usage: gen_models <stage root>
#include <cstdio>
#include <filesystem>

#include "modelshapes.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <stage root>\n", argv[0]);
        return 2;
    }
    for (const auto& model : modelshapes::allModels()) {
        const std::filesystem::path path = std::filesystem::path(argv[1]) / model.path;
        std::filesystem::create_directories(path.parent_path());
        if (!model3ds::writeFile(model.mesh, path.string())) {
            std::fprintf(stderr, "gen_models: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
