#include "media/sound.h"

#include "media/mixer.h"
#include "media/wave_reader.h"

Sound::~Sound() {
    release();
}

void Sound::release() {
    if (mixer_)
        for (int voice : voices_) mixer_->closeVoice(voice);
    voices_.clear();
    samples_.clear();
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
    samples_ = std::move(wave.mix);
    const size_t frames = samples_.size() / 2;
    for (int i = 0; i < (voices > 1 ? voices : 1); ++i)
        voices_.push_back(mixer->openVoice(samples_.data(), frames));
    return true;
}

bool Sound::play() {
    if (!mixer_) return false;
    if (mixer_->silent()) return true;
    if (voices_.empty()) return false;
    const int count = voiceCount();
    if (mixer_->voicePlaying(voices_[static_cast<size_t>(current_)])) {
        if (count == 1) return false;
        current_ = (current_ + 1) % count;
        // Still busy: this is the oldest sound, cut off for the new one.
        mixer_->stopVoice(voices_[static_cast<size_t>(current_)]);
    }
    mixer_->startVoice(voices_[static_cast<size_t>(current_)]);
    return true;
}

void Sound::stop() {
    if (!mixer_) return;
    for (int voice : voices_) mixer_->stopVoice(voice);
}

int Sound::voicesSounding() const {
    int n = 0;
    if (mixer_)
        for (int voice : voices_) n += mixer_->voicePlaying(voice) ? 1 : 0;
    return n;
}
