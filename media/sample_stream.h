#pragma once
// A sound effect's voice: samples already in the mix format, shared with the effect's
// other voices and never changed, played from a position of its own.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "media/audio_stream.h"

class SampleStream : public AudioStream {
public:
    using Samples = std::shared_ptr<const std::vector<int16_t>>;

    // Interleaved stereo; a trailing odd sample is not played.
    explicit SampleStream(Samples samples);

    // While the stream is in a mix, these run under the mixer's lock (MixerVoice does).
    // Plays from the position; a stream that reached its end starts again at 0 (reaching
    // the end rewinds it). Starting one that plays goes on where it is.
    void start() { playing_ = frames_ > 0; }
    // Stops and rewinds to 0.
    void stop() {
        playing_ = false;
        position_ = 0;
    }
    bool playing() const { return playing_; }

    size_t read(int16_t* out, size_t frames) override;
    size_t addTo(int32_t* sum, size_t frames, int16_t* scratch) override;

private:
    // The frames to play next (at most `frames`); advances past them.
    size_t take(size_t frames, const int16_t*& from);

    Samples samples_;
    size_t frames_;
    size_t position_ = 0;
    bool playing_ = false;
};
