// SPDX-License-Identifier: GPL-3.0-or-later
// TileMask: which of the 32 x 32 tiles of a square image a bilinear
// magnification of it may draw anything in, so that work over the others can
// be skipped. Built from the image's alpha: a tile counts as filled when one
// of its texels, or one next to its edge, has any.
#pragma once

#include <cstdint>

class TileMask {
public:
    static const int side = 32;

    static TileMask all();
    // rgba: size x size pixels, 4 bytes each, rows from the bottom as GL
    // reads them back; size is a multiple of side.
    static TileMask ofAlpha(const unsigned char* rgba, int size);

    bool at(int x, int y) const { return (rows[y] >> x) & 1u; }
    TileMask united(const TileMask& other) const;

private:
    uint32_t rows[side] = {};
};
