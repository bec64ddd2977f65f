#pragma once
// Where the one mix goes: a sound device, a pull on the virtual clock, or nowhere. The
// output asks its source for frames when it needs them, on whatever thread it plays from;
// the main thread changes what the source reads only while it holds the output's lock.
#include <cstddef>
#include <cstdint>
#include <memory>

// Fills the output's buffers with 16-bit signed stereo frames, interleaved (left, right).
class AudioSource {
public:
    virtual ~AudioSource() = default;
    // Writes exactly `frames` frames, silence where nothing sounds. Called with the
    // output's lock held.
    virtual void mix(int16_t* out, size_t frames) = 0;
};

class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Starts pulling `source` at `rate` frames a second; false when there is no device.
    virtual bool open(AudioSource& source, int rate) = 0;
    // Stops pulling; once it returns the source is not called again.
    virtual void close() = 0;
    // Not recursive. Usable with std::lock_guard.
    virtual void lock() = 0;
    virtual void unlock() = 0;
};

// An output kept by someone else as well (the headless runner pulls its mix and writes its
// capture after the engine let go of it): every call goes to the shared one.
class SharedAudioOutput : public AudioOutput {
public:
    explicit SharedAudioOutput(std::shared_ptr<AudioOutput> output) : output_(std::move(output)) {}
    bool open(AudioSource& source, int rate) override { return output_->open(source, rate); }
    void close() override { output_->close(); }
    void lock() override { output_->lock(); }
    void unlock() override { output_->unlock(); }

private:
    std::shared_ptr<AudioOutput> output_;
};
