// SPDX-License-Identifier: GPL-3.0-or-later
// The in-process OpenGL context of the GL tests: the game's own window,
// opened once per test binary through the game's video set-up on the test
// display, with the game's OpenGL state, and the staged game/ folder as the
// working directory so that relative asset paths resolve.
#pragma once

#include <string>

// On the shared test display, or on one of this process's own when the
// test reads the screen back.
void openGameWindow(bool ownDisplay = false);
// The display the window was opened on.
std::string gameWindowDisplay();
void enterStageDirectory();
// Starts a 320 x 200 test picture: clears colour and depth, a 60-degree
// perspective, and a modelview that looks at the origin from distance units.
void beginTestPicture(float distance);
