#include "media/timed_recording.h"

TimedRecording::TimedRecording(std::unique_ptr<VideoRecorder> recorder, uint64_t startNanos,
                               int frameStepMillis, int frameRate)
    : recorder_(std::move(recorder)), start_(startNanos) {
    // frames = elapsed * perSecond / second: 1000 per step's milliseconds, or the rate.
    if (frameRate > 0) {
        perSecond_ = static_cast<uint64_t>(frameRate);
        second_ = 1000000000u;
    } else {
        perSecond_ = 1;
        second_ = static_cast<uint64_t>(frameStepMillis > 0 ? frameStepMillis : 1) * 1000000u;
    }
}

int64_t TimedRecording::frameAt(uint64_t nowNanos) const {
    if (nowNanos < start_) return -1;
    auto elapsed = static_cast<unsigned __int128>(nowNanos - start_);
    return static_cast<int64_t>(elapsed * perSecond_ / second_);
}

bool TimedRecording::present(const uint8_t* pixels, int pitch, uint64_t nowNanos) {
    if (failed_) return false;
    int64_t index = frameAt(nowNanos);
    if (index <= last_) return true;
    last_ = index;
    if (!recorder_->addPicture(pixels, pitch, index)) failed_ = true;
    return !failed_;
}

bool TimedRecording::sound(const int16_t* samples, size_t frames) {
    if (failed_) return false;
    if (!recorder_->addSound(samples, frames)) failed_ = true;
    return !failed_;
}

bool TimedRecording::finish() {
    bool ok = recorder_->finish();
    return ok && !failed_;
}
