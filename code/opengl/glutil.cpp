// SPDX-License-Identifier: GPL-3.0-or-later
#include "opengl/glutil.h"

#include <GL/glew.h>
#include <GL/freeglut.h>
#include <SDL/SDL.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

#include "common/hudpanel.h"
#include "common/scene.h"
#include "opengl/stopwatch.h"
#include "sdl/video.h"
#include "common/fatal.h"

static const char* extensionString = nullptr;

static const GLfloat lightAmbient[4] = {0.3f, 0.3f, 0.3f, 1.0f};
static const GLfloat lightDiffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
static const GLfloat lightSpecular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
static const GLfloat lightPosition[4] = {1.0f, 1.0f, 1.0f, 0.0f};
static const GLfloat lightModelAmbient[4] = {0.2f, 0.3f, 0.35f, 1.0f};

struct MaterialPreset {
    GLfloat ambientDiffuse[4];
    GLfloat specular[4];
    GLfloat shininess;
};

static const MaterialPreset materialPresets[2] = {
    {{1.0f, 1.0f, 1.0f, 1.0f}, {0.4f, 0.4f, 0.4f, 1.0f}, 0.0f},
    {{0.8f, 0.8f, 0.8f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, 50.0f},
};

// The FPS readout's state persists between frames, also while it is off.
static Stopwatch fpsStopwatch;
static double fpsPrevious = 0.0;
static double fpsCurrent = 0.0;
static std::ostringstream fpsStream;
static const int fpsLine = 1;

void ensureGlutInitialised()
{
    static bool initialised = false;
    if (initialised)
        return;
    int argc = 1;
    char name[] = "drifthaul";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    initialised = true;
}

bool hasExtension(const char* name)
{
    if (!extensionString)
        extensionString = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return extensionString && std::strstr(extensionString, name) != nullptr;
}

void checkGlewResult(unsigned int result)
{
    // Without a GLX display (sdl12-compat on Wayland) GLEW has loaded the
    // entry points before it complains; the game runs on them.
    if (result == GLEW_OK || result == GLEW_ERROR_NO_GLX_DISPLAY)
        return;
    std::cerr << "could not load the OpenGL entry points: "
              << reinterpret_cast<const char*>(glewGetErrorString(result)) << std::endl;
    exitGame(1);
}

void initGl()
{
    // Entry points are resolved once here; the game only needs them to work.
    glewExperimental = GL_TRUE;
    checkGlewResult(glewInit());

    if (!hasExtension("GL_EXT_framebuffer_object")) {
        std::cout << "GL_EXT_framebuffer_object is not supported! " << std::endl;
        exitGame(-1);
    }
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glShadeModel(GL_SMOOTH);
    glPointSize(3.0f);

    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);

    // Untextured draws still pass shaders that modulate by texture unit 0:
    // the default texture gets one white texel, which changes nothing.
    static const GLubyte white[4] = {255, 255, 255, 255};
    glBindTexture(GL_TEXTURE_2D, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);

    setupLight();
    setMaterial(1);
    setupView();
}

void setupLight()
{
    glEnable(GL_LIGHTING);
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, lightSpecular);
    glEnable(GL_LIGHT0);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, lightModelAmbient);
}

void setMaterial(int preset)
{
    const MaterialPreset& m = materialPresets[preset ? 1 : 0];
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, m.ambientDiffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m.specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, m.shininess);
    glColor3f(1.0f, 1.0f, 1.0f);
}

void setupView()
{
    const SDL_Surface* s = screen;
    glViewport(0, 0, s ? s->w : 0, s ? s->h : 0);
    setupCamera();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

void drawLoadingScreen()
{
    const SDL_Surface* s = screen;
    glViewport(0, 0, s ? s->w : 0, s ? s->h : 0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();

    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);

    glLineWidth(5.0f);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(0.4f, 0.4f, 1.0f);
    glBegin(GL_LINES);
    glVertex2f(-1.0f, -0.75f);
    glVertex2f(1.0f, -0.75f);
    glEnd();
    glLineWidth(1.0f);

    hudPanel.drawText(-0.95f, -0.83f, "loading Drifthaul...");
}

void redrawLoadingScreen()
{
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    // As GL starts, the state the first loading screen was drawn in: a
    // smoothed, blended line would come out wider while it fades.
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_BLEND);
    drawLoadingScreen();
    glPopAttrib();
}

