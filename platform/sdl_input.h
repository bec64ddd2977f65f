#pragma once
// The input devices read through SDL: keyboard state by physical key (a US layout),
// relative mouse movement, buttons and wheel, and the first joystick.
#include <memory>

#include "platform/input_device.h"

struct _SDL_Joystick;

class SdlInputBackend : public InputBackend {
public:
    SdlInputBackend();
    ~SdlInputBackend() override;

    int open() override;
    int readKeyboard(std::array<bool, kKeyboardCodeCount>& down) override;
    int readMouse(MouseReading& reading) override;
    bool hasJoystick() const override { return joystick_ != nullptr; }
    int joystickButtonCount() const override;
    int readJoystick(JoystickReading& reading) override;
    void startPosition(int& x, int& y) const override;

    // Wheel movement arrives as events; the event pump hands it over here (in notches).
    void addWheel(int notches) { wheel_ += notches; }

private:
    _SDL_Joystick* joystick_ = nullptr;
    int wheel_ = 0;
};

// The engine key code of an SDL scancode, or -1 for keys without one.
int keyCodeForScancode(int scancode);
