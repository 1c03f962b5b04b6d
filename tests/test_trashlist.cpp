// SPDX-License-Identifier: GPL-3.0-or-later
// The trash list and its entries, with the real templates.
#include <cmath>

#include "support/ingame.h"

namespace {

// A template whose finest model is a sphere of radius r in a box of half-size r.
struct Template : ObjectItem {
    explicit Template(float r)
    {
        models[0] = new CMesh();
        models[0]->radius = r;
        std::fill(models[0]->bbox_min, models[0]->bbox_min + 3, -r);
        std::fill(models[0]->bbox_max, models[0]->bbox_max + 3, r);
    }
};

class List : public ::testing::Test {
protected:
    void SetUp() override
    {
        openGameWindow();
        delete list;
        delete textureTable; // a fresh table for each list, which loads its own textures
        textureTable = new TextureTable();
        freshGame();
        powerupFrames = 0;
        hazardDistance = 0.0f;
        list = new TrashList(5.0f, 50.0f);
    }
    void TearDown() override { delete list; list = nullptr; }

    // An entry on the funnel, in a field that stands still.
    TrashListItem* onFunnel(ObjectItem* item, int32_t kind)
    {
        gameState.drift[2] = 0.0f;
        TrashListItem* e = new TrashListItem(item, kind);
        e->setPosition(funnel.position[0], funnel.position[1], funnel.position[2]);
        list->entries.push_back(e);
        return e;
    }
    void step(int frames = 1)
    {
        for (int i = 0; i < frames; ++i)
            list->update(funnel);
    }
    static int catchSounds() { return soundRequests(SOUND_CATCH_1) + soundRequests(SOUND_CATCH_2); }

    TrashList* list = nullptr;
    CatcherFunnel funnel{&gameState};
};

} // namespace

// A third of the rocks aimed at the ship (the camera sits at minus its position).
TEST(EntryPlacement, EachKindStartsInItsArea)
{
    Template t(1.0f);
    gameState.shipPosition[0] = 6.0f;
    gameState.shipPosition[1] = -4.0f;
    const struct { int32_t kind; float minX, maxX, maxY, aimedShare; } kinds[] = {
        {KIND_TRASH, 1.5f, 8.0f, 1.5f, 0.0f}, {KIND_HAZARD, 0.0f, 15.0f, 25.0f, 0.3f},
        {KIND_DEBRIS, 0.0f, 40.0f, 40.0f, 0.0f}, {KIND_POWERUP, 0.0f, 2.5f, 1.5f, 0.0f}};
    for (const auto& k : kinds) {
        float widest = 0.0f;
        int aimed = 0;
        for (int i = 0; i < 2000; ++i) {
            TrashListItem e(&t, k.kind);
            const float x = std::fabs(e.position[0]);
            ASSERT_TRUE(x >= k.minX && x <= k.maxX && std::fabs(e.position[1]) <= k.maxY && e.position[2] == -50.0f)
                << k.kind << ": " << e.position[0] << ", " << e.position[1] << ", " << e.position[2];
            widest = std::max(widest, x);
            aimed += std::fabs(e.position[0] + 6.0f) <= 1.0f && std::fabs(e.position[1] - 4.0f) <= 1.0f;
        }
        EXPECT_GT(widest, k.maxX * 0.8f) << k.kind;
        EXPECT_NEAR(aimed / 2000.0f, k.aimedShare, 0.05f) << k.kind;
    }
    gameState.shipPosition[0] = gameState.shipPosition[1] = 0.0f;
    EXPECT_EXIT(TrashListItem(nullptr, KIND_TRASH), testing::ExitedWithCode(1), "monkey did not catch the tarsh!");
}

// Caught trash scores on each of the eleven frames it shrinks, leaving debris;
// under the shield, picked up from a powerup that stays, a rock is caught and
// scores silently.
TEST_F(List, TrashScoresRocksHurtAndDebrisNeverTouches)
{
    gameState.phase = PHASE_PLAYING;
    gameState.bannerShown = true;
    hudPanel.setGoal(40);
    list->clock = -1000.0f; // no spawns meanwhile
    hazardDistance = 1000.0f;
    const int catches = catchSounds();
    TrashListItem* e = onFunnel(list->trashTemplates[0], KIND_TRASH);
    gameState.drift[2] = 1.0f; // fast enough to pass z = -1 while shrinking
    for (int frame = 1; frame <= 11; ++frame) {
        step();
        ASSERT_EQ(list->entries.size(), static_cast<size_t>(1 + frame)) << "debris one per frame";
        EXPECT_EQ(hudPanel.getScore(), 4u * frame);
    }
    EXPECT_EQ(catchSounds(), catches + 1);
    EXPECT_EQ(gameState.phase, PHASE_PLAYING);
    step();
    EXPECT_EQ(gameState.phase, PHASE_LEVEL_END);
    EXPECT_EQ(std::find(list->entries.begin(), list->entries.end(), e), list->entries.end());

    SetUp();
    onFunnel(list->hazardTemplates[0], KIND_DEBRIS);
    step(5);
    onFunnel(list->hazardTemplates[0], KIND_HAZARD)->position[2] -= 2.5f; // within the ten units of depth
    testing::internal::CaptureStdout();
    step(3);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ahhhh it hurts!\nahhhh it hurts!\nahhhh it hurts!\n");
    EXPECT_EQ(gameState.health, 79);
    EXPECT_EQ(hudPanel.getScore(), 0u);

    SetUp();
    TrashListItem* shield = onFunnel(list->powerupTemplates[0], KIND_POWERUP);
    step();
    list->lastHazard = onFunnel(list->hazardTemplates[0], KIND_HAZARD);
    const int before = catchSounds();
    step(12);
    EXPECT_EQ(gameState.health, 100);
    EXPECT_EQ(hudPanel.getScore(), 44u);
    EXPECT_EQ(catchSounds(), before);
    EXPECT_EQ(list->entries, std::list<TrashListItem*>{shield}) << "a powerup stays in the field";
    EXPECT_EQ(list->lastHazard, nullptr) << "a removed entry is not remembered";
}

