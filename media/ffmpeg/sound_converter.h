#pragma once
// Turns decoded sound of any rate, layout and sample format into the mix format
// (kMixRate, stereo, 16-bit interleaved).
#include <cstddef>
#include <cstdint>
#include <vector>

struct AVFrame;
struct SwrContext;

class SoundConverter {
public:
    SoundConverter() = default;
    ~SoundConverter();
    SoundConverter(const SoundConverter&) = delete;
    SoundConverter& operator=(const SoundConverter&) = delete;

    // Converts one decoded frame; false when its format cannot be used. The result is
    // data() / count(); its first frame sounds `lag()` (100 ns) before the input frame's
    // own time, the resampler's delay before this call.
    bool convert(const AVFrame& frame);
    // Gives out what the resampler still holds (at the end of the stream).
    bool drain();
    // Forgets what the resampler holds (after a seek).
    void reset();

    const int16_t* data() const { return out_.data(); }
    size_t count() const { return count_; }
    int64_t lag() const { return lag_; }

private:
    bool configure(const AVFrame& frame);
    bool run(const uint8_t** input, int inputFrames);

    SwrContext* context_ = nullptr;
    int inRate_ = 0;
    int inFormat_ = -1;
    int inChannels_ = 0;
    uint64_t inMask_ = 0;
    int inOrder_ = -1;
    std::vector<int16_t> out_;
    size_t count_ = 0;
    int64_t lag_ = 0;
};
