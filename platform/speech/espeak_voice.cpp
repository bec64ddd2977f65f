#include "platform/speech/espeak_voice.h"

#include <espeak-ng/speak_lib.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "media/speech_stream.h"

namespace {

constexpr int kSynthesisNice = 10;

// espeak-ng's state is the process's: one lock around every use, and the voice whose
// synthesis runs now for the callback.
std::mutex& libraryLock() {
    static std::mutex lock;
    return lock;
}
struct Current {
    EspeakVoice* voice = nullptr;
    uint64_t generation = 0;
};

}  // namespace

// The utterance being synthesised, read by the callback (under libraryLock).
static Current current;
static int initializedRate = 0;

std::unique_ptr<EspeakVoice> EspeakVoice::create(SpeechStream& stream, Mode mode) {
    std::lock_guard<std::mutex> lock(libraryLock());
    if (initializedRate <= 0) {
        initializedRate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 200, nullptr, 0);
        if (initializedRate <= 0) return nullptr;
        espeak_SetSynthCallback(reinterpret_cast<t_espeak_callback*>(&EspeakVoice::received));
        espeak_SetVoiceByName("en");
    }
    return std::unique_ptr<EspeakVoice>(new EspeakVoice(stream, mode, initializedRate));
}

EspeakVoice::EspeakVoice(SpeechStream& stream, Mode mode, int rate)
    : stream_(stream), mode_(mode), rate_(rate) {
    if (mode_ == Mode::Threaded) worker_ = std::thread([this] { work(); });
}

EspeakVoice::~EspeakVoice() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        ++generation_;
    }
    wake_.notify_all();
    if (worker_.joinable()) worker_.join();
}

int EspeakVoice::received(short* samples, int count, void* events) {
    (void)events;
    EspeakVoice* voice = current.voice;
    if (!voice) return 1;
    // Under the voice's lock, so an interruption never lets an old chunk in after it.
    std::lock_guard<std::mutex> lock(voice->mutex_);
    if (voice->generation_ != current.generation) return 1;  // interrupted: stop
    if (samples && count > 0)
        voice->stream_.append(samples, static_cast<size_t>(count), voice->rate_);
    return 0;
}

void EspeakVoice::synthesize(const std::string& text, uint64_t generation) {
    std::lock_guard<std::mutex> lock(libraryLock());
    current = {this, generation};
    espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                 nullptr);
    current = {};
}

void EspeakVoice::speak(const std::string& text) {
    uint64_t generation;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        generation = ++generation_;
        stream_.interrupt();
        waiting_ = text;
        hasWaiting_ = mode_ == Mode::Threaded;
    }
    if (mode_ == Mode::Synchronous) {
        synthesize(text, generation);
    } else {
        wake_.notify_all();
    }
}

void EspeakVoice::work() {
    // Below the frames: on a busy machine a frame goes first, and the words, synthesised
    // hundreds of times faster than they are spoken, still come in time.
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), kSynthesisNice);
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || hasWaiting_; });
        if (stopping_) return;
        const std::string text = std::move(waiting_);
        const uint64_t generation = generation_;
        hasWaiting_ = false;
        lock.unlock();
        synthesize(text, generation);
        lock.lock();
    }
}
