// SPDX-License-Identifier: GPL-3.0-or-later
// Installing into a fresh prefix gives a working, well-described game.
#include <gtest/gtest.h>

#include <filesystem>

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
    for (const char* file : {"lib/drifthaul/drifthaul", "share/drifthaul/game/shaders/default_lighting.frag",
                             "share/drifthaul/models/trash/soda/can.3ds", "share/drifthaul/sounds/pickup.aif",
                             "share/drifthaul/textures/environment/Earth_Day.bmp",
                             "share/drifthaul/fonts/LICENSE-DejaVu.txt",
                             "share/icons/hicolor/128x128/apps/org.drifthaul.Drifthaul.png"})
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

    // The installed game starts from anywhere.
    XvfbServer x;
    GameProcess game(x.display(), {}, testing::TempDir(), (prefix / "bin/drifthaul").string());
    ASSERT_TRUE(game.waitFor("starting the game...")) << game.err();
    const Image first = grabWaitingScreen(x.display());
    EXPECT_GT(first.count(0, 31, 320, 48, [](Rgb q) { return q.r > 200 && q.g > 200 && q.b > 200; }), 150);
    EXPECT_LT(first.count(0, 50, 320, 100, [](Rgb q) { return q.r > 200 && q.g > 200 && q.b > 200; }), 5000);
    game.xdotool("key Escape");
    EXPECT_EQ(game.waitForExit(), 0) << game.err();
    EXPECT_EQ(game.err(), "");
    fs::remove_all(prefix);
}
