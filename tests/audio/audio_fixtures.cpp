#include "audio/audio_fixtures.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

void put32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void put16(Bytes& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

}  // namespace

Bytes chunkDeclaring(const char* id, uint32_t declared, const Bytes& body) {
    Bytes b(id, id + 4);
    put32(b, declared);
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

Bytes chunk(const char* id, const Bytes& body, bool pad) {
    Bytes b = chunkDeclaring(id, static_cast<uint32_t>(body.size()), body);
    if (pad && body.size() % 2 == 1) b.push_back(0);
    return b;
}

Bytes formatBody(int tag, int channels, int rate, int bits) {
    Bytes b;
    put16(b, static_cast<uint32_t>(tag));
    put16(b, static_cast<uint32_t>(channels));
    put32(b, static_cast<uint32_t>(rate));
    put32(b, static_cast<uint32_t>(rate * channels * bits / 8));
    put16(b, static_cast<uint32_t>(channels * bits / 8));
    put16(b, static_cast<uint32_t>(bits));
    return b;
}

Bytes extensibleFormatBody(int channels, int rate, int bits, int validBits,
                           const uint8_t* subFormat) {
    static const uint8_t kPcm[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                     0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    Bytes b = formatBody(0xFFFE, channels, rate, bits);
    put16(b, 22);
    put16(b, static_cast<uint32_t>(validBits));
    put32(b, channels == 1 ? 0x4u : 0x3u);
    const uint8_t* guid = subFormat ? subFormat : kPcm;
    b.insert(b.end(), guid, guid + 16);
    return b;
}

Bytes riff(const std::vector<Bytes>& chunks) {
    Bytes body{'W', 'A', 'V', 'E'};
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    Bytes b{'R', 'I', 'F', 'F'};
    put32(b, static_cast<uint32_t>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

Bytes pcmWave(int channels, int rate, int bits, const Bytes& samples) {
    return riff({chunk("fmt ", formatBody(1, channels, rate, bits)), chunk("data", samples)});
}

Bytes le16(const std::vector<int16_t>& samples) {
    Bytes b;
    b.reserve(samples.size() * 2);
    for (int16_t s : samples) put16(b, static_cast<uint16_t>(s));
    return b;
}

std::vector<int16_t> tone(int rate, int channels, int frames, double hz, int amplitude) {
    std::vector<int16_t> s;
    s.reserve(static_cast<size_t>(frames * channels));
    for (int i = 0; i < frames; ++i) {
        auto v = static_cast<int16_t>(std::lround(amplitude * std::sin(2 * M_PI * hz * i / rate)));
        for (int c = 0; c < channels; ++c) s.push_back(v);
    }
    return s;
}

std::vector<int16_t> twoTones(int rate, int frames, double hz, int amplitude) {
    std::vector<int16_t> left = tone(rate, 1, frames, hz, amplitude);
    std::vector<int16_t> right = tone(rate, 1, frames, hz * 3 / 2, amplitude);
    std::vector<int16_t> s;
    for (int i = 0; i < frames; ++i) {
        s.push_back(left[static_cast<size_t>(i)]);
        s.push_back(right[static_cast<size_t>(i)]);
    }
    return s;
}

std::vector<int16_t> level(int channels, int frames, int16_t value) {
    return std::vector<int16_t>(static_cast<size_t>(channels * frames), value);
}

bool writeFile(const std::string& path, const Bytes& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

Bytes readFile(const std::string& path) {
    Bytes b;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return b;
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) b.insert(b.end(), buf, buf + n);
    std::fclose(f);
    return b;
}

namespace {

std::string freshFolder(const std::string& name) {
    auto dir = std::filesystem::temp_directory_path() /
               ("vorlen-audio-" + std::to_string(getpid()) + "-" + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& name) : path(freshFolder(name)) {}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}
