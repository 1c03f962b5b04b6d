// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/tilemask.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace {

using Tiles = std::set<std::pair<int, int>>;

Tiles filledTiles(const TileMask& m)
{
    Tiles out;
    for (int y = 0; y < TileMask::side; ++y)
        for (int x = 0; x < TileMask::side; ++x)
            if (m.at(x, y))
                out.insert({x, y});
    return out;
}

} // namespace

// A 256 x 256 image makes tiles of 8 texels. A texel also fills the tile
// beside it when a pixel there samples it bilinearly; a tile left out wrongly
// would cut a piece off the trail.
TEST(TileMask, ATexelFillsTheTilesThatSampleIt)
{
    const int size = 256;
    const struct {
        int x, y;
        unsigned char alpha;
        Tiles tiles;
    } cases[] = {
        {0, 0, 255, {{0, 0}}},
        {7, 0, 1, {{0, 0}, {1, 0}}},
        {8, 0, 255, {{0, 0}, {1, 0}}},
        {100, 23, 255, {{12, 2}, {12, 3}}},
        {255, 255, 255, {{31, 31}}},
        {255, 128, 255, {{31, 15}, {31, 16}}},
        {100, 100, 0, {}}, // colour without alpha composites to nothing
    };
    for (const auto& c : cases) {
        std::vector<unsigned char> rgba(size * size * 4, 0);
        unsigned char* texel = &rgba[(static_cast<size_t>(c.y) * size + c.x) * 4];
        texel[0] = texel[1] = texel[2] = 200;
        texel[3] = c.alpha;
        EXPECT_EQ(filledTiles(TileMask::ofAlpha(rgba.data(), size)), c.tiles) << c.x << "," << c.y;
    }
}
