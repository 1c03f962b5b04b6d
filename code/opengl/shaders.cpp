// SPDX-License-Identifier: GPL-3.0-or-later
#include "opengl/shaders.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

#include "common/settings.h"
#include "common/fatal.h"

int tangentAttribLocation = 0;
float fadeOutAlfa = 1.0f;

namespace {

struct ShaderEntry {
    char name[64];
    GLhandleARB handle;
};

ShaderEntry shaderTable[shaderCount] = {
    {"default_lighting", 0}, {"noise", 0},   {"bricks_my", 0},     {"CH14-WardBRDF", 0},
    {"CH11-stripe", 0},      {"planets", 0}, {"texture_combe", 0},
};

GLint* samplerUnits = nullptr;

void uniform(GLhandleARB program, const char* name, float a)
{
    glUniform1fARB(glGetUniformLocationARB(program, name), a);
}

void uniform(GLhandleARB program, const char* name, float a, float b)
{
    glUniform2fARB(glGetUniformLocationARB(program, name), a, b);
}

void uniform(GLhandleARB program, const char* name, float a, float b, float c)
{
    glUniform3fARB(glGetUniformLocationARB(program, name), a, b, c);
}

void uniform(GLhandleARB program, const char* name, float a, float b, float c, float d)
{
    glUniform4fARB(glGetUniformLocationARB(program, name), a, b, c, d);
}

void lightingUniforms(GLhandleARB p)
{
    uniform(p, "LightColor", 1.0f, 1.0f, 1.0f);
    uniform(p, "Kd", 0.5f);
    uniform(p, "zCuttoff", -10.0f, -30.0f);
}

} // namespace

GLhandleARB shaderHandle(int id)
{
    return id >= 0 && id < shaderCount ? shaderTable[id].handle : 0;
}

const char* shaderName(int id)
{
    return id >= 0 && id < shaderCount ? shaderTable[id].name : "";
}

void loadShaders()
{
    samplerUnits = new GLint[5]{0, 1, 2, 3, 4};
    for (ShaderEntry& entry : shaderTable)
        entry.handle = buildProgram(entry.name);
}

char* readShaderSource(const char* path)
{
    FILE* file = std::fopen(path, "r");
    if (!file) {
        std::fprintf(stderr, "oops! cannot open %s\n", path);
        char cwd[261] = {};
        if (!getcwd(cwd, sizeof cwd))
            cwd[0] = '\0';
        std::fprintf(stderr, "current workind directory %s\n", cwd);
        exitGame(-1);
    }
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::rewind(file);
    char* text = nullptr;
    if (size > 0) {
        text = static_cast<char*>(std::malloc(static_cast<size_t>(size) + 1));
        const size_t got = std::fread(text, 1, static_cast<size_t>(size), file);
        text[got] = '\0';
    }
    std::fclose(file);
    return text;
}

void printInfoLog(GLhandleARB object)
{
    GLint length = 0;
    glGetObjectParameterivARB(object, GL_OBJECT_INFO_LOG_LENGTH_ARB, &length);
    if (length > 0) {
        char* log = static_cast<char*>(std::malloc(static_cast<size_t>(length)));
        GLsizei written = 0;
        glGetInfoLogARB(object, length, &written, log);
        std::fprintf(stderr, "%s\n", log);
        std::free(log);
    }
}

