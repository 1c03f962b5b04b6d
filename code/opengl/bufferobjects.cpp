// SPDX-License-Identifier: GPL-3.0-or-later
#include "opengl/bufferobjects.h"

#include <cassert>
#include <cstring>

#include "opengl/glutil.h"

FramebufferSet* framebufferSet = nullptr;
unsigned int blurTextures[5] = {0, 0, 0, 0, 0};
int32_t blurIndex = 0;
int32_t blurCount = 0;

static const int ringSize = 5;
static const int targetSize = 256;

FramebufferSet::~FramebufferSet()
{
    delete[] framebuffers;
}

void FramebufferSet::createFramebuffers(const unsigned int* textures, int)
{
    framebuffers = new GLuint[ringSize];
    glGenRenderbuffersEXT(1, &depthBuffer);
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, depthBuffer);
    glGenFramebuffersEXT(ringSize, framebuffers);
    for (int i = 0; i < ringSize; ++i) {
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffers[i]);
        glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT, targetSize, targetSize);
        glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D,
                                  textures[i], 0);
        glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                                     depthBuffer);
        const GLenum status = glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT);
        assert(status == GL_FRAMEBUFFER_COMPLETE_EXT);
        (void)status;
    }
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    skipsEmptyTiles = renderer && (std::strstr(renderer, "llvmpipe") || std::strstr(renderer, "softpipe"));
}

void FramebufferSet::bindFramebuffer(int i)
{
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffers[i]);
    glPushAttrib(GL_VIEWPORT_BIT);
    glViewport(0, 0, targetSize, targetSize);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void FramebufferSet::unbindFramebuffer()
{
    glPopAttrib();
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
}

void FramebufferSet::noteFilledTiles(int i)
{
    if (!skipsEmptyTiles)
        return;
    readBack.resize(static_cast<size_t>(targetSize) * targetSize * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, targetSize, targetSize, GL_RGBA, GL_UNSIGNED_BYTE, readBack.data());
    filled[i] = TileMask::ofAlpha(readBack.data(), targetSize);
    known[i] = true;
}

void FramebufferSet::maskEmptyTiles(int count, int width, int height) const
{
    if (!skipsEmptyTiles)
        return;
    TileMask reach;
    for (int i = 0; i < count; ++i)
        reach = reach.united(known[i] ? filled[i] : TileMask::all());
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_ENABLE_BIT | GL_VIEWPORT_BIT);
    glViewport(0, 0, width, height);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_ALWAYS);
    glUseProgramObjectARB(0);
    pushIdentityMatrices();
    glBegin(GL_QUADS);
    // Each row's runs of empty tiles as one quad: fewer vertices, the same pixels.
    const float step = 2.0f / TileMask::side;
    for (int y = 0; y < TileMask::side; ++y)
        for (int x = 0; x < TileMask::side;) {
            if (reach.at(x, y)) {
                ++x;
                continue;
            }
            int end = x + 1;
            while (end < TileMask::side && !reach.at(end, y))
                ++end;
            const float x0 = -1.0f + x * step, x1 = -1.0f + end * step, y0 = -1.0f + y * step;
            glVertex3f(x0, y0, -0.5f);
            glVertex3f(x1, y0, -0.5f);
            glVertex3f(x1, y0 + step, -0.5f);
            glVertex3f(x0, y0 + step, -0.5f);
            x = end;
        }
    glEnd();
    popIdentityMatrices();
    glPopAttrib();
}
