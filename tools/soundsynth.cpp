// SPDX-License-Identifier: GPL-3.0-or-later
#include "soundsynth.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace synth {

static const double twoPi = 6.283185307179586;

Buffer::Buffer(double seconds) : samples(static_cast<size_t>(seconds * sampleRate), 0.0f) {}

size_t Buffer::index(double t) const
{
    return std::min(samples.size(), static_cast<size_t>(std::max(0.0, t) * sampleRate));
}

void Buffer::tone(double t, double length, double f, double amplitude, double attack, double decay,
                  double vibratoHz, double vibratoDepth)
{
    const size_t first = index(t);
    const size_t last = index(t + length);
    double phase = 0.0;
    for (size_t i = first; i < last; ++i) {
        const double s = (i - first) / double(sampleRate);
        const double env = std::min(1.0, s / std::max(attack, 1e-4)) * std::exp(-s / decay);
        const double freq = f * (1.0 + vibratoDepth * std::sin(twoPi * vibratoHz * s));
        phase += twoPi * freq / sampleRate;
        samples[i] += static_cast<float>(amplitude * env * std::sin(phase));
    }
}

void Buffer::sweep(double t, double length, double f0, double f1, double amplitude, double decay)
{
    const size_t first = index(t);
    const size_t last = index(t + length);
    double phase = 0.0;
    for (size_t i = first; i < last; ++i) {
        const double s = (i - first) / double(sampleRate);
        const double freq = f0 * std::pow(f1 / f0, s / length);
        phase += twoPi * freq / sampleRate;
        const double env = std::min(1.0, s / 0.005) * std::exp(-s / decay);
        samples[i] += static_cast<float>(amplitude * env * std::sin(phase));
    }
}

void Buffer::noise(double t, double length, double amplitude, double decay, double cutoff,
                   unsigned seed)
{
    const size_t first = index(t);
    const size_t last = index(t + length);
    uint32_t state = seed * 2654435761u + 1u;
    const double alpha = 1.0 - std::exp(-twoPi * cutoff / sampleRate);
    double low = 0.0;
    for (size_t i = first; i < last; ++i) {
        state = state * 1664525u + 1013904223u;
        const double white = (state >> 8) / double(1u << 24) * 2.0 - 1.0;
        low += alpha * (white - low);
        const double s = (i - first) / double(sampleRate);
        const double env = std::min(1.0, s / 0.002) * std::exp(-s / decay);
        samples[i] += static_cast<float>(amplitude * env * low);
    }
}

void Buffer::echo(double delay, double feedback)
{
    const size_t d = static_cast<size_t>(delay * sampleRate);
    for (size_t i = d; i < samples.size(); ++i)
        samples[i] += static_cast<float>(feedback * samples[i - d]);
}

void Buffer::normalise(double peak)
{
    float top = 0.0f;
    for (float s : samples)
        top = std::max(top, std::fabs(s));
    if (top > 0.0f)
        for (float& s : samples)
            s = static_cast<float>(s * peak / top);
}

void Buffer::fadeEdges(double seconds)
{
    const size_t n = std::min(samples.size() / 2, static_cast<size_t>(seconds * sampleRate));
    for (size_t i = 0; i < n; ++i) {
        const float g = static_cast<float>(i) / n;
        samples[i] *= g;
        samples[samples.size() - 1 - i] *= g;
    }
}

bool writeAiff(const Buffer& buffer, const std::string& path)
{
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_AIFF | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    const sf_count_t n = static_cast<sf_count_t>(buffer.samples.size());
    const bool ok = sf_write_float(file, buffer.samples.data(), n) == n;
    sf_close(file);
    return ok;
}

std::vector<std::string> synthesisedNames()
{
    return {"pickup.aif",  "crash.aif",       "cracking.aif",   "trash_collection1.aif",
            "collection2.aif", "beep-expire.aif", "moon_jungle.aif"};
}

