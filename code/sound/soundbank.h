// SPDX-License-Identifier: GPL-3.0-or-later
// SoundBank: the game's eleven sound effects, loaded at start-up and played
// by index on the first free mixer channel.
//
// initSound runs once at start-up (after the shaders), playSound from the game
// thread at any time (silently until initSound succeeded), shutdownSound once
// at shutdown. SDL_mixer mixes on its own thread; nothing here touches it.
#pragma once

const int soundCount = 11;

int initSound();
void playSound(int index);
void shutdownSound();

// The sound table's file for an index, or null outside 0 .. 10.
const char* soundPath(int index);

// How often the rules asked for each sound since start (played or not), for
// the rules' tests; an index outside the table returns 0.
int soundRequests(int index);

// False when a file's header cannot be played safely: SDL_mixer 1.2's
// converter overflows its stack on zero channels or a zero sample rate.
bool soundHeaderPlayable(const char* path);
