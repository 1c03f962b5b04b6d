// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/stagecopy.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/gameprocess.h"

namespace fs = std::filesystem;

StageCopy::StageCopy()
{
    char pattern[] = "/tmp/drifthaul-stage-XXXXXX";
    root_ = mkdtemp(pattern);
    const fs::path source = fs::path(stagedGameDir()).parent_path();
    for (const auto& entry : fs::recursive_directory_iterator(source)) {
        const fs::path target = root_ / entry.path().lexically_relative(source);
        if (entry.is_directory())
            fs::create_directories(target);
        else
            fs::create_symlink(fs::canonical(entry.path()), target);
    }
}

StageCopy::~StageCopy()
{
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

bool StageCopy::remove(const std::string& relative)
{
    std::error_code ec;
    return fs::remove(fs::path(gameDir()) / relative, ec);
}

bool StageCopy::replace(const std::string& relative, const std::string& bytes)
{
    remove(relative);
    std::ofstream out(fs::path(gameDir()) / relative, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::string StageCopy::original(const std::string& relative) const
{
    std::ifstream in(fs::path(stagedGameDir()) / relative, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
