#include "media/speech_stream.h"

#include <algorithm>

void SpeechStream::interrupt() {
    std::lock_guard<std::mutex> lock(mutex_);
    queued_.clear();
    previous_ = 0;
    position_ = 0;
}

void SpeechStream::append(const int16_t* samples, size_t count, int rate) {
    if (!samples || rate < 1 || rate > 192000) return;
    const uint32_t step =
        static_cast<uint32_t>((uint64_t{static_cast<uint32_t>(rate)} << 16) / kMixRate);
    if (step == 0) return;
    std::lock_guard<std::mutex> lock(mutex_);
    for (size_t i = 0; i < count; ++i) {
        const int32_t next = samples[i];
        while (position_ < 65536) {
            const int32_t value =
                previous_ + static_cast<int32_t>((int64_t{next - previous_} * position_) >> 16);
            queued_.push_back(static_cast<int16_t>(value));
            position_ += step;
        }
        position_ -= 65536;
        previous_ = static_cast<int16_t>(next);
    }
}

size_t SpeechStream::read(int16_t* out, size_t frames) {
    std::lock_guard<std::mutex> lock(mutex_);
    const size_t n = std::min(frames, queued_.size());
    for (size_t i = 0; i < n; ++i) {
        out[2 * i] = out[2 * i + 1] = queued_.front();
        queued_.pop_front();
    }
    return n;
}

size_t SpeechStream::pending() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return queued_.size();
}
