#include "media/mixer.h"

#include <algorithm>

namespace {

// 0xFFFF becomes 0x10000, so full volume leaves samples exactly as mixed.
int32_t volumeFactor(uint32_t channel) {
    return static_cast<int32_t>(channel + (channel >> 15));
}

int32_t saturate(int32_t v) {
    return std::clamp<int32_t>(v, -32768, 32767);
}

}  // namespace

Mixer::Mixer() {
    // The beep's samples are made once; its voice sounds only when asked.
    const int frames = kMixRate * 80 / 1000;
    const int period = kMixRate / 880;
    beepSamples_.resize(static_cast<size_t>(frames) * kMixChannels);
    for (int i = 0; i < frames; ++i) {
        int16_t v = (i % period) < period / 2 ? 4000 : -4000;
        beepSamples_[static_cast<size_t>(i) * 2] = v;
        beepSamples_[static_cast<size_t>(i) * 2 + 1] = v;
    }
    beepVoice_ = openVoice(beepSamples_.data(), static_cast<size_t>(frames));
}

Mixer::~Mixer() {
    if (output_) output_->close();
}

bool Mixer::create(std::unique_ptr<AudioOutput> output) {
    if (output_) return true;
    if (!output || !output->open(*this, kMixRate)) return false;
    output_ = std::move(output);
    return true;
}

void Mixer::setVolume(uint32_t volume) {
    volume_.store(volume, std::memory_order_relaxed);
}

int Mixer::setVolume(uint8_t leftPercent, uint8_t rightPercent) {
    uint32_t left = (uint32_t{leftPercent} * 65535u / 100u) & 0xFFFFu;
    uint32_t right = (uint32_t{rightPercent} * 65535u / 100u) & 0xFFFFu;
    setVolume((right << 16) | left);
    return 0;
}

void Mixer::beep() {
    if (silent()) return;
    stopVoice(beepVoice_);
    startVoice(beepVoice_);
}

int Mixer::openVoice(const int16_t* samples, size_t frames) {
    Lock lock(*this);
    Voice voice;
    voice.samples = samples;
    voice.frames = samples ? frames : 0;
    voice.open = true;
    if (!freeVoices_.empty()) {
        int id = freeVoices_.back();
        freeVoices_.pop_back();
        voices_[static_cast<size_t>(id)] = voice;
        return id;
    }
    voices_.push_back(voice);
    return static_cast<int>(voices_.size() - 1);
}

void Mixer::closeVoice(int voice) {
    Lock lock(*this);
    if (!valid(voice)) return;
    voices_[static_cast<size_t>(voice)] = Voice();
    freeVoices_.push_back(voice);
}

void Mixer::startVoice(int voice) {
    Lock lock(*this);
    if (!valid(voice)) return;
    Voice& v = voices_[static_cast<size_t>(voice)];
    v.playing = v.frames > 0;
}

void Mixer::stopVoice(int voice) {
    Lock lock(*this);
    if (!valid(voice)) return;
    Voice& v = voices_[static_cast<size_t>(voice)];
    v.playing = false;
    v.position = 0;
}

bool Mixer::voicePlaying(int voice) const {
    Lock lock(*this);
    return valid(voice) && voices_[static_cast<size_t>(voice)].playing;
}

void Mixer::addStream(AudioStream* stream) {
    if (!stream) return;
    Lock lock(*this);
    if (std::find(streams_.begin(), streams_.end(), stream) == streams_.end())
        streams_.push_back(stream);
}

void Mixer::removeStream(AudioStream* stream) {
    Lock lock(*this);
    streams_.erase(std::remove(streams_.begin(), streams_.end(), stream), streams_.end());
}

void Mixer::mix(int16_t* out, size_t frames) {
    const uint32_t volume = getVolume();
    const int32_t left = volumeFactor(volume & 0xFFFFu);
    const int32_t right = volumeFactor(volume >> 16);
    int32_t* sum = sum_.data();
    while (frames > 0) {
        const size_t block = std::min(frames, kBlockFrames);
        const size_t count = block * kMixChannels;
        std::fill(sum, sum + count, 0);
        for (Voice& v : voices_) {
            if (!v.playing) continue;
            size_t n = std::min(block, v.frames - v.position);
            const int16_t* src = v.samples + v.position * kMixChannels;
            for (size_t i = 0; i < n * kMixChannels; ++i) sum[i] += src[i];
            v.position += n;
            if (v.position == v.frames) {
                // Played out: the next start begins again at 0.
                v.playing = false;
                v.position = 0;
            }
        }
        for (AudioStream* stream : streams_) {
            size_t n = std::min(stream->read(streamBlock_.data(), block), block);
            const int16_t* src = streamBlock_.data();
            for (size_t i = 0; i < n * kMixChannels; ++i) sum[i] += src[i];
        }
        // Saturate first, then scale: the master volume follows the mix as a system
        // volume would.
        for (size_t i = 0; i < count; i += 2) {
            out[i] = static_cast<int16_t>(saturate(sum[i]) * left / 65536);
            out[i + 1] = static_cast<int16_t>(saturate(sum[i + 1]) * right / 65536);
        }
        out += count;
        frames -= block;
    }
}
