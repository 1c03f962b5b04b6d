// SPDX-License-Identifier: GPL-3.0-or-later
// The whole frame after the real start-up, judged by its pictures.
#include <cmath>

#include "opengl/bodies.h"
#include "support/autopilot.h"
#include "support/ingame.h"

// Every sleep, through a link seam.
static std::vector<Uint32> sleeps;
extern "C" {
void __real_SDL_Delay(Uint32 ms);
void __wrap_SDL_Delay(Uint32 ms)
{
    sleeps.push_back(ms);
    __real_SDL_Delay(ms);
}
}

namespace {

class Scene : public ::testing::Test {
protected:
    void SetUp() override
    {
        autopilotStartGame();
        gameState.shakeFrames = 0;
        gameState.powerupTimer = 0;
        resetBlurTrail();
        screenFade = ScreenFade();
        screenFade.fadeFactor = 1.0f;
        gameState.hud->addScore(500.0f); // the meter half full
        // The first frame inherits the loading screen's colour for the stars.
        renderScene();
    }
    void TearDown() override
    {
        if (bared)
            trashList->entries.assign(saved.begin(), saved.end());
        planet->setPosition(-200.0f, -2000.0f, -2000.0f);
    }
    // Only the given entries, before black space (the planet behind the camera).
    void bareField(const std::vector<TrashListItem*>& only = {})
    {
        saved.assign(trashList->entries.begin(), trashList->entries.end());
        bared = true;
        trashList->entries.assign(only.begin(), only.end());
        planet->setPosition(0.0f, 0.0f, 50000.0f);
        gameState.phase = PHASE_PLAYING;
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
        gameState.health = 100;
        gameState.shakeFrames = 0;
        gameState.powerupTimer = 0;
        resetBlurTrail();
    }

    std::vector<TrashListItem*> saved;
    bool bared = false;
};

// The whole frame drawn off-screen at the given size, as in a window of that size.
Image renderAt(int width, int height)
{
    GLuint fbo = 0, buffers[2] = {0, 0};
    glGenFramebuffersEXT(1, &fbo);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, fbo);
    glGenRenderbuffersEXT(2, buffers);
    const GLenum formats[2] = {GL_RGBA8, GL_DEPTH_COMPONENT24};
    const GLenum points[2] = {GL_COLOR_ATTACHMENT0_EXT, GL_DEPTH_ATTACHMENT_EXT};
    for (int i = 0; i < 2; ++i) {
        glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, buffers[i]);
        glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, formats[i], width, height);
        glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, points[i], GL_RENDERBUFFER_EXT, buffers[i]);
    }
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
    glDeleteRenderbuffersEXT(2, buffers);
    glDeleteFramebuffersEXT(1, &fbo);
    return shot;
}

bool meterBlue(Rgb p)
{
    return std::abs(p.r - 64) < 12 && std::abs(p.b - 166) < 14 && p.g < 80;
}

} // namespace

// The offset is the projection's translation column; paused, rendering counts it down.
TEST_F(Scene, HitShakesTwentyFramesEvenWhilePaused)
{
    auto projection = [] {
        setupCamera();
        std::vector<float> m(16);
        glGetFloatv(GL_PROJECTION_MATRIX, m.data());
        return m;
    };
    const std::vector<float> steady = projection();
    gameState.shakeFrames = 20;
    for (int frame = 1; frame <= 21; ++frame) {
        const std::vector<float> m = projection();
        EXPECT_EQ(m == steady, frame == 21) << "frame " << frame;
        if (frame == 20) {
            EXPECT_LE(std::max({std::fabs(m[12] * 1.6f), std::fabs(m[13]), std::fabs(m[15])}), 0.1f + 1e-6f);
        }
    }
    gameState.shakeFrames = 20;
    gameState.paused = true;
    for (int frame = 0; frame < 20; ++frame)
        renderScene();
    gameState.paused = false;
    EXPECT_EQ(gameState.shakeFrames, 0);
}

