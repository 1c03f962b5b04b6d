// SPDX-License-Identifier: GPL-3.0-or-later
// The web build's GLUT: only what the game asks of it, its two bitmap fonts
// (freeglut's own glyphs, so text matches the desktop) and a glutInit that
// has nothing to set up. Emscripten's GLUT has no bitmap fonts, and its
// glutInit would take the canvas's events from SDL. glutfont_web.cpp.
#pragma once

#include <GL/gl.h>

#define GLUT_BITMAP_8_BY_13 ((void*)0x0003)
#define GLUT_BITMAP_HELVETICA_18 ((void*)0x0008)

void glutInit(int* argc, char** argv);
void glutBitmapCharacter(void* font, int character);
int glutBitmapLength(void* font, const unsigned char* text);
