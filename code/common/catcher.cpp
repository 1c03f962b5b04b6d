// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/catcher.h"

#include <cmath>

#include "common/gamestate.h"
#include "common/numeric.h"

CatcherFunnel* catcherFunnel = nullptr;

CatcherFunnel::CatcherFunnel(GameState* gs) : state(gs)
{
    setPosition(0.0f, 0.0f, -5.0f);
}

void CatcherFunnel::update()
{
    if (!state->targetMoved)
        return;
    const float* target = state->shipTarget;
    const float dx = target[0] - position[0];
    const float dy = target[1] - position[1];
    const float dz = target[2] - position[2];
    const float d = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (d < 0.1f) {
        state->targetMoved = false;
        return;
    }
    for (int k = 0; k < 3; ++k)
        position[k] = lerp(position[k], target[k], 0.2f);
}


void CatcherFunnel::computeRings(float points[funnelRings][funnelRingPoints][3]) const
{
    const float* ship = state->shipPosition;
    const float p1[3] = {-ship[0] + 1.0f, -ship[1] - 1.0f, -ship[2] - 1.0f};
    const float* p0 = position;
    float t = 0.0f;
    for (int i = 0; i < funnelRings; ++i) {
        // The tube bends along the quintic curve in x and y and runs straight in z.
        const float cx = smootherstep(p1[0], p0[0], t);
        const float cy = smootherstep(p1[1], p0[1], t);
        const float cz = lerp(p1[2], p0[2], t);
        const float r = smoothstep(0.05f, 1.1f, t);
        float a = 0.0f;
        for (int k = 0; k < funnelRingPoints; ++k) {
            points[i][k][0] = cx + r * std::cos(a);
            points[i][k][1] = cy + r * std::sin(a);
            points[i][k][2] = cz;
            a += 0.62831855f;
        }
        t += 0.1f;
    }
}
