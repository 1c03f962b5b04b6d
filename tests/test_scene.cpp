// SPDX-License-Identifier: GPL-3.0-or-later
// The whole frame with the real start-up: camera and shake, the slow-motion
// trail's ring, and what the overlay draws in each phase.
#include <gtest/gtest.h>

#include <GL/glew.h>
#include <SDL/SDL.h>

#include <cmath>
#include <algorithm>
#include <cstring>
#include <vector>

#include "opengl/bufferobjects.h"
#include "common/catcher.h"
#include "common/gamestate.h"
#include "common/hudpanel.h"
#include "common/scene.h"
#include "common/settings.h"
#include "common/trashitem.h"
#include "common/trashlist.h"
#include "opengl/bodies.h"
#include "opengl/shaders.h"
#include "sdl/mainloop.h"
#include "sdl/startup.h"
#include "sdl/video.h"
#include "support/autopilot.h"
#include "support/screenshot.h"

namespace {

class Scene : public ::testing::Test {
protected:
    void SetUp() override
    {
        autopilotStartGame();
        gameState.shakeFrames = 0;
        gameState.paused = false;
        for (int k = 0; k < 3; ++k)
            gameState.shipPosition[k] = 0.0f;
        // The first frame after start-up inherits the loading screen's
        // colour for the stars; the pictures compare settled frames.
        renderScene();
    }

    // The third level's field after 150 updates, rocks unable to kill.
    static void crowdTheThirdLevel()
    {
        gameState.levelIndex = 2;
        gameState.startLevel(2);
        gameState.phase = PHASE_PLAYING;
        gameState.health = 1000000;
        for (int i = 0; i < 150; ++i)
            trashList->update(*catcherFunnel);
    }

    static std::vector<float> projection()
    {
        std::vector<float> m(16);
        glGetFloatv(GL_PROJECTION_MATRIX, m.data());
        return m;
    }
};

} // namespace

TEST_F(Scene, HitShakesTwentyFramesEvenWhilePaused)
{
    setupCamera();
    const std::vector<float> steady = projection();
    gameState.shakeFrames = 20;
    for (int frame = 1; frame <= 21; ++frame) {
        setupCamera();
        if (frame <= 20) {
            EXPECT_NE(projection(), steady) << "frame " << frame;
        } else {
            EXPECT_EQ(projection(), steady);
        }
    }
    // The last shaken frame moves by at most 0.1 on each axis.
    gameState.shakeFrames = 1;
    setupCamera();
    for (int k = 0; k < 3; ++k)
        EXPECT_LE(std::fabs(lastShakeOffsets()[k]), 0.1f + 1e-6f);
    // Rendering counts the shake down while paused, where no update runs.
    gameState.shakeFrames = 20;
    gameState.paused = true;
    for (int frame = 0; frame < 20; ++frame)
        renderScene();
    EXPECT_EQ(gameState.shakeFrames, 0);
    gameState.paused = false;
}

TEST_F(Scene, SlowMotionTrailFillsTheRingAndRestartsAfterTheLastSlot)
{
    gameState.phase = PHASE_PLAYING;
    gameState.powerupTimer = 0;
    gameState.powerupType = 0;
    blurCount = 0;
    const int32_t startIndex = blurIndex;
    gameState.receivePowerup(POWERUP_SLOW_MOTION);
    const int expectedCounts[] = {1, 2, 3, 4, 5, 5, 5};
    for (int frame = 0; frame < 7; ++frame) {
        renderScene();
        EXPECT_EQ(blurCount, expectedCounts[frame]);
        EXPECT_EQ(blurIndex, (startIndex + frame + 1) % 5);
    }
    // The composite's colour and units.
    drawBlurQuad(blurTextures, 1);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[3], 1.0f);
    drawBlurQuad(blurTextures, 5);
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[3], 0.2f);
    for (int unit = 1; unit < 5; ++unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<unsigned>(bound), blurTextures[unit]);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    glActiveTexture(GL_TEXTURE0);
    // Fixed-function drawing after the trail (overlay, sun, planet) still
    // modulates its colour and lighting by the texture.
    for (int unit = 0; unit < 5; ++unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        GLint mode = 0;
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
        EXPECT_EQ(mode, GL_MODULATE) << "unit " << unit;
    }
    glActiveTexture(GL_TEXTURE0);

    // Run the powerup out: the ring empties but keeps its place.
    while (gameState.powerupTimer != 0)
        gameState.update();
    EXPECT_EQ(blurCount, 0);
    const int32_t next = blurIndex;
    gameState.receivePowerup(POWERUP_SLOW_MOTION);
    renderScene();
    EXPECT_EQ(blurCount, 1);
    EXPECT_EQ(blurIndex, (next + 1) % 5);
    gameState.powerupTimer = 0;
    resetBlurTrail();
}

