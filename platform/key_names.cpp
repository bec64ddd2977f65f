#include "platform/key_names.h"

#include <array>

namespace {

struct KeyTable {
    std::array<const char*, kKeyCodeCount> names{};
    std::array<bool, kKeyCodeCount> produced{};

    void set(int code, const char* name, bool isProduced) {
        names[code] = name;
        produced[code] = isProduced;
    }

    KeyTable() {
        for (auto& n : names) n = "";
        set(0, "NULL", false);
        set(8, "BACKSPACE", true);
        set(9, "TAB", true);
        set(13, "ENTER", true);
        set(27, "ESC", true);
        set(32, "SPACE", true);
        // Shifted characters keep the name of the key that types them.
        const char* punct[] = {"1",      "APOSTROPHE", "3",          "4",      "5",
                               "7",      "APOSTROPHE", "9",          "0",      "8",
                               "EQUALS", "COMMA",      "UNDERSCORE", "PERIOD", "SLASH"};
        for (int i = 0; i < 15; ++i) set(33 + i, punct[i], false);
        for (int code : {39, 44, 45, 46, 47}) produced[code] = true;
        static const char* digits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
        for (int i = 0; i < 10; ++i) set(48 + i, digits[i], true);
        const char* colonRow[] = {"SEMICOLON", "SEMICOLON", "COMMA", "EQUALS",
                                  "PERIOD",    "SLASH",     "2"};
        for (int i = 0; i < 7; ++i) set(58 + i, colonRow[i], false);
        produced[59] = produced[61] = true;
        static const char* letters[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I",
                                        "J", "K", "L", "M", "N", "O", "P", "Q", "R",
                                        "S", "T", "U", "V", "W", "X", "Y", "Z"};
        for (int i = 0; i < 26; ++i) {
            set(65 + i, letters[i], false);
            set(97 + i, letters[i], true);
        }
        const char* brackets[] = {"LEFT BRKT", "BACKSLASH",  "RIGHT BRKT",
                                  "6",         "UNDERSCORE", "GRAVE"};
        for (int i = 0; i < 6; ++i) set(91 + i, brackets[i], false);
        for (int code : {91, 92, 93, 96}) produced[code] = true;
        const char* braces[] = {"LEFT BRKT", "BACKSLASH", "RIGHT BRKT", "GRAVE", "DELETE"};
        for (int i = 0; i < 5; ++i) set(123 + i, braces[i], false);
        const char* mods[] = {"LEFT SHIFT", "RIGHT SHIFT", "LEFT CTRL",  "RIGHT CTRL",
                              "LEFT ALT",   "RIGHT ALT",   "LEFT ARROW", "RIGHT ARROW",
                              "UP ARROW",   "DOWN ARROW"};
        for (int i = 0; i < 10; ++i) set(128 + i, mods[i], true);
        static const char* fkeys[] = {"F1", "F2", "F3", "F4",  "F5",  "F6",
                                      "F7", "F8", "F9", "F10", "F11", "F12"};
        for (int i = 0; i < 12; ++i) set(138 + i, fkeys[i], true);
        const char* edit[] = {"INSERT", "DEL", "HOME", "END", "PAGE UP", "PAGE DOWN"};
        for (int i = 0; i < 6; ++i) set(150 + i, edit[i], true);
        const char* pad[] = {"NUM SLASH", "NUM STAR",  "NUM MINUS",
                             "NUM PLUS",  "NUM ENTER", "NUM PERIOD"};
        for (int i = 0; i < 6; ++i) set(156 + i, pad[i], true);
        static const char* padDigits[] = {"NUM 0", "NUM 1", "NUM 2", "NUM 3", "NUM 4",
                                          "NUM 5", "NUM 6", "NUM 7", "NUM 8", "NUM 9"};
        for (int i = 0; i < 10; ++i) set(162 + i, padDigits[i], true);
        const char* locks[] = {"NUM LOCK", "CAPS LOCK", "SCROLL LOCK", "PRINT SCRN", "PAUSE"};
        for (int i = 0; i < 5; ++i) set(172 + i, locks[i], i < 4);
        set(256, "MOUSE LEFT", true);
        set(257, "MOUSE RIGHT", true);
        set(258, "MOUSE MIDLE", true);
        set(259, "MOUSE BUTN4", false);
        static const char* joy[] = {"JOY BUTN 0", "JOY BUTN 1", "JOY BUTN 2", "JOY BUTN 3",
                                    "JOY BUTN 4", "JOY BUTN 5", "JOY BUTN 6", "JOY BUTN 7",
                                    "JOY BUTN 8", "JOY BUTN 9"};
        for (int i = 0; i < 10; ++i) set(260 + i, joy[i], true);
    }
};

const KeyTable& table() {
    static const KeyTable instance;
    return instance;
}

}  // namespace

const char* keyName(int code) {
    if (code < 0 || code >= kKeyCodeCount) return "";
    return table().names[code];
}

int keyCodeForName(const std::string& name) {
    if (name.empty()) return -1;
    const KeyTable& t = table();
    int first = -1;
    for (int code = 0; code < kKeyCodeCount; ++code) {
        if (name != t.names[code]) continue;
        if (t.produced[code]) return code;
        if (first < 0) first = code;
    }
    return first;
}

int controlCharacterOf(int code) {
    switch (code) {
        case KeyCode::Backspace:
        case KeyCode::Tab:
        case KeyCode::Enter:
        case KeyCode::Escape:
            return code;
        default:
            return 0;
    }
}
