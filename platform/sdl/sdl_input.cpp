#include "platform/sdl/sdl_input.h"

#include <SDL.h>

#include <array>

namespace {

struct ScancodeTable {
    std::array<int16_t, SDL_NUM_SCANCODES> codes;

    void map(SDL_Scancode sc, int code) { codes[sc] = static_cast<int16_t>(code); }

    ScancodeTable() {
        codes.fill(-1);
        map(SDL_SCANCODE_BACKSPACE, 8);
        map(SDL_SCANCODE_TAB, 9);
        map(SDL_SCANCODE_RETURN, 13);
        map(SDL_SCANCODE_ESCAPE, 27);
        map(SDL_SCANCODE_SPACE, 32);
        map(SDL_SCANCODE_APOSTROPHE, 39);
        map(SDL_SCANCODE_COMMA, 44);
        map(SDL_SCANCODE_MINUS, 45);
        map(SDL_SCANCODE_PERIOD, 46);
        map(SDL_SCANCODE_SLASH, 47);
        map(SDL_SCANCODE_0, 48);
        for (int i = 0; i < 9; ++i) map(SDL_Scancode(SDL_SCANCODE_1 + i), 49 + i);
        map(SDL_SCANCODE_SEMICOLON, 59);
        map(SDL_SCANCODE_EQUALS, 61);
        map(SDL_SCANCODE_LEFTBRACKET, 91);
        map(SDL_SCANCODE_BACKSLASH, 92);
        map(SDL_SCANCODE_RIGHTBRACKET, 93);
        map(SDL_SCANCODE_GRAVE, 96);
        for (int i = 0; i < 26; ++i) map(SDL_Scancode(SDL_SCANCODE_A + i), 97 + i);
        map(SDL_SCANCODE_LSHIFT, 128);
        map(SDL_SCANCODE_RSHIFT, 129);
        map(SDL_SCANCODE_LCTRL, 130);
        map(SDL_SCANCODE_RCTRL, 131);
        map(SDL_SCANCODE_LALT, 132);
        map(SDL_SCANCODE_RALT, 133);
        map(SDL_SCANCODE_LEFT, 134);
        map(SDL_SCANCODE_RIGHT, 135);
        map(SDL_SCANCODE_UP, 136);
        map(SDL_SCANCODE_DOWN, 137);
        for (int i = 0; i < 12; ++i) map(SDL_Scancode(SDL_SCANCODE_F1 + i), 138 + i);
        map(SDL_SCANCODE_INSERT, 150);
        map(SDL_SCANCODE_DELETE, 151);
        map(SDL_SCANCODE_HOME, 152);
        map(SDL_SCANCODE_END, 153);
        map(SDL_SCANCODE_PAGEUP, 154);
        map(SDL_SCANCODE_PAGEDOWN, 155);
        map(SDL_SCANCODE_KP_DIVIDE, 156);
        map(SDL_SCANCODE_KP_MULTIPLY, 157);
        map(SDL_SCANCODE_KP_MINUS, 158);
        map(SDL_SCANCODE_KP_PLUS, 159);
        map(SDL_SCANCODE_KP_ENTER, 160);
        map(SDL_SCANCODE_KP_PERIOD, 161);
        map(SDL_SCANCODE_KP_0, 162);
        for (int i = 0; i < 9; ++i) map(SDL_Scancode(SDL_SCANCODE_KP_1 + i), 163 + i);
        map(SDL_SCANCODE_NUMLOCKCLEAR, 172);
        map(SDL_SCANCODE_CAPSLOCK, 173);
        map(SDL_SCANCODE_SCROLLLOCK, 174);
        map(SDL_SCANCODE_PRINTSCREEN, 175);
    }
};

const ScancodeTable& scancodes() {
    static const ScancodeTable table;
    return table;
}

}  // namespace

int keyCodeForScancode(int scancode) {
    if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) return -1;
    return scancodes().codes[scancode];
}

