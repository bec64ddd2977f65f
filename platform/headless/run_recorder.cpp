#include "platform/headless/run_recorder.h"

#include <ostream>

#include "media/timed_recording.h"
#include "media/video_recorder.h"
#include "platform/headless/headless_host.h"
#include "platform/surface.h"

RunRecorder::RunRecorder(HeadlessHost& host, VideoRecorderFactory* factory,
                         std::function<const Surface*()> screen, std::ostream& err)
    : host_(host), factory_(factory), screen_(std::move(screen)), err_(err) {
    host_.beforePresent = [this] { present(); };
    host_.audio().onMixed = [this](const int16_t* samples, size_t frames) {
        if (recording_ && !recording_->sound(samples, frames)) {
            err_ << "engine-headless: record " << file_ << ": " << recording_->error() << "\n";
            recording_.reset();
        }
    };
}

RunRecorder::~RunRecorder() {
    finish();
    host_.beforePresent = nullptr;
    host_.audio().onMixed = nullptr;
}

void RunRecorder::command(const std::string& file) {
    finish();
    if (file.empty()) return;
    const Surface* screen = screen_();
    std::string error;
    std::unique_ptr<VideoRecorder> recorder;
    if (!factory_) {
        error = "this program has no video encoders";
    } else if (!screen || !screen->valid() || screen->format().bytesPerPixel != 2) {
        error = "no picture";
    } else {
        RecordingFormat format;
        format.width = screen->width();
        format.height = screen->height();
        format.pixelType = screen->format().type;
        format.frameStepMillis = host_.frameStep();
        format.sampleRate = host_.audio().rate();
        recorder = factory_->create(file, format, error);
    }
    if (!recorder) {
        err_ << "engine-headless: record " << file << ": " << error << "\n";
        return;
    }
    file_ = file;
    recording_ = std::make_unique<TimedRecording>(
        std::move(recorder), host_.virtualClock().nowNanos(), host_.frameStep());
}

void RunRecorder::finish() {
    if (!recording_) return;
    if (!recording_->finish())
        err_ << "engine-headless: record " << file_ << ": " << recording_->error() << "\n";
    recording_.reset();
}

void RunRecorder::present() {
    if (!recording_) return;
    const Surface* screen = screen_();
    if (!screen || !screen->valid()) return;
    if (!recording_->present(screen->pixels(), screen->pitch(), host_.virtualClock().nowNanos())) {
        err_ << "engine-headless: record " << file_ << ": " << recording_->error() << "\n";
        recording_.reset();
    }
}