// 90 degrees of height, as wide as the window, near plane 0.5: (8, 5, -20) lands
// at (160 + 160 * 8 / 32, 100 - 100 * 5 / 20); far entries fade. Each kind
// wears its texture, and turns as it drifts.
TEST_F(Scene, CameraShowsEachEntryInItsPlaceAndColours)
{
    bareField();
    gameState.drift[2] = 0.0f;
    const Image empty = renderAt(320, 200), wide = renderAt(640, 480);
    TrashListItem entry(trashList->trashTemplates[0], KIND_TRASH);
    entry.setRotation(0.0f, 0.0f, 0.0f); // end on: the can's axis is the view's
    entry.shape[0] = 1.0f;                // as a shard: its single triangle
    entry.shape[1] = 0.0f;
    trashList->entries.push_back(&entry);
    Image shot;
    int saturated = 0;
    Rgb mean{0, 0, 0};
    auto changed = [&](int x0, int y0, int x1, int y1, double& cx, double& cy, bool big = false) {
        shot = big ? renderAt(640, 480) : renderAt(320, 200);
        const Image& base = big ? wide : empty;
        saturated = 0;
        mean = {0, 0, 0};
        const int n = shot.count(x0, y0, x1, y1, [&](int x, int y) {
            const Rgb p = shot.at(x, y);
            const bool lit = std::abs(brightness(p) - brightness(base.at(x, y))) > 30;
            saturated += lit && std::max({p.r, p.g, p.b}) - std::min({p.r, p.g, p.b}) > 40;
            mean = lit ? Rgb{mean.r + p.r, mean.g + p.g, mean.b + p.b} : mean;
            return lit;
        }, &cx, &cy);
        mean = {mean.r / std::max(n, 1), mean.g / std::max(n, 1), mean.b / std::max(n, 1)};
        return n;
    };
    double cx, cy;
    entry.setPosition(8.0f, 5.0f, -20.0f);
    EXPECT_GT(changed(0, 0, 320, 200, cx, cy), 20);
    EXPECT_NEAR(cx, 200, 4);
    EXPECT_NEAR(cy, 75, 4);
    EXPECT_GT(changed(0, 0, 640, 480, cx, cy, true), 50);
    EXPECT_NEAR((cx - 320) / (240 - cy), 1.6, 0.1);
    // A shard as large on screen at every depth: opaque to 10 units, fading
    // smoothly to a quarter at 30, over the starry backdrop.
    entry.kind = KIND_DEBRIS;
    const int backdrop = empty.mean(101, 55, 108, 72).r;
    const float fades[][2] = {{10, 1}, {15, 0.883f}, {20, 0.625f}, {25, 0.367f}, {30, 0.25f}, {40, 0.25f}};
    for (const auto& [depth, alpha] : fades) {
        entry.setPosition(-0.6f * depth, 0.25f * depth, -depth);
        entry.scale[0] = entry.scale[1] = entry.scale[2] = depth / 2.5f;
        EXPECT_NEAR(renderAt(320, 200).mean(101, 55, 108, 72).r, 255 * alpha + backdrop * (1 - alpha), 6) << depth;
    }
    entry.scale[0] = entry.scale[1] = entry.scale[2] = 1.0f;
    entry.setPosition(0.0f, 0.0f, -1.2f);
    EXPECT_GT(changed(165, 30, 200, 70, cx, cy), 150);

    // Upper left, clear of the funnel: rocks grey noise, not bare white; the
    // shield red, slow motion blue; the cans their coloured images.
    auto show = [&](ObjectItem* item, int32_t kind) {
        entry.item = item;
        entry.kind = kind;
        entry.setPosition(-3.0f, 1.5f, -6.0f);
        return changed(0, 0, 160, 100, cx, cy);
    };
    show(trashList->hazardTemplates[0], KIND_HAZARD);
    EXPECT_LT(brightness(mean), 720);
    const Image rock = shot;
    entry.update(catcherFunnel->position);
    gameState.shakeFrames = 0; // a rock this big touches the funnel
    show(trashList->hazardTemplates[0], KIND_HAZARD);
    EXPECT_GT(shot.differingPixels(rock, 10), 1000) << "it turns";
    entry.setRotation(0.0f, 0.0f, 0.0f);
    show(trashList->powerupTemplates[0], KIND_POWERUP);
    EXPECT_GT(mean.r, mean.b + 60);
    show(trashList->powerupTemplates[1], KIND_POWERUP);
    EXPECT_GT(mean.b, mean.r + 60);
    for (int can = 3; can < 8; ++can) {
        show(trashList->trashTemplates[can], KIND_TRASH);
        EXPECT_GT(saturated, 60) << "can " << can;
    }
}

