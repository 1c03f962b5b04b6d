// SPDX-License-Identifier: GPL-3.0-or-later
// Every file the game loads, missing, empty, cut or random (and sound headers
// that would overflow SDL_mixer's converter): each ends as docs/bad-assets.md
// says, never in a crash, a hang, an assertion, a GL error or a sanitizer report.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "support/gameprocess.h"
#include "support/xvfb.h"

namespace {

enum Damage { missing, empty, truncated, randomBytes, zeroChannels, zeroRate, zeroChannelWave };
enum class Ends { fatal, fatalLater, runs, either }; // either: a decoder may accept a cut file

struct Case {
    std::string file; // relative to the game/ folder, as the game names it
    Damage damage;
    Ends ends;
    int code;
    std::string message; // a line of standard error starts with this
};

// A game on its own screen, in a tree of links to the staged files but the damaged one.
struct GameRun {
    explicit GameRun(const Case& c) : c(c)
    {
        char pattern[] = "/tmp/drifthaul-stage-XXXXXX";
        root = mkdtemp(pattern);
        std::system(("cp -rs '" + std::filesystem::path(stagedGameDir()).parent_path().string() + "/.' " + root).c_str());
        const std::string file = root + "/game/" + c.file;
        std::string bytes = readFile(file);
        std::filesystem::remove(file);
        std::mt19937 rng(static_cast<unsigned>(bytes.size()));
        const size_t comm = bytes.find("COMM") + 8;
        if (c.damage == empty || c.damage == truncated)
            bytes.resize(c.damage == empty ? 0 : bytes.size() / 2);
        for (char& b : bytes)
            b = c.damage == randomBytes ? static_cast<char>(rng()) : b;
        const size_t zeroed = c.damage == zeroRate ? 10 : c.damage == zeroChannels ? 2 : 0;
        if (zeroed)
            bytes.replace(c.damage == zeroRate ? comm + 8 : comm, zeroed, zeroed, '\0');
        if (c.damage == zeroChannelWave)
            bytes.assign("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\x01\0\0\0\x44\xac\0\0\x88\x58\x01\0\x02\0\x10\0data\0\0\0\0", 44);
        if (c.damage != missing)
            std::ofstream(file, std::ios::binary) << bytes;
        game.reset(new GameProcess(x.display(), {{"MESA_DEBUG", "1"}}, root + "/game"));
    }
    ~GameRun()
    {
        game.reset();
        std::filesystem::remove_all(root);
    }
    void expectEnd(int expected, bool message)
    {
        SCOPED_TRACE(c.file + " damage " + std::to_string(c.damage));
        const int code = game->waitForExit(30.0);
        const std::string err = game->err();
        EXPECT_EQ(code, expected) << err;
        EXPECT_TRUE(!message || hasLine(err, c.message)) << err;
        // Mesa reports every OpenGL error the game raises under MESA_DEBUG.
        for (const char* bad : {"Assertion", "AddressSanitizer", "runtime error", "Segmentation", "Mesa: User error"})
            EXPECT_EQ(err.find(bad), std::string::npos) << err;
    }

