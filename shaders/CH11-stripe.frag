// SPDX-License-Identifier: GPL-3.0-or-later
// Antialiased stripes: Width sets their share, Fuzz the softness of their
// edges, Scale how many run across the surface.
#version 120

uniform vec3 StripeColor;
uniform vec3 BackColor;
uniform float Width;
uniform float Fuzz;
uniform float Scale;
uniform float FadeOutAlfa;

varying vec3 diffuseColour;
varying float stripeCoord;

void main()
{
    float scaled = fract(stripeCoord * Scale);
    float frac1 = clamp(scaled / Fuzz, 0.0, 1.0);
    float frac2 = clamp((scaled - Width) / Fuzz, 0.0, 1.0);
    frac1 = frac1 * (1.0 - frac2);
    frac1 = frac1 * frac1 * (3.0 - 2.0 * frac1);
    vec3 colour = mix(BackColor, StripeColor, frac1) * diffuseColour;
    gl_FragColor = vec4(colour, FadeOutAlfa);
}