// The message is centred, and cut at both edges where it is wider than the window.
TEST_F(Scene, OverlayShowsEachPhaseAtEveryWindowSize)
{
    enum Show { message = 1, meter = 2, powerup = 4 };
    const struct { const char* name; int phase, paused, health, powerupTimer, show; } phases[] = {
        {"waiting", PHASE_WAITING, 0, 100, 0, message},        {"playing", PHASE_PLAYING, 0, 100, 0, meter},
        {"paused", PHASE_PLAYING, 1, 100, 0, message | meter},  {"powerup", PHASE_PLAYING, 0, 100, 120, meter | powerup},
        {"level end", PHASE_LEVEL_END, 0, 100, 0, message | meter}, {"won", PHASE_GAME_OVER, 0, 100, 0, message | meter},
        {"died", PHASE_GAME_OVER, 0, -5, 0, message | meter}};
    bareField();
    gameState.deathRoll = 3.5f; // the longest death message
    showFps = true;
    for (const auto& size : {std::make_pair(320, 200), std::make_pair(640, 480), std::make_pair(1024, 768)}) {
        const int w = size.first, h = size.second;
        // What the rows hold without a message (stars) or without the meter.
        gameState.phase = PHASE_PLAYING;
        const Image quiet = renderAt(w, h);
        gameState.phase = PHASE_WAITING;
        const Image waiting = renderAt(w, h);
        auto added = [&](const Image& shot, const Image& base, int x0, int y0, int x1, int y1, bool (*lit)(Rgb)) {
            return shot.count(x0, y0, x1, y1, [&](int x, int y) { return lit(shot.at(x, y)) && !lit(base.at(x, y)); });
        };
        for (const auto& p : phases) {
            SCOPED_TRACE(std::string(p.name) + " at " + std::to_string(w));
            gameState.phase = p.phase;
            gameState.paused = p.paused;
            gameState.health = p.health;
            gameState.powerupTimer = p.powerupTimer;
            gameState.powerupType = POWERUP_SHIELD;
            const Image shot = renderAt(w, h);
            // White, or the deaths' red, in the row whose baseline lies at 0.777 of the height.
            auto text = [](Rgb q) { return q.r > 150 && (q.g > 150 || q.g < 40); };
            const int row = h - static_cast<int>(h * 0.777);
            const int left = added(shot, quiet, 0, row - 13, w / 2, row + 4, text);
            const int right = added(shot, quiet, w / 2, row - 13, w, row + 4, text);
            EXPECT_EQ(left > 15 && right > 15, (p.show & message) != 0);
            EXPECT_EQ(left + right == 0, (p.show & message) == 0);
            EXPECT_EQ(shot.count(25, h - 92, 140, h - 68, meterBlue) > 2600, (p.show & meter) != 0); // a full bar
            EXPECT_EQ(shot.count(170, h - 92, 290, h - 68, meterBlue), 0);
            EXPECT_EQ(shot.count(300, h - 55, std::min(w, 350), h - 5,
                                 [](Rgb q) { return q.r > 150 && q.g < 60 && q.b < 60; }) > 100,
                      (p.show & meter) != 0);
            EXPECT_GT(shot.count(10, 0, 90, 16, [](Rgb q) { return q.g > 150 && q.b > 150 && q.r < q.g - 30; }), 10);
            if (w > 320) { // the health number right of the cross, the powerup's icon and readout's end
                EXPECT_EQ(added(shot, waiting, 350, h - 40, 400, h - 15, white) > 10, (p.show & meter) != 0);
                EXPECT_EQ(added(shot, quiet, 400, h - 55, 450, h - 5, [](Rgb q) { return brightness(q) > 60; }) > 500,
                          (p.show & powerup) != 0);
                EXPECT_EQ(added(shot, waiting, 540, h - 40, 560, h - 15, white) > 10, (p.show & powerup) != 0);
            }
        }
    }
    showFps = gameState.paused = false;
    gameState.health = 100;
}

