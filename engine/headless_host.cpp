#include "engine/headless_host.h"

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
    return 0;
}
