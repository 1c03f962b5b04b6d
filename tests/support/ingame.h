// SPDX-License-Identifier: GPL-3.0-or-later
// The game in-process, for the tests that drive its units directly: the
// game's headers, its own window and GL state (opened once per test binary
// on the shared test display, with the staged game/ folder as the working
// directory so asset paths resolve), and a fresh game with a known seed.
#pragma once

#include <gtest/gtest.h>

#include "common/catcher.h"
#include "common/gamestate.h"
#include "common/hudpanel.h"
#include "common/mesh.h"
#include "common/numeric.h"
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

void openGameWindow();
void enterStageDirectory();
// A 320 x 200 test picture: cleared, a 60-degree perspective, and a modelview
// that looks at the origin from distance units.
void beginTestPicture(float distance);
// The global game and meter as a new game leaves them, the meter's goal 1000,
// no fade running, the random numbers from a fixed seed.
void freshGame();
