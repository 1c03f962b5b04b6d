// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/textobject.h"
#include "common/fatal.h"

#include <GL/glew.h>
#include <FTGL/ftgl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static const char* const fontPath = "../fonts/Action Man Bold.ttf";

TextObject::TextObject(const char* s, unsigned int tex) : font(nullptr), text{}
{
    setTexture(tex);
    font = new FTGLExtrdFont(fontPath);
    if (font->Error()) {
        std::fprintf(stderr, "Failed to open font %s", fontPath);
        exitGame(1);
    }
    font->FaceSize(18, 72);
    font->UseDisplayList(true);
    static_cast<FTGLExtrdFont*>(font)->Depth(5.0f);
    std::strncpy(text, s, sizeof text - 1);
    text[sizeof text - 1] = '\0';
}

TextObject::~TextObject()
{
    delete font;
}

void TextObject::draw(int)
{
    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D, texture);
    font->Render(text);
    glPopMatrix();
}

void TextObject::boundingBox(float min[3], float max[3])
{
    const FTBBox box = font->BBox(text);
    min[0] = box.Lower().Xf();
    min[1] = box.Lower().Yf();
    min[2] = box.Lower().Zf();
    max[0] = box.Upper().Xf();
    max[1] = box.Upper().Yf();
    max[2] = box.Upper().Zf();
}
