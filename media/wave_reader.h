#pragma once
// Reads PCM wave files (8 or 16 bits, mono or stereo, any rate; plain or extensible PCM,
// chunks in any order) and converts them once to the mix format. Every size and offset
// is checked against the bytes there are.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Wave files larger than this are refused before they are read.
constexpr size_t kMaxWaveFileBytes = 64u << 20;
// At most this many frames after conversion (25 minutes at the mix rate), so a low rate
// cannot blow a small file up.
constexpr size_t kMaxWaveFrames = 64u << 20;

struct WaveFormat {
    uint16_t tag = 0;
    uint16_t channels = 0;
    uint32_t rate = 0;
    uint16_t blockAlign = 0;
    uint16_t bits = 0;
};

struct WaveSound {
    WaveFormat format;         // as the file gives it
    std::vector<int16_t> mix;  // the samples in the mix format: stereo, kMixRate
    size_t frames() const { return mix.size() / 2; }
};

// Parses a whole wave file; on failure returns false with `error` naming the rule the
// file breaks in a few words ("3 channels: only mono or stereo plays").
bool readWave(const uint8_t* bytes, size_t size, WaveSound& sound, std::string& error);
// Reads the file (refused unread when over kMaxWaveFileBytes, or when it is a folder or
// anything but a regular file), then parses it.
bool readWaveFile(const std::string& path, WaveSound& sound, std::string& error);
