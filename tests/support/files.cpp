// SPDX-License-Identifier: GPL-3.0-or-later
// The helpers of gameprocess.h that need no child process: they build on Windows too.
#include "support/gameprocess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

std::string stagedGameDir()
{
    const char* stage = std::getenv("DRIFTHAUL_STAGE_DIR"); // another build's tree, run through a launcher
    return std::string(stage ? stage : DRIFTHAUL_STAGE_DIR) + "/game";
}

bool hasLine(const std::string& text, const std::string& prefix)
{
    return ("\n" + text).find("\n" + prefix) != std::string::npos;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

#if GTEST_HAS_DEATH_TEST // not in WebAssembly
bool exitedMinusOne(int status)
{
    return testing::ExitedWithCode(255)(status) || testing::ExitedWithCode(-1)(status);
}
#endif
