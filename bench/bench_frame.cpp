// SPDX-License-Identifier: GPL-3.0-or-later
// Frame-time and start-up benchmark: runs the game's real frame (the main
// loop's update order, the scene, the fade and the swap, without the 40 ms
// pacing) on fixed, seeded scenarios and reports the median and the 95th
// percentile of the milliseconds per frame, the start-up time and the peak
// resident memory. Run it through bench/run.sh (Linux) or bench/web.sh (the
// browser beside Linux). With "shots DIR" it instead writes the seeded
// frames the browser build must draw as Linux does, as DIR/NAME.ppm: the
// same program on both, so both draw from the very same state.
#include <GL/glew.h>
#include <SDL/SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "common/gamestate.h"
#include "common/scene.h"
#include "common/settings.h"
#include "common/powerupitem.h"
#include "common/trashitem.h"
#include "common/trashlist.h"
#include "common/numeric.h"
#include "common/textures.h"
#include "opengl/glutil.h"
#include "sdl/mainloop.h"
#include "sdl/startup.h"
#include "sdl/video.h"
#include "sys/platform.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisSince(Clock::time_point t)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

// One pixel read back waits for the whole frame on both GL and WebGL (a
// browser may make glFinish a mere flush).
void present()
{
    renderScene();
    applyScreenFade();
    presentFrame();
    if (!std::getenv("BENCH_NO_FINISH")) {
        unsigned char pixel[4];
        glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    }
}

void frame()
{
    updateFrame();
    present();
}

void print(const char* name, std::vector<double>& ms)
{
    std::sort(ms.begin(), ms.end());
    const size_t entries = trashList ? trashList->entries.size() : 0;
    std::printf("%-34s entries %4zu  median %6.2f ms  p95 %6.2f ms\n", name, entries, ms[ms.size() / 2],
                ms[ms.size() * 95 / 100]);
    std::fflush(stdout);
}

void report(const char* name, int frames)
{
    std::vector<double> ms;
    for (int i = 0; i < frames; ++i) {
        const Clock::time_point t = Clock::now();
        frame();
        ms.push_back(millisSince(t));
    }
    print(name, ms);
}

// The two render modes on the very same frames: each update is drawn once in
// each mode, the mode that goes first (and carries the update) alternating.
// The field changes as it streams by, so modes timed on different stretches
// of play would compare different pictures.
void reportModes(int frames)
{
    std::vector<double> ms[2];
    const uint32_t modes[2] = {RENDER_BUFFER_OBJECTS, RENDER_IMMEDIATE};
    for (int i = 0; i < frames; ++i) {
        const int shake = gameState.shakeFrames;
        for (int k = 0; k < 2; ++k) {
            const int m = (i + k) % 2;
            renderFlags = modes[m];
            gameState.shakeFrames = shake; // both pictures shake alike
            const Clock::time_point t = Clock::now();
            if (k == 0)
                updateFrame();
            present();
            ms[m].push_back(millisSince(t));
        }
    }
    renderFlags = RENDER_BUFFER_OBJECTS;
    print("level 3 crowded field, VBO", ms[0]);
    print("level 3 crowded field, immediate", ms[1]);
}

// The most crowded field the game produces: level 3's schedule (trash,
// rocks every 15 units, powerups) at the slowest drift the game reaches
// (a slow motion's 0.3 of level 2's speed), so debris lives longest.
void crowdedLevelThree()
{
    gameSrand(4242);
    gameState.levelIndex = 2;
    gameState.startLevel(2);
    gameState.phase = PHASE_PLAYING;
    gameState.health = 1000000; // nobody steers: rocks aimed at the ship must not end the run
    gameState.drift[2] = static_cast<float>(0.5f * 0.3);
    screenFade = ScreenFade();
    for (int i = 0; i < 450; ++i) {
        updateFrame();
        gameState.powerupTimer = 0; // powerups touched by the idle funnel would start effects
        gameState.drift[2] = static_cast<float>(0.5f * 0.3);
    }
}

// Grants the slow motion on the crowded field at its slowest drift and runs
// the given frames of it, so the trail's ring holds them.
void startTrail(int frames)
{
    gameState.powerupTimer = 0;
    gameState.powerupType = 0;
    gameState.receivePowerup(POWERUP_SLOW_MOTION);
    gameState.drift[2] = static_cast<float>(0.5f * 0.3);
    for (int i = 0; i < frames; ++i)
        frame();
}