SdlInputBackend::SdlInputBackend(std::shared_ptr<SdlPendingInput> pending)
    : pending_(std::move(pending)) {
    if (!pending_) pending_ = std::make_shared<SdlPendingInput>();
}

SdlInputBackend::~SdlInputBackend() {
    if (controller_)
        SDL_GameControllerClose(controller_);
    else if (joystick_)
        SDL_JoystickClose(joystick_);
}

int SdlInputBackend::open() {
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0 && SDL_InitSubSystem(SDL_INIT_EVENTS) != 0) return -1;
    // A joystick is optional: without the subsystem or a device the engine goes on.
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0 && SDL_NumJoysticks() > 0) {
        if (SDL_IsGameController(0) && SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0)
            controller_ = SDL_GameControllerOpen(0);
        joystick_ = controller_ ? SDL_GameControllerGetJoystick(controller_) : SDL_JoystickOpen(0);
    }
    // Start the relative reading from here, not from whatever moved before.
    SDL_GetRelativeMouseState(nullptr, nullptr);
    return 0;
}

int SdlInputBackend::readKeyboard(std::array<bool, kKeyboardCodeCount>& down) {
    int count = 0;
    const Uint8* keys = SDL_GetKeyboardState(&count);
    if (!keys) return -1;
    const ScancodeTable& table = scancodes();
    for (int sc = 0; sc < count && sc < SDL_NUM_SCANCODES; ++sc) {
        int code = table.codes[sc];
        if (code >= 0 && keys[sc] && !pending_->swallowed[code]) down[code] = true;
    }
    for (int code = 0; code < kKeyboardCodeCount; ++code) {
        if (pending_->keys[code]) down[code] = true;
    }
    pending_->keys.fill(false);
    return 0;
}

int SdlInputBackend::readMouse(MouseReading& reading) {
    Uint32 buttons = SDL_GetRelativeMouseState(&reading.dx, &reading.dy);
    reading.buttons[0] = buttons & SDL_BUTTON(SDL_BUTTON_LEFT);
    reading.buttons[1] = buttons & SDL_BUTTON(SDL_BUTTON_RIGHT);
    reading.buttons[2] = buttons & SDL_BUTTON(SDL_BUTTON_MIDDLE);
    for (int b = 0; b < 3; ++b) reading.buttons[b] = reading.buttons[b] || pending_->buttons[b];
    pending_->buttons.fill(false);
    reading.wheel = pending_->wheelNotches * 120;
    pending_->wheelNotches = 0;
    return 0;
}

int SdlInputBackend::joystickButtonCount() const {
    return joystick_ ? SDL_JoystickNumButtons(joystick_) : 0;
}

int SdlInputBackend::readJoystick(JoystickReading& reading) {
    if (!joystick_ || !SDL_JoystickGetAttached(joystick_)) return -1;
    SDL_JoystickUpdate();
    reading.x = scaleJoystickAxis(SDL_JoystickGetAxis(joystick_, 0));
    reading.y = scaleJoystickAxis(SDL_JoystickGetAxis(joystick_, 1));
    int buttons = SDL_JoystickNumButtons(joystick_);
    for (int b = 0; b < 10 && b < buttons; ++b) {
        reading.buttons[b] = SDL_JoystickGetButton(joystick_, b) != 0;
    }
    // The first hat, and a known controller's d-pad (which may be buttons, not a hat).
    const Uint8 hat = SDL_JoystickNumHats(joystick_) > 0 ? SDL_JoystickGetHat(joystick_, 0) : 0;
    reading.padLeft = (hat & SDL_HAT_LEFT) != 0;
    reading.padRight = (hat & SDL_HAT_RIGHT) != 0;
    if (controller_) {
        reading.padLeft = reading.padLeft ||
                          SDL_GameControllerGetButton(controller_, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
        reading.padRight = reading.padRight || SDL_GameControllerGetButton(
                                                   controller_, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    }
    return 0;
}

void SdlInputBackend::startPosition(int& x, int& y) const {
    SDL_GetGlobalMouseState(&x, &y);
}
