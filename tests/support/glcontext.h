// The in-process OpenGL context of the GL tests: the game's own window,
// opened once per test binary through the game's video set-up on the test
// display, with the game's OpenGL state, and the staged game/ folder as the
// working directory so that relative asset paths resolve.
#pragma once

void openGameWindow();
void enterStageDirectory();
