// SPDX-License-Identifier: GPL-3.0-or-later
// A textured planet with a soft terminator and a blue atmospheric rim.
#version 120

uniform sampler2D tex0;
uniform vec3 LightColor;
uniform float Kd;
uniform vec2 zCuttoff;
uniform float FadeOutAlfa;

varying vec3 normal;
varying vec3 position;
varying float worldZ;

void main()
{
    vec3 n = normalize(normal);
    vec3 l = normalize(gl_LightSource[0].position.xyz);
    vec3 v = normalize(-position);
    float diffuse = smoothstep(-0.15, 0.6, dot(n, l));
    vec3 surface = texture2D(tex0, gl_TexCoord[0].st).rgb;
    float rim = pow(1.0 - max(dot(n, v), 0.0), 3.0);
    vec3 colour = surface * (0.08 + LightColor * diffuse * (0.5 + Kd)) + vec3(0.3, 0.5, 1.0) * rim * diffuse;
    gl_FragColor = vec4(colour, FadeOutAlfa);
}
