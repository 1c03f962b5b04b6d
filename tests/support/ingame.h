// SPDX-License-Identifier: GPL-3.0-or-later
// The game in-process: its headers, its window (once per test binary, on the
// shared test display, in the staged game/ folder) and a fresh game.
#pragma once

#include <gtest/gtest.h>

#include "common/catcher.h"
#include "common/gamestate.h"
#include "common/hudpanel.h"
#include "common/mesh.h"
#include "common/numeric.h"
#include "common/powerupitem.h"
#include "common/scene.h"
#include "common/settings.h"
#include "common/textobject.h"
#include "common/textures.h"
#include "common/trashitem.h"
#include "common/trashlist.h"
#include "opengl/bufferobjects.h"
#include "opengl/glutil.h"
#include "opengl/shaders.h"
#include "sdl/mainloop.h"
#include "sdl/video.h"
#include "sound/soundbank.h"
#include "support/screenshot.h"

// The staged game/ folder, the shared test display and the silent audio driver.
void enterGameEnvironment();
void openGameWindow();
// A cleared 320 x 200 picture looking at the origin from distance units.
void beginTestPicture(float distance);
// A new game with a fixed seed, the meter's goal 1000 and no fade running.
void freshGame();
