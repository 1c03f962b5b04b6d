// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing of the catcher funnel: a tube of 11 rings of 10 points from just
// beside the camera out to the funnel, thin at the camera and wide at the
// mouth, lit with the shiny material and drawn at 0.8 opacity.
#include <GL/glew.h>

#include "common/catcher.h"
#include "common/settings.h"
#include "opengl/glutil.h"
#include "opengl/shaders.h"

void CatcherFunnel::draw() const
{
    setFadeOutAlfa(0.8f);
    setMaterial(1);
    // Untextured, one normal towards the camera for the whole tube: it gives
    // none per vertex, and must not light by what the last entry left.
    glBindTexture(GL_TEXTURE_2D, 0);
    glNormal3f(0.0f, 0.0f, 1.0f);
    float points[funnelRings][funnelRingPoints][3];
    computeRings(points);

    const bool wireframe = (renderFlags & RENDER_MODE_MASK) == RENDER_WIREFRAME;
    GLhandleARB program = 0;
    if (wireframe) {
        // White lines need the fixed-function pipeline: a current program
        // would light and texture them anyway.
        program = glGetHandleARB(GL_PROGRAM_OBJECT_ARB);
        glUseProgramObjectARB(0);
        glPushAttrib(GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_POLYGON_BIT | GL_ENABLE_BIT);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        glDisable(GL_CULL_FACE);
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glColor3f(1.0f, 1.0f, 1.0f);
    }
    glBegin(GL_QUADS);
    for (int i = 0; i < funnelRings - 1; ++i)
        for (int k = 0; k < funnelRingPoints; ++k) {
            const int next = k + 1 < funnelRingPoints ? k + 1 : 0;
            glVertex3fv(points[i][k]);
            glVertex3fv(points[i + 1][k]);
            glVertex3fv(points[i + 1][next]);
            glVertex3fv(points[i][next]);
        }
    glEnd();
    if (wireframe) {
        glPopAttrib();
        glUseProgramObjectARB(program);
    }
    setFadeOutAlfa(fadeOutAlfa);
}
