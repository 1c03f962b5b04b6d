// SPDX-License-Identifier: GPL-3.0-or-later
// The shader programs, the trail's framebuffers, and a lit, textured sphere
// drawn through the play field's program, against the real driver.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "common/mesh.h"
#include "common/settings.h"
#include "common/textures.h"
#include "opengl/bufferobjects.h"
#include "opengl/shaders.h"
#include "support/gameprocess.h"
#include "support/glcontext.h"
#include "support/screenshot.h"
#include "support/stagecopy.h"
#include "support/xvfb.h"
#include "texturepaint.h"

namespace {

class Shaders : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        openGameWindow();
        testing::internal::CaptureStderr();
        loadShaders();
        buildLog() = testing::internal::GetCapturedStderr();
    }
    static void TearDownTestSuite() { unloadShaders(); }
    static std::string& buildLog()
    {
        static std::string log;
        return log;
    }
    void TearDown() override { glUseProgramObjectARB(0); }

    static float uniformFloat(GLhandleARB p, const char* name, int component = 0)
    {
        GLfloat v[4] = {-99, -99, -99, -99};
        glGetUniformfvARB(p, glGetUniformLocationARB(p, name), v);
        return v[component];
    }
    static int uniformInt(GLhandleARB p, const char* name)
    {
        GLint v = -99;
        glGetUniformivARB(p, glGetUniformLocationARB(p, name), &v);
        return v;
    }
};

} // namespace

TEST_F(Shaders, AllSevenProgramsBuildSilently)
{
    EXPECT_EQ(buildLog(), "");
    for (int id = 0; id < shaderCount; ++id)
        EXPECT_NE(shaderHandle(id), 0u) << shaderName(id);
    EXPECT_STREQ(shaderName(6), "texture_combe");
}

TEST_F(Shaders, EveryProgramTakesItsUniformsWithoutErrors)
{
    testing::internal::CaptureStdout();
    for (int id = 0; id < shaderCount; ++id) {
        useShader(id);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << shaderName(id);
    }
    testing::internal::GetCapturedStdout();
    EXPECT_GE(tangentAttribLocation, 0);
    EXPECT_EQ(tangentAttribLocation, glGetAttribLocationARB(shaderHandle(3), "tangent"));
}

