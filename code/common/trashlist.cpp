// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/trashlist.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "common/catcher.h"
#include "common/gamestate.h"
#include "common/powerupitem.h"
#include "common/textobject.h"
#include "common/textures.h"
#include "common/trashitem.h"
#include "common/numeric.h"
#include "common/scene.h"
#include "opengl/glutil.h"
#include "sdl/startup.h"
#include "common/fatal.h"

TrashList* trashList = nullptr;
int32_t powerupFrames = 0;
float hazardDistance = 0.0f;

namespace {

float fraction()
{
    return static_cast<float>(gameRand() / 32767.0);
}

float signedFraction()
{
    return 2.0f * fraction() - 1.0f;
}

// A pick from randomIndex(0, n) that stays inside the vector when the
// generator returns its largest value.
size_t pick(size_t n)
{
    const int i = randomIndex(0, static_cast<int>(n));
    return i >= static_cast<int>(n) ? n - 1 : static_cast<size_t>(i);
}

} // namespace

TrashListItem::TrashListItem(ObjectItem* linked, int32_t entryKind) : item(linked), kind(entryKind)
{
    if (!item) {
        std::fprintf(stderr, "monkey did not catch the tarsh!\n");
        shutDown();
        // The entry cannot be used any further: end here.
        exitGame(1);
    }
    reset(-1.0f, -50.0f);
}

TrashListItem::TrashListItem(ObjectItem* linked, int32_t entryKind, float distance)
    : item(linked), kind(entryKind)
{
    reset(-1.0f, -distance);
}

TrashListItem::~TrashListItem()
{
    if (kind == KIND_TEXT)
        delete item;
}

void TrashListItem::reset(float end, float start)
{
    if (kind == KIND_TEXT) {
        float lower[3] = {0, 0, 0};
        float upper[3] = {0, 0, 0};
        item->boundingBox(lower, upper);
        float extent[3];
        for (int k = 0; k < 3; ++k)
            extent[k] = (upper[k] - lower[k]) * 0.1f;
        setPosition(-extent[0] / 2, -extent[1] / 2, start / 2 - extent[2] / 2);
        setRotation(0.0f, 0.0f, 0.0f);
        scale[0] = scale[1] = scale[2] = 0.1f;
        endZ = end;
    } else {
        float x, y;
        switch (kind) {
        case KIND_TRASH:
            y = (fraction() - 0.5f) * 3.0f;
            x = signedFraction() * 5.0f;
            // Trash never starts within 1.5 of the centre line.
            if (x > 0)
                x += (fraction() + 1.0f) * 1.5f;
            else
                x -= (fraction() + 1.0f) * 1.5f;
            break;
        case KIND_HAZARD:
            if (fraction() > 0.7f) {
                // Aimed at the ship.
                y = -gameState.shipPosition[1] + signedFraction();
                x = -gameState.shipPosition[0] + signedFraction();
            } else {
                const float a = signedFraction();
                y = signedFraction() * a * 25.0f;
                x = signedFraction() * 15.0f;
            }
            break;
        case KIND_DEBRIS: {
            const float a = signedFraction();
            y = signedFraction() * a * 40.0f;
            const float b = signedFraction();
            x = signedFraction() * b * 40.0f;
            break;
        }
        default:
            y = (fraction() - 0.5f) * 3.0f;
            x = (fraction() - 0.5f) * 5.0f;
            break;
        }
        setPosition(x, y, start);
        const float rz = fraction() * 360.0f;
        const float ry = fraction() * 360.0f;
        const float rx = fraction() * 360.0f;
        setRotation(rx, ry, rz);
        if (kind == KIND_DEBRIS) {
            const float sz = signedFraction() * 0.1f;
            const float sy = signedFraction() * 0.2f;
            const float sx = signedFraction() * 0.1f;
            setSpin(sx, sy, sz);
        } else {
            const float sz = signedFraction();
            const float sy = 2.0f * signedFraction();
            const float sx = signedFraction();
            setSpin(sx, sy, sz);
        }
        endZ = end;
        scale[0] = scale[1] = scale[2] = 1.0f;
    }
    setVelocity(0.0f, 0.0f, 0.0f);
    collected = false;
    caught = false;
    active = true;
    for (float& s : shape)
        s = fraction() + 0.2f;
}

