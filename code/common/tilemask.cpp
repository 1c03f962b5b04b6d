// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/tilemask.h"

#include <cassert>

TileMask TileMask::all()
{
    TileMask m;
    for (uint32_t& r : m.rows)
        r = 0xffffffffu;
    return m;
}

TileMask TileMask::ofAlpha(const unsigned char* rgba, int size)
{
    assert(size % side == 0);
    const int tile = size / side;
    // Per texel row, the tiles its filled texels reach across: a tile's own,
    // and the tile beside an edge texel, whose edge pixels sample it too.
    // A row at a tile row's edge reaches the tile row beside it likewise.
    TileMask m;
    for (int y = 0; y < size; ++y) {
        const unsigned char* row = rgba + static_cast<long>(y) * size * 4;
        uint32_t any = 0, first = 0, last = 0;
        for (int t = 0; t < side; ++t) {
            const unsigned char* texels = row + t * tile * 4;
            unsigned char alpha = 0;
            for (int k = 0; k < tile; ++k)
                alpha |= texels[4 * k + 3];
            any |= static_cast<uint32_t>(alpha != 0) << t;
            first |= static_cast<uint32_t>(texels[3] != 0) << t;
            last |= static_cast<uint32_t>(texels[4 * (tile - 1) + 3] != 0) << t;
        }
        const uint32_t reach = any | (last << 1) | (first >> 1);
        const int ty = y / tile;
        m.rows[ty] |= reach;
        if (y % tile == 0 && ty > 0)
            m.rows[ty - 1] |= reach;
        if (y % tile == tile - 1 && ty + 1 < side)
            m.rows[ty + 1] |= reach;
    }
    return m;
}

TileMask TileMask::united(const TileMask& other) const
{
    TileMask m;
    for (int y = 0; y < side; ++y)
        m.rows[y] = static_cast<uint32_t>(rows[y] | other.rows[y]);
    return m;
}
