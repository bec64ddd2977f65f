#include "platform/input_device.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "platform/clock.h"

namespace {

constexpr int kAcquireAttempts = 51;
constexpr int kSlowThreshold = 2, kFastThreshold = 6;
constexpr double kSlowFactor = 1.5, kFastFactor = 2.0;

// Positions are kept in 32 bits; a run of huge movements saturates instead of wrapping.
int saturatingAdd(int a, int b) {
    int64_t sum = static_cast<int64_t>(a) + b;
    return static_cast<int>(std::clamp<int64_t>(sum, INT_MIN, INT_MAX));
}

// The maximum is exclusive; with no room between the limits the minimum wins.
int clampExclusive(int v, int lo, int hiExclusive) {
    int64_t hi = static_cast<int64_t>(hiExclusive) - 1;
    if (v > hi) v = static_cast<int>(hi);
    if (v < lo) v = lo;
    return v;
}

}  // namespace

int scaleJoystickAxis(int raw) {
    int scaled = std::clamp(raw, -32767, 32767) * 1000 / 32767;
    int magnitude = std::abs(scaled);
    if (magnitude <= 100) return 0;
    int out = (magnitude - 100) * 1000 / 900;
    return scaled < 0 ? -out : out;
}

InputDevice::InputDevice(const Clock& clock)
    : clock_(clock),
      minX_(INT_MIN),
      minY_(INT_MIN),
      maxX_(INT_MAX),
      maxY_(INT_MAX),
      joyMinX_(INT_MIN),
      joyMinY_(INT_MIN),
      joyMaxX_(INT_MAX),
      joyMaxY_(INT_MAX) {}

InputDevice::~InputDevice() = default;

int InputDevice::create(std::unique_ptr<InputBackend> backend) {
    if (!backend) return -1;
    backend_ = std::move(backend);
    if (int err = backend_->open()) return err;
    // A device that is only missing the foreground is taken at the next failing read;
    // any other refusal means there is no such device to read.
    auto refused = [](int err) { return err != 0 && err != kInputAccessDenied; };
    if (backend_->hasMouse()) {
        if (int err = acquire(InputDeviceKind::Mouse); refused(err)) return err;
        backend_->startPosition(realX_, realY_);
        x_ = realX_;
        y_ = realY_;
    }
    if (int err = acquire(InputDeviceKind::Keyboard); refused(err)) return err;
    if (backend_->hasJoystick()) {
        if (int err = acquire(InputDeviceKind::Joystick); refused(err)) return err;
        joyButtons_ = std::clamp(backend_->joystickButtonCount(), 0, 10);
    }
    return 0;
}

int InputDevice::acquire(InputDeviceKind kind) {
    bool* flag = kind == InputDeviceKind::Mouse      ? &mouseAcquired_
                 : kind == InputDeviceKind::Keyboard ? &keyboardAcquired_
                                                     : &joystickAcquired_;
    *flag = true;
    int err = 0;
    for (int i = 0; i < kAcquireAttempts; ++i) {
        err = backend_->acquire(kind);
        if (err == 0) break;
    }
    if (err != 0) {
        // The mouse keeps its flag when only the foreground was missing, so the next
        // read tries again.
        if (kind != InputDeviceKind::Mouse || err != kInputAccessDenied) *flag = false;
        return err;
    }
    if (kind == InputDeviceKind::Keyboard) clearKeys();
    return 0;
}

void InputDevice::clearKeys() {
    std::fill(states_.begin(), states_.begin() + kKeyboardCodeCount, Up);
}

void InputDevice::setPointerPosition(int x, int y) {
    x_ = clampExclusive(x, minX_, maxX_);
    y_ = clampExclusive(y, minY_, maxY_);
}

void InputDevice::setPointerLimits(int x1, int y1, int x2, int y2) {
    minX_ = std::min(x1, x2);
    maxX_ = std::max(x1, x2);
    minY_ = std::min(y1, y2);
    maxY_ = std::max(y1, y2);
}

void InputDevice::setJoystickLimits(int x1, int y1, int x2, int y2) {
    joyMinX_ = std::min(x1, x2);
    joyMaxX_ = std::max(x1, x2);
    joyMinY_ = std::min(y1, y2);
    joyMaxY_ = std::max(y1, y2);
}

