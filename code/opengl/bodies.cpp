// SPDX-License-Identifier: GPL-3.0-or-later
#include "opengl/bodies.h"

#include <GL/glew.h>

#include <cmath>
#include <iostream>

#include "common/mesh.h"
#include "common/settings.h"
#include "common/textures.h"
#include "common/vecmath.h"
#include "opengl/glutil.h"
#include "common/numeric.h"

CStarfield* starfield = nullptr;
CSun* sun = nullptr;
CPlanetoid* planet = nullptr;

void C3DObject::setPosition(float x, float y, float z)
{
    position[0] = x;
    position[1] = y;
    position[2] = z;
}

CPlanetoid::~CPlanetoid()
{
    delete mesh;
}

void CPlanetoid::init(const char* path, float radius)
{
    setTexture(path);
    mesh = new CMesh();
    mesh->load(MODEL_SPHERE, 0, radius);
}

void CPlanetoid::setTexture(const char* path)
{
    // A planet that has a texture re-uploads into it and takes no new slot.
    texture = textureTable->load(path, texture);
    if (texture <= 0)
        std::cerr << "Planetoid class: Unable to load texture: " << path << std::endl;
}

void CPlanetoid::draw()
{
    setMaterial(0);
    glBindTexture(GL_TEXTURE_2D, texture > 0 ? static_cast<GLuint>(texture) : 0u);
    glPushMatrix();
    glTranslatef(position[0], position[1], position[2]);
    glRotatef(300.0f, 1.0f, 0.0f, 0.0f);
    // Solid, the lit texture is opaque (alpha 1 everywhere), so blending
    // would only read back what it replaces; wireframe's smoothed lines
    // need it.
    const bool solid = (renderFlags & RENDER_MODE_MASK) != RENDER_WIREFRAME;
    if (solid)
        glDisable(GL_BLEND);
    mesh->render();
    glEnable(GL_BLEND);
    glPopMatrix();
    glBindTexture(GL_TEXTURE_2D, 0);
}

CSun::~CSun()
{
    delete[] corners;
}

void CSun::init(float R, float a, float b, float c, float d)
{
    static const char* const path = "../textures/environment/FlareSun.bmp";
    flare = textureTable->load(path, 0);
    if (flare == -1)
        std::cerr << "Unable to load Sun Flare texture: " << path << std::endl;
    corners = new CVertexStruct[4];
    auto at = [R](float theta, float phi, CVertexStruct& v) {
        v.setPosition(R * std::cos(theta) * std::cos(phi), R * std::sin(phi), R * std::sin(theta) * std::cos(phi));
    };
    at(a - c, b - d, corners[0]);
    at(a + c, b - d, corners[1]);
    at(a + c, b + d, corners[2]);
    at(a - c, b + d, corners[3]);
    float n[3];
    crossProduct(corners[0].position, corners[1].position, n);
    for (int i = 0; i < 4; ++i)
        corners[i].setNormal(n[0], n[1], n[2]);
    corners[0].setTexCoords(0.0f, 1.0f);
    corners[1].setTexCoords(1.0f, 1.0f);
    corners[2].setTexCoords(1.0f, 0.0f);
    corners[3].setTexCoords(0.0f, 0.0f);
}

void CSun::draw()
{
    glDisable(GL_LIGHTING);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f); // unlit, the flare as it is
    glBindTexture(GL_TEXTURE_2D, flare > 0 ? static_cast<GLuint>(flare) : 0u);
    glPushMatrix();
    glTranslatef(position[0], position[1], position[2]);
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) {
        glNormal3fv(corners[i].normal);
        glTexCoord2f(corners[i].t_u, corners[i].t_v);
        glVertex3fv(corners[i].position);
    }
    glEnd();
    glPopMatrix();
    glEnable(GL_LIGHTING);
}

CStarfield::CStarfield()
{
    gameSrand(12439);
}

CStarfield::~CStarfield()
{
    delete[] stars;
    if (pointList != 0)
        glDeleteLists(pointList, 1);
}

void CStarfield::createStars(int n, float R)
{
    delete[] stars;
    if (pointList != 0)
        glDeleteLists(pointList, 1);
    pointList = 0;
    count = n;
    stars = new float[3 * static_cast<size_t>(n)];
    const double pi = 3.141592653589793;
    for (int i = 0; i < n; ++i) {
        const float lon = static_cast<float>((gameRand() % 360) * pi / 180.0);
        const float lat = static_cast<float>((gameRand() % 180) * pi / 180.0);
        stars[3 * i] = R * std::cos(lon) * std::sin(lat);
        stars[3 * i + 1] = R * std::sin(lon) * std::sin(lat);
        stars[3 * i + 2] = R * std::cos(lat);
    }
}

void CStarfield::draw()
{
    glPushMatrix();
    glTranslatef(position[0], position[1], position[2]);
    if (pointList == 0) {
        pointList = glGenLists(1);
        glNewList(pointList, GL_COMPILE);
        glBegin(GL_POINTS);
        setMaterial(0);
        // Lit points take the current normal: without one of their own the
        // stars took their tint from whatever the last frame drew last.
        glNormal3f(0.0f, 0.0f, 1.0f);
        for (int i = 0; i < count; ++i)
            glVertex3fv(&stars[3 * i]);
        glEnd();
        glEndList();
    }
    // Untextured: lit points would otherwise take the colour of whatever
    // texture is bound, at whatever coordinate is current.
    glDisable(GL_TEXTURE_2D);
    glCallList(pointList);
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
}
