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
#include <vector>

#include "common/tilemask.h"

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

    // Where the CPU shades the pixels (Mesa's software rasterisers, as GL
    // names its renderer), the composite of slots 0 .. count-1 is shaded
    // only where one of them holds something: an empty texel blends to
    // exactly what lies beneath. noteFilledTiles reads back the bound slot i
    // just drawn; maskEmptyTiles then puts a near depth over the window
    // tiles no slot can reach, so the full-window quad (depth 0.5) fails
    // there before it is shaded. Elsewhere the read-back would stall a GPU
    // (or a browser's GPU process) for more than it saves, and both do
    // nothing.
    void noteFilledTiles(int i);
    void maskEmptyTiles(int count, int width, int height) const;

private:
    GLuint* framebuffers = nullptr;
    GLuint depthBuffer = 0;
    bool skipsEmptyTiles = false;
    TileMask filled[5];
    bool known[5] = {false, false, false, false, false};
    std::vector<unsigned char> readBack; // one slot's pixels, kept between frames
};

extern FramebufferSet* framebufferSet;

// The trail's ring: the five colour textures (made by start-up through the
// texture table), the slot the next frame goes into, and how many slots hold
// a frame of the running slow motion.
extern unsigned int blurTextures[5];
extern int32_t blurIndex;
extern int32_t blurCount;