// The list batches runs of debris into one draw with its own transforms; the
// picture must be the one each shard draws on its own, up to rounding.
TEST_F(Scene, BatchedDebrisDrawsWhatEachShardDrawsAlone)
{
    crowdTheThirdLevel();
    int debris = 0;
    for (TrashListItem* e : trashList->entries) {
        if (e->kind != KIND_DEBRIS)
            continue;
        // Some shards tilted and stretched, so rotation and scale are exercised.
        if (debris % 3 == 0)
            e->setRotation(20.0f * debris, 35.0f, 310.0f);
        if (debris % 4 == 0) {
            e->scale[0] = 2.5f;
            e->scale[1] = 0.5f;
            e->scale[2] = 1.5f;
        }
        ++debris;
    }
    ASSERT_GT(debris, 50);
    screenFade = ScreenFade();
    screenFade.fadeFactor = 1.0f;

    auto draw = [](bool batched, bool withDebris) {
        gameState.shakeFrames = 0; // hits during the run shake the camera
    gameState.powerupTimer = 0; // and a caught slow motion would trail
    resetBlurTrail();
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        setupCamera();
        glLoadIdentity();
        glRotatef(10.0f, 0, 1, 0); // the batch must honour the matrix it is drawn under
        useShader(SHADER_DEFAULT_LIGHTING);
        glBindTexture(GL_TEXTURE_2D, 0); // as the backdrop leaves it
        if (batched && withDebris) {
            trashList->draw();
        } else {
            for (TrashListItem* e : trashList->entries)
                if (e->active && (withDebris || e->kind != KIND_DEBRIS))
                    e->draw();
        }
        glUseProgramObjectARB(0);
        glLoadIdentity();
        return readFramebuffer();
    };
    const Image alone = draw(false, true);
    const Image batched = draw(true, true);
    const Image noDebris = draw(false, false);
    savePng(batched, testOutputPath("debris-batched.png"));
    EXPECT_GT(alone.differingPixels(noDebris, 8), 100);
    EXPECT_LE(batched.differingPixels(alone, 1), 20);
}

namespace {

int whitePixels(const Image& shot, int x0, int y0, int x1, int y1)
{
    return shot.count(x0, y0, x1, y1, [](Rgb p) { return p.r > 200 && p.g > 200 && p.b > 200; });
}

int brightness(Rgb p)
{
    return p.r + p.g + p.b;
}

} // namespace

