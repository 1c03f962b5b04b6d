// SPDX-License-Identifier: GPL-3.0-or-later
// TrashItem: the template of a piece of trash or a hazard rock, and the two
// geometric rules on list entries: the contact test with the catcher funnel
// and the separation of fresh trash from the last hazard.
//
// Both rules read the entry's position and its item's finest model (radius
// and box); neither applies the entry's scale or rotation. They need no
// OpenGL context.
#pragma once

#include "common/objectitem.h"

class TrashListItem;

class TrashItem : public ObjectItem {
public:
    // A rock (model type 4) draws its own scale in [3, 10] before loading.
    TrashItem(int modelType, unsigned int texture);
};

bool touches(const TrashListItem& entry, const float point[3], float margin);
void separate(const TrashListItem* hazard, TrashListItem* trash);
