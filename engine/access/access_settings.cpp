#include "engine/access/access_settings.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "platform/file_bytes.h"
#include "platform/setting_lines.h"
#include "platform/trim.h"

namespace {

bool readFlag(std::string_view value, bool& out) {
    if (value == "on" || value == "yes" || value == "1" || value == "true") {
        out = true;
        return true;
    }
    if (value == "off" || value == "no" || value == "0" || value == "false") {
        out = false;
        return true;
    }
    return false;
}

// Digits only, within [low, high].
bool readNumber(std::string_view value, int32_t low, int32_t high, int32_t& out) {
    if (value.empty() || value.size() > 9) return false;
    int32_t n = 0;
    for (char c : value) {
        if (c < '0' || c > '9') return false;
        n = n * 10 + (c - '0');
    }
    if (n < low || n > high) return false;
    out = n;
    return true;
}

// Key names separated by commas: "TAB", "JOY BUTN 0, ENTER".
bool readKeys(std::string_view value, std::vector<int>& out) {
    std::vector<int> codes;
    while (!value.empty()) {
        const size_t comma = value.find(',');
        const std::string name(trimWhiteSpace(value.substr(0, comma)));
        value = comma == std::string_view::npos ? std::string_view() : value.substr(comma + 1);
        const int code = name == "PAD LEFT"    ? kPadLeftCode
                         : name == "PAD RIGHT" ? kPadRightCode
                                               : keyCodeForName(name);
        if (code < 0 || codes.size() >= AccessSettings::kMaxKeysPerAction) return false;
        codes.push_back(code);
    }
    if (codes.empty()) return false;
    out = codes;
    return true;
}

std::string keyList(const std::vector<int>& codes) {
    std::string out;
    for (int code : codes) {
        if (!out.empty()) out += ", ";
        out += code == kPadLeftCode    ? "PAD LEFT"
               : code == kPadRightCode ? "PAD RIGHT"
                                       : keyName(code);
    }
    return out;
}

}  // namespace

std::vector<SettingsProblem> readAccessSettings(std::string_view text, AccessSettings& s) {
    std::vector<SettingsProblem> problems;
    for (const SettingLine& line : settingLines(text)) {
        const int lineNumber = line.number;
        if (!line.hasEquals) {
            problems.push_back({lineNumber, "no \"=\""});
            continue;
        }
        const std::string_view name = line.name, value = line.value;
        bool ok = false;
        if (name == "speech")
            ok = readFlag(value, s.speech);
        else if (name == "scan")
            ok = readFlag(value, s.scan);
        else if (name == "scan interval")
            ok = readNumber(value, AccessSettings::kMinScanMs, AccessSettings::kMaxScanMs,
                            s.scanIntervalMs);
        else if (name == "long press")
            ok = readNumber(value, 100, AccessSettings::kMaxScanMs, s.longPressMs);
        else if (name == "highlight") {
            ok = value == "held" || value == "toggled";
            if (ok) s.highlightToggles = value == "toggled";
        } else if (name == "label size")
            ok = readNumber(value, AccessSettings::kMinTextSize, AccessSettings::kMaxTextSize,
                            s.labelTextSize);
        else if (name == "key next")
            ok = readKeys(value, s.next);
        else if (name == "key previous")
            ok = readKeys(value, s.previous);
        else if (name == "key click")
            ok = readKeys(value, s.click);
        else if (name == "key inventory")
            ok = readKeys(value, s.inventory);
        else if (name == "key speech")
            ok = readKeys(value, s.speechToggle);
        else if (name == "key highlight")
            ok = readKeys(value, s.highlight);
        else if (name == "key switch")
            ok = readKeys(value, s.scanSwitch);
        else {
            problems.push_back(
                {lineNumber, "unknown setting \"" + std::string(name.substr(0, 40)) + "\""});
            continue;
        }
        if (!ok) problems.push_back({lineNumber, "a value that cannot be used: kept the default"});
    }
    return problems;
}

std::string writeAccessSettings(const AccessSettings& s) {
    std::string out = "# Vorlen: accessible play\n";
    out += std::string("speech = ") + (s.speech ? "on" : "off") + "\n";
    out += std::string("scan = ") + (s.scan ? "on" : "off") + "\n";
    out += "scan interval = " + std::to_string(s.scanIntervalMs) + "\n";
    out += "long press = " + std::to_string(s.longPressMs) + "\n";
    out += std::string("highlight = ") + (s.highlightToggles ? "toggled" : "held") + "\n";
    out += "label size = " + std::to_string(s.labelTextSize) + "\n";
    out += "key next = " + keyList(s.next) + "\n";
    out += "key previous = " + keyList(s.previous) + "\n";
    out += "key click = " + keyList(s.click) + "\n";
    out += "key inventory = " + keyList(s.inventory) + "\n";
    out += "key speech = " + keyList(s.speechToggle) + "\n";
    out += "key highlight = " + keyList(s.highlight) + "\n";
    out += "key switch = " + keyList(s.scanSwitch) + "\n";
    return out;
}

std::string accessSettingsPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    // Only an absolute XDG_CONFIG_HOME counts; a relative one would land in the game folder.
    if (config && config[0] == '/') return std::string(config) + "/vorlen/settings.txt";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.config/vorlen/settings.txt";
    return "";
}

void loadAccessSettings(const std::string& path, AccessSettings& settings) {
    if (path.empty()) return;
    std::string text;
    if (readFileBytes(path, AccessSettings::kMaxFileBytes, text) != FileRead::Ok) return;
    readAccessSettings(text, settings);
}

bool saveAccessSettings(const std::string& path, const AccessSettings& settings) {
    const size_t slash = path.rfind('/');
    if (path.empty() || slash == std::string::npos || slash == 0) return false;
    // The folder and its parent (~/.config may not exist yet).
    const std::string folder = path.substr(0, slash);
    const size_t parentSlash = folder.rfind('/');
    if (parentSlash != std::string::npos && parentSlash > 0)
        ::mkdir(folder.substr(0, parentSlash).c_str(), 0700);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
    const std::string temporary = path + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << writeAccessSettings(settings);
        if (!out.flush()) return false;
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}
