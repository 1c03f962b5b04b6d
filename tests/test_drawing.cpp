// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing with the real driver: start-up, the loading screen, the lighting
// program, the texture table, and the funnel's geometry.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iomanip>
#include <png.h>

#include "sys/imageload.h"

#include "support/gameprocess.h"
#include "support/ingame.h"
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

// GLEW's result on Wayland (entry points loaded, no GLX display) lets the game run.
TEST(GlUtilDeath, GlewFailuresEndStartUpExceptTheMissingGlxDisplay)
{
    checkGlewResult(GLEW_OK);
    checkGlewResult(GLEW_ERROR_NO_GLX_DISPLAY);
    EXPECT_EXIT(checkGlewResult(GLEW_ERROR_NO_GL_VERSION), testing::ExitedWithCode(1),
                "could not load the OpenGL entry points: Missing GL version");
}

TEST(GlUtil, LoadingScreenIsWhiteWithABlueLineAndItsCaption)
{
    openGameWindow();
    redrawLoadingScreen();
    const Image shot = readFramebuffer();
    auto blue = [](Rgb p) { return p.b > 200 && p.r < 150 && p.g < 150; };
    // The line 175 rows down, the caption below it from the left edge.
    EXPECT_GT(shot.count(0, 0, 320, 160, white), 320 * 160 * 95 / 100);
    EXPECT_GT(shot.count(0, 172, 320, 179, blue), 320 * 3);
    EXPECT_EQ(shot.count(0, 0, 320, 165, blue), 0);
    EXPECT_GT(shot.count(5, 179, 200, 200, blue), 40);
    EXPECT_EQ(shot.count(220, 179, 320, 200, blue), 0);
}

// Broken sources are in the bad-asset table.
TEST(Shaders, BuildSilentlyAndLightBothFacesOfWhatTheyTexture)
{
    openGameWindow();
    testing::internal::CaptureStderr();
    loadShaders();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    // Lit from (1, 1, 1): upper right brighter than lower left, both stripes showing.
    paint::Canvas stripes(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            stripes.set(x, y, (x / 8) % 2 ? paint::Colour{0.9f, 0.1f, 0.1f} : paint::Colour{0.1f, 0.2f, 0.9f});
    TextureTable table;
    const int tex = table.createTexture(64, 64, GL_RGB, stripes.bytes().data());
    CMesh sphere;
    sphere.load(MODEL_SPHERE, 0, 2.0f);
    renderFlags = RENDER_BUFFER_OBJECTS;
    auto draw = [&](const std::function<void()>& what) {
        beginTestPicture(6.0f);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(tex));
        useShader(SHADER_DEFAULT_LIGHTING);
        what();
        glUseProgramObjectARB(0);
        glBindTexture(GL_TEXTURE_2D, 0);
        return readFramebuffer();
    };
    const Image shot = draw([&] { sphere.render(); });
    auto lit = [&](int x0, int y0) {
        return shot.count(x0, y0, x0 + 10, y0 + 10, [](Rgb p) { return std::max(p.r, p.b) > 120; });
    };
    EXPECT_GT(lit(180, 60), lit(120, 130) + 30);
    EXPECT_GT(shot.count(0, 0, 320, 200, [](Rgb p) { return p.r > 80 && p.r > 2 * p.b; }), 800);
    EXPECT_GT(shot.count(0, 0, 320, 200, [](Rgb p) { return p.b > 80 && p.b > 2 * p.r; }), 800);

    // A back face, its normal turned away from the eye, is lit as the front face beside it.
    glDisable(GL_CULL_FACE);
    const Image faces = draw([] {
        const float quads[2][4][2] = {{{-3, -1}, {-1, -1}, {-1, 1}, {-3, 1}}, {{1, -1}, {1, 1}, {3, 1}, {3, -1}}};
        glBegin(GL_QUADS);
        for (int q = 0; q < 2; ++q) { // counter-clockwise on the left, clockwise on the right
            glNormal3f(0.0f, 0.0f, q ? -1.0f : 1.0f);
            for (const auto& v : quads[q])
                glVertex2fv(v);
        }
        glEnd();
    });
    const int front = brightness(faces.mean(80, 80, 125, 120)), back = brightness(faces.mean(195, 80, 240, 120));
    EXPECT_GT(front, 60);
    EXPECT_NEAR(back, front, front / 10);
    unloadShaders();
}

