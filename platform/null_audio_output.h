#pragma once
// An output that opens and never pulls: for tests and programs that want no sound.
#include "platform/audio_output.h"

class NullAudioOutput : public AudioOutput {
public:
    bool open(AudioSource&, int) override { return true; }
    void close() override {}
    void lock() override {}
    void unlock() override {}
};
