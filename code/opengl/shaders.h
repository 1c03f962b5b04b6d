// SPDX-License-Identifier: GPL-3.0-or-later
// ShaderTable: the game's seven GLSL programs, built at start-up from the
// sources in shaders/, and the selection of one with all its uniforms.
//
// loadShaders runs once at start-up (after the GL set-up), useShader while
// drawing a frame (the caller returns to fixed function with
// glUseProgramObjectARB(0)), unloadShaders at shutdown. All need the window's
// OpenGL context on the main thread. A program that failed to build stays 0
// and selecting it selects the fixed-function pipeline.
#pragma once

#include <GL/glew.h>

const int shaderCount = 7;

enum ShaderId : int {
    SHADER_DEFAULT_LIGHTING = 0,
    SHADER_NOISE = 1,
    SHADER_BRICKS = 2,
    SHADER_WARD = 3,
    SHADER_STRIPE = 4,
    SHADER_PLANETS = 5,
    SHADER_TEXTURE_COMBINE = 6,
};

// Where mesh rendering feeds tangents: 0 until program 3 is first used.
extern int tangentAttribLocation;
// The alpha of the default fade-out, which the funnel overrides for its draw.
extern float fadeOutAlfa;

void loadShaders();
GLhandleARB buildProgram(const char* name);
// The whole file as text (null for an empty file); a missing file ends the process.
char* readShaderSource(const char* path);
void printInfoLog(GLhandleARB object);
void useShader(int id);
void setFadeOutAlfa(float value);
void unloadShaders();

// The program handle of an id (0 when not built), for the tests.
GLhandleARB shaderHandle(int id);
const char* shaderName(int id);
