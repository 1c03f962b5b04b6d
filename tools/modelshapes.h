// SPDX-License-Identifier: GPL-3.0-or-later
// The designs of the game's model files: soda can, tin can, snack packet,
// smoke can, wooden barrel, burned barrel, pizza slice and spaceship, built
// from lathes, discs, boxes and tubes with texture coordinates that wrap the
// round bodies (u around, v along the axis). Used by gen_models.
#pragma once

#include <string>
#include <vector>

#include "model3ds_writer.h"

namespace modelshapes {

struct ModelFile {
    std::string path; // relative to the staged tree's root, as the game names it after "../"
    model3ds::WriterMesh mesh;
};

std::vector<ModelFile> allModels();

} // namespace modelshapes
