// SPDX-License-Identifier: GPL-3.0-or-later
// One-time OpenGL set-up, the light and material presets, the view, the
// loading screen and the FPS readout.
//
// All of these need the window's OpenGL context and run on the main thread.
// initGl runs once at start-up after the loading screen and ends the process
// when framebuffer objects are missing.
#pragma once

void initGl();
// Ends the process (exit 1, a line on standard error) when GLEW's result
// means there is no usable context; lets the results pass that still leave
// working entry points.
void checkGlewResult(unsigned int result);
bool hasExtension(const char* name);
void setupLight();
void setMaterial(int preset);
void setupView();
void drawLoadingScreen();
// Draws the loading screen again once the game's GL state is set, in the
// state it was first drawn in, leaving the game's state as it was.
void redrawLoadingScreen();
void drawFps();
// The screen fades: scales every pixel of the finished frame by factor, by
// blending a full-window quad that multiplies the frame. It sets all the
// state it relies on (fill mode, texturing on every unit, blending) and
// leaves the GL state as it was.
void scaleFrame(float factor);
void drawBitmapText(const char* text, int line);
// Puts the raster position for bitmap text at (x, y) under the current
// matrices. glRasterPos alone drops the whole string when its start lies
// outside the viewport; this keeps the position valid there, so the part of
// the text inside the window is drawn and the rest is clipped.
void placeBitmapText(double x, double y);
// Pushes both matrices and loads identities (drawing in normalised device
// coordinates); popIdentityMatrices restores them and leaves the modelview
// current.
void pushIdentityMatrices();
void popIdentityMatrices();

// GLUT's bitmap fonts need glutInit first; every text routine calls this.
void ensureGlutInitialised();