// Values worked out by hand from the noise formula; slots 3 to 5 hold one channel over 48.
TEST(Textures, NoiseTexturesHoldTheirValuesInTheirSlots)
{
    openGameWindow();
    TextureTable table;
    const int pixels[][3] = {{0, 0, 140},     {0, 1, 142},     {4, 4, 129}, {100, 37, 146},
                             {255, 255, 138}, {128, 200, 132}, {7, 250, 117}};
    int w, h;
    for (int slot : {1, 3, 4, 5}) {
        const std::vector<uint8_t> image = readBack(table.nameAt(slot), w, h);
        ASSERT_EQ(w, 256);
        for (const auto& p : pixels) // row, column, value
            for (int b = 0; b < 3; ++b)
                EXPECT_EQ(image[(p[0] * 256 + p[1]) * 4 + b], slot == 1 || b == slot - 3 ? p[2] : 48)
                    << "slot " << slot << " at " << p[0] << ", " << p[1];
    }
}

// Every kind of image a player may put in place of the game's loads as
// SDL_image loads it on Linux, or is refused in the same words (the Windows
// build decodes them itself): red left, blue right to the last row, BMP's
// bytes swapped and rows of 25 pixels (75 bytes) padded.
TEST(Textures, EachImageKindLoadsTheRightWayRoundOrIsRefusedAlike)
{
    openGameWindow();
    TextureTable table;
    paint::Canvas c(25, 5);
    std::vector<uint8_t> rgba, bmp32, grey(125, 90);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 25; ++x) {
            c.set(x, y, x < 12 ? paint::Colour{1, 0, 0} : paint::Colour{0, 0, 1});
            rgba.insert(rgba.end(), {uint8_t(x < 12 ? 255 : 0), 0, uint8_t(x < 12 ? 0 : 255), 255});
            bmp32.insert(bmp32.end(), {uint8_t(x < 12 ? 0 : 255), 0, uint8_t(x < 12 ? 255 : 0), 255});
        }
    const std::string dir = testing::TempDir() + "/";
    auto pngImage = [&](const std::string& name, png_uint_32 format, const std::vector<uint8_t>& pixels) {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        image.width = 25, image.height = 5, image.format = format;
        png_image_write_to_file(&image, (dir + name).c_str(), 0, pixels.data(), 0, nullptr);
    };
    paint::saveBmp(c, dir + "swap.bmp"), paint::savePng(c, dir + "keep.png"), paint::saveJpeg(c, dir + "keep.jpg", 100);
    pngImage("alpha.png", PNG_FORMAT_RGBA, rgba);
    pngImage("grey.png", PNG_FORMAT_GRAY, grey);
    // A 32-bit BMP: its two headers, then blue, green, red and alpha.
    std::string wide = "BM";
    auto le = [&](uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            wide += char(v >> (8 * i));
    };
    le(54 + uint32_t(bmp32.size()), 4), le(0, 4), le(54, 4), le(40, 4), le(25, 4), le(5, 4), le(1, 2), le(32, 2);
    wide.resize(54, '\0');
    std::ofstream(dir + "wide.bmp", std::ios::binary) << wide + std::string(bmp32.begin(), bmp32.end());
    SDL_Surface* indexed = SDL_CreateRGBSurface(SDL_SWSURFACE, 25, 5, 8, 0, 0, 0, 0);
    SDL_SaveBMP(indexed, (dir + "indexed.bmp").c_str());
    SDL_FreeSurface(indexed);
    for (const char* cut : {"swap.bmp", "keep.png"})
        std::ofstream(dir + "cut-" + cut, std::ios::binary) << readFile(dir + cut).substr(0, readFile(dir + cut).size() / 2);
    std::ofstream(dir + "noise.jpg", std::ios::binary) << std::string(300, '\x5a');
    const char* unable = "Unable to load texture image: ";
    const std::pair<std::string, std::string> kinds[] = {
        {"swap.bmp", ""}, {"keep.png", ""}, {"keep.jpg", ""}, {"alpha.png", ""}, {"wide.bmp", ""},
        {"grey.png", "Wrong expected 24/32 bits perpixel, got: 8! "}, {"indexed.bmp", "Wrong expected 24/32 bits perpixel, got: 8! "},
        {"cut-keep.png", unable + dir + "cut-keep.png, Error reading the PNG file."},
        {"cut-swap.bmp", unable + dir + "cut-swap.bmp, Error reading from datastream"},
        {"noise.jpg", unable + dir + "noise.jpg, Unsupported image format"},
        {"none.png", unable + dir + "none.png, Couldn't open " + dir + "none.png"}};
    for (const auto& [name, refusal] : kinds) {
        testing::internal::CaptureStderr();
        const int texture = table.load((dir + name).c_str(), 0);
        const std::string err = testing::internal::GetCapturedStderr();
        if (!refusal.empty()) {
            EXPECT_TRUE(hasLine(err, refusal)) << name << ": " << err; // libpng may speak first
            EXPECT_EQ(texture, -1) << name;
            continue;
        }
        int w, h;
        const std::vector<uint8_t> data = readBack(texture, w, h);
        ASSERT_GT(w, 8) << name << ": " << err;
        for (int y = 0; y < h; ++y) {
            EXPECT_GT(data[y * w * 4], 200) << name << " row " << y;
            EXPECT_LT(data[y * w * 4 + 2], 50) << name << " row " << y;
            EXPECT_GT(data[(y * w + w - 1) * 4 + 2], 200) << name << " row " << y;
        }
    }
}

