// SPDX-License-Identifier: GPL-3.0-or-later
// The planet: lit per pixel like the play field, with a view vector for the
// thin bright rim of its atmosphere.
#version 120

varying vec3 normal;
varying vec3 position;
varying float worldZ;

void main()
{
    vec4 p = gl_ModelViewMatrix * gl_Vertex;
    position = p.xyz;
    worldZ = p.z;
    normal = normalize(gl_NormalMatrix * gl_Normal);
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
}
