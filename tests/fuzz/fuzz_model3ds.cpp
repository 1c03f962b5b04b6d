// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the model file reader's core. Any accepted model must
// only name vertices it holds.
#include <cstdlib>

#include "common/model3ds.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    model3ds::Geometry geometry;
    const model3ds::Result result = model3ds::parse(data, size, geometry);
    if (result.status == model3ds::Status::ok) {
        for (uint32_t index : geometry.faces)
            if (index >= geometry.vertices.size())
                std::abort();
        if (geometry.name[99] != '\0')
            std::abort();
    }
    return 0;
}
