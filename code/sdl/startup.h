// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and shutdown of the whole game, and the process-wide objects that
// start-up creates.
//
// startUp builds everything in a fixed order while the loading screen shows;
// fatal failures inside it end the process without running the shutdown.
// shutDown releases what it owns in its own fixed order (textures, trash
// list, funnel, sounds, shaders), which is not start-up's reversed; the game's own fatal
// error in the trash list also calls it. Objects that start-up has not made
// yet are null.
#pragma once

void startUp();
void shutDown();

// The banner line printed before start-up.
void printBanner();
