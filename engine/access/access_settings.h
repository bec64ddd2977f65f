#pragma once
// The player's choices for accessible play, kept outside the game folder.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/key_names.h"

struct AccessSettings {
    bool speech = false;
    bool scan = false;
    int32_t scanIntervalMs = 1500;
    // The show-what-can-be-clicked key: held (false) or toggled (true).
    bool highlightToggles = false;
    int32_t labelTextSize = 16;
    // Keys and buttons of each action (engine key codes); Shift with a next key steps back.
    std::vector<int> next{KeyCode::Tab, kPadRightCode}, previous{kPadLeftCode},
        click{KeyCode::Enter, KeyCode::Space, KeyCode::JoyButton0},
        inventory{'i', KeyCode::JoyButton0 + 1}, speechToggle{'v'}, highlight{'h'},
        scanSwitch{KeyCode::Space, KeyCode::JoyButton0};
    // A press of the scan switch at least this long cycles the inventory.
    int32_t longPressMs = 800;

    // Limits on what a settings file may ask for.
    static constexpr int32_t kMinScanMs = 300, kMaxScanMs = 60000;
    static constexpr int32_t kMinTextSize = 8, kMaxTextSize = 64;
    static constexpr size_t kMaxFileBytes = 64 * 1024;
    static constexpr size_t kMaxKeysPerAction = 8;
};

struct SettingsProblem {
    int line = 0;
    std::string text;
};

// Reads "name = value" lines over `settings` (unknown names, bad values and lines without
// "=" are skipped and reported).
std::vector<SettingsProblem> readAccessSettings(std::string_view text, AccessSettings& settings);
// The text readAccessSettings reads back to the same settings.
std::string writeAccessSettings(const AccessSettings& settings);
// $XDG_CONFIG_HOME/vorlen/settings.txt, or ~/.config/vorlen/settings.txt; empty when
// neither variable is set.
std::string accessSettingsPath();
// Reads the file at `path` into settings (defaults when it is missing or too large).
void loadAccessSettings(const std::string& path, AccessSettings& settings);
// Writes the settings to `path`, making its folder; false when it cannot.
bool saveAccessSettings(const std::string& path, const AccessSettings& settings);
