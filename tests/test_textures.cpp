// SPDX-License-Identifier: GPL-3.0-or-later
// The texture table against the real driver: capacity, re-use, the BMP byte
// swap, depth checks, the noise textures, and every generated image file.
#include <gtest/gtest.h>

#include <GL/glew.h>
#include <SDL/SDL.h>
#include <SDL/SDL_image.h>

#include <set>
#include <string>
#include <vector>

#include "common/textures.h"
#include "support/glcontext.h"
#include "texturepaint.h"

namespace {

class Textures : public ::testing::Test {
protected:
    void SetUp() override { openGameWindow(); }

    // Level 0 of a texture, read back as RGBA bytes.
    static std::vector<uint8_t> readBack(int name, int& w, int& h)
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

    // A small image with a pure red left half and a blue right half, written
    // by SDL_image's own encoders' counterparts.
    static std::string writeRedBlue(const std::string& name, int width)
    {
        paint::Canvas c(width, 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < width; ++x)
                c.set(x, y, x < width / 2 ? paint::Colour{1, 0, 0} : paint::Colour{0, 0, 1});
        const std::string path = testing::TempDir() + "/" + name;
        if (name.find(".png") != std::string::npos)
            paint::savePng(c, path);
        else if (name.find(".jpg") != std::string::npos)
            paint::saveJpeg(c, path, 100);
        else
            paint::saveBmp(c, path);
        return path;
    }
};

} // namespace

TEST_F(Textures, ConstructionMakesFourNoiseTexturesInTheirSlots)
{
    TextureTable table;
    EXPECT_EQ(table.size(), 6u);
    EXPECT_EQ(table.nameAt(0), 0);
    EXPECT_EQ(table.nameAt(2), 0);
    std::set<int> names;
    for (unsigned s : {1u, 3u, 4u, 5u}) {
        EXPECT_GT(table.nameAt(s), 0);
        names.insert(table.nameAt(s));
    }
    EXPECT_EQ(names.size(), 4u);

    int w, h;
    const std::vector<uint8_t> grey = readBack(table.nameAt(1), w, h);
    ASSERT_EQ(w, 256);
    ASSERT_EQ(h, 256);
    std::vector<uint8_t> expected(256 * 256 * 3);
    TextureTable::generateNoiseImage(expected.data());
    int low = 0, high = 0;
    for (int p = 0; p < 256 * 256; ++p) {
        ASSERT_EQ(grey[p * 4], expected[p * 3]);
        ASSERT_EQ(grey[p * 4], grey[p * 4 + 2]);
        low += grey[p * 4] < 110;
        high += grey[p * 4] > 150;
    }
    // The octaves spread the values around the middle of the range.
    EXPECT_GT(low, 3000);
    EXPECT_GT(high, 3000);
    // Red, green, blue: each keeps its own byte of the grey image, 48 elsewhere.
    for (int k = 0; k < 3; ++k) {
        const std::vector<uint8_t> tinted = readBack(table.nameAt(3 + k), w, h);
        for (int p = 0; p < 256 * 256; p += 97)
            for (int b = 0; b < 3; ++b)
                ASSERT_EQ(tinted[p * 4 + b], b == k ? grey[p * 4] : 48) << "slot " << 3 + k;
    }
}

TEST_F(Textures, TheTwentyFirstTextureIsRefused)
{
    TextureTable table;
    const uint8_t pixel[4] = {1, 2, 3, 4};
    for (unsigned i = table.size(); i < 15; ++i)
        EXPECT_GT(table.createTexture(1, 1, GL_RGBA, pixel), 0);
    for (unsigned i = table.size(); i < textureCapacity; ++i)
        EXPECT_GT(table.createRenderTarget(4, 4, nullptr), 0);
    EXPECT_EQ(table.size(), 20u);
    testing::internal::CaptureStderr();
    EXPECT_EQ(table.createTexture(1, 1, GL_RGBA, pixel), -1);
    EXPECT_EQ(table.createRenderTarget(4, 4, nullptr), -1);
    EXPECT_EQ(table.load("../textures/powerups/red-cross-50.png", 0), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Too many textures already loaded - cannot load any anymore!\n"
              "Too many textures already loaded - cannot load any anymore!\n"
              "Too many textures already loaded - cannot load any anymore!\n");
    EXPECT_EQ(table.size(), 20u);
    table.deleteAll();
    EXPECT_EQ(table.size(), 0u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Textures, LoadTakesASlotUnlessItReusesAName)
{
    enterStageDirectory();
    TextureTable table;
    const int first = table.load("../textures/powerups/red-cross-50.png", 0);
    EXPECT_GT(first, 0);
    EXPECT_EQ(table.size(), 7u);
    EXPECT_GT(table.load("../textures/powerups/blue_trash_can.jpg", -1), 0);
    EXPECT_EQ(table.size(), 8u);
    EXPECT_EQ(table.load("../textures/environment/non-2powern/venusmap.jpg", first), first);
    EXPECT_EQ(table.size(), 8u);
    int w, h;
    readBack(first, w, h);
    // The mipmap builder rescales the 600 x 300 image to powers of two.
    EXPECT_EQ(w, 512);
    EXPECT_EQ(h, 256);
}

TEST_F(Textures, BmpPathsAreByteSwappedOthersAreNot)
{
    TextureTable table;
    for (const char* name : {"swap.bmp", "keep.png", "keep.jpg"}) {
        const std::string path = writeRedBlue(name, 8);
        const int tex = table.load(path.c_str(), 0);
        ASSERT_GT(tex, 0) << name;
        int w, h;
        const std::vector<uint8_t> data = readBack(tex, w, h);
        ASSERT_EQ(w, 8);
        for (int y = 0; y < h; ++y) {
            EXPECT_GT(data[(y * w) * 4 + 0], 200) << name << " left should be red, row " << y;
            EXPECT_LT(data[(y * w) * 4 + 2], 50) << name;
            EXPECT_GT(data[(y * w + w - 1) * 4 + 2], 200) << name << " right should be blue";
        }
    }
}

TEST_F(Textures, BmpSwapStepsOverPaddedRows)
{
    // Five 24-bit pixels make 15 bytes a row, padded to 16.
    const std::string odd = writeRedBlue("odd.bmp", 5);
    SDL_Surface* s = TextureTable::loadImage(odd.c_str());
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->pitch, 16);
    for (int y = 0; y < s->h; ++y) {
        const uint8_t* row = static_cast<const uint8_t*>(s->pixels) + y * s->pitch;
        EXPECT_EQ(row[0], 255) << "row " << y;
        EXPECT_EQ(row[2], 0) << "row " << y;
        EXPECT_EQ(row[4 * 3 + 2], 255) << "row " << y;
        EXPECT_EQ(row[4 * 3 + 0], 0) << "row " << y;
    }
    SDL_FreeSurface(s);
}

