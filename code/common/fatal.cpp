#include "common/fatal.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

void exitGame(int code)
{
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(code);
}
