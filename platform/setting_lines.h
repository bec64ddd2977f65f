#pragma once
// The "name = value" lines of a small text file the player or the author writes: blank
// lines and lines starting with '#' are left out, and both sides come trimmed.
#include <string_view>
#include <vector>

#include "platform/trim.h"

struct SettingLine {
    int number;  // from 1, counting every line
    bool hasEquals;
    std::string_view name, value;  // empty without "="
};

inline std::vector<SettingLine> settingLines(std::string_view text) {
    std::vector<SettingLine> lines;
    int number = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = trimWhiteSpace(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        if (line.empty() || line.front() == '#') continue;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            lines.push_back({number, false, {}, {}});
            continue;
        }
        lines.push_back({number, true, trimWhiteSpace(line.substr(0, equals)),
                         trimWhiteSpace(line.substr(equals + 1))});
    }
    return lines;
}
