// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows build's stand-ins for the Linux harness: Wine took its X
// display from the environment it was started in.
#include "support/xvfb.h"

void useSharedTestDisplay() {}
