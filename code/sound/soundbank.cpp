// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/soundbank.h"
#include "common/fatal.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char* const soundTable[soundCount] = {
    "../sounds/pickup.aif",
    "../sounds/crash.aif",
    "../sounds/cracking.aif",
    "../sounds/trash_collection1.aif",
    "../sounds/collection2.aif",
    "../sounds/evil_laughter.aif",
    "../sounds/beep-expire.aif",
    "../sounds/evil_laughter.aif",
    "../sounds/moon_jungle.aif",
    "../sounds/witch_laughter.aif",
    "../sounds/evil_laughter.aif",
};

struct SoundBank {
    Mix_Chunk* chunks[soundCount] = {};
    bool ready = false;
    bool audioOpen = false;
    int requests[soundCount] = {};
    // Each file's own SDL error, kept so a later load cannot overwrite it.
    std::string errors[soundCount];
};

SoundBank bank;

uint32_t readBigEndian32(const unsigned char* p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

uint16_t readBigEndian16(const unsigned char* p)
{
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

uint32_t readLittleEndian32(const unsigned char* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

uint16_t readLittleEndian16(const unsigned char* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

// The 80-bit IEEE extended sample rate of an AIFF COMM chunk.
double extendedToDouble(const unsigned char* p)
{
    const int exponent = ((p[0] & 0x7F) << 8) | p[1];
    uint64_t mantissa = 0;
    for (int i = 0; i < 8; ++i)
        mantissa = (mantissa << 8) | p[2 + i];
    if (exponent == 0 && mantissa == 0)
        return 0.0;
    const double value = std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
    return (p[0] & 0x80) ? -value : value;
}

bool aiffHeaderPlayable(FILE* f, long fileSize)
{
    long offset = 12;
    unsigned char header[8];
    while (offset + 8 <= fileSize) {
        if (std::fseek(f, offset, SEEK_SET) != 0 || std::fread(header, 1, 8, f) != 8)
            return false;
        const uint32_t size = readBigEndian32(header + 4);
        if (std::memcmp(header, "COMM", 4) == 0) {
            unsigned char comm[18];
            if (size < 18 || std::fread(comm, 1, 18, f) != 18)
                return false;
            const uint16_t channels = readBigEndian16(comm);
            const uint16_t bits = readBigEndian16(comm + 6);
            const double rate = extendedToDouble(comm + 8);
            return channels > 0 && bits > 0 && rate >= 1.0 && rate < 1.0e6;
        }
        // Chunks are padded to an even length.
        offset += 8 + static_cast<long>(size) + (size & 1);
    }
    return false;
}

bool waveHeaderPlayable(FILE* f, long fileSize)
{
    long offset = 12;
    unsigned char header[8];
    while (offset + 8 <= fileSize) {
        if (std::fseek(f, offset, SEEK_SET) != 0 || std::fread(header, 1, 8, f) != 8)
            return false;
        const uint32_t size = readLittleEndian32(header + 4);
        if (std::memcmp(header, "fmt ", 4) == 0) {
            unsigned char fmt[16];
            if (size < 16 || std::fread(fmt, 1, 16, f) != 16)
                return false;
            return readLittleEndian16(fmt + 2) > 0 && readLittleEndian32(fmt + 4) > 0 &&
                   readLittleEndian16(fmt + 14) > 0;
        }
        offset += 8 + static_cast<long>(size) + (size & 1);
    }
    return false;
}

} // namespace

bool soundHeaderPlayable(const char* path)
{
    FILE* f = std::fopen(path, "rb");
    if (!f)
        return true; // the mixer reports the missing file itself
    unsigned char magic[12];
    bool playable = true;
    std::fseek(f, 0, SEEK_END);
    const long size = std::ftell(f);
    std::rewind(f);
    if (std::fread(magic, 1, 12, f) == 12) {
        if (std::memcmp(magic, "FORM", 4) == 0 &&
            (std::memcmp(magic + 8, "AIFF", 4) == 0 || std::memcmp(magic + 8, "AIFC", 4) == 0))
            playable = aiffHeaderPlayable(f, size);
        else if (std::memcmp(magic, "RIFF", 4) == 0 && std::memcmp(magic + 8, "WAVE", 4) == 0)
            playable = waveHeaderPlayable(f, size);
    }
    std::fclose(f);
    return playable;
}

const char* soundPath(int index)
{
    return index >= 0 && index < soundCount ? soundTable[index] : nullptr;
}

int soundRequests(int index)
{
    return index >= 0 && index < soundCount ? bank.requests[index] : 0;
}

int initSound()
{
    if (SDL_Init(SDL_INIT_AUDIO) < 0) {
        std::fprintf(stderr, "Unable to initialize SDL sound: %s\n", SDL_GetError());
        return -1;
    }
    if (Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024) != 0) {
        std::fprintf(stderr, "Unable to initialize audio: %s\n", SDL_GetError());
        return -1;
    }
    bank.audioOpen = true;

    for (int i = 0; i < soundCount; ++i) {
        if (soundHeaderPlayable(soundTable[i])) {
            bank.chunks[i] = Mix_LoadWAV_RW(SDL_RWFromFile(soundTable[i], "rb"), 1);
        } else {
            SDL_SetError("unplayable sound header in %s", soundTable[i]);
            bank.chunks[i] = nullptr;
        }
        if (!bank.chunks[i])
            bank.errors[i] = SDL_GetError();
    }
    for (int i = 0; i < soundCount; ++i) {
        if (!bank.chunks[i]) {
            std::fprintf(stderr, "Unable to load WAV file number %d: %s\n", i, bank.errors[i].c_str());
            exitGame(-1);
        }
    }
    bank.ready = true;
    return 0;
}

void playSound(int index)
{
    if (index < 0 || index >= soundCount)
        return;
    ++bank.requests[index];
    if (!bank.ready)
        return;
    if (Mix_PlayChannelTimed(-1, bank.chunks[index], 0, -1) == -1)
        std::fprintf(stderr, "Unable to play WAV file: %s\n", SDL_GetError());
}

void shutdownSound()
{
    for (Mix_Chunk*& chunk : bank.chunks) {
        if (chunk)
            Mix_FreeChunk(chunk);
        chunk = nullptr;
    }
    bank.ready = false;
    if (bank.audioOpen)
        Mix_CloseAudio();
    bank.audioOpen = false;
}
