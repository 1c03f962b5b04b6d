// SPDX-License-Identifier: GPL-3.0-or-later
// Averages the bound trail frames: the quad's alpha is 1 / count, so the
// number of frames is read back from it and stale units beyond it are left
// out. The average is un-premultiplied so a moving object leaves a ghost of
// its own colour that fades with the share of frames it covered. The screen
// fade is the main loop's alone.
#version 120

uniform sampler2D textures[5];

void main()
{
    float weight = gl_Color.a;
    int count = int(floor(1.0 / max(weight, 0.2) + 0.5));
    vec2 uv = gl_TexCoord[0].st;
    // Units past the count are sampled but weighed by exactly 0: the software
    // rasteriser runs both sides of a per-pixel branch anyway, and the
    // arithmetic form is cheaper for it than the masked one.
    vec4 sum = texture2D(textures[0], uv);
    sum += texture2D(textures[1], uv) * (count > 1 ? 1.0 : 0.0);
    sum += texture2D(textures[2], uv) * (count > 2 ? 1.0 : 0.0);
    sum += texture2D(textures[3], uv) * (count > 3 ? 1.0 : 0.0);
    sum += texture2D(textures[4], uv) * (count > 4 ? 1.0 : 0.0);
    vec4 average = sum * weight;
    vec3 colour = average.a > 0.001 ? average.rgb / average.a : vec3(0.0);
    gl_FragColor = vec4(clamp(colour, 0.0, 1.0), average.a);
}
