// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/trashitem.h"

#include <cmath>

#include "common/mesh.h"
#include "common/trashlist.h"
#include "common/numeric.h"

TrashItem::TrashItem(int type, unsigned int tex)
{
    setTexture(tex);
    modelType = type;
    if (type == MODEL_LUMPY_SPHERE)
        modelScale = static_cast<float>(3.0 + 7.0 * (gameRand() / 32767.0));
    loadModels(modelType);
}

bool touches(const TrashListItem& entry, const float p[3], float r)
{
    if (-entry.position[2] > 10.0f)
        return false;
    CMesh* model = entry.item->models[0];
    const float d[3] = {entry.position[0] - p[0], entry.position[1] - p[1], entry.position[2] - p[2]};
    const float distance = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    if (distance - model->getRadius() > r)
        return false;
    float* lower;
    float* upper;
    model->getBoundingBox(lower, upper);
    for (int k = 0; k < 3; ++k) {
        const float e = std::fmin(lower[k] - d[k], d[k] - upper[k]);
        if (e < r)
            return true;
    }
    return false;
}

void separate(const TrashListItem* hazard, TrashListItem* trash)
{
    if (!hazard)
        return;
    const float d[3] = {trash->position[0] - hazard->position[0], trash->position[1] - hazard->position[1],
                        trash->position[2] - hazard->position[2]};
    const float dist = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    const float reach = hazard->item->models[0]->getRadius() + trash->item->models[0]->getRadius();
    if (reach > dist)
        trash->setPosition(trash->position[0] + d[0], trash->position[1] + d[1], trash->position[2]);
}
