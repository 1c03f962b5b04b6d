// SPDX-License-Identifier: GPL-3.0-or-later
// Anisotropic Ward reflection: builds the surface frame from the normal and
// the tangent attribute and hands the light, view and half vectors in it.
#version 120

attribute vec3 tangent;

varying vec3 n;
varying vec3 t;
varying vec3 b;
varying vec3 toLight;
varying vec3 toViewer;

void main()
{
    vec3 position = vec3(gl_ModelViewMatrix * gl_Vertex);
    n = normalize(gl_NormalMatrix * gl_Normal);
    t = normalize(gl_NormalMatrix * tangent);
    b = cross(n, t);
    toLight = normalize(gl_LightSource[0].position.xyz);
    toViewer = normalize(-position);
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
}
