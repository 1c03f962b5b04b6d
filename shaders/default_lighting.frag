// SPDX-License-Identifier: GPL-3.0-or-later
// Light 0 and the current material, per pixel, modulated by texture unit 0.
// FadeOutAlfa sets the opacity, and objects beyond the first depth of
// zCuttoff fade softly until the second. The screen fade is the main
// loop's, which scales the whole finished frame once.
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
    if (!gl_FrontFacing)
        n = -n;
    vec3 l = normalize(gl_LightSource[0].position.xyz);
    vec3 v = normalize(-position);
    vec3 h = normalize(l + v);
    float diffuse = max(dot(n, l), 0.0);
    float specular = diffuse > 0.0 ? pow(max(dot(n, h), 0.0), max(gl_FrontMaterial.shininess, 1.0)) : 0.0;

    vec4 base = texture2D(tex0, gl_TexCoord[0].st);
    vec3 ambient = (gl_LightModel.ambient.rgb + gl_LightSource[0].ambient.rgb) * gl_FrontMaterial.ambient.rgb;
    vec3 lit = ambient + LightColor * gl_LightSource[0].diffuse.rgb * gl_FrontMaterial.diffuse.rgb * diffuse *
               (0.5 + Kd);
    vec3 shine = LightColor * gl_FrontMaterial.specular.rgb * specular * 0.6;
    vec3 colour = lit * base.rgb + shine;

    // 1 nearer than zCuttoff.x, 0.25 beyond zCuttoff.y.
    float near = smoothstep(zCuttoff.y, zCuttoff.x, worldZ);
    float alpha = base.a * FadeOutAlfa * mix(0.25, 1.0, near);
    gl_FragColor = vec4(colour, alpha);
}
