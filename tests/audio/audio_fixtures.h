#pragma once
// Sound files made by the tests: wave files chunk by chunk and tones; compressed music
// comes from the encoders under tools/ (encodeMusic).
#include <cstdint>
#include <string>
#include <vector>

#include "platform/game_folder.h"
#include "platform/message_sink.h"
#include "tools/encoders/sound_encoder.h"

using Bytes = std::vector<uint8_t>;

// A RIFF chunk: id, 32-bit size, body, and the pad byte after an odd body unless left out.
Bytes chunk(const char* id, const Bytes& body, bool pad = true);
// A chunk whose size field says `declared` whatever the body holds.
Bytes chunkDeclaring(const char* id, uint32_t declared, const Bytes& body);
// The 16-byte PCM format body (tag, channels, rate, byte rate, block align, bits).
Bytes formatBody(int tag, int channels, int rate, int bits);
// The 40-byte extensible format body: the PCM body with tag 0xFFFE, cbSize 22, the
// valid bits, a channel mask and the sub-format (PCM unless `subFormat` is given).
Bytes extensibleFormatBody(int channels, int rate, int bits, int validBits,
                           const uint8_t* subFormat = nullptr);
// "RIFF", size, "WAVE", then the chunks as given.
Bytes riff(const std::vector<Bytes>& chunks);
// A plain PCM wave: "fmt " then "data".
Bytes pcmWave(int channels, int rate, int bits, const Bytes& samples);
// 16-bit samples as little-endian bytes.
Bytes le16(const std::vector<int16_t>& samples);

// Interleaved 16-bit samples: a sine of `hz` at `amplitude`, the same on every channel.
std::vector<int16_t> tone(int rate, int channels, int frames, double hz, int amplitude);
// Stereo whose sides differ: a sine of `hz` on the left, of 3 * hz / 2 on the right.
std::vector<int16_t> twoTones(int rate, int frames, double hz, int amplitude);
// Every sample the same value: an effect whose level tells it apart in a mix.
std::vector<int16_t> level(int channels, int frames, int16_t value);

bool writeFile(const std::string& path, const Bytes& bytes);
Bytes readFile(const std::string& path);
// A fresh folder under the system's temporary folder, removed with what it holds when the
// object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string operator/(const std::string& file) const { return path + "/" + file; }

    const std::string path;
};

// Collects the media layer's lines as the console would show them: "W text" or "R text".
// The tests name their files by absolute paths, which every game folder keeps as they are.
inline const GameFolder& anyFolder() {
    static const GameFolder folder;
    return folder;
}

class RecordingSink : public MessageSink {
public:
    void print(const std::string& text, uint32_t colour) override {
        lines.push_back((colour == kRed ? "R " : "W ") + text);
    }
    std::vector<std::string> lines;
};
