#pragma once
// The headless runner's platform: a display that only counts presents (each one moves
// the virtual clock on by the frame step) and input devices set by the input script.
#include <array>
#include <memory>

#include "engine/startup.h"
#include "platform/clock.h"
#include "platform/input_device.h"
#include "platform/null_display.h"

// What the input script has pressed, shared by the host and the input backend (which
// the engine owns and may destroy first).
struct ScriptedInputState {
    std::array<bool, kKeyCodeCount> down{};
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

class HeadlessHost : public EngineHost {
public:
    // The text renderer and picture formats are the caller's and must outlive the run.
    HeadlessHost(TextRenderer* text, const PictureFormats* pictures)
        : text_(text), pictures_(pictures), input_(std::make_shared<ScriptedInputState>()) {}
    bool windowed() const override { return true; }
    bool createWindow() override { return true; }
    // Every present moves the virtual clock on by the frame step.
    std::unique_ptr<DisplayBackend> createDisplay() override {
        return std::make_unique<NullDisplay>(
            [this] { clock_.advanceMillis(static_cast<uint64_t>(frameStep_)); });
    }
    std::unique_ptr<InputBackend> createInput() override {
        return std::make_unique<ScriptedInputBackend>(input_);
    }

    VirtualClock& clock() override { return clock_; }
    TextRenderer* textRenderer() override { return text_; }
    const PictureFormats* pictureFormats() override { return pictures_; }
    void setFrameStep(int ms) { frameStep_ = ms; }
    void setKey(int code, bool down) {
        if (code >= 0 && code < kKeyCodeCount) input_->down[static_cast<size_t>(code)] = down;
    }

private:
    VirtualClock clock_;
    TextRenderer* text_;
    const PictureFormats* pictures_;
    int frameStep_ = 10;
    std::shared_ptr<ScriptedInputState> input_;
};