// The win screen as the game leaves it: the last fade-out ended at factor 0
// and no fade-in follows. The message, wider than the window, is drawn
// centred and cut at both edges; the funnel and the entries stay lit.
TEST_F(Scene, WinScreenShowsItsMessageAndLitObjectsAndFadesOnce)
{
    // The third level's field, then the end of the game as a win leaves it.
    crowdTheThirdLevel();
    gameState.phase = PHASE_GAME_OVER;
    gameState.health = 100;
    gameState.stopped = true;
    gameState.shakeFrames = 0; // hits during the run shake the camera
    gameState.powerupTimer = 0; // and a caught slow motion would trail
    resetBlurTrail();
    // The last level's fade-out ends at factor 0 (when no fade-in was still counting).
    screenFade = ScreenFade();
    screenFade.fadeFactor = 0.0f;
    renderScene(); // the first frame after play without pictures sets the state up
    renderScene();
    const Image win = readFramebuffer();
    savePng(win, testOutputPath("win-screen.png"));
    // Row 45 from the top holds the text: it reaches both edges.
    EXPECT_GT(whitePixels(win, 0, 31, 40, 49), 10);
    EXPECT_GT(whitePixels(win, 280, 31, 320, 49), 10);

    screenFade.fadeFactor = 1.0f;
    renderScene();
    const Image bright = readFramebuffer();
    // The shaders leave the fade to the accumulation buffer: factor 0 or 1,
    // the frame before the fade is the same.
    EXPECT_LE(win.differingPixels(bright, 2), 5);

    // A mid-fade frame: every lit pixel, shader-drawn or not, dims alike.
    screenFade.arm(FADE_OUT, 3);
    renderScene();
    applyScreenFade();
    const Image faded = readFramebuffer();
    savePng(faded, testOutputPath("mid-fade.png"));
    std::vector<double> ratios;
    for (int y = 60; y < 200; ++y)
        for (int x = 0; x < 320; ++x)
            if (brightness(bright.at(x, y)) > 150)
                ratios.push_back(double(brightness(faded.at(x, y))) / brightness(bright.at(x, y)));
    ASSERT_GT(ratios.size(), 200u);
    std::sort(ratios.begin(), ratios.end());
    const double low = ratios[ratios.size() / 50], high = ratios[ratios.size() * 49 / 50];
    EXPECT_GT(low, 0.3);
    EXPECT_LT(high, 0.95);
    EXPECT_LT(high - low, 0.2) << "some of the frame faded twice";
    screenFade = ScreenFade();
}

// Each death message that is wider than the window still shows, cut evenly.
TEST_F(Scene, DeathMessagesShowAtTheDefaultWindowSize)
{
    gameState.phase = PHASE_GAME_OVER;
    gameState.health = 0;
    screenFade.fadeFactor = 1.0f;
    for (float roll : {0.5f, 1.5f, 2.5f, 3.5f}) {
        gameState.deathRoll = roll;
        renderScene();
        const Image shot = readFramebuffer();
        // Deaths are drawn in their own colour, not white: count lit pixels.
        const int row = shot.count(0, 31, 320, 49, [](Rgb p) { return p.r > 150; });
        EXPECT_GT(row, 100) << gameState.deathMessage();
    }
}

TEST_F(Scene, WireframeFunnelIsWhiteWhateverProgramIsCurrent)
{
    const uint32_t flags = renderFlags;
    renderFlags = RENDER_WIREFRAME;
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    setupCamera();
    glLoadIdentity();
    useShader(SHADER_DEFAULT_LIGHTING);
    catcherFunnel->draw();
    glUseProgramObjectARB(0);
    renderFlags = flags;
    const Image shot = readFramebuffer();
    savePng(shot, testOutputPath("funnel-wireframe.png"));
    const int lit = shot.count(0, 0, 320, 200, [](Rgb p) { return brightness(p) > 120; });
    const int grey = shot.count(0, 0, 320, 200,
                                [](Rgb p) { return brightness(p) > 120 && std::abs(p.r - p.b) < 8 && std::abs(p.g - p.b) < 8; });
    EXPECT_GT(lit, 200);
    EXPECT_EQ(grey, lit);
}

