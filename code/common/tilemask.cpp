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
    TileMask m;
    // A texel also fills the tiles whose edge pixels sample it bilinearly.
    for (int y = 0; y < size; ++y) {
        const unsigned char* row = rgba + static_cast<long>(y) * size * 4;
        for (int x = 0; x < size; ++x)
            if (row[4 * x + 3] != 0)
                for (int ty = (y > 0 ? y - 1 : 0) / tile; ty <= (y + 1 < size ? y + 1 : y) / tile; ++ty)
                    for (int tx = (x > 0 ? x - 1 : 0) / tile; tx <= (x + 1 < size ? x + 1 : x) / tile; ++tx)
                        m.rows[ty] |= 1u << tx;
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
