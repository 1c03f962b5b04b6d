// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/fatal.h"

#include "sys/platform.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

void exitGame(int code)
{
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    holdFatalMessage();
    std::_Exit(code);
}