void scaleFrame(float factor)
{
    // Debian 12's llvmpipe crashes when this quad joins a frame whose drawing
    // is still queued; handing the frame on first avoids that.
    glFlush();
    const GLhandleARB program = glGetHandleARB(GL_PROGRAM_OBJECT_ARB);
    glUseProgramObjectARB(0);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    // Whatever the caller left: filled, untextured on every unit, unmasked.
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    GLint units = 1;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS, &units);
    for (GLint unit = units - 1; unit >= 0; --unit) {
        glActiveTextureARB(GL_TEXTURE0_ARB + unit);
        glDisable(GL_TEXTURE_1D);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_TEXTURE_3D);
        glDisable(GL_TEXTURE_CUBE_MAP);
    }
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_FOG);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_POLYGON_STIPPLE);
    glDisable(GL_COLOR_LOGIC_OP);
    glDisable(GL_COLOR_SUM);
    glBlendEquation(GL_FUNC_ADD);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glColor4f(factor, factor, factor, 1.0f);
    const SDL_Surface* s = screen;
    glViewport(0, 0, s ? s->w : 0, s ? s->h : 0);
    pushIdentityMatrices();
    glRectf(-1.0f, -1.0f, 1.0f, 1.0f);
    popIdentityMatrices();
    glPopAttrib();
    glUseProgramObjectARB(program);
}

void drawFps()
{
    fpsPrevious = fpsCurrent;
    fpsCurrent = fpsStopwatch.elapsedMicros();
    const double delta = fpsCurrent - fpsPrevious;
    const double fps = 1.0 / (delta * 1e-6);

    fpsStream.str("");
    fpsStream.clear();
    fpsStream << std::fixed;
    fpsStream.precision(1);
    fpsStream << "Fps: " << fps;
    fpsStream.unsetf(std::ios_base::floatfield);
    drawBitmapText(fpsStream.str().c_str(), fpsLine);
}

void drawBitmapText(const char* text, int line)
{
    ensureGlutInitialised();
    const SDL_Surface* s = screen;
    const int x = 10;
    const int y = (s ? s->h : 0) - line * 14;
    glPushAttrib(GL_CURRENT_BIT | GL_LIGHTING_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.5f, 1.0f, 1.0f, 0.7f);
    placeBitmapText(x, y);
    for (const char* c = text; *c; ++c)
        glutBitmapCharacter(GLUT_BITMAP_8_BY_13, static_cast<unsigned char>(*c));
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glPopAttrib();
}

void placeBitmapText(double x, double y)
{
    GLdouble modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wx = 0.0, wy = 0.0, wz = 0.0;
    gluProject(x, y, 0.0, modelview, projection, viewport, &wx, &wy, &wz);

    // The viewport's centre is always a valid raster position; an empty
    // bitmap then moves it to the text's place without a validity test.
    // Runs before the entry points are loaded too (the loading screen), so
    // only OpenGL 1.1 calls.
    pushIdentityMatrices();
    glRasterPos3d(0.0, 0.0, 2.0 * wz - 1.0);
    popIdentityMatrices();
    const double cx = viewport[0] + viewport[2] / 2.0;
    const double cy = viewport[1] + viewport[3] / 2.0;
    glBitmap(0, 0, 0.0f, 0.0f, static_cast<GLfloat>(wx - cx), static_cast<GLfloat>(wy - cy), nullptr);
}

void pushIdentityMatrices()
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void popIdentityMatrices()
{
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
