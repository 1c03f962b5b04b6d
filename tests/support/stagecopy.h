// SPDX-License-Identifier: GPL-3.0-or-later
// A throw-away copy of the staged run tree for tests that break one asset:
// every folder is real and every file a link to the staged original, so a
// single file can be removed or replaced without touching the build.
#pragma once

#include <string>

class StageCopy {
public:
    StageCopy();
    ~StageCopy();
    StageCopy(const StageCopy&) = delete;
    StageCopy& operator=(const StageCopy&) = delete;

    const std::string& root() const { return root_; }
    std::string gameDir() const { return root_ + "/game"; }
    // Paths are relative to the game/ folder, as the game names them
    // ("../sounds/pickup.aif", "shaders/noise.frag").
    bool remove(const std::string& relative);
    bool replace(const std::string& relative, const std::string& bytes);
    // The staged original's bytes.
    std::string original(const std::string& relative) const;

private:
    std::string root_;
};
