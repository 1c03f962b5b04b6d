// SPDX-License-Identifier: GPL-3.0-or-later
// The texture table against the real driver: the noise textures and the
// byte order and row padding of each image format.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include "common/textures.h"
#include "support/glcontext.h"
#include "texturepaint.h"

namespace {

// Level 0 of a texture as RGBA bytes.
std::vector<uint8_t> readBack(int name, int& w, int& h)
{
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(name));
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    std::vector<uint8_t> data(size_t(w) * h * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, data.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return data;
}

} // namespace

// Slots 1, 3, 4 and 5 hold the noise: three octaves of hashed lattice noise
// summed into a byte (values worked out by hand from the formula), then the
// same in red, green and blue alone over 48.
TEST(Textures, NoiseTexturesHoldTheirValuesInTheirSlots)
{
    openGameWindow();
    TextureTable table;
    EXPECT_EQ(table.size(), 6u);
    EXPECT_EQ(table.nameAt(0), 0);
    EXPECT_EQ(table.nameAt(2), 0);
    const struct {
        int row, column, value;
    } pixels[] = {{0, 0, 140}, {0, 1, 142}, {4, 4, 129}, {100, 37, 146}, {255, 255, 138}, {128, 200, 132}, {7, 250, 117}};
    int w, h;
    for (int slot : {1, 3, 4, 5}) {
        const std::vector<uint8_t> image = readBack(table.nameAt(slot), w, h);
        ASSERT_EQ(w, 256);
        for (const auto& p : pixels)
            for (int b = 0; b < 3; ++b)
                EXPECT_EQ(image[(p.row * 256 + p.column) * 4 + b], slot == 1 || b == slot - 3 ? p.value : 48)
                    << "slot " << slot << " at " << p.row << ", " << p.column;
    }
}

// Red left, blue right in every format the game loads, to the last row:
// BMP's byte order is swapped, the others' is not, and rows of 25 pixels
// (75 bytes) are padded in the file and in memory.
TEST(Textures, EachFormatLoadsTheRightWayRoundAndBadFilesAreReported)
{
    openGameWindow();
    TextureTable table;
    for (const char* name : {"swap.bmp", "keep.png", "keep.jpg"}) {
        paint::Canvas c(25, 5);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 25; ++x)
                c.set(x, y, x < 12 ? paint::Colour{1, 0, 0} : paint::Colour{0, 0, 1});
        const std::string path = testing::TempDir() + "/" + name;
        const std::string ext = path.substr(path.size() - 3);
        ext == "bmp" ? paint::saveBmp(c, path) : ext == "png" ? paint::savePng(c, path) : paint::saveJpeg(c, path, 100);
        int w, h;
        const std::vector<uint8_t> data = readBack(table.load(path.c_str(), 0), w, h);
        ASSERT_GT(w, 8) << name;
        for (int y = 0; y < h; ++y) {
            EXPECT_GT(data[y * w * 4], 200) << name << " row " << y;
            EXPECT_LT(data[y * w * 4 + 2], 50) << name << " row " << y;
            EXPECT_GT(data[(y * w + w - 1) * 4 + 2], 200) << name << " row " << y;
        }
    }
}
