// SPDX-License-Identifier: GPL-3.0-or-later
// The contact test and the separation rule at the boundaries that matter,
// on entries linked to hand-made templates (no OpenGL needed).
#include <gtest/gtest.h>

#include "common/mesh.h"
#include "common/objectitem.h"
#include "common/trashitem.h"
#include "common/trashlist.h"

#include <cmath>

namespace {

// A template whose finest model is a sphere of radius r in a box of half-size r.
struct Template : ObjectItem {
    explicit Template(float r)
    {
        models[0] = new CMesh();
        models[0]->radius = r;
        for (int k = 0; k < 3; ++k) {
            models[0]->bbox_min[k] = -r;
            models[0]->bbox_max[k] = r;
        }
    }
};

struct Entry {
    Template item;
    TrashListItem entry;
    Entry(float r, float x, float y, float z) : item(r), entry(&item, KIND_HAZARD)
    {
        entry.setPosition(x, y, z);
    }
};

} // namespace

TEST(ContactTest, DepthGateAtTenUnits)
{
    Entry big(100.0f, 0.0f, 0.0f, -10.0f);
    const float funnel[3] = {0.0f, 0.0f, -10.0f};
    EXPECT_TRUE(touches(big.entry, funnel, 0.0f));
    big.entry.setPosition(0.0f, 0.0f, -10.001f);
    EXPECT_FALSE(touches(big.entry, funnel, 0.0f));
    big.entry.setPosition(0.0f, 0.0f, -40.0f);
    const float deep[3] = {0.0f, 0.0f, -40.0f};
    EXPECT_FALSE(touches(big.entry, deep, 0.0f));
}

TEST(ContactTest, APointExactlyOneRadiusAwayTouches)
{
    Entry e(2.0f, 1.0f, 1.0f, -5.0f);
    const float onSphere[3] = {3.0f, 1.0f, -5.0f};
    EXPECT_TRUE(touches(e.entry, onSphere, 0.0f));
    const float beyond[3] = {3.001f, 1.0f, -5.0f};
    EXPECT_FALSE(touches(e.entry, beyond, 0.0f));
    // A margin widens the reach.
    EXPECT_TRUE(touches(e.entry, beyond, 0.01f));
    const float inside[3] = {1.5f, 0.5f, -4.0f};
    EXPECT_TRUE(touches(e.entry, inside, 0.0f));
}

TEST(Separation, OverlappingTrashIsPushedAwayOnce)
{
    Entry hazard(2.0f, 0.0f, 0.0f, -50.0f);
    Entry trash(2.0f, 1.0f, -2.0f, -50.0f);
    separate(&hazard.entry, &trash.entry);
    EXPECT_EQ(trash.entry.position[0], 2.0f);
    EXPECT_EQ(trash.entry.position[1], -4.0f);
    EXPECT_EQ(trash.entry.position[2], -50.0f);
    // Still overlapping (distance 4.47 > 4? no: the rule runs once and checks nothing more).
    separate(&hazard.entry, &trash.entry);
    EXPECT_EQ(trash.entry.position[0], 2.0f);
}

TEST(Separation, TouchingSpheresAndSharedAxesStayPut)
{
    Entry hazard(2.0f, 0.0f, 0.0f, -50.0f);
    Entry touching(2.0f, 4.0f, 0.0f, -50.0f);
    separate(&hazard.entry, &touching.entry);
    EXPECT_EQ(touching.entry.position[0], 4.0f);

    Entry stacked(2.0f, 0.0f, 0.0f, -48.0f);
    separate(&hazard.entry, &stacked.entry);
    EXPECT_EQ(stacked.entry.position[0], 0.0f);
    EXPECT_EQ(stacked.entry.position[1], 0.0f);
    EXPECT_EQ(stacked.entry.position[2], -48.0f);

    separate(nullptr, &stacked.entry);
    EXPECT_EQ(stacked.entry.position[2], -48.0f);
}

TEST(EntryPlacement, TrashNeverStartsNearTheCentreLine)
{
    Template t(1.0f);
    for (int i = 0; i < 2000; ++i) {
        TrashListItem e(&t, KIND_TRASH);
        EXPECT_GE(std::fabs(e.position[0]), 1.5f);
        EXPECT_LE(std::fabs(e.position[0]), 8.0f);
        EXPECT_LE(std::fabs(e.position[1]), 1.5f);
        EXPECT_EQ(e.position[2], -50.0f);
        EXPECT_EQ(e.endZ, -1.0f);
        for (float s : e.shape) {
            EXPECT_GE(s, 0.2f);
            EXPECT_LE(s, 1.2f);
        }
        for (float r : e.rotation) {
            EXPECT_GE(r, 0.0f);
            EXPECT_LE(r, 360.0f);
        }
    }
}

TEST(EntryPlacementDeath, AnEntryWithoutAnItemShutsTheGameDown)
{
    EXPECT_EXIT(TrashListItem(nullptr, KIND_TRASH), testing::ExitedWithCode(1), "monkey did not catch the tarsh!");
}
