// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows and web builds' stand-ins for the Linux harness: Wine took
// its X display from the environment it was started in; under Node the
// tests open no display.
#include "support/xvfb.h"

void useSharedTestDisplay() {}
