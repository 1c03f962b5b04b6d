// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/settings.h"

uint32_t renderFlags = 0;
bool showFps = false;
uint32_t mouseSkip = 0;
ScreenFade screenFade;

void ScreenFade::arm(int32_t mode, int32_t steps)
{
    fadeSteps = steps;
    fadeMode = mode;
}

bool ScreenFade::step()
{
    if (fadeMode == FADE_OFF)
        return false;
    fadeFactor = fadeSteps != 0 ? static_cast<float>(fadeSteps / 7.0) : 0.0f;
    if (fadeMode & FADE_INVERT_BIT)
        fadeFactor = 1.0f - fadeFactor;
    if (fadeSteps == 0)
        fadeMode = FADE_OFF;
    else
        --fadeSteps;
    return true;
}