// The last fade-out ended at factor 0 and no fade-in follows, yet all shows.
TEST_F(Scene, WinScreenShowsItsMessageAndLitObjectsAndScalesExactly)
{
    crowdTheThirdLevel();
    gameState.phase = PHASE_GAME_OVER;
    screenFade.fadeFactor = 0.0f;
    renderScene(); // the first frame after play without pictures sets the state up
    const Image win = renderAt(320, 200);
    savePng(win, testOutputPath("win-screen.png"));
    EXPECT_GT(win.count(0, 31, 40, 49, white), 10);
    EXPECT_GT(win.count(280, 31, 320, 49, white), 10);
    screenFade.fadeFactor = 1.0f;
    const Image bright = renderAt(320, 200);
    EXPECT_LE(win.differingPixels(bright, 2), 5);

    // Every pixel times the factor, even over wireframe with a grey texture on the second unit.
    renderScene();
    const Image frame = readFramebuffer();
    for (int sevenths : {7, 4, 1, 0, -4}) {
        const float factor = std::abs(sevenths) / 7.0f;
        renderScene();
        if (sevenths < 0) {
            glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
            glActiveTextureARB(GL_TEXTURE1_ARB);
            glEnable(GL_TEXTURE_2D);
            const GLubyte grey[4] = {60, 60, 60, 255};
            GLuint name = 0;
            glGenTextures(1, &name);
            glBindTexture(GL_TEXTURE_2D, name);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, grey);
        }
        scaleFrame(factor);
        const Image scaled = readFramebuffer();
        EXPECT_LE(scaled.differingPixels(frame, 2, factor), 20) << "factor " << sevenths << "/7";
    }
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisable(GL_TEXTURE_2D);
    glActiveTextureARB(GL_TEXTURE0_ARB);
}

// Wireframe whatever program is current; solid, a fifth of what lies behind shows through.
TEST_F(Scene, FunnelIsWhiteInWireframeAndSeeThroughSolid)
{
    auto funnelOver = [](float grey, uint32_t mode) {
        renderFlags = mode;
        glClearColor(grey, grey, grey, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        setupCamera();
        glLoadIdentity();
        useShader(SHADER_DEFAULT_LIGHTING);
        catcherFunnel->draw();
        glUseProgramObjectARB(0);
        renderFlags = RENDER_BUFFER_OBJECTS;
        return readFramebuffer();
    };
    const Image shot = funnelOver(0.0f, RENDER_WIREFRAME);
    const int lit = shot.count(0, 0, 320, 200, [](Rgb p) { return brightness(p) > 120; });
    EXPECT_GT(lit, 200);
    EXPECT_EQ(shot.count(0, 0, 320, 200,
                         [](Rgb p) { return brightness(p) > 120 && std::abs(p.r - p.b) < 8 && std::abs(p.g - p.b) < 8; }),
              lit);

    const Image onBlack = funnelOver(0.0f, RENDER_BUFFER_OBJECTS), onWhite = funnelOver(1.0f, RENDER_BUFFER_OBJECTS);
    const int tube = onBlack.count(0, 0, 320, 200, [](Rgb p) { return brightness(p) > 60; });
    const int seeThrough = onWhite.count(0, 0, 320, 200, [&](int x, int y) {
        const Rgb w = onWhite.at(x, y), b = onBlack.at(x, y);
        return brightness(b) > 60 && std::abs(brightness(w) - brightness(b) - 153) < 45; // a fifth of white
    });
    EXPECT_GT(tube, 1000);
    EXPECT_GT(seeThrough, tube * 9 / 10);
    // Shiny, not chalky: 568 on average here, 612 in the matt material.
    long sum = 0;
    onBlack.count(0, 0, 320, 200, [&](Rgb p) { return brightness(p) > 60 && (sum += brightness(p)); });
    EXPECT_LT(sum / tube, 590);
}

TEST_F(Scene, EachFrameSleepsFortyMilliseconds)
{
    SDL_Event quit;
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    sleeps.clear();
    runMainLoop();
    EXPECT_EQ(sleeps, std::vector<Uint32>{40});
}

// Also for tilted and stretched shards under a turned view.
TEST_F(Scene, BatchedDebrisDrawsWhatEachShardDrawsAlone)
{
    crowdTheThirdLevel();
    int debris = 0;
    for (TrashListItem* e : trashList->entries)
        if (e->kind == KIND_DEBRIS && debris++ % 3 == 0) {
            e->setRotation(20.0f * debris, 35.0f, 310.0f);
            e->scale[0] = 2.5f;
            e->scale[1] = 0.5f;
        }
    ASSERT_GT(debris, 50);
    auto draw = [](bool batched, bool withDebris) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        setupCamera();
        glLoadIdentity();
        glRotatef(10.0f, 0, 1, 0);
        useShader(SHADER_DEFAULT_LIGHTING);
        glBindTexture(GL_TEXTURE_2D, 0); // as the backdrop leaves it
        for (TrashListItem* e : trashList->entries)
            if (!batched && e->active && (withDebris || e->kind != KIND_DEBRIS))
                e->draw();
        if (batched)
            trashList->draw();
        glUseProgramObjectARB(0);
        glLoadIdentity();
        return readFramebuffer();
    };
    const Image alone = draw(false, true);
    const Image batched = draw(true, true);
    EXPECT_GT(alone.differingPixels(draw(false, false), 8), 100);
    EXPECT_LE(batched.differingPixels(alone, 1), 20);
}

