#include "media/sample_stream.h"

#include <algorithm>
#include <cstring>

SampleStream::SampleStream(Samples samples)
    : samples_(std::move(samples)), frames_(samples_ ? samples_->size() / kMixChannels : 0) {}

size_t SampleStream::take(size_t frames, const int16_t*& from) {
    if (!playing_) return 0;
    const size_t n = std::min(frames, frames_ - position_);
    from = samples_->data() + position_ * kMixChannels;
    position_ += n;
    if (position_ == frames_) {
        // Played out: the next start begins again at 0.
        playing_ = false;
        position_ = 0;
    }
    return n;
}

size_t SampleStream::read(int16_t* out, size_t frames) {
    const int16_t* from = nullptr;
    const size_t n = take(frames, from);
    if (n > 0) std::memcpy(out, from, n * kMixChannels * sizeof(int16_t));
    return n;
}

size_t SampleStream::addTo(int32_t* sum, size_t frames, int16_t*) {
    const int16_t* from = nullptr;
    const size_t n = take(frames, from);
    for (size_t i = 0; i < n * kMixChannels; ++i) sum[i] += from[i];
    return n;
}
