#include "media/mixer_voice.h"

MixerVoice::MixerVoice(Mixer& mixer, SampleStream::Samples samples)
    : mixer_(&mixer),
      stream_(std::make_unique<SampleStream>(std::move(samples))),
      input_(mixer.add(*stream_)) {}

void MixerVoice::start() {
    Mixer::Lock lock(*mixer_);
    stream_->start();
}

void MixerVoice::stop() {
    Mixer::Lock lock(*mixer_);
    stream_->stop();
}

bool MixerVoice::playing() const {
    Mixer::Lock lock(*mixer_);
    return stream_->playing();
}
