#include "media/wave_reader.h"

#include <cstdio>
#include <cstring>

#include "media/audio_stream.h"
#include "platform/file_bytes.h"

namespace {

uint16_t get16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t get32(const uint8_t* p) {
    return get16(p) | static_cast<uint32_t>(get16(p + 2)) << 16;
}

bool idIs(const uint8_t* p, const char* id) {
    return std::memcmp(p, id, 4) == 0;
}

// Chunks are padded to an even size.
uint64_t padded(uint32_t size) {
    return uint64_t{size} + (size & 1u);
}

// One sample of the file as a 16-bit value (8-bit samples are unsigned around 128).
int32_t sampleAt(const uint8_t* frame, int channel, int bytesPerSample) {
    if (bytesPerSample == 1) return (int32_t{frame[channel]} - 128) * 256;
    return static_cast<int16_t>(get16(frame + 2 * channel));
}

// Converts `inFrames` frames to stereo at the mix rate. Other rates are resampled by
// linear interpolation between neighbouring frames, in integers, so the result is the
// same everywhere.
void convert(const uint8_t* data, size_t inFrames, const WaveFormat& f, size_t outFrames,
             std::vector<int16_t>& out) {
    const int bytesPerSample = f.bits / 8;
    const int last = f.channels - 1;  // mono reads channel 0 twice
    out.resize(outFrames * 2);
    auto frameAt = [&](size_t i) { return data + i * f.blockAlign; };
    if (f.rate == static_cast<uint32_t>(kMixRate)) {
        for (size_t i = 0; i < outFrames; ++i) {
            out[2 * i] = static_cast<int16_t>(sampleAt(frameAt(i), 0, bytesPerSample));
            out[2 * i + 1] = static_cast<int16_t>(sampleAt(frameAt(i), last, bytesPerSample));
        }
        return;
    }
    for (size_t j = 0; j < outFrames; ++j) {
        // Source position j * rate / kMixRate: a whole frame and a 16-bit fraction.
        uint64_t scaled = uint64_t{j} * f.rate;
        size_t i = static_cast<size_t>(scaled / kMixRate);
        auto frac = static_cast<int32_t>(scaled % kMixRate * 65536 / kMixRate);
        size_t next = i + 1 < inFrames ? i + 1 : i;
        for (int c = 0; c < 2; ++c) {
            int channel = c == 0 ? 0 : last;
            int32_t a = sampleAt(frameAt(i), channel, bytesPerSample);
            int32_t b = sampleAt(frameAt(next), channel, bytesPerSample);
            out[2 * j + static_cast<size_t>(c)] =
                static_cast<int16_t>(a + static_cast<int32_t>((int64_t{b - a} * frac) / 65536));
        }
    }
}

}  // namespace

bool readWave(const uint8_t* bytes, size_t size, WaveSound& sound, std::string& error) {
    sound = WaveSound();
    auto fail = [&error](const char* why) {
        error = why;
        return false;
    };
    if (size > kMaxWaveFileBytes) return fail("larger than 64 MiB");
    // "RIFF", its size, "WAVE", then the format chunk's id and size.
    if (size < 20 || !idIs(bytes, "RIFF") || !idIs(bytes + 8, "WAVE"))
        return fail("not a RIFF WAVE file");
    // The format chunk follows "WAVE" directly, whatever its id says.
    const uint32_t formatSize = get32(bytes + 16);
    if (formatSize < 16) return fail("format chunk too short");
    if (20 + uint64_t{formatSize} > size) return fail("format chunk runs past the end");
    const uint8_t* fmt = bytes + 20;
    WaveFormat& f = sound.format;
    f.tag = get16(fmt);
    f.channels = get16(fmt + 2);
    f.rate = get32(fmt + 4);
    f.blockAlign = get16(fmt + 12);
    f.bits = get16(fmt + 14);

    // Then chunks up to "data"; others ("fact", "LIST", ...) are skipped.
    uint64_t pos = 20 + padded(formatSize);
    const uint8_t* data = nullptr;
    uint32_t dataSize = 0;
    while (pos + 8 <= size) {
        const uint8_t* chunk = bytes + pos;
        uint32_t chunkSize = get32(chunk + 4);
        if (idIs(chunk, "data")) {
            if (pos + 8 + chunkSize > size) return fail("data chunk runs past the end");
            data = chunk + 8;
            dataSize = chunkSize;
            break;
        }
        pos += 8 + padded(chunkSize);
    }
    if (!data) return fail("no data chunk");

    if (f.tag != 1) return fail("not a PCM wave file");
    if (f.channels != 1 && f.channels != 2) return fail("neither mono nor stereo");
    if (f.bits != 8 && f.bits != 16) return fail("neither 8 nor 16 bits a sample");
    if (f.blockAlign != f.channels * f.bits / 8) return fail("block size does not match");
    if (f.rate == 0) return fail("sample rate 0");

    // A part frame at the end is left out.
    const size_t inFrames = dataSize / f.blockAlign;
    const uint64_t outFrames =
        inFrames == 0 ? 0 : (uint64_t{inFrames} * kMixRate + f.rate - 1) / f.rate;
    if (outFrames > kMaxWaveFrames) return fail("longer than 25 minutes");
    convert(data, inFrames, f, static_cast<size_t>(outFrames), sound.mix);
    return true;
}

bool readWaveFile(const std::string& path, WaveSound& sound, std::string& error) {
    sound = WaveSound();
    std::vector<uint8_t> bytes;
    switch (readFileBytes(path, kMaxWaveFileBytes, bytes)) {
        case FileRead::Ok:
            return readWave(bytes.data(), bytes.size(), sound, error);
        case FileRead::NotAFile:
            error =
                fileKind(path) == FileKind::Missing ? "cannot open the file" : "not a regular file";
            return false;
        case FileRead::TooLarge:
            error = "larger than 64 MiB";
            return false;
        case FileRead::Failed:
            break;
    }
    error = "cannot read the file";
    return false;
}
