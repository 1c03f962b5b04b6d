// SPDX-License-Identifier: GPL-3.0-or-later
// The sound effects: the files, and playback through SDL's disk driver.
#include "support/gameprocess.h"
#include "support/ingame.h"

namespace {

// The number after the colon that follows key in a command's output.
double soxValue(const std::string& command, const std::string& key = "")
{
    const std::string out = runCommand(command);
    const size_t at = out.find(key);
    return at == std::string::npos ? -1.0 : std::atof(&out[out.find(':', at) + 1]);
}

} // namespace

TEST(SoundFiles, EveryEffectIsShortAudibleAndUnclipped)
{
    enterGameEnvironment();
    std::set<std::string> files;
    for (int i = 0; i < soundCount; ++i)
        files.insert(soundPath(i));
    EXPECT_EQ(files.size(), 9u);
    for (const auto& file : files) {
        SCOPED_TRACE(file);
        const double seconds = soxValue("sox --i -D '" + file + "'");
        EXPECT_GT(seconds, 0.2);
        EXPECT_LT(seconds, 4.0);
        const std::string stat = "sox '" + file + "' -n stat";
        const double peak = std::max(soxValue(stat, "Maximum amplitude"), -soxValue(stat, "Minimum amplitude"));
        EXPECT_GT(peak, 0.3);
        EXPECT_LT(peak, 0.99);
        EXPECT_GT(soxValue(stat, "RMS     amplitude"), 0.03);
    }
}

TEST(SoundPlayback, CatchAndHitReallyReachTheAudioDevice)
{
    enterGameEnvironment();
    const std::string raw = testing::TempDir() + "/drifthaul-audio.raw";
    std::remove(raw.c_str());
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "1", 1);
    ASSERT_EQ(initSound(), 0);
    playSound(3);
    playSound(2);
    SDL_Delay(600);
    shutdownSound();
    SDL_Quit();
    const std::string pcm = readFile(raw);
    ASSERT_GT(pcm.size(), 44100u);
    size_t loud = 0;
    for (size_t i = 0; i + 1 < pcm.size(); i += 2)
        loud += std::abs(static_cast<int16_t>(uint8_t(pcm[i]) | (uint8_t(pcm[i + 1]) << 8))) > 12000;
    EXPECT_GT(loud, 3000u) << "the effects did not reach the output at full volume"; // 6576 here
}
