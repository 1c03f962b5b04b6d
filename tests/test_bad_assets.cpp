// SPDX-License-Identifier: GPL-3.0-or-later
// Every file the game loads, missing, empty, cut in half or replaced by random
// bytes, in a copy of the run tree: each case ends as the game's rules say for
// its kind of file (the message and exit code where it is fatal, the message
// and a running game otherwise), never in a crash, a hang, an assertion, an
// OpenGL error or a sanitizer report. The table lives in docs/bad-assets.md.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <thread>

#include "support/gameprocess.h"
#include "support/xvfb.h"

namespace fs = std::filesystem;

namespace {

// The last three are sound headers SDL_mixer's converter would overflow on.
enum Damage { missing, empty, truncated, randomBytes, zeroChannels, zeroRate, zeroChannelWave };
const char* const damageNames[] = {"missing",       "empty",     "truncated",          "random bytes",
                                   "zero channels", "zero rate", "zero-channel WAVE"};

enum class Ends {
    fatal,      // message and exit code at start-up
    fatalLater, // message and exit code once play starts (the font)
    runs,       // the game plays on, with the message where one is given
    either,     // a decoder may accept a cut file: it runs, or fails as fatal
};

struct Case {
    std::string file; // relative to the game/ folder, as the game names it
    Damage damage;
    Ends ends;
    int code;
    std::string message; // a line of standard error starts with this
};

// The staged run tree with every folder real and every file a link, except
// the one damaged file.
struct GameRun {
    explicit GameRun(const Case& c) : c(c)
    {
        char pattern[] = "/tmp/drifthaul-stage-XXXXXX";
        root = mkdtemp(pattern);
        const fs::path source = fs::path(stagedGameDir()).parent_path();
        for (const auto& entry : fs::recursive_directory_iterator(source)) {
            const fs::path target = root / entry.path().lexically_relative(source);
            entry.is_directory() ? (void)fs::create_directories(target)
                                 : fs::create_symlink(fs::canonical(entry.path()), target);
        }
        const fs::path file = root / "game" / c.file;
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        std::string bytes = s.str();
        fs::remove(file);
        std::mt19937 rng(static_cast<unsigned>(bytes.size()));
        if (c.damage == empty || c.damage == truncated)
            bytes.resize(c.damage == empty ? 0 : bytes.size() / 2);
        for (char& b : bytes)
            b = c.damage == randomBytes ? static_cast<char>(rng() & 0xFF) : b;
        const size_t comm = bytes.find("COMM") + 8;
        if (c.damage == zeroChannels)
            bytes.replace(comm, 2, 2, '\0');
        if (c.damage == zeroRate)
            bytes.replace(comm + 8, 10, 10, '\0');
        if (c.damage == zeroChannelWave)
            bytes.assign("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\x01\0\0\0\x44\xac\0\0\x88\x58\x01\0\x02\0\x10\0data\0\0\0\0", 44);
        if (c.damage != missing)
            std::ofstream(file, std::ios::binary) << bytes;
        game.reset(new GameProcess(x.display(), {{"MESA_DEBUG", "1"}}, (root / "game").string()));
    }
    ~GameRun()
    {
        game.reset();
        fs::remove_all(root);
    }

    // The exit code and message the case expects, and no crash report.
    void expectEnd(int code, int expected, bool message)
    {
        SCOPED_TRACE(c.file + " " + damageNames[c.damage]);
        EXPECT_EQ(code, expected) << game->err();
        EXPECT_TRUE(!message || hasLine(game->err(), c.message)) << game->err();
        // Mesa reports every OpenGL error the game raises under MESA_DEBUG.
        for (const char* bad : {"Assertion", "AddressSanitizer", "runtime error", "Segmentation", "Mesa: User error"})
            EXPECT_EQ(game->err().find(bad), std::string::npos) << game->err();
    }

