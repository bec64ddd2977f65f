#pragma once
// A display and a sound output that pass everything on to the host's own and show what
// goes through them to a recording of play.
#include <memory>

#include "engine/play_recorder.h"
#include "platform/audio_output.h"
#include "platform/screen.h"

class PresentTap : public DisplayBackend {
public:
    PresentTap(std::unique_ptr<DisplayBackend> inner, PlayRecorder& recorder)
        : inner_(std::move(inner)), recorder_(recorder) {}
    std::vector<DisplayMode> modes() override { return inner_->modes(); }
    int openFullScreen(int width, int height, int bits) override {
        return inner_->openFullScreen(width, height, bits);
    }
    int openWindowed(int width, int height) override { return inner_->openWindowed(width, height); }
    int show(const Surface& back, bool wait, bool whole) override {
        recorder_.present(back);
        return inner_->show(back, wait, whole);
    }
    void releaseForMessage() override { inner_->releaseForMessage(); }
    void movePointer(int x, int y) override { inner_->movePointer(x, y); }

private:
    std::unique_ptr<DisplayBackend> inner_;
    PlayRecorder& recorder_;
};

class MixTap : public AudioOutput, private AudioSource {
public:
    MixTap(std::unique_ptr<AudioOutput> inner, PlayRecorder& recorder)
        : inner_(std::move(inner)), recorder_(recorder) {}
    bool open(AudioSource& source, int rate) override {
        source_ = &source;
        recorder_.setSampleRate(rate);
        return inner_->open(*this, rate);
    }
    void close() override { inner_->close(); }
    void lock() override { inner_->lock(); }
    void unlock() override { inner_->unlock(); }

private:
    // On the output's thread, with its lock held.
    void mix(int16_t* out, size_t frames) override {
        source_->mix(out, frames);
        recorder_.sound(out, frames);
    }

    std::unique_ptr<AudioOutput> inner_;
    PlayRecorder& recorder_;
    AudioSource* source_ = nullptr;
};

// The host's display and output with the taps between; a missing output stays missing.
inline std::unique_ptr<DisplayBackend> tapPresents(std::unique_ptr<DisplayBackend> display,
                                                   PlayRecorder& recorder) {
    if (!display) return display;
    return std::make_unique<PresentTap>(std::move(display), recorder);
}
inline std::unique_ptr<AudioOutput> tapMix(std::unique_ptr<AudioOutput> output,
                                           PlayRecorder& recorder) {
    if (!output) return output;
    return std::make_unique<MixTap>(std::move(output), recorder);
}