void TrashListItem::update(const float p[3])
{
    for (int k = 0; k < 3; ++k) {
        position[k] += velocity[k];
        position[k] += gameState.drift[k];
        rotation[k] += spin[k];
    }
    if (!caught && scale[0] > 0.1f && touches(*this, p, 0.0f)) {
        switch (kind) {
        case KIND_TRASH:
            caught = true;
            gameState.catchTrash(item->powerupKind());
            break;
        case KIND_HAZARD:
            if (gameState.powerupTimer != 0 && gameState.powerupType == POWERUP_SHIELD) {
                caught = true;
            } else {
                float direction[3] = {position[0] - p[0], position[1] - p[1], position[2] - p[2]};
                gameState.hit(direction);
            }
            break;
        case KIND_DEBRIS:
            break;
        case KIND_POWERUP:
            gameState.receivePowerup(item->powerupKind());
            break;
        default:
            std::cerr << __LINE__ << " line in trashlist.cpp: unknown item type " << kind << std::endl;
            break;
        }
        return;
    }
    if (caught) {
        for (float& s : scale)
            s /= 1.25f;
        if (scale[0] <= 0.1f) {
            caught = false;
            collected = true;
        }
    } else if (endZ < position[2]) {
        active = false;
    }
}

float TrashListItem::value() const
{
    return item ? item->size() : 1.0f;
}

// The entry's own transform as the GL matrix stack would build it: translate,
// the non-zero rotations about x, y and z, then the scale (column-major).
static void entryMatrix(const TrashListItem& e, float m[16])
{
    static const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    std::copy(identity, identity + 16, m);
    m[12] = e.position[0];
    m[13] = e.position[1];
    m[14] = e.position[2];
    for (int axis = 0; axis < 3; ++axis) {
        if (e.rotation[axis] == 0.0f)
            continue;
        const double radians = e.rotation[axis] * 3.14159265358979323846 / 180.0;
        const float s = static_cast<float>(std::sin(radians));
        const float c = static_cast<float>(std::cos(radians));
        // Rotating about one axis mixes the other two columns.
        const int a = (axis + 1) % 3;
        const int b = (axis + 2) % 3;
        for (int row = 0; row < 3; ++row) {
            const float ca = m[4 * a + row];
            const float cb = m[4 * b + row];
            m[4 * a + row] = ca * c + cb * s;
            m[4 * b + row] = cb * c - ca * s;
        }
    }
    if (e.scale[0] != 0.0f && e.scale[1] != 0.0f && e.scale[2] != 0.0f)
        for (int col = 0; col < 3; ++col)
            for (int row = 0; row < 3; ++row)
                m[4 * col + row] *= e.scale[col];
}

int debrisShard(const float shape[4], float triangles[12][3])
{
    static const float single[3][3] = {{0, 0, 0}, {0.5f, 0, 0}, {0, 1, 0}};
    static const float strip[6][3] = {{-1, 0, 0}, {-0.5f, 1, 0}, {0, 0, 0}, {0.5f, 1, 0}, {1.5f, 1, 0}, {0, 0, 1}};
    // The strip's triangles in the order and winding the strip gives them.
    static const int stripOrder[12] = {0, 1, 2, 2, 1, 3, 2, 3, 4, 4, 3, 5};
    if (shape[0] - shape[1] > 0) {
        for (int v = 0; v < 3; ++v)
            std::copy(single[v], single[v] + 3, triangles[v]);
        return 3;
    }
    for (int v = 0; v < 12; ++v)
        std::copy(strip[stripOrder[v]], strip[stripOrder[v]] + 3, triangles[v]);
    return 12;
}

void TrashListItem::emitDebrisTriangles() const
{
    float m[16];
    entryMatrix(*this, m);
    // The shard's normal (0, 0, 1) under the inverse transpose of the
    // rotation and scale; the shader normalises it.
    float normal[3] = {m[8], m[9], m[10]};
    if (scale[0] != 0.0f && scale[1] != 0.0f && scale[2] != 0.0f)
        for (float& n : normal)
            n /= scale[2] * scale[2];
    float local[12][3];
    const int n = debrisShard(shape, local);
    for (int v = 0; v < n; ++v) {
        const float* p = local[v];
        glNormal3fv(normal);
        glVertex3f(m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12], m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13],
                   m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14]);
    }
}

