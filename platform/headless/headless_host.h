#pragma once
// The headless runner's platform: a display that only counts presents (each one moves
// the virtual clock on by the frame step), input devices set by the input script, a
// queue of scripted window messages and message boxes written as lines.
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "engine/engine_host.h"
#include "platform/clock.h"
#include "platform/error_reporter.h"
#include "platform/event_source.h"
#include "platform/headless/pulled_audio_output.h"
#include "platform/input_device.h"
#include "platform/null_display.h"

// What the input script has pressed, shared by the host and the input backend (which
// the engine owns and may destroy first).
struct ScriptedInputState {
    std::array<bool, kKeyCodeCount> down{};
    bool padLeft = false, padRight = false;  // set by tests; the input script has no d-pad
};

class ScriptedInputBackend : public InputBackend {
public:
    explicit ScriptedInputBackend(std::shared_ptr<ScriptedInputState> state)
        : state_(std::move(state)) {}
    int readKeyboard(std::array<bool, kKeyboardCodeCount>& down) override;
    int readMouse(MouseReading& reading) override;
    bool hasJoystick() const override { return true; }
    int joystickButtonCount() const override { return 10; }
    int readJoystick(JoystickReading& reading) override;

private:
    std::shared_ptr<ScriptedInputState> state_;
};

class HeadlessHost : public EngineHost, private ErrorReporter {
public:
    // The services are the caller's and outlive the host.
    explicit HeadlessHost(const ProgramServices& services)
        : services_(services), input_(std::make_shared<ScriptedInputState>()) {}

    bool windowed() const override { return true; }
    const Clock& clock() const override { return clock_; }
    ErrorReporter& errorReporter() override { return *this; }
    const ProgramServices& services() override { return services_; }
    std::unique_ptr<EventSource> createEvents() override;
    bool createWindow() override { return true; }
    // Every present moves the virtual clock on by the frame step.
    std::unique_ptr<DisplayBackend> createDisplay() override;
    std::unique_ptr<InputBackend> createInput() override {
        return std::make_unique<ScriptedInputBackend>(input_);
    }
    // The mix, pulled on the virtual clock at every present and wait.
    std::unique_ptr<AudioOutput> createAudioOutput() override;
    // espeak-ng on the caller's thread: the words are in the mix before the next frame.
    std::unique_ptr<SpeechVoice> createSpeechVoice(SpeechStream& stream) override;

    VirtualClock& virtualClock() { return clock_; }
    // Moves the clock on and mixes the sound due by the new time.
    void advanceClock(uint64_t millis);
    // The output the engine mixes into (closed once the engine's mixer is gone).
    PulledAudioOutput& audio() { return *audio_; }
    void setFrameStep(int ms) { frameStep_ = ms; }
    int frameStep() const { return frameStep_; }
    void setPad(bool left, bool right) {
        input_->padLeft = left;
        input_->padRight = right;
    }
    void setKey(int code, bool down) {
        if (code >= 0 && code < kKeyCodeCount) input_->down[static_cast<size_t>(code)] = down;
    }
    // The window messages the script sends; null before the engine created its queue.
    QueuedEventSource* queue() { return queue_; }
    // Told of every present before the clock moves on (the back buffer is the picture).
    std::function<void()> beforePresent;
    // Told the text of every message box (line ends as they are).
    std::function<void(const std::string& text)> onMessageBox;

private:
    void showError(const std::string& title, const std::string& text) override;
    void requestQuit(int code) override;

    VirtualClock clock_;
    const ProgramServices& services_;
    std::shared_ptr<PulledAudioOutput> audio_ = std::make_shared<PulledAudioOutput>();
    int frameStep_ = 10;
    std::shared_ptr<ScriptedInputState> input_;
    QueuedEventSource* queue_ = nullptr;
};
