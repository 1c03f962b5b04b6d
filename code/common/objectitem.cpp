// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/objectitem.h"

#include <GL/glew.h>

#include "common/mesh.h"

ObjectItem::ObjectItem() : sizeValue(0.0f), models{nullptr, nullptr, nullptr}, texture(0), modelType(0), modelScale(0.0f)
{
    setSize(4.0f);
}

ObjectItem::~ObjectItem()
{
    freeModels();
}

void ObjectItem::freeModels()
{
    for (CMesh*& m : models) {
        delete m;
        m = nullptr;
    }
}

float ObjectItem::size() const
{
    return sizeValue;
}

void ObjectItem::setSize(float s)
{
    sizeValue = s;
}

void ObjectItem::draw(int lod)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    models[lod]->render();
    glBindTexture(GL_TEXTURE_2D, 0);
}

void ObjectItem::loadModels(int type)
{
    freeModels();
    for (int lod = 0; lod < 3; ++lod) {
        models[lod] = new CMesh();
        models[lod]->load(type, lod, modelScale == 0.0f ? 2.0f : modelScale);
    }
}

int32_t ObjectItem::powerupKind() const
{
    return 0;
}

void ObjectItem::boundingBox(float*, float*)
{
}
