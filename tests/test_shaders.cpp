// SPDX-License-Identifier: GPL-3.0-or-later
// The shader programs against the real driver: they build silently, and the
// play field's program lights and textures both faces of what it draws
// (broken sources are in the bad-asset table).
#include <gtest/gtest.h>

#include "common/mesh.h"
#include "common/settings.h"
#include "common/textures.h"
#include "opengl/shaders.h"
#include "support/glcontext.h"
#include "support/screenshot.h"
#include "texturepaint.h"

TEST(Shaders, BuildSilentlyAndLightBothFacesOfWhatTheyTexture)
{
    openGameWindow();
    testing::internal::CaptureStderr();
    loadShaders();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    // A sphere striped red and blue through the play field's program: lit
    // from (1, 1, 1), so its upper right is brighter than its lower left, and
    // both stripes show.
    paint::Canvas stripes(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            stripes.set(x, y, (x / 8) % 2 ? paint::Colour{0.9f, 0.1f, 0.1f} : paint::Colour{0.1f, 0.2f, 0.9f});
    TextureTable table;
    const int tex = table.createTexture(64, 64, GL_RGB, stripes.bytes().data());
    CMesh sphere;
    sphere.load(MODEL_SPHERE, 0, 2.0f);
    renderFlags = RENDER_BUFFER_OBJECTS;
    beginTestPicture(6.0f);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(tex));
    useShader(SHADER_DEFAULT_LIGHTING);
    sphere.render();
    glUseProgramObjectARB(0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glLoadIdentity();
    const Image shot = readFramebuffer();
    savePng(shot, testOutputPath("lit-textured-sphere.png"));
    auto lit = [&](int x0, int y0) {
        return shot.count(x0, y0, x0 + 10, y0 + 10, [](Rgb p) { return std::max(p.r, p.b) > 120; });
    };
    EXPECT_GT(lit(180, 60), lit(120, 130) + 30);
    EXPECT_GT(shot.count(0, 0, 320, 200, [](Rgb p) { return p.r > 80 && p.r > 2 * p.b; }), 800);
    EXPECT_GT(shot.count(0, 0, 320, 200, [](Rgb p) { return p.b > 80 && p.b > 2 * p.r; }), 800);

    // A back face, its normal turned away from the eye, is lit as the front
    // face beside it.
    beginTestPicture(6.0f);
    glDisable(GL_CULL_FACE);
    useShader(SHADER_DEFAULT_LIGHTING);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(tex));
    const float quads[2][4][2] = {{{-3, -1}, {-1, -1}, {-1, 1}, {-3, 1}}, {{1, -1}, {1, 1}, {3, 1}, {3, -1}}};
    glBegin(GL_QUADS);
    for (int q = 0; q < 2; ++q) { // counter-clockwise on the left, clockwise on the right
        glNormal3f(0.0f, 0.0f, q ? -1.0f : 1.0f);
        for (const auto& v : quads[q])
            glVertex2fv(v);
    }
    glEnd();
    glUseProgramObjectARB(0);
    glBindTexture(GL_TEXTURE_2D, 0);
    const Image faces = readFramebuffer();
    savePng(faces, testOutputPath("front-and-back-face.png"));
    const int front = brightness(faces.mean(80, 80, 125, 120)), back = brightness(faces.mean(195, 80, 240, 120));
    EXPECT_GT(front, 60);
    EXPECT_NEAR(back, front, front / 10);
    unloadShaders();
}