static void beginDebris()
{
    // Untextured and in the plain material, whatever the entry before wore.
    glBindTexture(GL_TEXTURE_2D, 0);
    setMaterial(0);
    glBegin(GL_TRIANGLES);
}

void TrashListItem::draw()
{
    glPushMatrix();
    glTranslatef(position[0], position[1], position[2]);
    if (rotation[0] != 0.0f)
        glRotatef(rotation[0], 1, 0, 0);
    if (rotation[1] != 0.0f)
        glRotatef(rotation[1], 0, 1, 0);
    if (rotation[2] != 0.0f)
        glRotatef(rotation[2], 0, 0, 1);
    glPushMatrix();
    if (scale[0] != 0.0f && scale[1] != 0.0f && scale[2] != 0.0f)
        glScalef(scale[0], scale[1], scale[2]);
    if (kind == KIND_DEBRIS) {
        // A shard of rock: one triangle or a small strip, by its shape; the
        // same triangles the batched draw emits.
        float local[12][3];
        const int n = debrisShard(shape, local);
        beginDebris();
        glNormal3f(0, 0, 1);
        for (int v = 0; v < n; ++v)
            glVertex3fv(local[v]);
        glEnd();
    } else if (item) {
        const int lod = position[2] < -35.0f ? 2 : position[2] < -20.0f ? 1 : 0;
        setMaterial(0); // the item binds its own texture
        item->draw(lod);
    } else {
        std::cerr << "no linked item to draw!" << std::endl;
    }
    glPopMatrix();
    glPopMatrix();
}

static int textureOrUntextured(const char* path)
{
    const int name = textureTable->load(path, 0);
    if (name < 0) {
        std::cerr << "Unable to load trash texture, drawing it untextured: " << path << std::endl;
        return 0;
    }
    return name;
}

TrashList::TrashList(float clockStart, float) : clock(clockStart)
{
    const unsigned int green = static_cast<unsigned int>(textureTable->nameAt(4));
    trashTemplates.push_back(new TrashItem(1, green));
    trashTemplates.push_back(new TrashItem(2, green));
    trashTemplates.push_back(new TrashItem(3, green));
    trashTemplates.push_back(new TrashItem(5, textureOrUntextured("../models/trash/soda/can.jpg")));
    trashTemplates.push_back(new TrashItem(6, textureOrUntextured("../textures/trash/cans/cokecanskin.jpg")));
    trashTemplates.push_back(new TrashItem(8, textureOrUntextured("../textures/trash/fumican/normal.jpg")));
    trashTemplates.push_back(new TrashItem(9, textureOrUntextured("../textures/trash/barrels/barrelad.bmp")));
    trashTemplates.push_back(new TrashItem(10, textureOrUntextured("../textures/trash/barrels/barrdiff.bmp")));
    // The rocks wear the grey noise by its slot: a literal name would be
    // whatever texture a driver happened to hand out first, or none at all.
    const unsigned int grey = static_cast<unsigned int>(textureTable->nameAt(1));
    for (int i = 0; i < 3; ++i)
        hazardTemplates.push_back(new TrashItem(4, grey));
    powerupTemplates.push_back(new PowerupItem(0, static_cast<unsigned int>(textureTable->nameAt(3)), 1));
    powerupTemplates.push_back(new PowerupItem(0, static_cast<unsigned int>(textureTable->nameAt(5)), 2));
    lastHazard = nullptr;
    lastTrash = nullptr;
    clock = clockStart;
}

TrashList::~TrashList()
{
    for (TrashItem*& t : trashTemplates)
        delete t;
    for (TrashItem*& t : hazardTemplates)
        delete t;
    for (PowerupItem*& t : powerupTemplates)
        delete t;
    trashTemplates.clear();
    hazardTemplates.clear();
    powerupTemplates.clear();
    for (TrashListItem* e : entries)
        delete e;
    entries.clear();
    lastHazard = lastTrash = nullptr;
}

