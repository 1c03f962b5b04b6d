// SPDX-License-Identifier: GPL-3.0-or-later
// Sound synthesis for the game's effects: a mono sample buffer with tones,
// sweeps, noise, envelopes and simple filters, written as 16-bit AIFF at
// 44.1 kHz through libsndfile. Used by the gen_sounds tool and its tests.
#pragma once

#include <string>
#include <vector>

namespace synth {

const int sampleRate = 44100;

struct Buffer {
    std::vector<float> samples;

    explicit Buffer(double seconds);
    size_t index(double t) const;
    double duration() const { return samples.size() / double(sampleRate); }

    // A sine of frequency f (Hz) starting at time t for length seconds with an
    // attack and an exponential decay (time constant in seconds).
    void tone(double t, double length, double f, double amplitude, double attack, double decay,
              double vibratoHz = 0.0, double vibratoDepth = 0.0);
    // A sine gliding exponentially from f0 to f1.
    void sweep(double t, double length, double f0, double f1, double amplitude, double decay);
    // Deterministic white noise, one-pole low-passed at cutoff (Hz).
    void noise(double t, double length, double amplitude, double decay, double cutoff, unsigned seed);
    // A feedback echo over the whole buffer.
    void echo(double delay, double feedback);
    // Scales so the peak is at the given level (0 .. 1).
    void normalise(double peak);
    // Short fades at both ends so the sound starts and ends without a click.
    void fadeEdges(double seconds);
};

bool writeAiff(const Buffer& buffer, const std::string& path);

// The seven synthesised effects by file name (without directory).
std::vector<std::string> synthesisedNames();
Buffer synthesise(const std::string& name);

} // namespace synth
