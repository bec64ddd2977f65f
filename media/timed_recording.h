#pragma once
// A recording on a clock: each presented picture is the frame of the step its present
// falls in, counted from the start; the mix goes along as it is made.
#include <cstdint>
#include <memory>
#include <string>

#include "media/video_recorder.h"

class TimedRecording {
public:
    // A picture every `frameStepMillis`, or `frameRate` pictures a second when above 0.
    TimedRecording(std::unique_ptr<VideoRecorder> recorder, uint64_t startNanos,
                   int frameStepMillis, int frameRate = 0);

    // A picture presented at `nowNanos`. A second present within one step keeps the first
    // (the frame is already written); presents before the start are ignored.
    bool present(const uint8_t* pixels, int pitch, uint64_t nowNanos);
    bool sound(const int16_t* samples, size_t frames);
    bool finish();
    std::string error() const { return recorder_->error(); }
    // The frame index a present at `nowNanos` falls in; -1 before the start.
    int64_t frameAt(uint64_t nowNanos) const;

private:
    std::unique_ptr<VideoRecorder> recorder_;
    uint64_t start_;
    uint64_t perSecond_;  // frames in `second_` nanoseconds
    uint64_t second_;
    int64_t last_ = -1;
    bool failed_ = false;
};