// A copy at each of the last five places (the ring wraps), each at a fifth of its strength.
TEST_F(Scene, SlowMotionTrailAveragesTheLastFiveFrames)
{
    TrashListItem entry(trashList->trashTemplates[0], KIND_TRASH);
    entry.setRotation(0.0f, 0.0f, 0.0f);
    bareField({&entry});
    auto frame = [&](float x) {
        entry.setPosition(x, 6.0f, -15.0f);
        renderScene();
        return readFramebuffer();
    };
    // Place k, x = 6k - 12 at depth 15, lies round pixel (80 + 40k, 60); x = -30 is off screen.
    auto lit = [](const Image& shot, int k) { return brightness(shot.mean(65 + 40 * k, 45, 95 + 40 * k, 75)); };
    const Image empty = frame(-30.0f);
    std::vector<Image> alone;
    for (int k = 0; k < 5; ++k)
        alone.push_back(frame(6.0f * k - 12.0f));
    gameState.receivePowerup(POWERUP_SLOW_MOTION);
    Image trail;
    for (float x : {-30.0f, -30.0f, -30.0f, -30.0f, -12.0f, -6.0f, 0.0f, 6.0f, 12.0f})
        trail = frame(x);
    savePng(trail, testOutputPath("slow-motion-trail.png"));
    gameState.powerupTimer = 0;
    resetBlurTrail();
    for (int k = 0; k < 5; ++k) {
        const int whole = lit(alone[k], k) - lit(empty, k);
        ASSERT_GT(whole, 100) << "place " << k;
        EXPECT_NEAR(double(lit(trail, k) - lit(empty, k)) / whole, 0.2, 0.05) << "place " << k;
    }
    EXPECT_GT(trail.count(25, 108, 140, 132, meterBlue), 1500) << "fixed-function colours after the trail";
}

// "Level 1" at a tenth of DejaVu Sans Bold's 18 points, centred across, in
// the lit grey noise: untextured it is flat white, other slots are coloured
// or dark.
TEST_F(Scene, BannerFliesInAtItsSizeInTheGreyNoise)
{
    bareField();
    const Image empty = renderAt(320, 200);
    trashList->addText("Level 1");
    trashList->entries.back()->position[1] += 4.5f; // clear of the funnel and the meter
    const Image shot = renderAt(320, 200);
    int x0 = 320, x1 = 0, y0 = 200, y1 = 0;
    std::vector<int> lit;
    shot.count(0, 40, 320, 77, [&](int x, int y) {
        if (std::abs(brightness(shot.at(x, y)) - brightness(empty.at(x, y))) <= 30)
            return false;
        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
        lit.push_back(brightness(shot.at(x, y)));
        return true;
    });
    ASSERT_GT(lit.size(), 100u);
    EXPECT_NEAR(x1 - x0, 54, 4);
    EXPECT_NEAR(y1 - y0, 11, 2);
    EXPECT_NEAR((x0 + x1) / 2.0, 160, 3);
    std::sort(lit.begin(), lit.end());
    const Rgb mean = shot.mean(x0, y0, x1 + 1, y1 + 1);
    EXPECT_LE(std::max({mean.r, mean.g, mean.b}) - std::min({mean.r, mean.g, mean.b}), 12);
    EXPECT_GT(lit[lit.size() / 2], 450);
    EXPECT_GT(lit[lit.size() * 9 / 10] - lit[lit.size() / 10], 100) << "textured";
    delete trashList->entries.back();
}

