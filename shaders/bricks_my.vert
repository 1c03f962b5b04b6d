// SPDX-License-Identifier: GPL-3.0-or-later
// Brick wall: lights each vertex from LightPosition (in eye space) and passes
// the object-space x and y as the brick coordinate.
#version 120

uniform vec3 LightPosition;

const float specularContribution = 0.3;
const float diffuseContribution = 1.0 - specularContribution;

varying float lightIntensity;
varying vec2 brickCoord;

void main()
{
    vec3 ecPosition = vec3(gl_ModelViewMatrix * gl_Vertex);
    vec3 n = normalize(gl_NormalMatrix * gl_Normal);
    vec3 toLight = normalize(LightPosition - ecPosition);
    vec3 reflected = reflect(-toLight, n);
    vec3 toViewer = normalize(-ecPosition);
    float diffuse = max(dot(toLight, n), 0.0);
    float specular = diffuse > 0.0 ? pow(max(dot(reflected, toViewer), 0.0), 16.0) : 0.0;
    lightIntensity = diffuseContribution * diffuse + specularContribution * specular + 0.15;
    brickCoord = gl_Vertex.xy;
    gl_Position = ftransform();
}