// The frame as drawn, before the swap, as a binary PPM. A size other than
// the window's is drawn off screen, as a window of that size would show it
// (not through the trail, whose ring hands back to the window).
void writeShot(const std::string& dir, const char* name, int width = 0, int height = 0)
{
    SDL_Surface* window = screen;
    SDL_Surface sized = *window;
    // A texture to draw into and a depth buffer, as the trail's ring has:
    // WebGL's renderbuffers offer no 8-bit colour.
    GLuint fbo = 0, colour = 0, depth = 0;
    if (width) {
        glGenTextures(1, &colour);
        glBindTexture(GL_TEXTURE_2D, colour);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glBindTexture(GL_TEXTURE_2D, 0);
        glGenRenderbuffersEXT(1, &depth);
        glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, depth);
        glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT, width, height);
        glGenFramebuffersEXT(1, &fbo);
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, fbo);
        glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, colour, 0);
        glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, depth);
        if (glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) != GL_FRAMEBUFFER_COMPLETE_EXT)
            std::exit(1);
        sized.w = width;
        sized.h = height;
        screen = &sized;
        glViewport(0, 0, width, height);
    }
    renderScene();
    applyScreenFade();
    glFlush();
    std::vector<unsigned char> rgb(screen->w * screen->h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, screen->w, screen->h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    FILE* f = std::fopen((dir + "/" + name + ".ppm").c_str(), "wb");
    if (!f)
        std::exit(1);
    std::fprintf(f, "P6\n%d %d\n255\n", screen->w, screen->h);
    for (int y = screen->h - 1; y >= 0; --y) // GL's rows run bottom up
        std::fwrite(&rgb[y * screen->w * 3], 1, screen->w * 3, f);
    std::fclose(f);
    if (width) {
        screen = window;
        glViewport(0, 0, window->w, window->h);
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
        glDeleteFramebuffersEXT(1, &fbo);
        glDeleteRenderbuffersEXT(1, &depth);
        glDeleteTextures(1, &colour);
        return;
    }
    presentFrame();
}

// What the game relies on of GL and the browser's GL: a texture bound by the
// game (the default one too) is still bound, by the game's name, after
// bitmap text is drawn and flushed (the browser's GL draws bitmaps through
// textures of its own); glMaterialf between glBegin and glEnd takes effect.
bool glBehavesAsTheGameNeeds()
{
    bool sound = true;
    for (const GLint name : {0, textureTable->nameAt(1)}) {
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(name));
        drawBitmapText("binding", 1);
        glFlush();
        GLint asInteger = -1;
        GLfloat asFloat = -1.0f;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &asInteger);
        glGetFloatv(GL_TEXTURE_BINDING_2D, &asFloat);
        if (asInteger != name || asFloat != static_cast<GLfloat>(name)) {
            std::fprintf(stderr, "texture %d bound before bitmap text, after it %d (%g as a float)\n", name,
                         asInteger, asFloat);
            sound = false;
        }
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    // As the starfield records it: in a display list, inside the primitive.
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glBegin(GL_POINTS);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 7.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glEnd();
    glEndList();
    glCallList(list);
    glDeleteLists(list, 1);
    GLfloat shininess = -1.0f;
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    if (shininess != 7.0f) {
        std::fprintf(stderr, "glMaterialf between glBegin and glEnd: shininess %g, not 7\n", shininess);
        sound = false;
    }
    return sound;
}

// The seeded frames, each from the state the one before left.
void shots(const std::string& dir)
{
    if (!glBehavesAsTheGameNeeds())
        std::exit(3);
    screenFade = ScreenFade();
    writeShot(dir, "waiting");

    // The banner of a fresh first level, part way in.
    gameSrand(7);
    gameState.startLevel(0);
    gameState.phase = PHASE_PLAYING;
    for (int i = 0; i < 12; ++i)
        updateFrame();
    screenFade = ScreenFade(); // the level's own fade-in done
    for (TrashListItem* entry : trashList->entries)
        if (entry->kind == KIND_TEXT)
            entry->position[1] += 4.5f; // clear of the funnel and the meter
    writeShot(dir, "banner");

    crowdedLevelThree();
    gameState.paused = true;
    writeShot(dir, "paused");
    gameState.paused = false;

    // Play fading out, at 4/7 of its light.
    screenFade.arm(FADE_OUT, 4);
    screenFade.fadeFactor = 4 / 7.0f;
    writeShot(dir, "fade");

    screenFade = ScreenFade();
    startTrail(9);
    updateFrame();
    writeShot(dir, "trail");
    gameState.powerupTimer = 0;
    resetBlurTrail();

    // Play over Mars and over Venus, each a while into its level.
    for (int level : {1, 2}) {
        gameSrand(10 + level);
        gameState.levelIndex = level;
        gameState.startLevel(level);
        gameState.phase = PHASE_PLAYING;
        gameState.health = 1000000;
        for (int i = 0; i < (level == 1 ? 8 : 40); ++i)
            updateFrame();
        gameState.health = 100;
        gameState.powerupTimer = 0;
        gameState.shakeFrames = 0;
        screenFade = ScreenFade();
        writeShot(dir, level == 1 ? "mars" : "venus");
    }

    // A rock and a shield up front, over Venus.
    TrashListItem rock(trashList->hazardTemplates[0], KIND_HAZARD);
    TrashListItem shield(trashList->powerupTemplates[0], KIND_POWERUP);
    const float* ship = gameState.shipPosition; // the camera's offset
    rock.setPosition(-7.0f - ship[0], 3.0f - ship[1], -18.0f - ship[2]);
    shield.setPosition(3.0f - ship[0], 1.5f - ship[1], -6.0f - ship[2]);
    for (TrashListItem* e : {&rock, &shield}) {
        e->active = true;
        trashList->entries.push_back(e);
    }
    writeShot(dir, "rock-shield");
    renderFlags = RENDER_WIREFRAME;
    writeShot(dir, "wireframe");
    renderFlags = RENDER_BUFFER_OBJECTS;
    trashList->entries.pop_back();
    trashList->entries.pop_back();

    // The end of the game, won and lost (the longest death message).
    gameState.phase = PHASE_GAME_OVER;
    writeShot(dir, "won");
    gameState.health = -5;
    gameState.deathRoll = 3.5f;
    writeShot(dir, "died");

    // The whole HUD, a shield running: the health number and the powerup's
    // readout lie right of what 320 pixels show.
    gameState.health = 100;
    gameState.phase = PHASE_PLAYING;
    gameState.powerupType = POWERUP_SHIELD;
    gameState.powerupTimer = 120;
    writeShot(dir, "hud", 640, 400);
    gameState.powerupTimer = 0;
}

