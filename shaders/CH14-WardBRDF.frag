// SPDX-License-Identifier: GPL-3.0-or-later
// Ward's anisotropic model: highlights stretched along the tangent by the
// two roughnesses in A; program.x weighs the diffuse part, program.y the
// glossy one.
#version 120

uniform vec4 SurfaceColour;
uniform vec2 program;
uniform vec2 A;
uniform vec3 Scale;
uniform sampler2D tex0;
uniform float FadeOutAlfa;

varying vec3 n;
varying vec3 t;
varying vec3 b;
varying vec3 toLight;
varying vec3 toViewer;

const float pi = 3.14159265;

void main()
{
    vec3 nn = normalize(n);
    vec3 tt = normalize(t);
    vec3 bb = normalize(b);
    vec3 l = normalize(toLight);
    vec3 v = normalize(toViewer);
    vec3 h = normalize(l + v);
    float nl = max(dot(nn, l), 0.0);
    float nv = max(dot(nn, v), 0.001);
    float nh = max(dot(nn, h), 0.001);
    float ht = dot(h, tt) / A.x;
    float hb = dot(h, bb) / A.y;
    float exponent = -2.0 * (ht * ht + hb * hb) / (1.0 + nh);
    float glossy = nl > 0.0 ? sqrt(nl / nv) * exp(exponent) / (4.0 * pi * A.x * A.y) : 0.0;
    vec3 base = SurfaceColour.rgb * texture2D(tex0, gl_TexCoord[0].st).rgb;
    vec3 colour = base * (0.15 + program.x * 2.0 * nl) + Scale * program.y * glossy;
    gl_FragColor = vec4(clamp(colour, 0.0, 1.0), SurfaceColour.a * FadeOutAlfa);
}
