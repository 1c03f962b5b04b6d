// SPDX-License-Identifier: GPL-3.0-or-later
// The trash list with real templates (models and textures need the OpenGL
// context): every kind's contact rule, removal, and the level schedule.
#include <gtest/gtest.h>

#include <cmath>

#include "common/catcher.h"
#include "common/gamestate.h"
#include "common/hudpanel.h"
#include "common/mesh.h"
#include "common/powerupitem.h"
#include "common/settings.h"
#include "common/textobject.h"
#include "common/textures.h"
#include "common/trashitem.h"
#include "common/trashlist.h"
#include "common/numeric.h"
#include "sound/soundbank.h"
#include "support/glcontext.h"
#include "support/screenshot.h"

namespace {

class List : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        openGameWindow();
        textureTable = new TextureTable();
        hudPanel.buildOutline(300.0f, 40.0f);
        hudPanel.setGoal(1000);
    }
    static void TearDownTestSuite()
    {
        delete textureTable;
        textureTable = nullptr;
    }

    void SetUp() override
    {
        gameSrand(12439);
        gameState = GameState();
        gameState.hud = &hudPanel;
        gameState.newGame();
        powerupFrames = 0;
        hazardDistance = 0.0f;
        list = new TrashList(5.0f, 50.0f);
        funnel = new CatcherFunnel(&gameState);
    }
    void TearDown() override
    {
        delete list;
        delete funnel;
    }

    // An entry of the given kind placed on the funnel.
    TrashListItem* onFunnel(ObjectItem* item, int32_t kind)
    {
        TrashListItem* e = new TrashListItem(item, kind);
        e->setPosition(funnel->position[0], funnel->position[1], funnel->position[2]);
        list->entries.push_back(e);
        return e;
    }

    void step(int frames = 1)
    {
        for (int i = 0; i < frames; ++i)
            list->update(*funnel);
    }

    TrashList* list = nullptr;
    CatcherFunnel* funnel = nullptr;
};

} // namespace

TEST_F(List, SetUpBuildsTheCatalogueInOrder)
{
    ASSERT_EQ(list->trashTemplates.size(), 8u);
    ASSERT_EQ(list->hazardTemplates.size(), 3u);
    ASSERT_EQ(list->powerupTemplates.size(), 2u);
    EXPECT_EQ(list->powerupTemplates[0]->powerupKind(), 1);
    float scales[3];
    for (int i = 0; i < 3; ++i) {
        const ObjectItem* rock = list->hazardTemplates[i];
        EXPECT_EQ(rock->getTexture(), 1u);
        EXPECT_GE(rock->modelScale, 3.0f);
        EXPECT_LE(rock->modelScale, 10.0f);
        EXPECT_EQ(rock->models[0]->getRadius(), rock->modelScale);
        scales[i] = rock->modelScale;
    }
    EXPECT_NE(scales[0], scales[1]);
    EXPECT_EQ(list->trashTemplates[0]->models[0]->getRadius(), 2.0f);
}

TEST_F(List, CaughtTrashScoresElevenFramesThenEndsTheLevelCheckAndLeaves)
{
    gameState.phase = PHASE_PLAYING;
    gameState.bannerShown = true;
    gameState.drift[2] = 1.0f; // fast enough to pass z = -1 while shrinking
    hudPanel.resetScore();
    hudPanel.setGoal(40);
    const int catches = soundRequests(3) + soundRequests(4);
    TrashListItem* e = onFunnel(list->trashTemplates[0], KIND_TRASH);
    funnel->setPosition(0, 0, -8);
    e->setPosition(0, 0, -9);
    list->clock = -1000.0f; // no spawns meanwhile
    hazardDistance = 1000.0f;
    for (int frame = 1; frame <= 11; ++frame) {
        step();
        ASSERT_EQ(list->entries.size() - 0, static_cast<size_t>(1 + frame)) << "debris one per frame";
        EXPECT_TRUE(e->caught) << frame;
        EXPECT_EQ(hudPanel.getScore(), 4u * frame);
    }
    EXPECT_EQ(soundRequests(3) + soundRequests(4), catches + 1);
    EXPECT_GT(e->position[2], -1.0f);
    EXPECT_EQ(gameState.phase, PHASE_PLAYING);
    step();
    EXPECT_EQ(gameState.phase, PHASE_LEVEL_END);
    for (TrashListItem* other : list->entries)
        EXPECT_NE(other, e);
    hudPanel.setGoal(1000);
}

