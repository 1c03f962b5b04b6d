// SPDX-License-Identifier: GPL-3.0-or-later
// TextObject: a short string drawn as extruded 3D text, the item of the
// level banner. Owned by the one list entry that shows it; it owns its font.
// Making one needs the font file; drawing needs a current OpenGL context.
#pragma once

#include "common/objectitem.h"

class FTFont;

class TextObject : public ObjectItem {
public:
    TextObject(const char* text, unsigned int texture);
    ~TextObject() override;

    void draw(int lod) override;
    void boundingBox(float min[3], float max[3]) override;

    const char* getText() const { return text; }

private:
    FTFont* font;
    char text[64];
};