GLhandleARB buildProgram(const char* name)
{
    char vertexPath[100];
    char fragmentPath[100];
    std::snprintf(vertexPath, sizeof vertexPath, "shaders/%s.vert", name);
    std::snprintf(fragmentPath, sizeof fragmentPath, "shaders/%s.frag", name);

    const GLhandleARB vertex = glCreateShaderObjectARB(GL_VERTEX_SHADER_ARB);
    const GLhandleARB fragment = glCreateShaderObjectARB(GL_FRAGMENT_SHADER_ARB);
    char* vertexText = readShaderSource(vertexPath);
    char* fragmentText = readShaderSource(fragmentPath);
    // An empty file gives an empty source, which fails to compile.
    const GLcharARB* vertexSource = vertexText ? vertexText : "";
    const GLcharARB* fragmentSource = fragmentText ? fragmentText : "";
    glShaderSourceARB(vertex, 1, &vertexSource, nullptr);
    glShaderSourceARB(fragment, 1, &fragmentSource, nullptr);
    std::free(vertexText);
    std::free(fragmentText);
    glCompileShaderARB(vertex);
    glCompileShaderARB(fragment);

    GLint status = 0;
    glGetObjectParameterivARB(vertex, GL_OBJECT_COMPILE_STATUS_ARB, &status);
    if (status == 0) {
        std::fprintf(stderr, "could not compile vertex program: ");
        printInfoLog(vertex);
        return 0;
    }
    glGetObjectParameterivARB(fragment, GL_OBJECT_COMPILE_STATUS_ARB, &status);
    if (status == 0) {
        std::fprintf(stderr, "could not compile fragment program: ");
        printInfoLog(fragment);
        return 0;
    }
    const GLhandleARB program = glCreateProgramObjectARB();
    glAttachObjectARB(program, vertex);
    glAttachObjectARB(program, fragment);
    glLinkProgramARB(program);
    glGetObjectParameterivARB(program, GL_OBJECT_LINK_STATUS_ARB, &status);
    if (status == 0) {
        std::fprintf(stderr, "could not link program: ");
        printInfoLog(program);
        return 0;
    }
    return program;
}

void useShader(int id)
{
    if (id < 0 || id >= shaderCount) {
        std::cerr << "could not find the shader with id " << id << std::endl;
        return;
    }
    const GLhandleARB p = shaderTable[id].handle;
    glUseProgramObjectARB(p);
    // A program that failed to build leaves fixed function, which has no
    // uniforms to set.
    if (p == 0)
        return;
    switch (id) {
    case SHADER_DEFAULT_LIGHTING:
    case SHADER_PLANETS:
    case SHADER_TEXTURE_COMBINE:
        lightingUniforms(p);
        break;
    case SHADER_NOISE:
        std::cout << "using noise shader..." << std::endl;
        uniform(p, "LightColor", 1.0f, 1.0f, 1.0f);
        uniform(p, "Kd", 0.5f);
        break;
    case SHADER_BRICKS:
        uniform(p, "BrickColour", 1.0f, 0.3f, 0.2f);
        uniform(p, "MortarColour", 0.85f, 0.86f, 0.84f);
        uniform(p, "BrickSize", 0.3f, 0.15f);
        uniform(p, "BrickPct", 0.9f, 0.85f);
        uniform(p, "LightPosition", 0.0f, 1.0f, 0.7f);
        break;
    case SHADER_WARD:
        uniform(p, "SurfaceColour", 0.5f, 0.6f, 0.84f, 1.0f);
        uniform(p, "program", 0.4f, 0.4f);
        uniform(p, "A", 0.07f, 0.06f);
        uniform(p, "Scale", 0.5f, 0.5f, 0.5f);
        tangentAttribLocation = glGetAttribLocationARB(p, "tangent");
        break;
    case SHADER_STRIPE:
        uniform(p, "LightPosition", 0.0f, 1.0f, 0.7f);
        uniform(p, "LightColor", 1.0f, 1.0f, 1.0f);
        uniform(p, "Kd", 0.5f);
        uniform(p, "StripeColor", 1.0f, 0.3f, 0.2f);
        uniform(p, "BackColor", 0.85f, 0.86f, 0.84f);
        uniform(p, "Width", 0.7f);
        uniform(p, "Fuzz", 0.4f);
        uniform(p, "Scale", 10.5f);
        break;
    default:
        break;
    }
    glUniform1iARB(glGetUniformLocationARB(p, "tex0"), 0);
    glUniform1fARB(glGetUniformLocationARB(p, "FadeOut"), screenFade.fadeFactor);
    setFadeOutAlfa(fadeOutAlfa);
    glUniform1ivARB(glGetUniformLocationARB(p, "textures"), 5, samplerUnits);
}

void setFadeOutAlfa(float value)
{
    // Looked up in the program that is current: a location of another program
    // is not valid here.
    const GLhandleARB current = glGetHandleARB(GL_PROGRAM_OBJECT_ARB);
    if (current == 0)
        return;
    glUniform1fARB(glGetUniformLocationARB(current, "FadeOutAlfa"), value);
}

void unloadShaders()
{
    delete[] samplerUnits;
    samplerUnits = nullptr;
    for (ShaderEntry& entry : shaderTable) {
        if (entry.handle != 0)
            glDeleteObjectARB(entry.handle);
        entry.handle = 0;
    }
}