namespace {

// The whole frame drawn into an off-screen target of the given size, as the
// game draws it in a window of that size.
Image renderAt(int width, int height)
{
    GLuint fbo = 0, colour = 0, depth = 0;
    glGenFramebuffersEXT(1, &fbo);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, fbo);
    glGenRenderbuffersEXT(1, &colour);
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, colour);
    glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_RGBA8, width, height);
    glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_RENDERBUFFER_EXT, colour);
    glGenRenderbuffersEXT(1, &depth);
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, depth);
    glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT24, width, height);
    glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, depth);
    SDL_Surface* window = screen;
    SDL_Surface sized = *window;
    sized.w = width;
    sized.h = height;
    screen = &sized;
    glViewport(0, 0, width, height);
    renderScene();
    const Image shot = readFramebuffer();
    screen = window;
    glViewport(0, 0, window->w, window->h);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glDeleteRenderbuffersEXT(1, &colour);
    glDeleteRenderbuffersEXT(1, &depth);
    glDeleteFramebuffersEXT(1, &fbo);
    return shot;
}

bool isText(Rgb p)
{
    return p.r > 200 && p.g > 200 && p.b > 200;
}

} // namespace

// Every overlay phase at three window sizes: the centred message in its row
// (cut at both edges where it is wider than the window), the meter with its
// fill, the health cross and number, and the running powerup's readout.
TEST_F(Scene, OverlayShowsEachPhaseAtEveryWindowSize)
{
    screenFade = ScreenFade();
    enum Show { none = 0, message = 1, meter = 2, powerup = 4 };
    const struct {
        const char* name;
        int phase;
        bool paused;
        int health, powerupTimer, show;
    } phases[] = {
        {"waiting", PHASE_WAITING, false, 100, 0, message},
        {"playing", PHASE_PLAYING, false, 100, 0, meter},
        {"paused", PHASE_PLAYING, true, 100, 0, message | meter},
        {"powerup", PHASE_PLAYING, false, 100, 120, meter | powerup},
        {"level end", PHASE_LEVEL_END, false, 100, 0, message | meter},
        {"won", PHASE_GAME_OVER, false, 100, 0, message | meter},
        {"died", PHASE_GAME_OVER, false, -5, 0, message | meter},
    };
    const std::vector<TrashListItem*> entries(trashList->entries.begin(), trashList->entries.end());
    trashList->entries.clear(); // a bare backdrop behind the overlay
    planet->setPosition(0.0f, 0.0f, 50000.0f); // behind the camera: its clouds are white too
    gameState.hud->resetScore();
    gameState.hud->addScore(500.0f);
    showFps = true;
    for (const auto& size : {std::make_pair(320, 200), std::make_pair(640, 480), std::make_pair(1024, 768)}) {
        const int w = size.first, h = size.second;
        Image waiting;
        // Play without a message: what the message rows hold anyway (stars).
        gameState.phase = PHASE_PLAYING;
        const Image quiet = renderAt(w, h);
        for (const auto& p : phases) {
            SCOPED_TRACE(std::string(p.name) + " at " + std::to_string(w));
            gameState.phase = p.phase;
            gameState.paused = p.paused;
            gameState.health = p.health;
            gameState.powerupTimer = p.powerupTimer;
            gameState.powerupType = p.powerupTimer ? POWERUP_SHIELD : 0;
            gameState.deathRoll = 3.5f; // the longest death message
            const Image shot = renderAt(w, h);
            if (p.phase == PHASE_WAITING)
                waiting = shot;
            if (w < 1024)
                savePng(shot, testOutputPath("overlay-" + std::to_string(w) + "-" + p.name + ".png"));
            // The message's baseline lies at 0.777 of the height from the bottom.
            const int row = h - static_cast<int>(h * 0.777);
            // White, or the deaths' red, where play without a message has neither.
            auto lit = [](Rgb q) { return q.r > 150 && (q.g > 150 || q.g < 40); };
            auto text = [&](int x0, int x1) {
                int n = 0;
                for (int y = row - 13; y < row + 4; ++y)
                    for (int x = x0; x < x1; ++x)
                        n += lit(shot.at(x, y)) && !lit(quiet.at(x, y));
                return n;
            };
            const int left = text(0, w / 2);
            const int right = text(w / 2, w);
            if (p.show & message) {
                EXPECT_GT(left, 15);
                EXPECT_GT(right, 15);
            } else {
                EXPECT_EQ(left + right, 0);
            }
            // The meter: frame colour round a blue fill that covers its left half.
            // Placed for the window start-up opened: 10 from the left, 60 up.
            const int x0 = 10, top = h - 100;
            auto fill = [](Rgb q) { return std::abs(q.r - 64) < 12 && std::abs(q.b - 166) < 14 && q.g < 80; };
            const int filled = shot.count(x0 + 15, top + 8, x0 + 130, top + 32, fill);
            const int empty = shot.count(x0 + 160, top + 8, x0 + 280, top + 32, fill);
            auto cross = [](Rgb q) { return q.r > 150 && q.g < 60 && q.b < 60; };
            const int red = shot.count(300, h - 55, std::min(w, 350), h - 5, cross);
            if (p.show & meter) {
                EXPECT_GT(filled, 1500);
                EXPECT_EQ(empty, 0);
                EXPECT_GT(red, 100);
            } else {
                EXPECT_EQ(filled + red, 0);
            }
            // The FPS readout on the first line from the top, at the left.
            EXPECT_GT(shot.count(10, 0, 90, 16, [](Rgb q) { return q.g > 150 && q.b > 150 && q.r < q.g - 30; }), 10);
            if (w > 320) {
                // Health number right of the cross, powerup readout from x
                // 450: white text over what the waiting screen shows there.
                auto added = [&](int x0, int x1) {
                    int n = 0;
                    for (int y = h - 40; y < h - 15; ++y)
                        for (int x = x0; x < x1; ++x)
                            n += isText(shot.at(x, y)) && !isText(waiting.at(x, y));
                    return n;
                };
                EXPECT_EQ(added(350, 400) > 10, (p.show & meter) != 0);
                EXPECT_EQ(added(450, 560) > 10, (p.show & powerup) != 0);
            }
        }
    }
    trashList->entries.assign(entries.begin(), entries.end());
    planet->setPosition(-200.0f, -2000.0f, -2000.0f);
    showFps = false;
    gameState.paused = false;
    gameState.powerupTimer = 0;
    gameState.powerupType = 0;
    gameState.health = 100;
}