// A bright rising chime: a major arpeggio with a shimmering octave on top.
static Buffer pickup()
{
    Buffer b(0.7);
    const double notes[] = {1046.5, 1318.5, 1568.0, 2093.0};
    for (int i = 0; i < 4; ++i) {
        b.tone(i * 0.06, 0.6, notes[i], 0.5, 0.003, 0.18);
        b.tone(i * 0.06, 0.6, notes[i] * 2.0, 0.15, 0.003, 0.09);
    }
    b.echo(0.09, 0.25);
    return b;
}

// A heavy crash: a falling thump under a long burst of rumbling debris.
static Buffer crash()
{
    Buffer b(1.2);
    b.sweep(0.0, 0.6, 140.0, 35.0, 0.9, 0.25);
    b.noise(0.0, 1.2, 1.0, 0.35, 2500.0, 7);
    b.noise(0.05, 1.1, 0.6, 0.5, 600.0, 11);
    return b;
}

// A cracking hit: a sharp snap, then a rattle of splintering clicks.
static Buffer cracking()
{
    Buffer b(0.5);
    b.noise(0.0, 0.08, 1.0, 0.02, 9000.0, 3);
    b.sweep(0.0, 0.15, 220.0, 60.0, 0.6, 0.06);
    for (int i = 0; i < 9; ++i)
        b.noise(0.03 + i * 0.035 + (i % 3) * 0.008, 0.03, 0.7 - i * 0.06, 0.006, 7000.0, 20 + i);
    return b;
}

// Catch one: a quick upward slurp, as if the funnel swallowed the piece.
static Buffer collection1()
{
    Buffer b(0.4);
    b.sweep(0.0, 0.3, 280.0, 1400.0, 0.7, 0.2);
    b.noise(0.0, 0.25, 0.25, 0.08, 1800.0, 5);
    b.tone(0.22, 0.18, 1760.0, 0.3, 0.002, 0.05);
    return b;
}

// Catch two: a round two-note "bloop-bling".
static Buffer collection2()
{
    Buffer b(0.45);
    b.tone(0.0, 0.2, 523.25, 0.6, 0.004, 0.08);
    b.tone(0.0, 0.2, 1046.5, 0.2, 0.004, 0.05);
    b.tone(0.11, 0.3, 783.99, 0.6, 0.004, 0.1);
    b.tone(0.11, 0.3, 1567.98, 0.25, 0.004, 0.06);
    return b;
}

// The powerup is running out: two short falling beeps.
static Buffer beepExpire()
{
    Buffer b(0.32);
    b.tone(0.0, 0.1, 1320.0, 0.6, 0.002, 1.0);
    b.tone(0.15, 0.12, 990.0, 0.6, 0.002, 1.0);
    return b;
}

// A short spacey jingle: a pentatonic melody on a wobbling bell with echoes.
static Buffer moonJungle()
{
    Buffer b(3.0);
    const double melody[] = {392.0, 523.25, 587.33, 659.25, 783.99, 659.25, 880.0, 1046.5};
    for (int i = 0; i < 8; ++i) {
        const double t = i * 0.18;
        b.tone(t, 0.9, melody[i], 0.45, 0.01, 0.3, 5.5, 0.006);
        b.tone(t, 0.9, melody[i] * 2.01, 0.12, 0.01, 0.15);
    }
    b.tone(1.44, 1.4, 261.63, 0.35, 0.05, 0.6, 3.0, 0.01);
    b.tone(1.44, 1.4, 523.25, 0.3, 0.05, 0.6, 3.0, 0.01);
    b.tone(1.44, 1.4, 783.99, 0.25, 0.05, 0.6, 3.0, 0.01);
    b.echo(0.27, 0.35);
    return b;
}

Buffer synthesise(const std::string& name)
{
    Buffer b(0.1);
    if (name == "pickup.aif")
        b = pickup();
    else if (name == "crash.aif")
        b = crash();
    else if (name == "cracking.aif")
        b = cracking();
    else if (name == "trash_collection1.aif")
        b = collection1();
    else if (name == "collection2.aif")
        b = collection2();
    else if (name == "beep-expire.aif")
        b = beepExpire();
    else if (name == "moon_jungle.aif")
        b = moonJungle();
    b.normalise(0.85);
    b.fadeEdges(0.004);
    return b;
}

} // namespace synth
