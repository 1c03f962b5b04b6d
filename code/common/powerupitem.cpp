// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/powerupitem.h"

PowerupItem::PowerupItem(int type, unsigned int tex, int32_t kind)
{
    modelType = type;
    setTexture(tex);
    powerupType = kind;
    loadModels(modelType);
}

int32_t PowerupItem::powerupKind() const
{
    return powerupType;
}
