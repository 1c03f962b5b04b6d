// SPDX-License-Identifier: GPL-3.0-or-later
// The trash list: everything that moves in the play field but the ship and
// the backdrop. TrashList owns the item templates and the entries; each entry
// (TrashListItem) links to a template, or owns its text item, and carries its
// place, motion and state. Each frame the list moves every entry, tests it
// against the catcher funnel, turns contacts into catches, hits and pick-ups
// through the game state, shrinks caught entries away, drops those that have
// passed the camera, and then runs the level schedule that spawns new ones.
//
// One list exists, made by start-up after the textures (its templates load
// models and textures, so a context must be current) and deleted by
// shutdown. update() runs once per frame unless paused or stopped.
#pragma once

#include <cstdint>
#include <list>
#include <vector>

#include "common/placement.h"

class ObjectItem;
class TrashItem;
class PowerupItem;
class CatcherFunnel;

enum EntryKind : int32_t {
    KIND_TRASH = 0,
    KIND_HAZARD = 1,
    KIND_DEBRIS = 2,
    KIND_POWERUP = 3,
    KIND_TEXT = 5,
};

class TrashListItem : public Placement {
public:
    // Placed at the spawn depth, -50.
    TrashListItem(ObjectItem* item, int32_t kind);
    // Placed at half the given distance (text entries: 25).
    TrashListItem(ObjectItem* item, int32_t kind, float distance);
    ~TrashListItem();
    TrashListItem(const TrashListItem&) = delete;
    TrashListItem& operator=(const TrashListItem&) = delete;

    void reset(float end, float start);
    void update(const float catcher[3]);
    float value() const;
    void draw();
    // The debris shard as triangles already carried by the entry's transform,
    // for a glBegin(GL_TRIANGLES) the caller has opened.
    void emitDebrisTriangles() const;

    bool active = false;
    bool caught = false;
    bool collected = false;
    float shape[4] = {0, 0, 0, 0};
    ObjectItem* item;
    int32_t kind;
};

// The debris shard of the given shape in its own coordinates, as triangles
// (3 or 12 vertices, the strip's windings kept); returns the vertex count.
int debrisShard(const float shape[4], float triangles[12][3]);

// Playing frames counted toward the next powerup, and travel left before
// the next hazard: they run on across levels for the whole process.
extern int32_t powerupFrames;
extern float hazardDistance;

class TrashList {
public:
    TrashList(float clockStart, float unused);
    ~TrashList();
    TrashList(const TrashList&) = delete;
    TrashList& operator=(const TrashList&) = delete;

    void update(const CatcherFunnel& catcher);
    void draw();

    void spawnTrash();
    void spawnHazard();
    void spawnPowerup();
    void spawnDebris();
    void addText(const char* text);
    void scatter();

    std::list<TrashListItem*> entries;
    TrashListItem* lastHazard = nullptr;
    TrashListItem* lastTrash = nullptr;
    std::vector<TrashItem*> trashTemplates;
    std::vector<TrashItem*> hazardTemplates;
    std::vector<PowerupItem*> powerupTemplates;
    float clock;

private:
    void runSchedule();
    void append(TrashListItem* entry);
};

extern TrashList* trashList;