    Case c;
    std::string root;
    XvfbServer x;
    std::unique_ptr<GameProcess> game;
    bool started = false;
};

// The files the game's own code parses (models, sound headers), or the others.
std::vector<Case> casesFor(bool ownParsers)
{
    std::vector<Case> cases;
    // The four damages of one file: missing, then the others, a cut file perhaps otherwise.
    auto each = [&](const std::string& file, const Case& whenMissing, const Case& otherwise, Ends cut) {
        cases.push_back({file, missing, whenMissing.ends, whenMissing.code, whenMissing.message});
        for (Damage d : {empty, truncated, randomBytes})
            cases.push_back({file, d, d == truncated ? cut : otherwise.ends, otherwise.code, otherwise.message});
    };
    if (ownParsers) {
        for (std::string file : {"soda/can.3ds", "can2/Model/Can.3ds", "fumican/Fumigene.3ds",
                                 "barrel_wooden/barrela.3ds", "barrel_burned/BurnBarrel.3ds"}) {
            file = "../models/trash/" + file;
            each(file, {"", missing, Ends::fatal, 255, "could not find file " + file + "!!!"},
                 {"", missing, Ends::fatal, 255, "could not read model file " + file + ": "}, Ends::fatal);
        }
        // Each sound by the first table index that uses its file.
        const std::pair<int, const char*> sounds[] = {{0, "pickup"},      {1, "crash"},         {2, "cracking"},
                                                      {3, "trash_collection1"}, {4, "collection2"}, {5, "evil_laughter"},
                                                      {6, "beep-expire"}, {8, "moon_jungle"},  {9, "witch_laughter"}};
        for (const auto& sound : sounds) {
            const Case fatal{"", missing, Ends::fatal, 255,
                             "Unable to load WAV file number " + std::to_string(sound.first)};
            each(std::string("../sounds/") + sound.second + ".aif", fatal, fatal, Ends::either);
        }
        for (Damage d : {zeroChannels, zeroRate, zeroChannelWave})
            cases.push_back({"../sounds/witch_laughter.aif", d, Ends::fatal, 255,
                             "Unable to load WAV file number 9: unplayable sound header"});
        return cases;
    }
    for (const char* file : {"../models/trash/soda/can.jpg", "../textures/trash/cans/cokecanskin.jpg",
                             "../textures/trash/fumican/normal.jpg", "../textures/trash/barrels/barrelad.bmp",
                             "../textures/trash/barrels/barrdiff.bmp", "../textures/environment/FlareSun.bmp",
                             "../textures/environment/Earth_Day.bmp", "../textures/powerups/red-cross-50.png",
                             "../textures/powerups/blue_trash_can.jpg"}) {
        const Case reported{"", missing, Ends::runs, 0, std::string("Unable to load texture image: ") + file};
        each(file, reported, reported, Ends::either);
    }
    for (const char* name : {"default_lighting", "noise", "bricks_my", "CH14-WardBRDF", "CH11-stripe", "planets",
                             "texture_combe"})
        for (const char* ext : {".vert", ".frag"}) {
            const std::string file = std::string("shaders/") + name + ext;
            each(file, {"", missing, Ends::fatal, 255, "oops! cannot open " + file},
                 {"", missing, Ends::runs, 0, "could not "}, Ends::runs);
        }
    const Case font{"", missing, Ends::fatalLater, 1, "Failed to open font ../fonts/Action Man Bold.ttf"};
    each("../fonts/Action Man Bold.ttf", font, font, Ends::fatalLater);
    return cases;
}

void runAll(const std::vector<Case>& cases)
{
    for (size_t first = 0; first < cases.size(); first += 16) { // sixteen games at a time
        std::vector<std::unique_ptr<GameRun>> batch;
        for (size_t i = first; i < cases.size() && i < first + 16; ++i)
            batch.emplace_back(new GameRun(cases[i]));
        for (auto& r : batch) {
            r->started = r->c.ends != Ends::fatal && r->game->waitFor("starting the game...", 30.0);
            if (!r->started) {
                EXPECT_NE(r->c.ends, Ends::runs) << r->c.file << "\n" << r->game->err();
                r->expectEnd(r->c.code, true);
            }
        }
        usleep(200000);
        for (auto& r : batch)
            if (r->started)
                r->game->xdotool("key space");
        usleep(600000); // the banner, the first debris and several frames
        for (auto& r : batch) {
            if (r->started && r->c.ends != Ends::fatalLater)
                r->game->xdotool("key Escape");
            if (r->started)
                r->expectEnd(r->c.ends == Ends::fatalLater ? r->c.code : 0,
                             r->c.ends != Ends::either && !r->c.message.empty());
        }
    }
}

} // namespace

// The test command runs this half under the sanitizers.
TEST(BadAssets, ModelsAndSoundsEndAsTheirKindShould)
{
    runAll(casesFor(true));
}

TEST(BadAssets, ImagesShadersAndTheFontEndAsTheirKindShould)
{
    runAll(casesFor(false));
}