#if !defined(__EMSCRIPTEN__)
// Where a frame's work goes, per kind of object: the pixels its draws shade
// (samples that pass, in screens) and the time from its first call until
// the driver has finished it (each draw waited for with glFinish: llvmpipe
// rasterises at the flush, after its time-elapsed queries have ended).
// Linux only: the browser's WebGL has no such queries.
struct KindCost {
    double screens = 0.0, ms = 0.0;
    int draws = 0;
};
std::vector<std::pair<std::string, KindCost>> kindCosts;
GLuint costQuery = 0;
const char* costKind = nullptr;
Clock::time_point costStart;

void endCost()
{
    if (!costKind)
        return;
    glEndQuery(GL_SAMPLES_PASSED);
    glFinish();
    const double ms = millisSince(costStart);
    GLuint64 samples = 0;
    glGetQueryObjectui64v(costQuery, GL_QUERY_RESULT, &samples);
    auto at = std::find_if(kindCosts.begin(), kindCosts.end(), [](const auto& k) { return k.first == costKind; });
    if (at == kindCosts.end())
        at = kindCosts.insert(kindCosts.end(), {costKind, KindCost()});
    at->second.screens += static_cast<double>(samples) / (screen->w * screen->h);
    at->second.ms += ms;
    ++at->second.draws;
    costKind = nullptr;
}

void beginCost(const char* what)
{
    endCost();
    glFinish();
    costKind = what;
    costStart = Clock::now();
    glBeginQuery(GL_SAMPLES_PASSED, costQuery);
}

void profile(const char* name, int frames)
{
    kindCosts.clear();
    beforeEachDraw = beginCost;
    for (int i = 0; i < frames; ++i) {
        updateFrame();
        renderScene();
        endCost();
        applyScreenFade();
        presentFrame();
    }
    beforeEachDraw = nullptr;
    std::printf("%s (per frame):\n", name);
    for (const auto& [kind, cost] : kindCosts)
        std::printf("  %-8s draws %5.1f  shaded %5.2f screens  %6.2f ms\n", kind.c_str(),
                    static_cast<double>(cost.draws) / frames, cost.screens / frames, cost.ms / frames);
    std::fflush(stdout);
}

void profiles(int frames)
{
    glGenQueries(1, &costQuery);
    screenFade = ScreenFade();
    profile("waiting screen", frames);
    crowdedLevelThree();
    profile("level 3 crowded field", frames);
    startTrail(10);
    gameState.powerupTimer = 100000;
    profile("level 3 crowded field, blur trail", frames);
    glDeleteQueries(1, &costQuery);
}
#endif

} // namespace

int main(int argc, char** argv)
{
    const Clock::time_point processStart = Clock::now();
    const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
    if (chdir(DRIFTHAUL_STAGE_GAME_DIR) != 0)
        return 1;
    setenv("SDL_AUDIODRIVER", "dummy", 0);

    printBanner();
    startUp();
    if (argc > 2 && std::strcmp(argv[1], "shots") == 0) {
        shots(argv[2]);
        shutDown();
        return 0;
    }
#if !defined(__EMSCRIPTEN__)
    if (argc > 2 && std::strcmp(argv[1], "profile") == 0) {
        profiles(std::atoi(argv[2]));
        shutDown();
        return 0;
    }
#endif
    frame();
    // The loading screen's fade-out sleeps 8 x 40 ms by design.
    const double startup = millisSince(processStart) - 8 * 40.0;
    std::printf("window %dx%d, %d frames per scenario\n", screen->w, screen->h, frames);
    std::printf("start-up to the first frame: %.1f ms (without the loading fade's 320 ms of sleeps)\n", startup);

    screenFade = ScreenFade();
    report("waiting screen", frames);

    crowdedLevelThree();
    reportModes(frames);

    startTrail(10);
    gameState.powerupTimer = 100000; // keep the trail on for the whole measurement
    report("level 3 crowded field, blur trail", frames);

    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %ld kB\n", usage.ru_maxrss);
    shutDown();
    return 0;
}
