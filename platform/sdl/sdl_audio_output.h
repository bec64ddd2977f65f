#pragma once
// The mix played on the default SDL audio device. SDL calls the source from its own
// audio thread; the device lock is the output's lock.
#include <cstdint>

#include "platform/audio_output.h"

class SdlAudioOutput : public AudioOutput {
public:
    SdlAudioOutput() = default;
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;
    ~SdlAudioOutput() override { close(); }

    // Opens the device for 16-bit stereo at `rate` (SDL converts if the hardware differs)
    // and starts it.
    bool open(AudioSource& source, int rate) override;
    void close() override;
    void lock() override;
    void unlock() override;

private:
    static void feed(void* self, uint8_t* stream, int bytes);

    uint32_t device_ = 0;
    AudioSource* source_ = nullptr;
    bool ownsSubsystem_ = false;
};
