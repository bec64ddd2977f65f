#pragma once
// Spoken words joining the mix: a synthesizer hands in mono samples at its own rate,
// the mixer reads them as mix frames. A new utterance interrupts what is still queued.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>

#include "media/audio_stream.h"

class SpeechStream : public AudioStream {
public:
    // Drops whatever is still to be heard.
    void interrupt();
    // Appends `count` mono samples at `rate` Hz (1 to 192000), converted to the mix rate.
    void append(const int16_t* samples, size_t count, int rate);
    size_t read(int16_t* out, size_t frames) override;
    // Frames still to be heard.
    size_t pending() const;

private:
    mutable std::mutex mutex_;
    std::deque<int16_t> queued_;  // mono at the mix rate
    // Linear interpolation across appends: the last input sample and the position of the
    // next output sample after it, in 1/65536 of an input sample.
    int16_t previous_ = 0;
    uint32_t position_ = 0;
};
