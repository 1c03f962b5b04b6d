// SPDX-License-Identifier: GPL-3.0-or-later
// Installing into a fresh prefix gives a working, well-described game.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "support/gameprocess.h"
#include "support/screenshot.h"
#include "support/xvfb.h"

namespace fs = std::filesystem;

TEST(Install, AnyPrefixGetsALauncherDataManPageDesktopEntryIconAndMetainfo)
{
    const fs::path prefix = fs::path(testing::TempDir()) / "drifthaul prefix";
    fs::remove_all(prefix);
    const std::string p = "'" + prefix.string() + "/";
    const std::string installed = runCommand("cmake --install '" DRIFTHAUL_BUILD_DIR "' --prefix " + p + "'");
    ASSERT_EQ(installed.rfind("0:", 0), 0u) << installed;
    // The game's data shows in the installed game's run below.
    for (const char* file :
         {"share/drifthaul/fonts/LICENSE-DejaVu.txt", "share/icons/hicolor/128x128/apps/org.drifthaul.Drifthaul.png"})
        EXPECT_TRUE(fs::exists(prefix / file)) << file;
    EXPECT_TRUE(fs::is_symlink(prefix / "share/drifthaul/fonts/Action Man Bold.ttf"));
    EXPECT_EQ(runCommand("LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l " + p +
                         "share/man/man6/drifthaul.6' >/dev/null"),
              "0:");
    const std::string desktop = p + "share/applications/org.drifthaul.Drifthaul.desktop'";
    EXPECT_EQ(runCommand("desktop-file-validate " + desktop), "0:");
    EXPECT_EQ(runCommand("grep -x 'Categories=Game;ArcadeGame;' " + desktop).rfind("0:", 0), 0u);
    const std::string validated = runCommand("appstreamcli validate --no-net " + p +
                                             "share/metainfo/org.drifthaul.Drifthaul.metainfo.xml' | grep '^E:'");
    EXPECT_EQ(validated, "1:") << validated;

    // The installed game starts from anywhere, and plays silently without a sound device, saying so once.
    XvfbServer x;
    GameProcess game(x.display(), {{"SDL_AUDIODRIVER", "no-such-driver"}}, testing::TempDir(),
                     (prefix / "bin/drifthaul").string());
    ASSERT_TRUE(game.waitFor("starting the game...")) << game.err();
    const Image first = grabWaitingScreen(x.display());
    EXPECT_GT(first.count(0, 31, 320, 48, white), 150);
    EXPECT_LT(first.count(0, 50, 320, 100, white), 5000);
    game.xdotool("key space");
    usleep(300000);
    game.xdotool("key Escape");
    EXPECT_EQ(game.waitForExit(), 0) << game.err();
    const std::string err = game.err();
    EXPECT_TRUE(err.rfind("Unable to initialize SDL sound: ", 0) == 0 || err.rfind("Unable to initialize audio: ", 0) == 0)
        << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    fs::remove_all(prefix);
}
