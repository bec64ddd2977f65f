#pragma once
// Sound that joins the mix: sound effects, music, a movie's sound track, speech. The
// mixer reads every stream at one rate and layout, so sources convert once, where they
// are decoded.
#include <cstddef>
#include <cstdint>

// The mix: 16-bit signed stereo, interleaved (left, right), at this many frames a second.
constexpr int kMixRate = 44100;
constexpr int kMixChannels = 2;

class AudioStream {
public:
    virtual ~AudioStream() = default;
    // Writes up to `frames` stereo frames to `out` and returns how many it wrote; fewer
    // than asked only when the stream has nothing more now (its end, or a pause). Called
    // by the mixer, possibly on the sound device's thread: implementations guard
    // whatever they share with the main thread.
    virtual size_t read(int16_t* out, size_t frames) = 0;

    // Adds up to `frames` frames to the running sum and returns how many it added. The
    // mixer calls this: by default the frames are read into `scratch` (room for `frames`
    // frames) and added from there; a stream whose samples are already in memory adds
    // them straight from where they are.
    virtual size_t addTo(int32_t* sum, size_t frames, int16_t* scratch) {
        const size_t n = read(scratch, frames);
        const size_t count = (n < frames ? n : frames) * kMixChannels;
        for (size_t i = 0; i < count; ++i) sum[i] += scratch[i];
        return count / kMixChannels;
    }
};
