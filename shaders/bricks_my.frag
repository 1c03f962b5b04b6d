// SPDX-License-Identifier: GPL-3.0-or-later
// Rows of bricks offset by half a brick, mortar between them.
#version 120

uniform vec3 BrickColour;
uniform vec3 MortarColour;
uniform vec2 BrickSize;
uniform vec2 BrickPct;
uniform float FadeOutAlfa;

varying vec2 brickCoord;
varying float lightIntensity;

void main()
{
    vec2 position = brickCoord / BrickSize;
    if (fract(position.y * 0.5) > 0.5)
        position.x += 0.5;
    position = fract(position);
    vec2 useBrick = step(position, BrickPct);
    vec3 colour = mix(MortarColour, BrickColour, useBrick.x * useBrick.y) * lightIntensity;
    gl_FragColor = vec4(colour, FadeOutAlfa);
}
