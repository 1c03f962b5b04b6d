// ShaderTable: the game's seven GLSL programs, built at start-up from the
// sources in shaders/, and the selection of one with all its uniforms.
//
// loadShaders runs once at start-up (after the GL set-up), useShader while
// drawing a frame (the caller returns to fixed function with
// glUseProgramObjectARB(0)), unloadShaders at shutdown. All need the window's
// OpenGL context on the main thread.
#pragma once

const int shaderCount = 7;

// Where mesh rendering feeds tangents: 0 until program 3 is first used.
extern int tangentAttribLocation;
// The alpha of the default fade-out, which the funnel overrides for its draw.
extern float fadeOutAlfa;
