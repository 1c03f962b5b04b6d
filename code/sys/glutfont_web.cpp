// SPDX-License-Identifier: GPL-3.0-or-later
// The web build's GLUT bitmap text, drawn as freeglut draws it (one glBitmap
// per glyph, the pixel store set inside a pushed client state) from
// freeglut's own glyph tables, so the text matches the desktop's.
#include <GL/freeglut.h>

struct GlutFont {
    char* name;
    int quantity;
    int height;
    const GLubyte** characters;
    float xorig, yorig;
};
extern "C" GlutFont fgFontFixed8x13;
extern "C" GlutFont fgFontHelvetica18;

static const GlutFont* fontById(void* id)
{
    if (id == GLUT_BITMAP_8_BY_13)
        return &fgFontFixed8x13;
    if (id == GLUT_BITMAP_HELVETICA_18)
        return &fgFontHelvetica18;
    return nullptr;
}

void glutInit(int*, char**) {}

void glutBitmapCharacter(void* id, int character)
{
    const GlutFont* font = fontById(id);
    if (!font || character < 1 || character > 255)
        return;
    const GLubyte* face = font->characters[character];
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBitmap(face[0], font->height, font->xorig, font->yorig, static_cast<float>(face[0]), 0.0f, face + 1);
    glPopClientAttrib();
}

// The widest line's width, as freeglut measures it.
int glutBitmapLength(void* id, const unsigned char* text)
{
    const GlutFont* font = fontById(id);
    if (!font || !text)
        return 0;
    int length = 0;
    int line = 0;
    for (; *text; ++text) {
        if (*text == '\n') {
            line = 0;
            continue;
        }
        line += font->characters[*text][0];
        if (line > length)
            length = line;
    }
    return length;
}
