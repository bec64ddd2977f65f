#include "tools/pack/game_info.h"

#include <algorithm>
#include <cctype>

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Debian's rule for an upstream version: a digit first, then letters, digits and . + ~ -.
bool packageVersion(std::string_view v) {
    if (v.empty() || v.size() > 40 || !std::isdigit(static_cast<unsigned char>(v[0]))) return false;
    return std::all_of(v.begin(), v.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '+' || c == '~' ||
               c == '-';
    });
}

bool iconName(std::string_view name) {
    if (name.empty() || name.size() > 100 || name.front() == '.' ||
        name.find('/') != std::string_view::npos || name.find('\\') != std::string_view::npos)
        return false;
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return false;
    const std::string type = lower(name.substr(dot + 1));
    const bool plain = std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '-';
    });
    return plain && (type == "png" || type == "svg" || type == "xpm");
}

}  // namespace

bool plainUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        size_t extra = 0;
        uint32_t code = 0;
        if (c < 0x80) {
            if (c < 0x20 || c == 0x7F) return false;
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (text.size() - i <= extra) return false;
        for (size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates, beyond U+10FFFF, and the C1 controls.
        static constexpr uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        if (code < kLeast[extra] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF ||
            (code >= 0x80 && code <= 0x9F))
            return false;
        i += extra + 1;
    }
    return true;
}

std::string slugFromTitle(std::string_view title) {
    std::string slug;
    bool gap = false;
    for (char c : title) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80 && std::isalnum(u)) {
            if (gap && !slug.empty()) slug += '-';
            slug += static_cast<char>(std::tolower(u));
            gap = false;
        } else {
            gap = true;
        }
        if (slug.size() >= 40) break;
    }
    while (!slug.empty() && slug.back() == '-') slug.pop_back();
    // A Debian package name needs two characters at least.
    return slug.size() >= 2 ? slug : std::string();
}

GameInfo readGameInfo(std::string_view text) {
    GameInfo info;
    auto note = [&info](int line, std::string what) {
        info.problems.push_back({line, std::move(what)});
    };
    if (text.size() > kMaxGameInfoBytes) {
        note(0, "the file is larger than " + std::to_string(kMaxGameInfoBytes) +
                    " bytes and is ignored");
        return info;
    }
    int number = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = trim(text.substr(pos, end - pos));
        pos = end + 1;
        ++number;
        if (line.empty() || line.front() == '#') continue;
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos) {
            note(number, "not a 'key: value' line");
            continue;
        }
        const std::string key = lower(trim(line.substr(0, colon)));
        const std::string_view value = trim(line.substr(colon + 1));
        std::string* field = key == "title"     ? &info.title
                             : key == "version" ? &info.version
                             : key == "author"  ? &info.author
                             : key == "icon"    ? &info.icon
                                                : nullptr;
        if (!field) {
            note(number, "unknown key '" + (plainUtf8(key) ? key.substr(0, 40) : "?") +
                             "' (title, version, author, icon)");
            continue;
        }
        if (value.empty() || value.size() > kMaxGameInfoValue || !plainUtf8(value)) {
            note(number, key + " must be 1 to " + std::to_string(kMaxGameInfoValue) +
                             " bytes of UTF-8 text without control characters");
            continue;
        }
        if (key == "version" && !packageVersion(value)) {
            note(number,
                 "version must start with a digit and hold only letters, digits "
                 "and . + ~ -");
            continue;
        }
        if (key == "icon" && !iconName(value)) {
            note(number, "icon must be the name of a .png, .svg or .xpm file of the game folder");
            continue;
        }
        if (!field->empty()) note(number, key + " is given twice; the last one counts");
        *field = std::string(value);
    }
    return info;
}
