// SPDX-License-Identifier: GPL-3.0-or-later
// Procedural marbled surface: passes the object-space position as the noise
// coordinate and a per-vertex diffuse term.
#version 120

uniform vec3 LightColor;
uniform float Kd;

varying vec3 noiseCoord;
varying float lightIntensity;

void main()
{
    vec3 n = normalize(gl_NormalMatrix * gl_Normal);
    vec3 l = normalize(gl_LightSource[0].position.xyz);
    lightIntensity = 0.25 + Kd * 1.5 * max(dot(n, l), 0.0);
    noiseCoord = gl_Vertex.xyz * 1.7;
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
}
