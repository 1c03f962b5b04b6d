// SPDX-License-Identifier: GPL-3.0-or-later
// The sound effects: the generated files themselves, the header guard, real
// playback through SDL's disk audio driver, and the start-up failures.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "soundsynth.h"
#include "sound/soundbank.h"
#include "support/gameprocess.h"
#include "support/glcontext.h"
#include "support/stagecopy.h"
#include "support/xvfb.h"

namespace {

// The output of a command, without its status.
std::string run(const std::string& command)
{
    const std::string out = runCommand(command);
    return out.substr(out.find(':') + 1);
}

double statValue(const std::string& stat, const std::string& key)
{
    const size_t at = stat.find(key);
    if (at == std::string::npos)
        return -1.0;
    return std::atof(stat.c_str() + stat.find(':', at) + 1);
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST(SoundFiles, EveryEffectIsShortAudibleAndUnclipped)
{
    enterStageDirectory();
    std::set<std::string> files;
    for (int i = 0; i < soundCount; ++i)
        files.insert(soundPath(i));
    EXPECT_EQ(files.size(), 9u);
    for (const auto& file : files) {
        SCOPED_TRACE(file);
        EXPECT_EQ(run("sox --i -r '" + file + "'"), "44100\n");
        EXPECT_EQ(run("sox --i -b '" + file + "'"), "16\n");
        const double seconds = std::atof(run("sox --i -D '" + file + "'").c_str());
        EXPECT_GT(seconds, 0.2);
        EXPECT_LT(seconds, 4.0);
        const std::string stat = run("sox '" + file + "' -n stat");
        const double peak = std::max(statValue(stat, "Maximum amplitude"),
                                     -statValue(stat, "Minimum amplitude"));
        EXPECT_GT(peak, 0.3) << stat;
        EXPECT_LT(peak, 0.99) << stat;
        EXPECT_GT(statValue(stat, "RMS     amplitude"), 0.03) << stat;
    }
}

TEST(SoundHeaderGuard, RejectsZeroChannelsAndZeroRatesOnly)
{
    const std::string dir = testing::TempDir();
    synth::Buffer tone(0.1);
    tone.tone(0.0, 0.1, 440.0, 0.5, 0.01, 1.0);
    const std::string good = dir + "/good.aif";
    ASSERT_TRUE(synth::writeAiff(tone, good));
    EXPECT_TRUE(soundHeaderPlayable(good.c_str()));

    const std::string bytes = readFile(good);
    const size_t comm = bytes.find("COMM");
    ASSERT_NE(comm, std::string::npos);
    auto variant = [&](const std::string& name, size_t offset, size_t length) {
        std::string b = bytes;
        for (size_t k = 0; k < length; ++k)
            b[comm + 8 + offset + k] = 0;
        std::ofstream(dir + "/" + name, std::ios::binary) << b;
        return dir + "/" + name;
    };
    EXPECT_FALSE(soundHeaderPlayable(variant("mono0.aif", 0, 2).c_str()));
    EXPECT_FALSE(soundHeaderPlayable(variant("rate0.aif", 8, 10).c_str()));

    // The same guard for WAVE headers, whatever the file is called.
    std::string wav("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\x01\0\0\0\x44\xac\0\0\x88\x58\x01\0\x02\0\x10\0data\0\0\0\0", 44);
    std::ofstream(dir + "/zero.aif", std::ios::binary) << wav;
    EXPECT_FALSE(soundHeaderPlayable((dir + "/zero.aif").c_str()));
    wav[22] = 1;
    std::ofstream(dir + "/one.wav", std::ios::binary) << wav;
    EXPECT_TRUE(soundHeaderPlayable((dir + "/one.wav").c_str()));
}

TEST(SoundPlayback, CatchAndHitReallyReachTheAudioDevice)
{
    enterStageDirectory();
    const std::string raw = testing::TempDir() + "/drifthaul-audio.raw";
    std::remove(raw.c_str());
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "1", 1);
    ASSERT_EQ(initSound(), 0);
    playSound(3);
    playSound(2);
    playSound(11); // outside the table: nothing
    playSound(-1);
    SDL_Delay(600);
    shutdownSound();
    SDL_Quit();

    const std::string pcm = readFile(raw);
    ASSERT_GT(pcm.size(), 44100u);
    size_t loud = 0;
    for (size_t i = 0; i + 1 < pcm.size(); i += 2) {
        const int16_t sample = static_cast<int16_t>(uint8_t(pcm[i]) | (uint8_t(pcm[i + 1]) << 8));
        loud += std::abs(sample) > 2000;
    }
    EXPECT_GT(loud, 2000u) << "the effects did not reach the output";
}

TEST(SoundStartup, WithoutAudioTheGameSaysSoAndPlaysSilently)
{
    XvfbServer x("320x200x24");
    GameProcess game(x.display(), {{"SDL_AUDIODRIVER", "no-such-driver"}});
    ASSERT_TRUE(game.waitForStdout("starting the game...")) << game.stderrText();
    ASSERT_TRUE(game.waitForWindow("drifthaul game"));
    game.xdotool("key space");
    SDL_Delay(300);
    game.xdotool("key Escape");
    EXPECT_EQ(game.waitForExit(), 0);
    const auto& err = game.stderrLines();
    ASSERT_EQ(err.size(), 1u) << game.stderrText();
    EXPECT_TRUE(err[0].rfind("Unable to initialize SDL sound: ", 0) == 0 ||
                err[0].rfind("Unable to initialize audio: ", 0) == 0)
        << err[0];
}

TEST(SoundStartup, MissingCatchSoundEndsStartUpWithItsNumber)
{
    StageCopy stage;
    ASSERT_TRUE(stage.remove("../sounds/collection2.aif"));
    XvfbServer x("320x200x24");
    GameProcess game(x.display(), {}, stage.gameDir());
    EXPECT_EQ(game.waitForExit(), 255);
    EXPECT_TRUE(game.stderrText().find("Unable to load WAV file number 4: ") != std::string::npos)
        << game.stderrText();
    EXPECT_EQ(game.stdoutText().find("loading textures..."), std::string::npos);
}

TEST(SoundStartup, ZeroChannelHeaderIsRejectedLikeAMissingFile)
{
    StageCopy stage;
    std::string bytes = stage.original("../sounds/witch_laughter.aif");
    const size_t comm = bytes.find("COMM");
    ASSERT_NE(comm, std::string::npos);
    bytes[comm + 8] = 0;
    bytes[comm + 9] = 0;
    ASSERT_TRUE(stage.replace("../sounds/witch_laughter.aif", bytes));
    XvfbServer x("320x200x24");
    GameProcess game(x.display(), {}, stage.gameDir());
    EXPECT_EQ(game.waitForExit(), 255);
    EXPECT_TRUE(game.stderrText().find("Unable to load WAV file number 9: ") != std::string::npos)
        << game.stderrText();
}
