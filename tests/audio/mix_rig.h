#pragma once
// A mixer on an output that never pulls by itself: the test mixes frames when it likes.
#include <memory>
#include <vector>

#include "media/mixer.h"
#include "platform/null_audio_output.h"

struct MixRig {
    MixRig() { mixer.create(std::make_unique<NullAudioOutput>()); }

    // The next `frames` frames of the mix, interleaved.
    std::vector<int16_t> pull(size_t frames) {
        std::vector<int16_t> out(frames * 2, 12345);
        mixer.mix(out.data(), frames);
        return out;
    }
    // The left sample of the next frame.
    int next() { return pull(1)[0]; }

    Mixer mixer;
};

// An endless stream of one value.
class LevelStream : public AudioStream {
public:
    explicit LevelStream(int16_t value) : value_(value) {}
    size_t read(int16_t* out, size_t frames) override {
        for (size_t i = 0; i < frames * 2; ++i) out[i] = value_;
        return frames;
    }

private:
    int16_t value_;
};
