// SPDX-License-Identifier: GPL-3.0-or-later
// The video-mode choice over the lists SDL can give, and the window on
// drivers without the deep buffers.
#include <gtest/gtest.h>

#include <SDL/SDL_opengl.h>

#include "sdl/video.h"
#include "support/gameprocess.h"
#include "support/xvfb.h"

TEST(VideoMode, KeepsAListedSizeElseTakesTheLastListed)
{
    SDL_Rect big{0, 0, 1024, 768}, asked{0, 0, 320, 200}, mid{0, 0, 640, 480};
    SDL_Rect* withAsked[] = {&big, &asked, &mid, nullptr};
    SDL_Rect* without[] = {&big, &mid, nullptr};
    const struct { SDL_Rect** modes; int width, height; const char *out, *err; } cases[] = {{withAsked, 320, 200, "", ""},
                 {without, 640, 480, "", "Setting found available mode: 640x480\n"},
                 {reinterpret_cast<SDL_Rect**>(-1), 320, 200, "All resolutions available.\n", ""}};
    for (const auto& c : cases) {
        int width = 320, height = 200;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        chooseVideoModeFrom(c.modes, width, height);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.out);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.err);
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(height, c.height);
    }
    SDL_Rect* empty[] = {nullptr};
    int w = 320, h = 200;
    EXPECT_EXIT(chooseVideoModeFrom(empty, w, h), testing::ExitedWithCode(2),
                "There does not seem to be any available modes! oops!!");
    EXPECT_EXIT(chooseVideoModeFrom(nullptr, w, h), exitedMinusOne, "");
}

// Link seams play a driver without 32 depth bits (Mesa 25, Xwayland): a mode
// call asking for more than maxDepth fails; GL reports glDepthBits where set.
static int maxDepth = 24, askedDepth = 0;
static GLint glDepthBits = 0;
extern "C" {
int __real_SDL_GL_SetAttribute(SDL_GLattr attribute, int value);
SDL_Surface* __real_SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags);
void __real_glGetIntegerv(GLenum name, GLint* value);
int __wrap_SDL_GL_SetAttribute(SDL_GLattr attribute, int value)
{
    if (attribute == SDL_GL_DEPTH_SIZE)
        askedDepth = value;
    return __real_SDL_GL_SetAttribute(attribute, value);
}
SDL_Surface* __wrap_SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags)
{
    return askedDepth > maxDepth ? nullptr : __real_SDL_SetVideoMode(width, height, bpp, flags);
}
void __wrap_glGetIntegerv(GLenum name, GLint* value)
{
    __real_glGetIntegerv(name, value);
    if (name == GL_DEPTH_BITS && glDepthBits)
        *value = glDepthBits;
}
}

// One line, and only where the player may see a difference.
TEST(VideoMode, OpensWithLessDepthAndSaysSoOnlyBelow24Bits)
{
    useSharedTestDisplay();
    EXPECT_EXIT((setupVideo(false), std::exit(windowDepthBits < 24)), testing::ExitedWithCode(0), "^$");
    glDepthBits = 16;
    EXPECT_EXIT((setupVideo(false), std::exit(windowDepthBits != 16)), testing::ExitedWithCode(0),
                "^OpenGL window has only a 16-bit depth buffer: distant surfaces may show through nearer ones\n$");
    maxDepth = 0;
    EXPECT_EXIT(setupVideo(false), testing::ExitedWithCode(2), "Couldn't set 320x200 windowed OpenGL video mode: ");
}
