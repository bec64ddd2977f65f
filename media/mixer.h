#pragma once
// The sound device and the master volume.
#include <cstdint>

class Mixer {
public:
    virtual ~Mixer();
    // Opens the sound device; false when there is none (the engine goes on silent).
    bool create();
    // Master volume: left channel in the low 16 bits, right in the high 16 bits.
    void setVolume(uint32_t volume);
    uint32_t getVolume() const;

private:
    uint32_t volume_ = 0xFFFFFFFF;
    bool open_ = false;
};
