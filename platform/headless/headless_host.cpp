#include "platform/headless/headless_host.h"

#include "platform/speech/espeak_voice.h"

int ScriptedInputBackend::readKeyboard(std::array<bool, kKeyboardCodeCount>& down) {
    for (int code = 0; code < kKeyboardCodeCount; ++code) down[code] = state_->down[code];
    return 0;
}

int ScriptedInputBackend::readMouse(MouseReading& reading) {
    // The runner's moves are client positions that reach the engine as mouse-move
    // messages; the relative device sees no movement.
    for (int b = 0; b < 3; ++b) reading.buttons[b] = state_->down[KeyCode::MouseLeft + b];
    return 0;
}

int ScriptedInputBackend::readJoystick(JoystickReading& reading) {
    for (int b = 0; b < 10; ++b) reading.buttons[b] = state_->down[KeyCode::JoyButton0 + b];
    reading.padLeft = state_->padLeft;
    reading.padRight = state_->padRight;
    return 0;
}

std::unique_ptr<EventSource> HeadlessHost::createEvents() {
    auto queue = std::make_unique<QueuedEventSource>();
    queue_ = queue.get();
    return queue;
}

std::unique_ptr<DisplayBackend> HeadlessHost::createDisplay() {
    return std::make_unique<NullDisplay>([this] {
        if (beforePresent) beforePresent();
        advanceClock(static_cast<uint64_t>(frameStep_));
    });
}

std::unique_ptr<AudioOutput> HeadlessHost::createAudioOutput() {
    return std::make_unique<SharedAudioOutput>(audio_);
}

std::unique_ptr<SpeechVoice> HeadlessHost::createSpeechVoice(SpeechStream& stream) {
    return EspeakVoice::create(stream, EspeakVoice::Mode::Synchronous);
}

void HeadlessHost::advanceClock(uint64_t millis) {
    clock_.advanceMillis(millis);
    audio_->advanceTo(clock_.nowNanos());
}

void HeadlessHost::showError(const std::string&, const std::string& text) {
    if (onMessageBox) onMessageBox(text);
}

void HeadlessHost::requestQuit(int code) {
    if (queue_) queue_->postQuit(code);
}