int InputDevice::accelerate(int m) const {
    int magnitude = std::abs(m);
    if (magnitude > kFastThreshold) {
        m = static_cast<int>(m * kFastFactor);
    } else if (magnitude > kSlowThreshold) {
        m = static_cast<int>(m * kSlowFactor);
    }
    double scaled = m * mouseFactor_;
    return static_cast<int>(std::clamp(scaled, double(INT_MIN), double(INT_MAX)));
}

void InputDevice::update(int code, bool down) {
    uint8_t& s = states_[code];
    if (down) {
        if (s == Pressed || s == Held) {
            s = Held;
        } else {
            s = Pressed;
            pressTimes_[code] = clock_.nowNanos() / 1000000u;
            pressX_[code] = realX_;
            pressY_[code] = realY_;
        }
    } else {
        s = (s == Pressed || s == Held) ? Released : Up;
    }
}

int InputDevice::poll() {
    if (!backend_) return -1;

    std::array<bool, kKeyboardCodeCount> keys{};
    if (int err = backend_->readKeyboard(keys)) {
        acquire(InputDeviceKind::Keyboard);
        return err;
    }
    for (int code = 0; code < kKeyboardCodeCount; ++code) {
        // Codes no key produces never change, so a stray flag cannot reach them.
        if (keyName(code)[0] != '\0') update(code, keys[code]);
    }

    if (mouseAcquired_) {
        MouseReading m;
        if (int err = backend_->readMouse(m)) {
            acquire(InputDeviceKind::Mouse);
            return err;
        }
        int mx = accelerate(m.dx), my = accelerate(m.dy);
        int oldX = realX_, oldY = realY_;
        realX_ = saturatingAdd(realX_, mx);
        realY_ = saturatingAdd(realY_, my);
        x_ = clampExclusive(saturatingAdd(x_, mx), minX_, maxX_);
        y_ = clampExclusive(saturatingAdd(y_, my), minY_, maxY_);
        dx_ = static_cast<int>(std::clamp<int64_t>(int64_t(realX_) - oldX, INT_MIN, INT_MAX));
        dy_ = static_cast<int>(std::clamp<int64_t>(int64_t(realY_) - oldY, INT_MIN, INT_MAX));
        for (int b = 0; b < 3; ++b) update(KeyCode::MouseLeft + b, m.buttons[b]);
        wheelUp_ = m.wheel > 0;
        wheelDown_ = m.wheel < 0;
        wheelSteps_ = std::abs(m.wheel / 120);
    }

    if (joystickAcquired_) {
        JoystickReading j;
        if (int err = backend_->readJoystick(j)) {
            acquire(InputDeviceKind::Joystick);
            return err;
        }
        joyAxisX_ = j.x;
        int jx = static_cast<int>(j.x * joyFactor_), jy = static_cast<int>(j.y * joyFactor_);
        joyRealX_ = saturatingAdd(joyRealX_, jx);
        joyRealY_ = saturatingAdd(joyRealY_, jy);
        joyX_ = clampExclusive(saturatingAdd(joyX_, jx), joyMinX_, joyMaxX_);
        joyY_ = clampExclusive(saturatingAdd(joyY_, jy), joyMinY_, joyMaxY_);
        for (int b = 0; b < 10; ++b) update(KeyCode::JoyButton0 + b, j.buttons[b]);
        update(kPadLeftCode, j.padLeft);
        update(kPadRightCode, j.padRight);
    }
    return 0;
}

uint8_t InputDevice::keyState(int code) const {
    if (code < 0 || code >= kInputCodeCount) return 0;
    return states_[code];
}

uint64_t InputDevice::pressTime(int code) const {
    if (code < 0 || code >= kInputCodeCount) return 0;
    return pressTimes_[code];
}

void InputDevice::pressPosition(int code, int& x, int& y) const {
    if (code < 0 || code >= kInputCodeCount) {
        x = y = 0;
        return;
    }
    x = pressX_[code];
    y = pressY_[code];
}
