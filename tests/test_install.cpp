// SPDX-License-Identifier: GPL-3.0-or-later
// Installing into a fresh prefix gives a working, well-described game.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>

#include <SDL/SDL.h>

#include "support/gameprocess.h"
#include "support/screenshot.h"
#include "support/xvfb.h"

namespace fs = std::filesystem;


TEST(Install, AnyPrefixGetsALauncherDataDesktopEntryIconAndMetainfo)
{
    const fs::path prefix = fs::path(testing::TempDir()) / "drifthaul prefix";
    fs::remove_all(prefix);
    const std::string installed =
        runCommand("cmake --install '" DRIFTHAUL_BUILD_DIR "' --prefix '" + prefix.string() + "'");
    ASSERT_EQ(installed.rfind("0:", 0), 0u) << installed;

    EXPECT_TRUE(fs::exists(prefix / "bin/drifthaul"));
    EXPECT_TRUE(fs::exists(prefix / "lib/drifthaul/drifthaul"));
    EXPECT_TRUE(fs::exists(prefix / "share/drifthaul/game/shaders/default_lighting.frag"));
    EXPECT_TRUE(fs::exists(prefix / "share/drifthaul/models/trash/soda/can.3ds"));
    EXPECT_TRUE(fs::exists(prefix / "share/drifthaul/textures/environment/Earth_Day.bmp"));
    EXPECT_TRUE(fs::exists(prefix / "share/drifthaul/sounds/pickup.aif"));
    EXPECT_TRUE(fs::exists(prefix / "share/drifthaul/fonts/Action Man Bold.ttf"));
    EXPECT_TRUE(fs::exists(prefix / "share/drifthaul/fonts/LICENSE-DejaVu.txt"));
    EXPECT_TRUE(fs::exists(prefix / "share/icons/hicolor/128x128/apps/org.drifthaul.Drifthaul.png"));
    EXPECT_TRUE(fs::is_symlink(prefix / "share/drifthaul/fonts/Action Man Bold.ttf"));
    const std::string man = (prefix / "share/man/man6/drifthaul.6").string();
    EXPECT_EQ(runCommand("LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l '" + man + "' >/dev/null"),
              "0:");

    const std::string desktop = (prefix / "share/applications/org.drifthaul.Drifthaul.desktop").string();
    EXPECT_EQ(runCommand("desktop-file-validate '" + desktop + "'"), "0:");
    EXPECT_EQ(runCommand("grep -x 'Categories=Game;ArcadeGame;' '" + desktop + "'").rfind("0:", 0), 0u);
    const std::string metainfo = (prefix / "share/metainfo/org.drifthaul.Drifthaul.metainfo.xml").string();
    // The screenshots have no public address yet: their relative paths are
    // the one complaint allowed.
    const std::string validated = runCommand("appstreamcli validate --no-net '" + metainfo +
                                             "' | grep '^E:' | grep -v web-url-expected");
    EXPECT_EQ(validated, "1:") << validated;

    // The installed game starts from anywhere and reaches its first frames.
    XvfbServer x("320x200x24");
    ASSERT_TRUE(x.ok());
    GameProcess game(x.display(), {}, testing::TempDir(), (prefix / "bin/drifthaul").string());
    ASSERT_TRUE(game.waitForStdout("starting the game...")) << game.stderrText();
    ASSERT_TRUE(game.waitForWindow("drifthaul game"));
    // Its first frames show the invitation once the fades are over.
    auto invitation = [](const Image& shot) {
        return shot.count(0, 31, 320, 48, [](Rgb p) { return p.r > 200 && p.g > 200 && p.b > 200; });
    };
    Image first = grabScreen(x.display());
    for (int i = 0; i < 60 && invitation(first) <= 150; ++i) {
        SDL_Delay(200);
        first = grabScreen(x.display());
    }
    EXPECT_GT(invitation(first), 150);
    game.xdotool("key Escape");
    EXPECT_EQ(game.waitForExit(), 0) << game.stderrText();
    EXPECT_EQ(game.stderrText(), "");
    fs::remove_all(prefix);
}
