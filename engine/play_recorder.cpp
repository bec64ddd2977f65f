#include "engine/play_recorder.h"

#include "engine/console.h"
#include "media/threaded_recorder.h"
#include "media/timed_recording.h"
#include "platform/clock.h"
#include "platform/game_folder.h"
#include "platform/surface.h"

PlayRecorder::PlayRecorder(const Clock& clock, VideoRecorderFactory* encoders,
                           const GameFolder& folder, Console& console)
    : clock_(clock), encoders_(encoders), folder_(folder), console_(console) {}

PlayRecorder::~PlayRecorder() {
    stop();
    reportFinished(true);
}

void PlayRecorder::toggle(const Surface& screen) {
    if (active_) {
        stop();
        return;
    }
    // One file is completed at a time.
    reportFinished(true);
    if (!encoders_) {
        console_.print("Cannot record: no video encoders", kRed);
        return;
    }
    if (!screen.valid() || screen.format().bytesPerPixel != 2) {
        console_.print("Cannot record this screen", kRed);
        return;
    }
    // Earlier recordings are kept: the first name not taken.
    std::string file;
    for (int n = 0; n < 10000 && file.empty(); ++n) {
        std::string name = "rec" + std::to_string(n) + ".mp4";
        if (!folder_.exists(name)) file = name;
    }
    RecordingFormat format;
    format.width = screen.width();
    format.height = screen.height();
    format.pixelType = screen.format().type;
    format.frameRate = kFrameRate;
    format.sampleRate = sampleRate_;
    std::string error = file.empty() ? "no free name" : std::string();
    std::unique_ptr<VideoRecorder> encoder =
        file.empty() ? nullptr : encoders_->create(folder_.path(file), format, error);
    if (!encoder) {
        console_.print("Cannot record " + file + ": " + error, kRed);
        return;
    }
    auto threaded = std::make_unique<ThreadedVideoRecorder>(std::move(encoder), format.width * 2,
                                                            format.height);
    std::lock_guard<std::mutex> guard(mutex_);
    recording_ =
        std::make_unique<TimedRecording>(std::move(threaded), clock_.nowNanos(), 0, kFrameRate);
    file_ = file;
    active_ = true;
    console_.print("Recording to " + file + " (F10 stops)", kWhite);
}

void PlayRecorder::stop() {
    std::unique_ptr<TimedRecording> done;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        done = std::move(recording_);
        active_ = false;
    }
    if (!done) return;
    reportFinished(true);
    console_.print("Stopped recording " + file_, kWhite);
    finishedFile_ = file_;
    finished_ = false;
    finisher_ = std::thread([this, recording = std::move(done)]() mutable {
        finishedOk_ = recording->finish();
        if (!finishedOk_) finishedError_ = recording->error();
        recording.reset();
        finished_ = true;
    });
}

void PlayRecorder::reportFinished(bool wait) {
    if (!finisher_.joinable() || (!wait && !finished_)) return;
    finisher_.join();
    if (finishedOk_)
        console_.print("Recorded " + finishedFile_, kWhite);
    else
        console_.print("Could not record " + finishedFile_ + ": " + finishedError_, kRed);
}

void PlayRecorder::present(const Surface& back) {
    reportFinished(false);
    if (!active_) return;
    std::lock_guard<std::mutex> guard(mutex_);
    if (recording_ && back.valid())
        recording_->present(back.pixels(), back.pitch(), clock_.nowNanos());
}

void PlayRecorder::sound(const int16_t* samples, size_t frames) {
    if (!active_) return;
    std::lock_guard<std::mutex> guard(mutex_);
    if (recording_) recording_->sound(samples, frames);
}
