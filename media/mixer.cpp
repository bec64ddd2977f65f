#include "media/mixer.h"

#include <algorithm>
#include <utility>

namespace {

// 0xFFFF becomes 0x10000, so full volume leaves samples exactly as mixed.
int32_t volumeFactor(uint32_t channel) {
    return static_cast<int32_t>(channel + (channel >> 15));
}

int32_t saturate(int32_t v) {
    return std::clamp<int32_t>(v, -32768, 32767);
}

// The beep's samples, made once per mixer.
SampleStream::Samples beepSamples() {
    const int frames = kMixRate * 80 / 1000;
    const int period = kMixRate / 880;
    auto samples =
        std::make_shared<std::vector<int16_t>>(static_cast<size_t>(frames) * kMixChannels);
    for (int i = 0; i < frames; ++i) {
        int16_t v = (i % period) < period / 2 ? 4000 : -4000;
        (*samples)[static_cast<size_t>(i) * 2] = v;
        (*samples)[static_cast<size_t>(i) * 2 + 1] = v;
    }
    return samples;
}

}  // namespace

MixerInput::MixerInput(MixerInput&& other) noexcept
    : mixer_(std::move(other.mixer_)), stream_(std::exchange(other.stream_, nullptr)) {
    other.mixer_.reset();
}

MixerInput& MixerInput::operator=(MixerInput&& other) noexcept {
    if (this != &other) {
        reset();
        mixer_ = std::move(other.mixer_);
        other.mixer_.reset();
        stream_ = std::exchange(other.stream_, nullptr);
    }
    return *this;
}

void MixerInput::reset() {
    if (std::shared_ptr<Mixer* const> mixer = mixer_.lock()) (*mixer)->remove(stream_);
    mixer_.reset();
    stream_ = nullptr;
}

Mixer::Mixer() : beep_(beepSamples()) {
    streams_.push_back(&beep_);
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
    Lock lock(*this);
    beep_.stop();
    beep_.start();
}

MixerInput Mixer::add(AudioStream& stream) {
    Lock lock(*this);
    if (std::find(streams_.begin(), streams_.end(), &stream) != streams_.end()) return {};
    streams_.push_back(&stream);
    return MixerInput(self_, &stream);
}

void Mixer::remove(AudioStream* stream) {
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
        for (AudioStream* stream : streams_) stream->addTo(sum, block, streamBlock_.data());
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
