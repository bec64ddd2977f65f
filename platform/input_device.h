#pragma once
// Keyboard, mouse and joystick, polled once per frame. (Filled in with the input layer.)
class InputDevice {
public:
    virtual ~InputDevice() = default;
};