// Nothing comes while waiting.
TEST_F(List, EachLevelSpawnsOnItsSchedule)
{
    step(100);
    EXPECT_TRUE(list->entries.empty());
    const struct { int level; std::vector<int> trash, hazards, powerups; } levels[] = {
        {0, {31, 74}, {}, {}}, {1, {113}, {1, 21, 41}, {51, 102}}, {2, {38, 89}, {1, 23, 45}, {51, 102}}};
    for (const auto& l : levels) {
        SetUp();
        hazardDistance = -3.0f; // as the level before leaves it
        gameState.levelIndex = l.level;
        gameState.startLevel(l.level);
        gameState.phase = PHASE_PLAYING;
        std::vector<int> trash, hazards, powerups;
        for (int frame = 1; frame <= 115; ++frame) {
            const TrashListItem *hazard = list->lastHazard, *lastTrash = list->lastTrash;
            const int32_t powerupBefore = powerupFrames;
            step();
            if (list->lastTrash != lastTrash && list->lastTrash && trash.size() < l.trash.size())
                trash.push_back(frame);
            if (list->lastHazard != hazard && list->lastHazard && hazards.size() < 3)
                hazards.push_back(frame);
            if (powerupFrames < powerupBefore)
                powerups.push_back(frame);
        }
        EXPECT_EQ(trash, l.trash) << "level " << l.level + 1;
        EXPECT_EQ(hazards, l.hazards) << "level " << l.level + 1;
        EXPECT_EQ(powerups, l.powerups) << "level " << l.level + 1;
    }
}

// The same spawn, with and without a wide rock at the centre.
TEST_F(List, NewTrashIsPushedClearOfTheLastRock)
{
    Template wide(30.0f);
    float spawned[2][2];
    for (int withRock = 0; withRock < 2; ++withRock) {
        SetUp();
        TrashListItem* rock = onFunnel(&wide, KIND_HAZARD);
        rock->setPosition(0.0f, 0.0f, -50.0f);
        list->lastHazard = withRock ? rock : nullptr;
        gameState.phase = PHASE_PLAYING;
        while (!list->lastTrash)
            step();
        std::copy(list->lastTrash->position, list->lastTrash->position + 2, spawned[withRock]);
    }
    EXPECT_FLOAT_EQ(spawned[1][0], 2.0f * spawned[0][0]);
    EXPECT_FLOAT_EQ(spawned[1][1], 2.0f * spawned[0][1]);
}

// At the level's end the field flies apart sideways, gathering speed.
TEST_F(List, LevelEndForgetsTheLastSpawnsAndScattersOutward)
{
    gameState.phase = PHASE_PLAYING;
    step(40);
    hudPanel.addScore(2000.0f);
    const float where[3] = {0, 0, 0};
    gameState.checkLevelComplete(4.0f, where);
    gameState.drift[2] = 0.0f;
    const TrashListItem* e = list->lastTrash;
    const float x = e->position[0], z = e->position[2];
    for (int i = 0; i < 6; ++i) {
        gameState.update();
        step();
    }
    EXPECT_EQ(list->lastTrash, nullptr);
    EXPECT_GT(e->position[0] / x, 1.05f);
    EXPECT_EQ(e->position[2], z);
}

TEST_F(List, DetailChangesAtTwentyAndThirtyFiveUnits)
{
    TrashListItem rock(list->hazardTemplates[0], KIND_HAZARD);
    rock.setRotation(0.0f, 0.0f, 0.0f);
    auto picture = [&](float z, int lod) {
        beginTestPicture(0.0f);
        glEnable(GL_LIGHTING);
        rock.setPosition(0.0f, 0.0f, z);
        if (lod < 0) {
            rock.draw();
        } else {
            glTranslatef(0.0f, 0.0f, z);
            glScalef(rock.scale[0], rock.scale[1], rock.scale[2]);
            rock.item->draw(lod);
        }
        glDisable(GL_LIGHTING);
        return readFramebuffer();
    };
    for (const auto& c : {std::make_pair(-19.9f, 0), {-20.1f, 1}, {-34.9f, 1}, {-35.1f, 2}}) {
        const Image drawn = picture(c.first, -1);
        for (int lod = 0; lod < 3; ++lod) {
            const int differing = drawn.differingPixels(picture(c.first, lod), 0);
            EXPECT_TRUE(lod == c.second ? differing == 0 : differing > 50) << "at " << c.first << " level " << lod;
        }
    }
}
