// SPDX-License-Identifier: GPL-3.0-or-later
// ObjectItem: the template of a drawable thing in the play field: a model at
// three levels of detail and a texture, plus the points it is worth. List
// entries link to a template and give it a place; many entries may share one.
//
// Whoever creates an item owns it (the trash list its templates, a text entry
// its text). The models need a current OpenGL context to load and draw.
#pragma once

#include <cstdint>

class CMesh;

class ObjectItem {
public:
    ObjectItem();
    virtual ~ObjectItem();
    ObjectItem(const ObjectItem&) = delete;
    ObjectItem& operator=(const ObjectItem&) = delete;

    virtual float size() const;
    virtual void setSize(float s);
    // Binds the texture and renders models[lod]; the matrices are the caller's.
    virtual void draw(int lod);
    virtual void loadModels(int type);
    virtual int32_t powerupKind() const;
    // Fills the item's box; only text items have one.
    virtual void boundingBox(float min[3], float max[3]);

    void setTexture(unsigned int name) { texture = name; }
    unsigned int getTexture() const { return texture; }

    float sizeValue;
    CMesh* models[3];
    unsigned int texture;
    int32_t modelType;
    float modelScale;

protected:
    void freeModels();
};