// The camera's projection: 90 degrees of height, 1.6 wide, near plane 0.5.
// A lone entry at a known place lands on a known pixel.
TEST_F(Scene, CameraPutsAKnownEntryOnItsPixel)
{
    screenFade = ScreenFade();
    gameState.phase = PHASE_PLAYING;
    const std::vector<TrashListItem*> entries(trashList->entries.begin(), trashList->entries.end());
    trashList->entries.clear();
    planet->setPosition(0.0f, 0.0f, 50000.0f); // black space behind the entry
    const Image empty = renderAt(320, 200);
    // Pixels that the entry changes: their number and centre, and how many
    // lie in [x0, x1) x [y0, y1).
    auto place = [&](float x, float y, float z, int32_t kind, int& cx, int& cy, const int box[4]) {
        TrashListItem entry(trashList->trashTemplates[0], kind);
        entry.active = true;
        entry.setRotation(0.0f, 0.0f, 0.0f); // end on: the can's axis is the view's
        entry.shape[0] = 1.0f; // a debris shard: its single triangle
        entry.shape[1] = 0.0f;
        for (float& s : entry.scale)
            s = 1.0f;
        entry.setPosition(x, y, z);
        trashList->entries.push_back(&entry);
        const Image shot = renderAt(320, 200);
        trashList->entries.clear();
        long sx = 0, sy = 0, n = 0, inBox = 0;
        for (int py = 0; py < 200; ++py)
            for (int px = 0; px < 320; ++px) {
                const Rgb a = shot.at(px, py), b = empty.at(px, py);
                if (std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) > 30) {
                    sx += px;
                    sy += py;
                    ++n;
                    inBox += px >= box[0] && px < box[2] && py >= box[1] && py < box[3];
                }
            }
        cx = n ? static_cast<int>(sx / n) : -1;
        cy = n ? static_cast<int>(sy / n) : -1;
        return inBox;
    };
    int cx = 0, cy = 0;
    // x 8 at depth 20: 160 + 160 * 8 / (20 * 1.6) = 200; y 5: 100 - 100 * 5 / 20 = 75.
    const int whole[4] = {0, 0, 320, 200};
    ASSERT_GT(place(8.0f, 5.0f, -20.0f, KIND_TRASH, cx, cy, whole), 20);
    EXPECT_NEAR(cx, 200, 4);
    EXPECT_NEAR(cy, 75, 4);
    // A shard (x 0 .. 0.5, y 0 .. 1) at depth 1.2, between the near plane and
    // 2, covers pixels 160 .. 201 across and rows 17 .. 100, with its widest
    // part at the bottom; the box holds a part of it above the funnel.
    const int shardBox[4] = {165, 30, 200, 70};
    EXPECT_GT(place(0.0f, 0.0f, -1.2f, KIND_DEBRIS, cx, cy, shardBox), 150);
    trashList->entries.assign(entries.begin(), entries.end());
    planet->setPosition(-200.0f, -2000.0f, -2000.0f);
}