TEST_F(List, HazardHitsOnEveryFrameOfContactUnlessShielded)
{
    gameState.drift[2] = 0.0f;
    onFunnel(list->hazardTemplates[0], KIND_HAZARD);
    testing::internal::CaptureStdout();
    step(3);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ahhhh it hurts!\nahhhh it hurts!\nahhhh it hurts!\n");
    EXPECT_EQ(gameState.health, 79);

    gameState = GameState();
    gameState.hud = &hudPanel;
    gameState.newGame();
    hudPanel.resetScore();
    gameState.receivePowerup(POWERUP_SHIELD);
    gameState.drift[2] = 0.0f;
    for (TrashListItem* e : list->entries)
        delete e;
    list->entries.clear();
    list->lastHazard = nullptr;
    TrashListItem* rock = onFunnel(list->hazardTemplates[0], KIND_HAZARD);
    list->lastHazard = rock;
    const int catches = soundRequests(3) + soundRequests(4);
    step(12);
    EXPECT_EQ(gameState.health, 100);
    EXPECT_EQ(hudPanel.getScore(), 44u);
    EXPECT_EQ(soundRequests(3) + soundRequests(4), catches);
    EXPECT_TRUE(list->entries.empty());
    EXPECT_EQ(list->lastHazard, nullptr) << "a removed entry is not remembered";
}

TEST_F(List, PowerupIsOfferedOnEveryFrameOfContactButStartsOnce)
{
    gameState.drift[2] = 0.0f;
    PowerupItem odd(0, 0, 7);
    onFunnel(&odd, KIND_POWERUP);
    testing::internal::CaptureStderr();
    step(30);
    std::string expected;
    for (int i = 0; i < 30; ++i)
        expected += "unknown type of powerup received: 7\n";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), expected);
    for (TrashListItem* e : list->entries)
        delete e;
    list->entries.clear();

    gameState.powerupType = 0;
    const int pickups = soundRequests(0);
    TrashListItem* shield = onFunnel(list->powerupTemplates[0], KIND_POWERUP);
    step(30);
    EXPECT_EQ(soundRequests(0), pickups + 1);
    EXPECT_EQ(gameState.powerupTimer, 66);
    EXPECT_FALSE(shield->caught);
    EXPECT_EQ(list->entries.size(), 1u);
    EXPECT_EQ(hudPanel.getScore(), 0u);
}

TEST_F(List, DebrisNeverReachesTheGameState)
{
    gameState.drift[2] = 0.0f;
    onFunnel(list->hazardTemplates[0], KIND_DEBRIS)->setPosition(0, 0, -5);
    const int sounds = soundRequests(2) + soundRequests(3) + soundRequests(4);
    step(20);
    EXPECT_EQ(gameState.health, 100);
    EXPECT_EQ(hudPanel.getScore(), 0u);
    EXPECT_EQ(soundRequests(2) + soundRequests(3) + soundRequests(4), sounds);
}

TEST_F(List, TextEntriesAreNeverTestedAndLeaveOncePastTheEnd)
{
    list->addText("Level 1");
    ASSERT_EQ(list->entries.size(), 1u);
    TrashListItem* text = list->entries.front();
    EXPECT_EQ(text->scale[0], 0.1f);
    EXPECT_EQ(text->rotation[0], 0.0f);
    EXPECT_LT(text->position[0], 0.0f);
    EXPECT_NEAR(text->position[2], -12.5f, 1.0f);
    // Park it on the funnel: nothing happens.
    funnel->setPosition(text->position[0], text->position[1], text->position[2]);
    gameState.drift[2] = 0.0f;
    step(3);
    EXPECT_EQ(gameState.health, 100);
    // Exactly at the end depth it stays; past it, it goes.
    text->position[2] = -1.0f;
    step();
    EXPECT_EQ(list->entries.size(), 1u);
    gameState.drift[2] = 0.001f;
    step();
    EXPECT_TRUE(list->entries.empty());
}

TEST_F(List, LongBannersAreCut)
{
    const std::string seventy(70, 'x');
    TextObject banner(seventy.c_str(), 0);
    EXPECT_EQ(std::string(banner.getText()), std::string(63, 'x'));
    float lo[3], hi[3];
    banner.boundingBox(lo, hi);
    EXPECT_GT(hi[0] - lo[0], 100.0f);
    EXPECT_NEAR(hi[2] - lo[2], 5.0f, 0.01f);
}

TEST_F(List, LevelOneTrashComesOnThe31stPlayingFrameThenEvery43)
{
    gameState.phase = PHASE_PLAYING;
    std::vector<int> spawns;
    int hazards = 0, powerups = 0;
    for (int frame = 1; frame <= 300; ++frame) {
        TrashListItem* before = list->lastTrash;
        const int32_t powerupBefore = powerupFrames;
        TrashListItem* hazardBefore = list->lastHazard;
        step();
        if (list->clock == 0.0f)
            spawns.push_back(frame);
        hazards += list->lastHazard != hazardBefore;
        powerups += powerupFrames != powerupBefore;
        (void)before;
    }
    ASSERT_GE(spawns.size(), 3u);
    EXPECT_EQ(spawns[0], 31);
    EXPECT_EQ(spawns[1] - spawns[0], 43);
    EXPECT_EQ(spawns[2] - spawns[1], 43);
    EXPECT_EQ(hazards, 0);
    EXPECT_EQ(powerups, 0);
    EXPECT_LT(hazardDistance, 0.0f);
    int debris = 0;
    for (TrashListItem* e : list->entries)
        debris += e->kind == KIND_DEBRIS;
    EXPECT_GT(debris, 100);
}

