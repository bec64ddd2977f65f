#include "media/sound.h"

#include "media/mixer.h"
#include "media/wave_reader.h"

void Sound::release() {
    voices_.clear();
    current_ = 0;
}

bool Sound::load(Mixer* mixer, const std::string& path, int voices, std::string& error) {
    release();
    mixer_ = mixer;
    path_ = path;
    if (!mixer) {
        error = "no sound device";
        return false;
    }
    WaveSound wave;
    if (!readWaveFile(path, wave, error)) return false;
    // The voices share the samples; the last voice to go frees them.
    auto samples = std::make_shared<const std::vector<int16_t>>(std::move(wave.mix));
    const int count = voices > 1 ? voices : 1;
    voices_.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) voices_.emplace_back(*mixer, samples);
    return true;
}

bool Sound::play() {
    if (!mixer_) return false;
    if (mixer_->silent()) return true;
    if (voices_.empty()) return false;
    const int count = voiceCount();
    if (voices_[static_cast<size_t>(current_)].playing()) {
        if (count == 1) return false;
        current_ = (current_ + 1) % count;
        // Still busy: this is the oldest sound, cut off for the new one.
        voices_[static_cast<size_t>(current_)].stop();
    }
    voices_[static_cast<size_t>(current_)].start();
    return true;
}

void Sound::stop() {
    for (MixerVoice& voice : voices_) voice.stop();
}

int Sound::voicesSounding() const {
    int n = 0;
    for (const MixerVoice& voice : voices_) n += voice.playing() ? 1 : 0;
    return n;
}