// Slow motion draws the play field through the trail: the entries still
// show over the backdrop, and a moving one leaves a faint copy at each of
// the last five places, each in its own colour at a fifth of its strength.
TEST_F(Scene, SlowMotionTrailShowsTheFieldAndItsGhosts)
{
    screenFade = ScreenFade();
    gameState.phase = PHASE_PLAYING;
    const std::vector<TrashListItem*> entries(trashList->entries.begin(), trashList->entries.end());
    trashList->entries.clear();
    TrashListItem entry(trashList->trashTemplates[0], KIND_TRASH);
    entry.active = true;
    entry.setRotation(0.0f, 0.0f, 0.0f);
    trashList->entries.push_back(&entry);
    planet->setPosition(0.0f, 0.0f, 50000.0f); // black space behind the entry
    auto frame = [&](float x) {
        entry.setPosition(x, 3.0f, -15.0f);
        renderScene();
        return readFramebuffer();
    };
    // The first place, (-9, 3) at depth 15, lies round pixel (100, 80),
    // above the meter. The can is green; the stars are white.
    auto firstPlace = [](const Image& shot) {
        return shot.count(85, 65, 115, 95, [](Rgb p) { return p.g > p.r + 6 && p.g > p.b + 6; });
    };
    const Image alone = frame(-9.0f);
    gameState.receivePowerup(POWERUP_SLOW_MOTION);
    Image trail;
    for (int i = 0; i < 5; ++i)
        trail = frame(-9.0f + 3.0f * i);
    savePng(trail, testOutputPath("slow-motion-trail.png"));
    gameState.powerupTimer = 0;
    resetBlurTrail();
    const Image moved = frame(3.0f);
    trashList->entries.assign(entries.begin(), entries.end());
    planet->setPosition(-200.0f, -2000.0f, -2000.0f);

    EXPECT_GT(firstPlace(alone), 300);
    EXPECT_LT(firstPlace(moved), 10);
    EXPECT_GT(firstPlace(trail), 200);
    // A fifth of the entry's colour, not a fifth of a fifth.
    long sum = 0, sumAlone = 0;
    for (int y = 65; y < 95; ++y)
        for (int x = 85; x < 115; ++x) {
            sum += trail.at(x, y).r + trail.at(x, y).g + trail.at(x, y).b;
            sumAlone += alone.at(x, y).r + alone.at(x, y).g + alone.at(x, y).b;
        }
    EXPECT_GT(sum * 10, sumAlone);
}
