// SPDX-License-Identifier: GPL-3.0-or-later
// Per-pixel lighting of the play field: hands the fragment stage the eye-space
// normal and position, the texture coordinate and the object's depth in the
// world (the camera lives in the projection matrix, so the modelview holds
// only the object's own transform).
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
    gl_FrontColor = gl_Color;
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
}
