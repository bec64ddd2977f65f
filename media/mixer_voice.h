#pragma once
// A sound effect's voice in a mix: its sample stream, started, stopped and asked about
// under the mixer's lock, and in the mix for as long as the voice lives.
#include <memory>

#include "media/mixer.h"
#include "media/sample_stream.h"

class MixerVoice {
public:
    MixerVoice(Mixer& mixer, SampleStream::Samples samples);

    // Plays from the position; a voice that reached its end starts again at 0.
    void start();
    // Stops the voice and rewinds it to 0.
    void stop();
    bool playing() const;

private:
    Mixer* mixer_;
    std::unique_ptr<SampleStream> stream_;  // stays where the mix reads it as the voice moves
    MixerInput input_;
};
