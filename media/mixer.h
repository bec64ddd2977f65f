#pragma once
// The sound device and the master volume.
#include <cstdint>
#include <vector>

struct Mix_Chunk;

class Mixer {
public:
    virtual ~Mixer();
    // Opens the sound device; false when there is none (the engine goes on silent).
    bool create();
    bool silent() const { return !open_; }
    // Master volume: left channel in the low 16 bits, right in the high 16 bits.
    void setVolume(uint32_t volume);
    // Both channels as percentages (0..100); each becomes percent * 65535 / 100. 0.
    int setVolume(uint8_t leftPercent, uint8_t rightPercent);
    uint32_t getVolume() const;
    // A short notification sound; nothing when the device is closed.
    void beep();

private:
    void apply();

    uint32_t volume_ = 0xFFFFFFFF;
    bool open_ = false;
    bool ownsAudio_ = false;
    std::vector<int16_t> beepSamples_;
    Mix_Chunk* beepChunk_ = nullptr;
};
