#pragma once
// Speech synthesised by espeak-ng into the engine's mix. The library keeps one voice per
// process, so every EspeakVoice shares it under a lock.
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/speech_voice.h"

class SpeechStream;

class EspeakVoice : public SpeechVoice {
public:
    // Synthesis on the caller's thread (repeatable runs on a virtual clock), or on a
    // thread of its own so the caller never waits.
    enum class Mode { Synchronous, Threaded };
    // Null when espeak-ng or its data cannot be set up.
    static std::unique_ptr<EspeakVoice> create(SpeechStream& stream, Mode mode);
    ~EspeakVoice() override;
    void speak(const std::string& text) override;

private:
    EspeakVoice(SpeechStream& stream, Mode mode, int rate);
    void synthesize(const std::string& text, uint64_t generation);
    void work();
    static int received(short* samples, int count, void* events);

    SpeechStream& stream_;
    const Mode mode_;
    const int rate_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::string waiting_;
    bool hasWaiting_ = false, stopping_ = false;
    uint64_t generation_ = 0;  // counts utterances; synthesis of an older one stops
    std::thread worker_;
};