// A zoo of images as paint programs write them (scripts/test-windows.sh makes
// it): each one's surface, format and bytes, or its refusal, as one line of a
// listing. The script compares the Linux build's listing (SDL_image) with the
// Windows build's (its own decoders), run under Wine.
TEST(Textures, ListsHowEachImageOfAZooDecodes)
{
    const char* zoo = std::getenv("DRIFTHAUL_IMAGE_ZOO");
    const char* listing = std::getenv("DRIFTHAUL_IMAGE_LISTING");
    if (!zoo || !listing)
        GTEST_SKIP() << "run by scripts/test-windows.sh with a zoo";
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(zoo))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::ofstream out(listing, std::ios::binary);
    for (const std::string& name : names) {
        SDL_Surface* s = loadImageFile((std::string(zoo) + "/" + name).c_str());
        out << name << ' ';
        if (!s) {
            out << "refused: " << SDL_GetError() << '\n';
            continue;
        }
        const SDL_PixelFormat* f = s->format;
        out << s->w << 'x' << s->h << ' ' << int(f->BitsPerPixel) << std::hex << std::setfill('0') << " masks "
            << f->Rmask << ' ' << f->Gmask << ' ' << f->Bmask << ' ' << f->Amask << " palette";
        for (int i = 0; f->palette && i < f->palette->ncolors; ++i)
            out << ' ' << std::setw(2) << int(f->palette->colors[i].r) << std::setw(2) << int(f->palette->colors[i].g)
                << std::setw(2) << int(f->palette->colors[i].b);
        out << " bytes ";
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w * f->BytesPerPixel; ++x)
                out << std::setw(2) << int(static_cast<const uint8_t*>(s->pixels)[y * s->pitch + x]);
        out << std::dec << '\n';
        SDL_FreeSurface(s);
    }
    EXPECT_TRUE(out.good());
    EXPECT_FALSE(names.empty());
}

// Across by a quintic, the radius by a cubic, straight in depth: ring 2 tells them apart.
TEST(FunnelGeometry, TubeRunsFromBesideTheCameraToTheFunnelAlongItsCurves)
{
    GameState state;
    state.phase = PHASE_PLAYING;
    CatcherFunnel funnel(&state);
    // Ring, centre x, y, z, radius.
    const float rings[][5] = {{0, 1, -1, -1, 0.05f}, {2, 0.94208f, -0.94208f, -1.8f, 0.1592f}, {5, 0.5f, -0.5f, -3, 0.575f},
                              {10, 0, 0, -5, 1.1f}};
    float points[funnelRings][funnelRingPoints][3];
    funnel.computeRings(points);
    for (const auto& r : rings) {
        const auto& ring = points[static_cast<int>(r[0])];
        float c[3] = {0, 0, 0};
        for (int k = 0; k < funnelRingPoints; ++k)
            for (int a = 0; a < 3; ++a)
                c[a] += ring[k][a] / funnelRingPoints;
        for (int a = 0; a < 3; ++a)
            EXPECT_NEAR(c[a], r[a + 1], 1e-4f) << "ring " << r[0];
        // Each ring starts at angle 0, to the right of its centre.
        EXPECT_NEAR(ring[0][0] - c[0], r[4], 1e-4f) << "ring " << r[0];
        EXPECT_NEAR(ring[0][1], c[1], 1e-4f) << "ring " << r[0];
    }

    // A fifth of the remaining way each frame; the near end follows the camera.
    state.moveTarget(10.0f, 0.0f);
    funnel.update();
    EXPECT_FLOAT_EQ(funnel.position[0], 2.0f);
    funnel.update();
    EXPECT_FLOAT_EQ(funnel.position[0], 3.6f);
    for (int i = 0; i < 40 && state.targetMoved; ++i)
        funnel.update();
    EXPECT_FALSE(state.targetMoved);
    EXPECT_NEAR(funnel.position[0], 10.0f, 0.1f);
    state.shipPosition[0] = -10.0f;
    funnel.computeRings(points);
    EXPECT_NEAR(points[0][0][0], 11.05f, 1e-4f);
}
