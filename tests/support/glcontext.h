// SPDX-License-Identifier: GPL-3.0-or-later
// The in-process OpenGL context of the display tests: the game's own window
// and GL state, opened once per test binary on the shared test display, with
// the staged game/ folder as the working directory so asset paths resolve.
#pragma once

void openGameWindow();
void enterStageDirectory();
// A 320 x 200 test picture: cleared, a 60-degree perspective, and a modelview
// that looks at the origin from distance units.
void beginTestPicture(float distance);
