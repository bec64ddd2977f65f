#pragma once
// The input devices read through SDL: keyboard state by physical key (a US layout),
// relative mouse movement, buttons and wheel, and the first joystick (through SDL's game
// controller mapping when it knows the device, so its d-pad reads the same on any pad).
#include <memory>

#include "platform/input_device.h"

struct _SDL_Joystick;
struct _SDL_GameController;

// Presses seen by the event pump since the last poll. A key or button tapped between
// two polls (as a remote control or xdotool does) still counts as down for one poll.
struct SdlPendingInput {
    std::array<bool, kKeyboardCodeCount> keys{};
    // Keys kept from the game until they are let go (the Enter of Alt+Enter).
    std::array<bool, kKeyboardCodeCount> swallowed{};
    std::array<bool, 3> buttons{};
    int wheelNotches = 0;
};

class SdlInputBackend : public InputBackend {
public:
    explicit SdlInputBackend(std::shared_ptr<SdlPendingInput> pending);
    ~SdlInputBackend() override;

    int open() override;
    int readKeyboard(std::array<bool, kKeyboardCodeCount>& down) override;
    int readMouse(MouseReading& reading) override;
    bool hasJoystick() const override { return joystick_ != nullptr; }
    int joystickButtonCount() const override;
    int readJoystick(JoystickReading& reading) override;
    void startPosition(int& x, int& y) const override;

private:
    std::shared_ptr<SdlPendingInput> pending_;
    _SDL_GameController* controller_ = nullptr;  // owns joystick_ when set
    _SDL_Joystick* joystick_ = nullptr;
};

// The engine key code of an SDL scancode, or -1 for keys without one.
int keyCodeForScancode(int scancode);
