#pragma once
// The headless runner's output: nothing plays by itself; the runner pulls the frames due
// by a virtual time, so the mix is the same on every run. What is pulled can be written
// to a WAV file.
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/audio_output.h"
#include "platform/wave_file_writer.h"

class PulledAudioOutput : public AudioOutput {
public:
    PulledAudioOutput() = default;
    ~PulledAudioOutput() override;  // completes a capture file

    // Frames are counted from virtual time 0, whenever the output is opened.
    bool open(AudioSource& source, int rate) override;
    void close() override;
    void lock() override { mutex_.lock(); }
    void unlock() override { mutex_.unlock(); }

    // Mixes every frame due by virtual time `nanos` not mixed yet: by then
    // floor(nanos * rate / 1e9) frames in all. Times earlier than the last one mix nothing.
    // Without a source the frames are silence.
    void advanceTo(uint64_t nanos);
    uint64_t framesMixed() const { return framesMixed_; }
    int rate() const { return rate_; }
    // Told every block of frames as it is mixed (a recording takes the mix from here).
    std::function<void(const int16_t* samples, size_t frames)> onMixed;

    // Writes everything mixed from now on to `path` (16-bit stereo PCM at the rate), after
    // completing a file already being written. False when the file cannot be created.
    bool startCapture(const std::string& path);
    // Completes the capture file; false when writing it failed.
    bool stopCapture();

private:
    // Before open, the rate of the mix the engine asks for.
    int rate_ = 44100;
    AudioSource* source_ = nullptr;
    uint64_t framesMixed_ = 0;
    std::vector<int16_t> buffer_;
    WaveFileWriter capture_;
    std::mutex mutex_;
};
