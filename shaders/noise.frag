// SPDX-License-Identifier: GPL-3.0-or-later
// Marble veins from a few octaves of hash-based value noise, tinted by the
// light colour and the texture of unit 0.
#version 120

uniform sampler2D tex0;
uniform vec3 LightColor;
uniform float FadeOutAlfa;

varying vec3 noiseCoord;
varying float lightIntensity;

float hash(vec3 p)
{
    return fract(sin(dot(p, vec3(12.9898, 78.233, 37.719))) * 43758.5453);
}

float valueNoise(vec3 p)
{
    vec3 i = floor(p);
    vec3 f = fract(p);
    f = f * f * (3.0 - 2.0 * f);
    float a = mix(mix(hash(i), hash(i + vec3(1, 0, 0)), f.x), mix(hash(i + vec3(0, 1, 0)), hash(i + vec3(1, 1, 0)), f.x), f.y);
    float b = mix(mix(hash(i + vec3(0, 0, 1)), hash(i + vec3(1, 0, 1)), f.x),
                  mix(hash(i + vec3(0, 1, 1)), hash(i + vec3(1, 1, 1)), f.x), f.y);
    return mix(a, b, f.z);
}

void main()
{
    float n = 0.0;
    float amplitude = 0.5;
    vec3 p = noiseCoord;
    for (int octave = 0; octave < 4; ++octave) {
        n += amplitude * valueNoise(p);
        p *= 2.03;
        amplitude *= 0.5;
    }
    float vein = abs(sin(noiseCoord.x * 3.0 + n * 8.0));
    vec3 marble = mix(vec3(0.25, 0.2, 0.35), vec3(0.95, 0.92, 0.88), vein);
    vec3 colour = marble * texture2D(tex0, gl_TexCoord[0].st).rgb * LightColor * lightIntensity;
    gl_FragColor = vec4(colour, FadeOutAlfa);
}
