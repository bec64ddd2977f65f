#pragma once
// Speech through the player's own speech-dispatcher (the voice and rate a screen reader
// already uses), sent from a thread of its own so a slow daemon never holds up a frame.
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/speech_voice.h"

class SpeechDispatcherVoice : public SpeechVoice {
public:
    // Connects to the daemon at the player's address (SPEECHD_ADDRESS, else the session's
    // socket); null when none answers there. A daemon is never started from here: with
    // none running the engine speaks into its own mix.
    static std::unique_ptr<SpeechDispatcherVoice> open(const std::string& clientName);
    ~SpeechDispatcherVoice() override;
    // Cancels what this client is saying, then says `text`.
    void speak(const std::string& text) override;

private:
    struct Connection;
    explicit SpeechDispatcherVoice(std::unique_ptr<Connection> connection);
    void work();

    std::unique_ptr<Connection> connection_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::string waiting_;
    bool hasWaiting_ = false, stopping_ = false;
    std::thread worker_;
};
