// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the game's synthesised sound effects into a folder.
// Usage: gen_sounds <output folder>
#include <cstdio>
#include <string>

#include "soundsynth.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    for (const std::string& name : synth::synthesisedNames()) {
        const std::string path = std::string(argv[1]) + "/" + name;
        if (!synth::writeAiff(synth::synthesise(name), path)) {
            std::fprintf(stderr, "gen_sounds: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
