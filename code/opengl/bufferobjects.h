// SPDX-License-Identifier: GPL-3.0-or-later
// FramebufferSet: the five 256 x 256 off-screen framebuffers of the
// slow-motion trail, one per ring position, sharing one depth renderbuffer.
// Their colour images are the blur textures of the texture table.
//
// Created once at start-up after the texture table and left to process exit;
// bindFramebuffer and unbindFramebuffer are called in pairs within a frame.
#pragma once

#include <GL/glew.h>

#include <cstdint>

class FramebufferSet {
public:
    FramebufferSet() = default;
    // Frees the name array; the GL objects go with the context.
    ~FramebufferSet();
    FramebufferSet(const FramebufferSet&) = delete;
    FramebufferSet& operator=(const FramebufferSet&) = delete;

    void createFramebuffers(const unsigned int* textures, int count);
    void bindFramebuffer(int i);
    void unbindFramebuffer();

    GLuint framebuffer(int i) const { return framebuffers ? framebuffers[i] : 0; }

private:
    GLuint* framebuffers = nullptr;
    GLuint depthBuffer = 0;
};

extern FramebufferSet* framebufferSet;

// The trail's ring: the five colour textures (made by start-up through the
// texture table), the slot the next frame goes into, and how many slots hold
// a frame of the running slow motion.
extern unsigned int blurTextures[5];
extern int32_t blurIndex;
extern int32_t blurCount;
