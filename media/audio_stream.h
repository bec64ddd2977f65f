#pragma once
// Sound that joins the mix: music, a movie's sound track. The mixer reads every stream
// at one rate and layout, so sources convert once, where they are decoded.
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
};