TEST_F(List, WaitingPhaseAdvancesNothing)
{
    ASSERT_EQ(gameState.phase, PHASE_WAITING);
    step(100);
    EXPECT_EQ(list->clock, 5.0f);
    EXPECT_EQ(powerupFrames, 0);
    EXPECT_EQ(hazardDistance, 0.0f);
    EXPECT_TRUE(list->entries.empty());
    EXPECT_FALSE(gameState.bannerShown);
}

TEST_F(List, LevelTwoHazardsComeAtOnceThenEveryTenUnitsAndPowerupsEvery51Frames)
{
    hazardDistance = -3.0f; // as left by level one
    gameState.levelIndex = 1;
    gameState.startLevel(1);
    gameState.phase = PHASE_PLAYING;
    std::vector<int> hazardFrames, powerupSpawns;
    std::string banner;
    for (int frame = 1; frame <= 200; ++frame) {
        TrashListItem* hazardBefore = list->lastHazard;
        step();
        if (frame == 1)
            for (TrashListItem* e : list->entries)
                if (e->kind == KIND_TEXT)
                    banner = static_cast<TextObject*>(e->item)->getText();
        if (list->lastHazard != hazardBefore && list->lastHazard)
            hazardFrames.push_back(frame);
        if (powerupFrames == 0)
            powerupSpawns.push_back(frame);
    }
    EXPECT_EQ(banner, "Level 2");
    ASSERT_GE(hazardFrames.size(), 3u);
    EXPECT_EQ(hazardFrames[0], 1);
    EXPECT_EQ(hazardFrames[1] - hazardFrames[0], 20);
    EXPECT_EQ(hazardFrames[2] - hazardFrames[1], 20);
    ASSERT_GE(powerupSpawns.size(), 3u);
    EXPECT_EQ(powerupSpawns[0], 51);
    EXPECT_EQ(powerupSpawns[1] - powerupSpawns[0], 51);
}

TEST_F(List, LevelEndForgetsTheLastSpawnsAndScattersOutward)
{
    gameState.phase = PHASE_PLAYING;
    step(40);
    ASSERT_NE(list->lastTrash, nullptr);
    hudPanel.addScore(2000.0f);
    const float where[3] = {0, 0, 0};
    gameState.checkLevelComplete(4.0f, where);
    gameState.drift[2] = 0.0f;
    gameState.update(); // level-end frame 1
    step();
    EXPECT_EQ(list->lastTrash, nullptr);
    EXPECT_EQ(list->lastHazard, nullptr);
    TrashListItem* e = list->entries.back();
    const float x0 = e->position[0];
    EXPECT_FLOAT_EQ(e->velocity[0], 0.001f * x0);
    EXPECT_EQ(e->velocity[2], 0.0f);
    const float v1 = e->velocity[0];
    gameState.update();
    step();
    EXPECT_FLOAT_EQ(e->velocity[0], 2.5f * v1);
    gameState.update();
    step();
    EXPECT_FLOAT_EQ(e->velocity[0], 2.5f * 2.5f * v1);
    hudPanel.resetScore();
}

// An entry draws its fine model nearer than 20 units, the medium one to 35
// and the coarse stand-in beyond.
TEST_F(List, DetailChangesAtTwentyAndThirtyFiveUnits)
{
    TrashListItem rock(list->hazardTemplates[0], KIND_HAZARD);
    rock.active = true;
    rock.setRotation(0.0f, 0.0f, 0.0f);
    auto picture = [&](float z, int lod) {
        beginTestPicture(0.0f);
        glEnable(GL_LIGHTING);
        if (lod < 0) {
            rock.setPosition(0.0f, 0.0f, z);
            rock.draw();
        } else {
            glTranslatef(0.0f, 0.0f, z);
            glScalef(rock.scale[0], rock.scale[1], rock.scale[2]);
            rock.item->draw(lod);
        }
        glDisable(GL_LIGHTING);
        return readFramebuffer();
    };
    const struct {
        float z;
        int lod;
    } cases[] = {{-19.9f, 0}, {-20.1f, 1}, {-34.9f, 1}, {-35.1f, 2}};
    for (const auto& c : cases) {
        const Image drawn = picture(c.z, -1);
        for (int lod = 0; lod < 3; ++lod) {
            const int differing = drawn.differingPixels(picture(c.z, lod), 0);
            if (lod == c.lod)
                EXPECT_EQ(differing, 0) << "at " << c.z;
            else
                EXPECT_GT(differing, 50) << "at " << c.z << " level " << lod;
        }
    }
}
