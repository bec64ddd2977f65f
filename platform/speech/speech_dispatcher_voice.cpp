#include "platform/speech/speech_dispatcher_voice.h"

#include <libspeechd.h>

#include <cstdlib>

struct SpeechDispatcherVoice::Connection {
    SPDConnection* spd = nullptr;
    ~Connection() {
        if (spd) spd_close(spd);
    }
};

std::unique_ptr<SpeechDispatcherVoice> SpeechDispatcherVoice::open(const std::string& clientName) {
    char* error = nullptr;
    SPDConnectionAddress* address = spd_get_default_address(&error);
    std::free(error);
    error = nullptr;
    if (!address) return nullptr;
    // No autospawn: a daemon the player does not run would speak into a device of its own
    // choosing, and the engine's mix is the better place then.
    SPDConnection* spd =
        spd_open2(clientName.c_str(), "main", nullptr, SPD_MODE_SINGLE, address, 0, &error);
    SPDConnectionAddress__free(address);
    std::free(error);
    if (!spd) return nullptr;
    auto connection = std::make_unique<Connection>();
    connection->spd = spd;
    return std::unique_ptr<SpeechDispatcherVoice>(new SpeechDispatcherVoice(std::move(connection)));
}

SpeechDispatcherVoice::SpeechDispatcherVoice(std::unique_ptr<Connection> connection)
    : connection_(std::move(connection)) {
    worker_ = std::thread([this] { work(); });
}

SpeechDispatcherVoice::~SpeechDispatcherVoice() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (worker_.joinable()) worker_.join();
}

void SpeechDispatcherVoice::speak(const std::string& text) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        // An utterance not yet sent is replaced: only the newest is worth hearing.
        waiting_ = text;
        hasWaiting_ = true;
    }
    wake_.notify_all();
}

void SpeechDispatcherVoice::work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || hasWaiting_; });
        if (stopping_) return;
        const std::string text = std::move(waiting_);
        hasWaiting_ = false;
        lock.unlock();
        spd_cancel(connection_->spd);
        spd_say(connection_->spd, SPD_TEXT, text.c_str());
        lock.lock();
    }
}
