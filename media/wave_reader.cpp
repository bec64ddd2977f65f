#include "media/wave_reader.h"

#include <sys/stat.h>

#include <cstring>

#include "media/audio_stream.h"
#include "platform/file_bytes.h"

namespace {

// Why a path that is not a regular file cannot be read, in the words of a refusal.
std::string whatIsNotAFile(const std::string& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return "cannot open the file";
    if (S_ISDIR(info.st_mode)) return "a folder, not a regular file";
    return "not a regular file";
}

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

// The sub-format of an extensible format chunk that holds plain PCM samples.
constexpr uint8_t kPcmSubFormat[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                       0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
constexpr uint16_t kTagPcm = 1;
constexpr uint16_t kTagExtensible = 0xFFFE;

// Where a chunk lies: its body and the size it declares.
struct Chunk {
    const uint8_t* body = nullptr;
    uint32_t size = 0;
};

// The format and data chunks. The format chunk is the "fmt " chunk wherever it lies; a
// file with none takes its first chunk as the format, whatever its id. Chunks after the
// data are looked at only while the format is still missing.
const char* findChunks(const uint8_t* bytes, size_t size, Chunk& format, Chunk& data) {
    Chunk first;
    uint64_t pos = 12;
    while (pos + 8 <= size && (!format.body || !data.body)) {
        const uint8_t* id = bytes + pos;
        const uint32_t chunkSize = get32(id + 4);
        const bool fits = pos + 8 + chunkSize <= size;
        if (pos == 12) first = {id + 8, chunkSize};
        if (!format.body && idIs(id, "fmt ")) {
            if (chunkSize < 16) return "format chunk too short";
            if (!fits) return "format chunk runs past the end";
            format = {id + 8, chunkSize};
        } else if (!data.body && idIs(id, "data")) {
            if (!fits) return "data chunk runs past the end";
            data = {id + 8, chunkSize};
        }
        pos += 8 + padded(chunkSize);
    }
    if (!format.body && first.body && first.body != data.body) {
        if (first.size < 16) return "format chunk too short";
        if (20 + uint64_t{first.size} > size) return "format chunk runs past the end";
        format = first;
    }
    if (!format.body) return "no format chunk";
    if (!data.body) return "no data chunk";
    return nullptr;
}

// The format's fields, PCM inside an extensible format taken as plain PCM. Returns the
// rule the format breaks, or null. Every value later divided or multiplied by is checked
// here.
std::string checkFormat(const Chunk& chunk, WaveFormat& f) {
    const uint8_t* fmt = chunk.body;
    f.tag = get16(fmt);
    f.channels = get16(fmt + 2);
    f.rate = get32(fmt + 4);
    f.blockAlign = get16(fmt + 12);
    f.bits = get16(fmt + 14);
    if (f.tag == kTagExtensible) {
        // cbSize, valid bits, channel mask, then the sub-format.
        if (chunk.size < 40 || get16(fmt + 16) < 22) return "extensible format chunk too short";
        if (std::memcmp(fmt + 24, kPcmSubFormat, 16) != 0)
            return "not a PCM wave file (extensible format of other samples)";
        const uint16_t validBits = get16(fmt + 18);
        if (validBits > f.bits)
            return "valid bits " + std::to_string(validBits) + " exceed the " +
                   std::to_string(f.bits) + " bits a sample";
        f.tag = kTagPcm;
    }
    if (f.tag != kTagPcm) return "not a PCM wave file (format tag " + std::to_string(f.tag) + ")";
    if (f.channels != 1 && f.channels != 2)
        return std::to_string(f.channels) + " channels: only mono or stereo plays";
    if (f.bits != 8 && f.bits != 16)
        return std::to_string(f.bits) + " bits a sample: only 8 or 16 play";
    const int frameBytes = f.channels * f.bits / 8;
    if (f.blockAlign != frameBytes)
        return "block size " + std::to_string(f.blockAlign) + " does not match " +
               std::to_string(f.channels) + " channels of " + std::to_string(f.bits) + " bits (" +
               std::to_string(frameBytes) + ")";
    if (f.rate == 0) return "sample rate 0";
    return {};
}

}  // namespace

bool readWave(const uint8_t* bytes, size_t size, WaveSound& sound, std::string& error) {
    sound = WaveSound();
    auto fail = [&error](std::string why) {
        error = std::move(why);
        return false;
    };
    if (size > kMaxWaveFileBytes) return fail("larger than 64 MiB");
    // "RIFF", its size, "WAVE", then at least one chunk's id and size.
    if (size < 20 || !idIs(bytes, "RIFF") || !idIs(bytes + 8, "WAVE"))
        return fail("not a RIFF WAVE file");
    Chunk format, data;
    if (const char* why = findChunks(bytes, size, format, data)) return fail(why);
    WaveFormat& f = sound.format;
    std::string broken = checkFormat(format, f);
    if (!broken.empty()) {
        f = WaveFormat();
        return fail(broken);
    }

    // A part frame at the end is left out.
    const size_t inFrames = data.size / f.blockAlign;
    const uint64_t outFrames =
        inFrames == 0 ? 0 : (uint64_t{inFrames} * kMixRate + f.rate - 1) / f.rate;
    if (outFrames > kMaxWaveFrames) return fail("longer than 25 minutes");
    convert(data.body, inFrames, f, static_cast<size_t>(outFrames), sound.mix);
    return true;
}

bool readWaveFile(const std::string& path, WaveSound& sound, std::string& error) {
    sound = WaveSound();
    std::vector<uint8_t> bytes;
    switch (readFileBytes(path, kMaxWaveFileBytes, bytes)) {
        case FileRead::Ok:
            return readWave(bytes.data(), bytes.size(), sound, error);
        case FileRead::NotAFile:
            error = whatIsNotAFile(path);
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
