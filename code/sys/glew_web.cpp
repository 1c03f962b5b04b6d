// SPDX-License-Identifier: GPL-3.0-or-later
// The web build's GLEW: the game's ARB and EXT entry points from gl4es.
#include <GL/glew.h>

#include <gl4esinit.h>

#include <cstdio>

GLboolean glewExperimental = GL_FALSE;

#define GL_ENTRY(type, name) type drifthaul_##name = nullptr;
#include "sys/web/glentries.h"
#undef GL_ENTRY

GLenum glewInit()
{
    bool complete = true;
#define GL_ENTRY(type, name)                                                          \
    drifthaul_##name = reinterpret_cast<type>(gl4es_GetProcAddress(#name));          \
    if (!drifthaul_##name) {                                                          \
        std::fprintf(stderr, "gl4es lacks %s\n", #name);                              \
        complete = false;                                                             \
    }
#include "sys/web/glentries.h"
#undef GL_ENTRY
    return complete ? GLEW_OK : 1;
}

const GLubyte* glewGetErrorString(GLenum error)
{
    return reinterpret_cast<const GLubyte*>(error == GLEW_OK ? "No error" : "Missing function");
}