    Case c;
    fs::path root;
    XvfbServer x;
    std::unique_ptr<GameProcess> game;
    bool started = false;
};

void pause(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

struct Outcome {
    Ends ends;
    int code;
    std::string message;
};

std::vector<Case> allCases()
{
    std::vector<Case> cases;
    // The four damages of one file; a cut file may end otherwise.
    auto each = [&](const std::string& file, const Outcome& whenMissing, const Outcome& otherwise, Ends cut) {
        for (Damage d : {missing, empty, truncated, randomBytes}) {
            const Outcome& o = d == missing ? whenMissing : otherwise;
            cases.push_back({file, d, d == truncated ? cut : o.ends, o.code, o.message});
        }
    };
    for (const char* file : {"../models/trash/soda/can.3ds", "../models/trash/can2/Model/Can.3ds",
                             "../models/trash/fumican/Fumigene.3ds", "../models/trash/barrel_wooden/barrela.3ds",
                             "../models/trash/barrel_burned/BurnBarrel.3ds"})
        each(file, {Ends::fatal, 255, std::string("could not find file ") + file + "!!!"},
             {Ends::fatal, 255, std::string("could not read model file ") + file + ": "}, Ends::fatal);
    // Models no template uses are never read.
    for (const char* file :
         {"../models/trash/packets/duds.3ds", "../models/trash/pizza-slice/pizza.3ds", "../models/ships/spaceship.3ds"})
        each(file, {Ends::runs, 0, ""}, {Ends::runs, 0, ""}, Ends::runs);
    for (const char* file : {"../models/trash/soda/can.jpg", "../textures/trash/cans/cokecanskin.jpg",
                             "../textures/trash/fumican/normal.jpg", "../textures/trash/barrels/barrelad.bmp",
                             "../textures/trash/barrels/barrdiff.bmp", "../textures/environment/FlareSun.bmp",
                             "../textures/environment/Earth_Day.bmp", "../textures/powerups/red-cross-50.png",
                             "../textures/powerups/blue_trash_can.jpg"}) {
        const Outcome reported{Ends::runs, 0, std::string("Unable to load texture image: ") + file};
        each(file, reported, reported, Ends::either);
    }
    // Each sound by the first table index that uses its file.
    const std::pair<int, const char*> sounds[] = {{0, "pickup"},      {1, "crash"},         {2, "cracking"},
                                                  {3, "trash_collection1"}, {4, "collection2"}, {5, "evil_laughter"},
                                                  {6, "beep-expire"}, {8, "moon_jungle"},  {9, "witch_laughter"}};
    for (const auto& sound : sounds) {
        const Outcome fatal{Ends::fatal, 255, "Unable to load WAV file number " + std::to_string(sound.first) + ": "};
        each(std::string("../sounds/") + sound.second + ".aif", fatal, fatal, Ends::either);
    }
    for (Damage d : {zeroChannels, zeroRate, zeroChannelWave})
        cases.push_back({"../sounds/witch_laughter.aif", d, Ends::fatal, 255,
                         "Unable to load WAV file number 9: unplayable sound header"});
    for (const char* name : {"default_lighting", "noise", "bricks_my", "CH14-WardBRDF", "CH11-stripe", "planets",
                             "texture_combe"})
        for (const char* ext : {".vert", ".frag"}) {
            const std::string file = std::string("shaders/") + name + ext;
            each(file, {Ends::fatal, 255, "oops! cannot open " + file}, {Ends::runs, 0, "could not "},
                 Ends::runs);
        }
    const Outcome font{Ends::fatalLater, 1, "Failed to open font ../fonts/Action Man Bold.ttf"};
    each("../fonts/Action Man Bold.ttf", font, font, Ends::fatalLater);
    return cases;
}

} // namespace

TEST(BadAssets, EveryDamagedFileEndsAsItsKindShould)
{
    const std::vector<Case> cases = allCases();
    // Ten games at a time, each on its own screen.
    for (size_t first = 0; first < cases.size(); first += 10) {
        std::vector<std::unique_ptr<GameRun>> batch;
        for (size_t i = first; i < cases.size() && i < first + 10; ++i)
            batch.emplace_back(new GameRun(cases[i]));
        for (auto& r : batch) {
            if (r->c.ends == Ends::fatal) {
                r->expectEnd(r->game->waitForExit(30.0), r->c.code, true);
                continue;
            }
            r->started = r->game->waitFor("starting the game...", 30.0);
            if (!r->started) {
                EXPECT_EQ(r->c.ends, Ends::either) << r->c.file << "\n" << r->game->err();
                r->expectEnd(r->game->waitForExit(30.0), r->c.code, true);
            }
        }
        pause(500);
        for (auto& r : batch)
            if (r->started)
                r->game->xdotool("key space");
        // Long enough for the banner, the first debris and several frames.
        pause(1000);
        for (auto& r : batch) {
            if (!r->started)
                continue;
            if (r->c.ends != Ends::fatalLater)
                r->game->xdotool("key Escape");
            const bool later = r->c.ends == Ends::fatalLater;
            r->expectEnd(r->game->waitForExit(30.0), later ? r->c.code : 0,
                         r->c.ends != Ends::either && !r->c.message.empty());
        }
    }
}
