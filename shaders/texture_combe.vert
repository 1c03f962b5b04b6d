// SPDX-License-Identifier: GPL-3.0-or-later
// The slow-motion trail: a full-window quad carrying the recent play-field
// frames.
#version 120

void main()
{
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_FrontColor = gl_Color;
    gl_Position = gl_Vertex;
}