// Stars are points three pixels across, white in three pixels of some row
// (one-pixel points leave the sky nearly empty on a large screen).
TEST_F(Scene, StarsAreThreePixelsAcross)
{
    bareField();
    renderScene();
    const Image sky = readFramebuffer();
    const int wide = sky.count(1, 0, 318, 90, [&](int x, int y) {
        return !white(sky.at(x - 1, y)) && white(sky.at(x, y)) && white(sky.at(x + 1, y)) && white(sky.at(x + 2, y));
    });
    EXPECT_GT(wide, 80);
}

// Every draw sets what its picture depends on. Before each object's draw the
// probe leaves a loud two-colour texture bound, an odd colour, normal, texture
// coordinate and material; every frame of the game must come out the same.
TEST_F(Scene, FramesDoNotDependOnWhatEarlierDrawsLeft)
{
    static GLuint loud = 0;
    glGenTextures(1, &loud);
    glBindTexture(GL_TEXTURE_2D, loud);
    const GLubyte texels[16] = {255, 0, 255, 255, 0, 255, 0, 90, 255, 255, 0, 255, 0, 0, 255, 160};
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    glBindTexture(GL_TEXTURE_2D, 0);
    auto poison = [](const char*) {
        glBindTexture(GL_TEXTURE_2D, loud);
        glColor4f(0.9f, 0.1f, 0.7f, 0.35f);
        glNormal3f(-0.6f, 0.7f, -0.4f);
        glTexCoord2f(0.37f, 0.81f);
        const GLfloat odd[4] = {0.2f, 0.9f, 0.1f, 0.6f};
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, odd);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, odd);
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 90.0f);
    };
    int compared = 0;
    // The trail's frames, in the window: its ring binds the window's framebuffer back.
    auto same = [&](const std::string& name, int trailFrames = 0) {
        Image shot[2];
        for (int poisoned = 0; poisoned < 2; ++poisoned) {
            beforeEachDraw = poisoned ? +poison : nullptr;
            blurIndex = 0;
            blurCount = 0;
            for (int i = 0; i < trailFrames; ++i)
                renderScene();
            shot[poisoned] = trailFrames ? readFramebuffer() : renderAt(640, 400);
        }
        beforeEachDraw = nullptr;
        ++compared;
        const int differ = shot[1].differingPixels(shot[0], 0);
        EXPECT_EQ(differ, 0) << name;
        if (differ) {
            savePng(shot[0], testOutputPath("state-" + name + ".png"));
            savePng(shot[1], testOutputPath("state-" + name + "-poisoned.png"));
        }
    };
    gameState.phase = PHASE_WAITING;
    same("waiting");
    // The first level's banner, with a rock and both powerups in view.
    gameState.phase = PHASE_PLAYING;
    trashList->addText("Level 1");
    TrashListItem rock(trashList->hazardTemplates[0], KIND_HAZARD), shield(trashList->powerupTemplates[0], KIND_POWERUP),
        slow(trashList->powerupTemplates[1], KIND_POWERUP);
    rock.setPosition(-4.0f, 2.0f, -9.0f);
    shield.setPosition(4.0f, 2.0f, -7.0f);
    slow.setPosition(3.0f, -2.5f, -6.0f);
    for (TrashListItem* e : {&rock, &shield, &slow}) {
        e->active = true;
        trashList->entries.push_back(e);
    }
    gameState.powerupType = POWERUP_SHIELD;
    gameState.powerupTimer = 120;
    same("level-1");
    for (int i = 0; i < 3; ++i)
        trashList->entries.pop_back();
    crowdTheThirdLevel();
    for (uint32_t mode : {RENDER_BUFFER_OBJECTS, RENDER_IMMEDIATE, RENDER_WIREFRAME}) {
        renderFlags = mode;
        same("crowded-mode-" + std::to_string(mode));
    }
    renderFlags = RENDER_BUFFER_OBJECTS;
    gameState.paused = true;
    same("paused");
    gameState.paused = false;
    gameState.receivePowerup(POWERUP_SLOW_MOTION);
    same("trail", 6);
    gameState.powerupTimer = 0;
    resetBlurTrail();
    gameState.phase = PHASE_GAME_OVER;
    same("won");
    gameState.health = -5;
    same("died");
    gameState.health = 100;
    EXPECT_EQ(compared, 9);
    glDeleteTextures(1, &loud);
}
