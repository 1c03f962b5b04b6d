// SPDX-License-Identifier: GPL-3.0-or-later
// PowerupItem: the template of a pick-up; catching it tells the game state
// its powerup type (1 shield, 2 slow motion). Owned by the trash list.
#pragma once

#include "common/objectitem.h"

class PowerupItem : public ObjectItem {
public:
    PowerupItem(int modelType, unsigned int texture, int32_t powerupType);
    int32_t powerupKind() const override;

private:
    int32_t powerupType;
};
