// SPDX-License-Identifier: GPL-3.0-or-later
// Interpolation curves and the random pick shared across the game.
//
// Every curve is evaluated in double precision and returned as a float; the
// powers of t are single-precision pow results, which keeps the game's curves
// bit-for-bit what the tube, the schedule and the tests expect.
#pragma once

float lerp(float a, float b, float t);
float smoothstep(float a, float b, float t);
float smootherstep(float a, float b, float t);

// The process-wide random generator: the portable C library sequence with
// the range 0 .. 32767 that the rules are written for (glibc's rand() spans
// 31 bits). Seeded once with 12439 when the starfield is made; draws before
// that follow the default seed 1.
const int gameRandMax = 32767;
int gameRand();
void gameSrand(unsigned int seed);

// Truncated lerp(a, b, u) with u = gameRand() / 32767: a .. b - 1, and b only
// when gameRand() returns 32767. Callers that index a vector must clamp.
int randomIndex(int a, int b);

// gameRand() / 32767 in double precision: the game's random fraction, both ends included.
double randomFraction();
