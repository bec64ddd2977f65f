#pragma once
// The engine's key codes (not the keyboard's) and their names.
#include <cstdint>
#include <string>

constexpr int kKeyCodeCount = 270;
// The d-pad's sides, read like keys past the game's key codes: the game never sees them.
constexpr int kPadLeftCode = kKeyCodeCount, kPadRightCode = kKeyCodeCount + 1;
constexpr int kInputCodeCount = kKeyCodeCount + 2;
constexpr int kKeyboardCodeCount = 177;  // 0..176 are keyboard keys

namespace KeyCode {
constexpr int Backspace = 8, Tab = 9, Enter = 13, Escape = 27, Space = 32;
constexpr int Grave = 96;
constexpr int LeftShift = 128, RightShift = 129, LeftCtrl = 130, RightCtrl = 131;
constexpr int LeftAlt = 132, RightAlt = 133;
constexpr int LeftArrow = 134, RightArrow = 135, UpArrow = 136, DownArrow = 137;
constexpr int F1 = 138, F5 = 142, F6 = 143, F9 = 146, F10 = 147, F12 = 149;
constexpr int MouseLeft = 256, MouseRight = 257, MouseMiddle = 258, MouseButton4 = 259;
constexpr int JoyButton0 = 260;
}  // namespace KeyCode

// The code's name; empty for codes without one and outside 0..269.
const char* keyName(int code);

// The code a key or button with this name produces (where several codes share a name,
// the produced one), or the only code of a name that nothing produces; -1 when no code
// has the name.
int keyCodeForName(const std::string& name);

// The character a key types with no modifier, for the control keys the runner delivers
// as character messages (BACKSPACE 8, TAB 9, ENTER 13, ESC 27); 0 otherwise.
int controlCharacterOf(int code);
