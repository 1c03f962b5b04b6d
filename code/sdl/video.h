// SPDX-License-Identifier: GPL-3.0-or-later
// Brings up SDL's video subsystem and opens the OpenGL window.
//
// setupVideo runs once at start-up; the window lives until SDL_Quit at
// shutdown. screen is the window surface: every part that needs the window
// size reads its w and h, not the requested screenWidth and screenHeight.
// The window asks for a 32-bit depth buffer, then 24, then 16 bits;
// windowDepthBits is what GL reports the context really has, and a depth
// below 24 bits is said in one line on standard error.
// Failures print their message and end the process (codes 1, 2 and -1).
#pragma once

#include <SDL/SDL.h>

extern int screenWidth;
extern int screenHeight;
extern SDL_Surface* screen;
extern int windowDepthBits;

SDL_Surface* setupVideo(bool fullscreen);
void chooseVideoMode(int& width, int& height);
// The choice itself, from a list as SDL_ListModes gives it (null: none,
// (SDL_Rect**)-1: any size, else a null-terminated list): keeps the asked
// size when listed, else takes the last listed mode.
void chooseVideoModeFrom(SDL_Rect** modes, int& width, int& height);
