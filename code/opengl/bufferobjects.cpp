// SPDX-License-Identifier: GPL-3.0-or-later
#include "opengl/bufferobjects.h"

#include <cassert>

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
