#include "platform/headless/pulled_audio_output.h"

#include <algorithm>

namespace {

constexpr size_t kBlockFrames = 4096;

// floor(nanos * rate / 1e9) without overflow for any 64-bit time.
uint64_t framesDueBy(uint64_t nanos, int rate) {
    const uint64_t second = 1000000000ull;
    const auto r = static_cast<uint64_t>(rate);
    return nanos / second * r + nanos % second * r / second;
}

}  // namespace

PulledAudioOutput::~PulledAudioOutput() {
    close();
    stopCapture();
}

bool PulledAudioOutput::open(AudioSource& source, int rate) {
    if (rate <= 0) return false;
    std::lock_guard<std::mutex> guard(mutex_);
    source_ = &source;
    rate_ = rate;
    return true;
}

void PulledAudioOutput::close() {
    std::lock_guard<std::mutex> guard(mutex_);
    source_ = nullptr;
}

void PulledAudioOutput::advanceTo(uint64_t nanos) {
    uint64_t due = framesDueBy(nanos, rate_);
    while (framesMixed_ < due) {
        size_t frames = static_cast<size_t>(std::min<uint64_t>(due - framesMixed_, kBlockFrames));
        buffer_.resize(frames * 2);
        {
            std::lock_guard<std::mutex> guard(mutex_);
            if (source_)
                source_->mix(buffer_.data(), frames);
            else
                std::fill(buffer_.begin(), buffer_.end(), int16_t{0});
        }
        if (capture_.isOpen()) capture_.write(buffer_.data(), frames);
        if (onMixed) onMixed(buffer_.data(), frames);
        framesMixed_ += frames;
    }
}

bool PulledAudioOutput::startCapture(const std::string& path) {
    stopCapture();
    return capture_.open(path, rate_, 2);
}

bool PulledAudioOutput::stopCapture() {
    return capture_.close();
}
