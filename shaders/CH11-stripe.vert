// SPDX-License-Identifier: GPL-3.0-or-later
// Stripes: per-vertex diffuse light from LightPosition and the texture
// coordinate that the stripes run across.
#version 120

uniform vec3 LightPosition;
uniform vec3 LightColor;
uniform float Kd;

varying vec3 diffuseColour;
varying float stripeCoord;

void main()
{
    vec3 ecPosition = vec3(gl_ModelViewMatrix * gl_Vertex);
    vec3 n = normalize(gl_NormalMatrix * gl_Normal);
    vec3 toLight = normalize(LightPosition - ecPosition);
    diffuseColour = LightColor * (0.2 + Kd * 1.6 * max(dot(n, toLight), 0.0));
    stripeCoord = gl_MultiTexCoord0.t;
    gl_Position = ftransform();
}
