// SPDX-License-Identifier: GPL-3.0-or-later
// TextureTable: every OpenGL texture of the game, in 20 fixed slots.
//
// Start-up creates the one table after the OpenGL set-up (its construction
// makes the four noise textures, so a context must be current) and stores it
// in textureTable; shutdown deletes it, which deletes its textures. Names are
// handed out as signed integers: -1 a failed load, 0 no texture. Slots never
// change owner; a re-load into an existing name takes no slot.
#pragma once

#include <GL/glew.h>
#include <cstdint>

struct SDL_Surface;

const unsigned int textureCapacity = 20;

class TextureTable {
public:
    TextureTable();
    ~TextureTable();
    TextureTable(const TextureTable&) = delete;
    TextureTable& operator=(const TextureTable&) = delete;

    int load(const char* path, int reuseName);
    int createTexture(int width, int height, GLenum format, const void* pixels);
    int createRenderTarget(int width, int height, const void* pixels);
    int updateTexture(int width, int height, GLenum format, const void* pixels, int name);
    int nameAt(unsigned int slot) const { return static_cast<int>(names[slot]); }
    void deleteAll();

    unsigned int size() const { return count; }

    // Decodes an image file and swaps a BMP's bytes to red first; null (with
    // the message) on failure. The caller frees the surface.
    static SDL_Surface* loadImage(const char* path);

    // The noise of the procedural textures, exposed for their tests.
    static float latticeNoise(int32_t x, int32_t y);
    static float smoothNoise(int32_t x, int32_t y);
    static float interpolatedNoise(float x, float y, float f);
    static float noiseSample(float x, float y, float offset, float f, float amplitude);
    // The 256 x 256 grey image the four noise textures derive from (RGB bytes).
    static void generateNoiseImage(uint8_t* rgb);

private:
    void generateNoiseTextures();

    unsigned int count = 0;
    GLuint names[textureCapacity] = {};
};

extern TextureTable* textureTable;