TEST_F(Textures, WrongDepthAndMissingFilesAreReportedAndTakeNoSlot)
{
    TextureTable table;
    SDL_Surface* grey = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 8, 0, 0, 0, 0);
    const std::string path = testing::TempDir() + "/palette.bmp";
    ASSERT_EQ(SDL_SaveBMP(grey, path.c_str()), 0);
    SDL_FreeSurface(grey);
    testing::internal::CaptureStderr();
    EXPECT_EQ(table.load(path.c_str(), 0), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Wrong expected 24/32 bits perpixel, got: 8! " + path + "\n");

    testing::internal::CaptureStderr();
    EXPECT_EQ(table.load("/nonexistent/picture.jpg", 0), -1);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.rfind("Unable to load texture image: /nonexistent/picture.jpg, ", 0), 0u) << err;
    EXPECT_GT(err.size(), std::string("Unable to load texture image: /nonexistent/picture.jpg, \n").size());
    EXPECT_EQ(table.size(), 6u);
}

TEST(GeneratedTextures, EveryFileDecodesWithItsSizeAndDepth)
{
    enterStageDirectory();
    struct Expect {
        const char* path;
        int width, height, bpp;
    };
    const Expect files[] = {
        {"../models/trash/soda/can.jpg", 512, 256, 24},
        {"../textures/trash/cans/cokecanskin.jpg", 512, 256, 24},
        {"../textures/trash/fumican/normal.jpg", 256, 256, 24},
        {"../textures/trash/barrels/barrelad.bmp", 256, 256, 24},
        {"../textures/trash/barrels/barrdiff.bmp", 256, 256, 24},
        {"../textures/environment/FlareSun.bmp", 256, 256, 24},
        {"../textures/environment/Earth_Day.bmp", 512, 256, 24},
        {"../textures/environment/non-2powern/mars_1k_color.jpg", 500, 250, 24},
        {"../textures/environment/non-2powern/venusmap.jpg", 600, 300, 24},
        {"../textures/powerups/red-cross-50.png", 50, 50, 32},
        {"../textures/powerups/blue_trash_can.jpg", 50, 50, 24},
    };
    for (const Expect& e : files) {
        SDL_Surface* s = IMG_Load(e.path);
        ASSERT_NE(s, nullptr) << e.path << ": " << IMG_GetError();
        EXPECT_EQ(s->w, e.width) << e.path;
        EXPECT_EQ(s->h, e.height) << e.path;
        EXPECT_EQ(s->format->BitsPerPixel, e.bpp) << e.path;
        SDL_FreeSurface(s);
    }
}

TEST(GeneratedTextures, PicturesHaveTheirCharacter)
{
    // The Earth is mostly blue water with white poles; the cross is red on clear.
    const auto all = paint::allTextures();
    auto find = [&](const std::string& path) -> const paint::Canvas& {
        for (const auto& t : all)
            if (t.path == path)
                return t.canvas;
        static paint::Canvas none(1, 1);
        return none;
    };
    const paint::Canvas& earth = find("textures/environment/Earth_Day.bmp");
    int blue = 0, pole = 0;
    for (int y = 0; y < earth.height; ++y)
        for (int x = 0; x < earth.width; ++x) {
            const paint::Colour c = earth.get(x, y);
            blue += c.b > c.r + 0.1f && c.b > c.g;
            if (y < 8)
                pole += c.r > 0.85f && c.g > 0.85f && c.b > 0.85f;
        }
    EXPECT_GT(blue, earth.width * earth.height * 35 / 100);
    EXPECT_GT(pole, earth.width * 8 * 80 / 100);
    const paint::Canvas& cross = find("textures/powerups/red-cross-50.png");
    EXPECT_EQ(cross.get(1, 1).a, 0.0f);
    EXPECT_GT(cross.get(25, 25).r, 0.8f);
    EXPECT_LT(cross.get(25, 25).g, 0.1f);
    EXPECT_EQ(cross.get(25, 25).a, 1.0f);
}
