// SPDX-License-Identifier: GPL-3.0-or-later
// Every file the game loads, missing, empty, cut in half, or replaced by
// random bytes: each case ends as the game's rules say for that kind of file
// (the message and exit code where it is fatal, the message and a running
// game for textures and shader programs), never in a crash, a hang, an
// assertion or a sanitizer report. The table lives in docs/bad-assets.md.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <random>
#include <thread>

#include "support/gameprocess.h"
#include "support/stagecopy.h"
#include "support/xvfb.h"

namespace {

enum class Damage { missing, empty, truncated, random };

const char* damageName(Damage d)
{
    switch (d) {
    case Damage::missing:
        return "missing";
    case Damage::empty:
        return "empty";
    case Damage::truncated:
        return "truncated";
    default:
        return "random bytes";
    }
}

enum class Ends {
    fatal,      // message and exit code at start-up
    fatalLater, // message and exit code once play starts (the font)
    runs,       // the game plays on; the message is printed when given
    either,     // a decoder may accept a cut file: it runs, or fails as fatal
};

struct Case {
    std::string file;
    Damage damage;
    Ends ends;
    int code;
    std::string message; // a line of standard error starts with this
};

struct Run {
    Case c;
    std::unique_ptr<StageCopy> stage;
    std::unique_ptr<XvfbServer> x;
    std::unique_ptr<GameProcess> game;
};

void damage(StageCopy& stage, const std::string& file, Damage d)
{
    const std::string original = stage.original(file);
    switch (d) {
    case Damage::missing:
        stage.remove(file);
        break;
    case Damage::empty:
        stage.replace(file, "");
        break;
    case Damage::truncated:
        stage.replace(file, original.substr(0, original.size() / 2));
        break;
    case Damage::random: {
        std::mt19937 rng(static_cast<unsigned>(original.size()));
        std::string bytes(original.size(), '\0');
        for (char& b : bytes)
            b = static_cast<char>(rng() & 0xFF);
        stage.replace(file, bytes);
        break;
    }
    }
}

bool hasLineStarting(const std::vector<std::string>& lines, const std::string& prefix)
{
    for (const auto& l : lines)
        if (l.rfind(prefix, 0) == 0)
            return true;
    return false;
}

void expectNoCrashReport(const Run& r)
{
    const std::string err = r.game->stderrText();
    // Mesa reports every OpenGL error the game raises under MESA_DEBUG.
    for (const char* bad : {"Assertion", "AddressSanitizer", "runtime error", "Segmentation", "Mesa: User error"})
        EXPECT_EQ(err.find(bad), std::string::npos) << r.c.file << " " << damageName(r.c.damage) << ":\n" << err;
}

void pause(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Runs the cases six at a time, each game on its own screen.
void runAll(const std::vector<Case>& cases)
{
    for (size_t first = 0; first < cases.size(); first += 6) {
        std::vector<Run> batch;
        for (size_t i = first; i < cases.size() && i < first + 6; ++i) {
            Run r;
            r.c = cases[i];
            r.stage.reset(new StageCopy());
            damage(*r.stage, r.c.file, r.c.damage);
            r.x.reset(new XvfbServer("320x200x24"));
            r.game.reset(new GameProcess(r.x->display(), {{"MESA_DEBUG", "1"}}, r.stage->gameDir()));
            batch.push_back(std::move(r));
        }
        // Start-up: fatal cases end here, the others reach the game.
        std::vector<bool> started(batch.size(), false);
        for (size_t i = 0; i < batch.size(); ++i) {
            Run& r = batch[i];
            SCOPED_TRACE(r.c.file + " " + damageName(r.c.damage));
            if (r.c.ends == Ends::fatal) {
                EXPECT_EQ(r.game->waitForExit(30.0), r.c.code) << r.game->stderrText();
                EXPECT_TRUE(hasLineStarting(r.game->stderrLines(), r.c.message)) << r.game->stderrText();
                expectNoCrashReport(r);
                continue;
            }
            started[i] = r.game->waitForStdout("starting the game...", 30.0) && r.game->waitForWindow("drifthaul game");
            if (!started[i]) {
                const int code = r.game->waitForExit(30.0);
                EXPECT_EQ(r.c.ends, Ends::either) << "exit " << code << "\n" << r.game->stderrText();
                EXPECT_EQ(code, r.c.code);
                EXPECT_TRUE(hasLineStarting(r.game->stderrLines(), r.c.message)) << r.game->stderrText();
                expectNoCrashReport(r);
            }
        }
        pause(500);
        for (size_t i = 0; i < batch.size(); ++i)
            if (started[i])
                batch[i].game->xdotool("key space");
        // Long enough for the banner, the first debris and several frames.
        pause(1000);
        for (size_t i = 0; i < batch.size(); ++i) {
            if (!started[i])
                continue;
            Run& r = batch[i];
            SCOPED_TRACE(r.c.file + " " + damageName(r.c.damage));
            if (r.c.ends == Ends::fatalLater) {
                EXPECT_EQ(r.game->waitForExit(30.0), r.c.code) << r.game->stderrText();
                EXPECT_TRUE(hasLineStarting(r.game->stderrLines(), r.c.message)) << r.game->stderrText();
            } else {
                r.game->xdotool("key Escape");
                EXPECT_EQ(r.game->waitForExit(30.0), 0) << r.game->stderrText();
                if (!r.c.message.empty() && r.c.ends == Ends::runs) {
                    EXPECT_TRUE(hasLineStarting(r.game->stderrLines(), r.c.message)) << r.game->stderrText();
                }
            }
            expectNoCrashReport(r);
        }
    }
}

const Damage allDamage[] = {Damage::missing, Damage::empty, Damage::truncated, Damage::random};

} // namespace

TEST(BadAssets, ModelsInUseEndStartUpAndUnusedOnesChangeNothing)
{
    std::vector<Case> cases;
    for (const char* file : {"../models/trash/soda/can.3ds", "../models/trash/can2/Model/Can.3ds",
                             "../models/trash/fumican/Fumigene.3ds", "../models/trash/barrel_wooden/barrela.3ds",
                             "../models/trash/barrel_burned/BurnBarrel.3ds"})
        for (Damage d : allDamage)
            cases.push_back({file, d, Ends::fatal, 255,
                             d == Damage::missing ? std::string("could not find file ") + file + "!!!"
                                                  : std::string("could not read model file ") + file + ": "});
    for (const char* file : {"../models/trash/packets/duds.3ds", "../models/trash/pizza-slice/pizza.3ds",
                             "../models/ships/spaceship.3ds"})
        for (Damage d : allDamage)
            cases.push_back({file, d, Ends::runs, 0, ""});
    runAll(cases);
}

TEST(BadAssets, TexturesAreReportedAndTheGameGoesOnUntextured)
{
    std::vector<Case> cases;
    for (const char* file : {"../models/trash/soda/can.jpg", "../textures/trash/cans/cokecanskin.jpg",
                             "../textures/trash/fumican/normal.jpg", "../textures/trash/barrels/barrelad.bmp",
                             "../textures/trash/barrels/barrdiff.bmp", "../textures/environment/FlareSun.bmp",
                             "../textures/environment/Earth_Day.bmp", "../textures/powerups/red-cross-50.png",
                             "../textures/powerups/blue_trash_can.jpg"})
        for (Damage d : allDamage)
            cases.push_back({file, d, d == Damage::truncated ? Ends::either : Ends::runs, 0,
                             std::string("Unable to load texture image: ") + file});
    runAll(cases);
}

TEST(BadAssets, SoundsEndStartUpWithTheirNumber)
{
    const std::pair<const char*, int> sounds[] = {
        {"../sounds/pickup.aif", 0},      {"../sounds/crash.aif", 1},        {"../sounds/cracking.aif", 2},
        {"../sounds/trash_collection1.aif", 3}, {"../sounds/collection2.aif", 4}, {"../sounds/evil_laughter.aif", 5},
        {"../sounds/beep-expire.aif", 6}, {"../sounds/moon_jungle.aif", 8}, {"../sounds/witch_laughter.aif", 9},
    };
    std::vector<Case> cases;
    for (const auto& s : sounds)
        for (Damage d : allDamage)
            cases.push_back({s.first, d, d == Damage::truncated ? Ends::either : Ends::fatal, 255,
                             "Unable to load WAV file number " + std::to_string(s.second) + ": "});
    runAll(cases);
}

TEST(BadAssets, ShaderSourcesEndStartUpWhenMissingAndLeaveTheProgramUnbuiltOtherwise)
{
    std::vector<Case> cases;
    for (const char* name : {"default_lighting", "noise", "bricks_my", "CH14-WardBRDF", "CH11-stripe", "planets",
                             "texture_combe"})
        for (const char* ext : {".vert", ".frag"}) {
            const std::string file = std::string("shaders/") + name + ext;
            const std::string stage = std::string(ext) == ".vert" ? "vertex" : "fragment";
            for (Damage d : allDamage) {
                if (d == Damage::missing)
                    cases.push_back({file, d, Ends::fatal, 255, "oops! cannot open " + file});
                else
                    cases.push_back({file, d, Ends::runs, 0, "could not "});
            }
        }
    runAll(cases);
}

TEST(BadAssets, ABrokenFontEndsTheGameAtTheFirstBanner)
{
    std::vector<Case> cases;
    for (Damage d : allDamage)
        cases.push_back({"../fonts/Action Man Bold.ttf", d, Ends::fatalLater, 1,
                         "Failed to open font ../fonts/Action Man Bold.ttf"});
    runAll(cases);
}
