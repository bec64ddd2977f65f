#pragma once
// Keyboard, mouse and joystick, polled once per frame. The raw devices sit behind an
// InputBackend (SDL in the programs, a scripted one in the headless runner and tests),
// so the key states, acceleration and limits here are the same everywhere.
#include <array>
#include <cstdint>
#include <memory>

#include "platform/key_names.h"

class Clock;

enum class InputDeviceKind { Keyboard, Mouse, Joystick };

// Returned by a backend when the window does not have the foreground; acquiring then
// fails quietly and is tried again at the next failing read.
constexpr int kInputAccessDenied = -2;

struct MouseReading {
    int dx = 0, dy = 0;
    int wheel = 0;  // 120 per notch, positive away from the user
    std::array<bool, 3> buttons{};
};

struct JoystickReading {
    int x = 0, y = 0;  // -1000..1000, dead zone already applied
    std::array<bool, 10> buttons{};
    // The d-pad (a hat, or a game controller's pad) pushed left or right.
    bool padLeft = false, padRight = false;
};

class InputBackend {
public:
    virtual ~InputBackend() = default;
    // 0, or an error that fails InputDevice::create.
    virtual int open() { return 0; }
    // 0, kInputAccessDenied (tried again later), or an error that fails
    // InputDevice::create.
    virtual int acquire(InputDeviceKind) { return 0; }
    // Down flags by engine key code 0..176. 0 or an error.
    virtual int readKeyboard(std::array<bool, kKeyboardCodeCount>& down) = 0;
    virtual bool hasMouse() const { return true; }
    virtual int readMouse(MouseReading& reading) = 0;
    virtual bool hasJoystick() const { return false; }
    virtual int joystickButtonCount() const { return 0; }
    virtual int readJoystick(JoystickReading&) { return -1; }
    // Where the pointer starts (the system cursor's position).
    virtual void startPosition(int& x, int& y) const { x = y = 0; }
};

// A raw joystick axis (-32768..32767) scaled to -1000..1000 with a 10 % dead zone
// around the centre; the travel beyond the dead zone covers the whole range.
int scaleJoystickAxis(int raw);

class InputDevice {
public:
    enum State : uint8_t { Up = 0, Released = 1, Pressed = 2, Held = 3 };

    // The clock stamps key presses; it must outlive the device.
    explicit InputDevice(const Clock& clock);
    virtual ~InputDevice();

    // Opens the devices through the backend; 0, or the backend's error when it cannot
    // open or a device refuses to be taken for a reason other than kInputAccessDenied.
    int create(std::unique_ptr<InputBackend> backend);
    // Minima are inclusive, maxima exclusive.
    void setPointerLimits(int x1, int y1, int x2, int y2);
    // 0, or the error of the device that failed (its states stay as they were).
    int poll();

    uint8_t keyState(int code) const;
    uint64_t pressTime(int code) const;  // milliseconds on the device's clock
    void pressPosition(int code, int& x, int& y) const;
    void pointerPosition(int& x, int& y) const {
        x = x_;
        y = y_;
    }
    // Puts the pointer at (x, y) within its limits, as if the mouse had moved there.
    void setPointerPosition(int x, int y);
    // The joystick's x axis at the last poll, -1000..1000 (0 without a joystick).
    int joystickAxisX() const { return joyAxisX_; }
    void realPointerPosition(int& x, int& y) const {
        x = realX_;
        y = realY_;
    }
    void lastMovement(int& dx, int& dy) const {
        dx = dx_;
        dy = dy_;
    }
    bool wheelUp() const { return wheelUp_; }
    bool wheelDown() const { return wheelDown_; }
    int wheelSteps() const { return wheelSteps_; }
    void setMouseFactor(double factor) { mouseFactor_ = factor; }

    void joystickPosition(int& x, int& y) const {
        x = joyX_;
        y = joyY_;
    }
    void setJoystickLimits(int x1, int y1, int x2, int y2);
    void setJoystickFactor(double factor) { joyFactor_ = factor; }
    int joystickButtonCount() const { return joyButtons_; }

    bool keyboardAcquired() const { return keyboardAcquired_; }
    bool mouseAcquired() const { return mouseAcquired_; }
    bool joystickAcquired() const { return joystickAcquired_; }
    InputBackend* backend() { return backend_.get(); }

private:
    void update(int code, bool down);
    // 0, or the backend's last error after every attempt failed.
    int acquire(InputDeviceKind kind);
    void clearKeys();
    // One axis of pointer movement after acceleration and the factor.
    int accelerate(int m) const;

    const Clock& clock_;
    std::unique_ptr<InputBackend> backend_;
    // Keys, mouse and joystick buttons, then the d-pad's sides.
    std::array<uint8_t, kInputCodeCount> states_{};
    std::array<uint64_t, kInputCodeCount> pressTimes_{};
    std::array<int, kInputCodeCount> pressX_{}, pressY_{};

    int x_ = 0, y_ = 0, realX_ = 0, realY_ = 0, dx_ = 0, dy_ = 0;
    int minX_, minY_, maxX_, maxY_;
    double mouseFactor_ = 1.0;
    bool wheelUp_ = false, wheelDown_ = false;
    int wheelSteps_ = 0;

    int joyX_ = 0, joyY_ = 0, joyRealX_ = 0, joyRealY_ = 0;
    int joyMinX_, joyMinY_, joyMaxX_, joyMaxY_;
    double joyFactor_ = 1.0;
    int joyButtons_ = 0;
    int joyAxisX_ = 0;

    bool mouseAcquired_ = false, keyboardAcquired_ = false, joystickAcquired_ = false;
};
