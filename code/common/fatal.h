// SPDX-License-Identifier: GPL-3.0-or-later
// Ending the process on a fatal error: the message has been written; the
// standard streams are flushed and the process ends at once with the code.
// No library teardown runs, so threads that SDL started (the audio mixer's)
// cannot crash the process on its way out, as they do under sdl12-compat.
#pragma once

[[noreturn]] void exitGame(int code);