TEST_F(Shaders, FadeOutAlfaReachesTheProgramThatIsCurrent)
{
    useShader(SHADER_PLANETS);
    setFadeOutAlfa(0.3f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_FLOAT_EQ(uniformFloat(shaderHandle(5), "FadeOutAlfa"), 0.3f);
    useShader(SHADER_DEFAULT_LIGHTING);
    setFadeOutAlfa(0.8f);
    EXPECT_FLOAT_EQ(uniformFloat(shaderHandle(0), "FadeOutAlfa"), 0.8f);
    setFadeOutAlfa(fadeOutAlfa);
}

TEST_F(Shaders, ASyntaxErrorLeavesTheProgramUnbuilt)
{
    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "broken-shaders";
    std::filesystem::create_directories(dir / "shaders");
    std::ofstream(dir / "shaders/broken.vert") << "void main() { gl_Position = ftransform(); }\n";
    std::ofstream(dir / "shaders/broken.frag") << "void main() { gl_FragColor = vec4(1.0) }\n";
    const std::string cwd = std::filesystem::current_path();
    ASSERT_EQ(chdir(dir.c_str()), 0);
    testing::internal::CaptureStderr();
    const GLhandleARB p = buildProgram("broken");
    const std::string err = testing::internal::GetCapturedStderr();
    ASSERT_EQ(chdir(cwd.c_str()), 0);
    EXPECT_EQ(p, 0u);
    EXPECT_EQ(err.rfind("could not compile fragment program: ", 0), 0u) << err;
    EXPECT_GT(err.size(), std::string("could not compile fragment program: ").size() + 5);
    EXPECT_EQ(err.find("vertex"), std::string::npos);
}

TEST(ShaderStartup, MissingFragmentSourceEndsStartUpAfterTheFirstProgram)
{
    StageCopy stage;
    ASSERT_TRUE(stage.remove("shaders/noise.frag"));
    XvfbServer x("320x200x24");
    GameProcess game(x.display(), {}, stage.gameDir());
    EXPECT_EQ(game.waitForExit(), 255);
    const auto& err = game.stderrLines();
    ASSERT_EQ(err.size(), 2u) << game.stderrText();
    EXPECT_EQ(err[0], "oops! cannot open shaders/noise.frag");
    EXPECT_EQ(err[1], "current workind directory " + stage.gameDir());
    EXPECT_EQ(game.stdoutText().find("loading sounds..."), std::string::npos);
}

TEST_F(Shaders, TrailFramebuffersAreCompleteAndKeepTheViewport)
{
    TextureTable table;
    unsigned int targets[5];
    for (unsigned int& t : targets)
        t = static_cast<unsigned int>(table.createRenderTarget(256, 256, nullptr));
    FramebufferSet set;
    set.createFramebuffers(targets, 5);
    for (int i = 0; i < 5; ++i) {
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, set.framebuffer(i));
        EXPECT_EQ(glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT),
                  static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE_EXT));
    }
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);

    glViewport(0, 0, 320, 200);
    set.bindFramebuffer(3);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 256);
    EXPECT_EQ(viewport[3], 256);
    // Draw a green square into the middle of ring position 3.
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor4f(0, 1, 0, 1);
    glRectf(-0.5f, -0.5f, 0.5f, 0.5f);
    glPopAttrib();
    set.unbindFramebuffer();
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 320);
    EXPECT_EQ(viewport[3], 200);

    std::vector<uint8_t> pixels(256 * 256 * 4);
    glBindTexture(GL_TEXTURE_2D, targets[3]);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    const uint8_t* centre = &pixels[(128 * 256 + 128) * 4];
    EXPECT_EQ(centre[0], 0);
    EXPECT_EQ(centre[1], 255);
    const uint8_t* corner = &pixels[(5 * 256 + 5) * 4];
    EXPECT_EQ(corner[1], 0);
    EXPECT_EQ(corner[3], 0);
}

TEST_F(Shaders, LitTexturedSphereThroughThePlayFieldProgram)
{
    TextureTable table;
    // Red and blue halves around the sphere.
    paint::Canvas stripes(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            stripes.set(x, y, (x / 8) % 2 ? paint::Colour{0.9f, 0.1f, 0.1f} : paint::Colour{0.1f, 0.2f, 0.9f});
    const std::vector<uint8_t> bytes = stripes.bytes();
    const int tex = table.createTexture(64, 64, GL_RGB, bytes.data());

    CMesh sphere;
    sphere.load(MODEL_SPHERE, 0, 2.0f);
    renderFlags = RENDER_BUFFER_OBJECTS;
    screenFade.fadeFactor = 1.0f;
    beginTestPicture(6.0f);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(tex));
    useShader(SHADER_DEFAULT_LIGHTING);
    sphere.render();
    glUseProgramObjectARB(0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glLoadIdentity();
    const Image shot = readFramebuffer();
    savePng(shot, testOutputPath("lit-textured-sphere.png"));
    screenFade.fadeFactor = 0.0f;

    // The light comes from (1, 1, 1): the upper right is brighter than the lower left.
    auto brightness = [&](int x0, int y0) {
        int sum = 0;
        for (int y = y0; y < y0 + 10; ++y)
            for (int x = x0; x < x0 + 10; ++x) {
                const Rgb p = shot.at(x, y);
                sum += std::max(p.r, p.b);
            }
        return sum / 100;
    };
    EXPECT_GT(brightness(180, 60), brightness(120, 130) + 40);
    // Both stripe colours show: it is textured.
    const int red = shot.count(0, 0, 320, 200, [](Rgb p) { return p.r > 80 && p.r > 2 * p.b; });
    const int blue = shot.count(0, 0, 320, 200, [](Rgb p) { return p.b > 80 && p.b > 2 * p.r; });
    EXPECT_GT(red, 800);
    EXPECT_GT(blue, 800);
}
