// SPDX-License-Identifier: GPL-3.0-or-later
// Small vector helpers on three floats, shared by the mesh code and the bodies.
#pragma once

// out = a x b (right-handed). out may alias neither input.
void crossProduct(const float a[3], const float b[3], float out[3]);

// Normalises v in place and returns its former length; a zero vector becomes
// (0, 0, 1) so that degenerate faces still get a usable normal.
float normalize(float v[3]);

// The normalised cross product of the two edges from p0.
void triangleNormal(const float p0[3], const float p1[3], const float p2[3], float out[3]);
