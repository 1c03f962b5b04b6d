// SPDX-License-Identifier: GPL-3.0-or-later
// The web build's stand-in for GLEW. gl4es, which turns the game's OpenGL
// into WebGL, exports only core names to WebAssembly: the ARB and EXT entry
// points the game calls are pointers here, which glewInit loads through
// gl4es_GetProcAddress (platform_web.cpp). It answers GLEW_OK when every
// one of them loaded.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#define GLEW_OK 0
#define GLEW_ERROR_NO_GLX_DISPLAY 4

extern GLboolean glewExperimental;
GLenum glewInit();
const GLubyte* glewGetErrorString(GLenum error);

// gl4es's gl.h renames every GL name to its own export (gl4es_glName);
// these have none and become the loaded pointers.
#define GL_ENTRY(type, name) extern type drifthaul_##name;
#include "../glentries.h"
#undef GL_ENTRY

#undef glActiveTextureARB
#define glActiveTextureARB drifthaul_glActiveTextureARB
#undef glAttachObjectARB
#define glAttachObjectARB drifthaul_glAttachObjectARB
#undef glBindBufferARB
#define glBindBufferARB drifthaul_glBindBufferARB
#undef glBindFramebufferEXT
#define glBindFramebufferEXT drifthaul_glBindFramebufferEXT
#undef glBindRenderbufferEXT
#define glBindRenderbufferEXT drifthaul_glBindRenderbufferEXT
#undef glBufferDataARB
#define glBufferDataARB drifthaul_glBufferDataARB
#undef glBufferSubDataARB
#define glBufferSubDataARB drifthaul_glBufferSubDataARB
#undef glCheckFramebufferStatusEXT
#define glCheckFramebufferStatusEXT drifthaul_glCheckFramebufferStatusEXT
#undef glCompileShaderARB
#define glCompileShaderARB drifthaul_glCompileShaderARB
#undef glCreateProgramObjectARB
#define glCreateProgramObjectARB drifthaul_glCreateProgramObjectARB
#undef glCreateShaderObjectARB
#define glCreateShaderObjectARB drifthaul_glCreateShaderObjectARB
#undef glDeleteBuffersARB
#define glDeleteBuffersARB drifthaul_glDeleteBuffersARB
#undef glDeleteFramebuffersEXT
#define glDeleteFramebuffersEXT drifthaul_glDeleteFramebuffersEXT
#undef glDeleteObjectARB
#define glDeleteObjectARB drifthaul_glDeleteObjectARB
#undef glDeleteRenderbuffersEXT
#define glDeleteRenderbuffersEXT drifthaul_glDeleteRenderbuffersEXT
#undef glDisableVertexAttribArrayARB
#define glDisableVertexAttribArrayARB drifthaul_glDisableVertexAttribArrayARB
#undef glEnableVertexAttribArrayARB
#define glEnableVertexAttribArrayARB drifthaul_glEnableVertexAttribArrayARB
#undef glFramebufferRenderbufferEXT
#define glFramebufferRenderbufferEXT drifthaul_glFramebufferRenderbufferEXT
#undef glFramebufferTexture2DEXT
#define glFramebufferTexture2DEXT drifthaul_glFramebufferTexture2DEXT
#undef glGenBuffersARB
#define glGenBuffersARB drifthaul_glGenBuffersARB
#undef glGenFramebuffersEXT
#define glGenFramebuffersEXT drifthaul_glGenFramebuffersEXT
#undef glGenRenderbuffersEXT
#define glGenRenderbuffersEXT drifthaul_glGenRenderbuffersEXT
#undef glGetAttribLocationARB
#define glGetAttribLocationARB drifthaul_glGetAttribLocationARB
#undef glGetHandleARB
#define glGetHandleARB drifthaul_glGetHandleARB
#undef glGetInfoLogARB
#define glGetInfoLogARB drifthaul_glGetInfoLogARB
#undef glGetObjectParameterivARB
#define glGetObjectParameterivARB drifthaul_glGetObjectParameterivARB
#undef glGetUniformLocationARB
#define glGetUniformLocationARB drifthaul_glGetUniformLocationARB
#undef glLinkProgramARB
#define glLinkProgramARB drifthaul_glLinkProgramARB
#undef glRenderbufferStorageEXT
#define glRenderbufferStorageEXT drifthaul_glRenderbufferStorageEXT
#undef glShaderSourceARB
#define glShaderSourceARB drifthaul_glShaderSourceARB
#undef glUniform1fARB
#define glUniform1fARB drifthaul_glUniform1fARB
#undef glUniform1iARB
#define glUniform1iARB drifthaul_glUniform1iARB
#undef glUniform1ivARB
#define glUniform1ivARB drifthaul_glUniform1ivARB
#undef glUniform2fARB
#define glUniform2fARB drifthaul_glUniform2fARB
#undef glUniform3fARB
#define glUniform3fARB drifthaul_glUniform3fARB
#undef glUniform4fARB
#define glUniform4fARB drifthaul_glUniform4fARB
#undef glUseProgramObjectARB
#define glUseProgramObjectARB drifthaul_glUseProgramObjectARB
#undef glVertexAttribPointerARB
#define glVertexAttribPointerARB drifthaul_glVertexAttribPointerARB