void TrashList::append(TrashListItem* entry)
{
    entries.push_back(entry);
}

void TrashList::update(const CatcherFunnel& catcher)
{
    for (auto it = entries.begin(); it != entries.end();) {
        TrashListItem* entry = *it;
        entry->update(catcher.position);
        if (entry->caught) {
            gameState.addScore(entry->value());
        } else if (entry->collected) {
            gameState.checkLevelComplete(entry->value(), entry->position);
            entry->active = false;
        }
        if (!entry->active) {
            if (entry == lastHazard)
                lastHazard = nullptr;
            if (entry == lastTrash)
                lastTrash = nullptr;
            delete entry;
            it = entries.erase(it);
        } else {
            ++it;
        }
    }
    runSchedule();
}

void TrashList::runSchedule()
{
    if (gameState.phase == PHASE_PLAYING) {
        if (!gameState.bannerShown) {
            char banner[32];
            std::snprintf(banner, sizeof banner, "Level %d", gameState.levelIndex + 1);
            addText(banner);
            gameState.bannerShown = true;
        }
        clock += 0.4f;
        if (gameState.trashDue(clock))
            spawnTrash();
        if (gameState.powerupsEnabled()) {
            powerupFrames += 1;
            if (powerupFrames > 50) {
                spawnPowerup();
                powerupFrames = 0;
            }
        }
        hazardDistance -= gameState.drift[2];
        if (hazardDistance <= 0.0f && gameState.hazardSpacing() > 0.0) {
            spawnHazard();
            hazardDistance = static_cast<float>((gameState.hazardSpacing() + 1.0) * 5.0);
        }
        spawnDebris();
    } else if (gameState.phase == PHASE_LEVEL_END) {
        if (lastHazard || lastTrash)
            lastHazard = lastTrash = nullptr;
        if (gameState.levelEndFrames != 0)
            scatter();
    }
}

void TrashList::spawnTrash()
{
    TrashListItem* entry = new TrashListItem(trashTemplates[pick(trashTemplates.size())], KIND_TRASH);
    lastTrash = entry;
    append(entry);
    clock = 0.0f;
    separate(lastHazard, lastTrash);
}

void TrashList::spawnHazard()
{
    TrashListItem* entry = new TrashListItem(hazardTemplates[pick(hazardTemplates.size())], KIND_HAZARD);
    lastHazard = entry;
    append(entry);
}

void TrashList::spawnPowerup()
{
    append(new TrashListItem(powerupTemplates[pick(powerupTemplates.size())], KIND_POWERUP));
}

void TrashList::spawnDebris()
{
    append(new TrashListItem(hazardTemplates[0], KIND_DEBRIS));
}

void TrashList::addText(const char* text)
{
    TextObject* banner = new TextObject(text, static_cast<unsigned int>(textureTable->nameAt(1)));
    append(new TrashListItem(banner, KIND_TEXT, 25.0f));
}

void TrashList::scatter()
{
    if (gameState.phase != PHASE_LEVEL_END)
        return;
    for (TrashListItem* e : entries) {
        if (gameState.levelEndFrames == 1)
            e->setVelocity(0.001f * e->position[0], 0.001f * e->position[1], 0.0f);
        else
            e->setVelocity(2.5f * e->velocity[0], 2.5f * e->velocity[1], 0.0f);
    }
}

void TrashList::draw()
{
    // Each run of debris between other entries goes out as one batch of
    // triangles transformed here: hundreds of one-triangle draws, each with
    // its own matrix, cost the driver far more than their pixels. The order
    // of everything drawn stays the list's.
    bool batching = false;
    for (TrashListItem* e : entries) {
        if (!e->active)
            continue;
        if (e->kind == KIND_DEBRIS) {
            if (!batching) {
                probeBeforeDraw("debris");
                beginDebris();
            }
            batching = true;
            e->emitDebrisTriangles();
            continue;
        }
        if (batching) {
            glEnd();
            batching = false;
        }
        probeBeforeDraw("entry");
        e->draw();
    }
    if (batching)
        glEnd();
    glBindTexture(GL_TEXTURE_2D, 0);
}
