#include "game/save_file.h"

#include <cstdio>

namespace {

// A name of the game: non-empty, no blanks and no control characters.
bool usableName(std::string_view name) {
    if (name.empty()) return false;
    for (unsigned char c : name)
        if (c <= ' ' || c == 0x7F) return false;
    return true;
}

// A whole word of decimal digits with an optional sign, within 32 bits.
bool parseInt32(std::string_view word, int32_t& value) {
    size_t i = 0;
    bool negative = false;
    if (i < word.size() && (word[i] == '-' || word[i] == '+')) negative = word[i++] == '-';
    if (i == word.size() || word.size() - i > 10) return false;
    int64_t v = 0;
    for (; i < word.size(); ++i) {
        if (word[i] < '0' || word[i] > '9') return false;
        v = v * 10 + (word[i] - '0');
    }
    if (negative) v = -v;
    if (v < INT32_MIN || v > INT32_MAX) return false;
    value = static_cast<int32_t>(v);
    return true;
}

std::vector<std::string_view> wordsOf(std::string_view line) {
    std::vector<std::string_view> words;
    size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
        size_t start = pos;
        while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t') ++pos;
        if (pos > start) words.push_back(line.substr(start, pos - start));
    }
    return words;
}

// The non-blank lines of the text, split into words; CR before LF is a line end too.
std::vector<std::vector<std::string_view>> linesOf(std::string_view text) {
    std::vector<std::vector<std::string_view>> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::vector<std::string_view> words = wordsOf(line);
        if (!words.empty()) lines.push_back(std::move(words));
        pos = end + 1;
    }
    return lines;
}

// The name as a console line can show it: control characters escaped.
std::string printable(std::string_view name) {
    std::string out;
    for (unsigned char c : name) {
        if (c == '\t') {
            out += "\\t";
        } else if (c < ' ' || c == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", c);
            out += code;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

bool fail(std::string& why, const std::string& text) {
    why = text;
    return false;
}

}  // namespace

void saveTimeStamp(const std::tm& local, std::string& date, std::string& time) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4d-%.2d-%.2d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday);
    date = text;
    std::snprintf(text, sizeof text, "%.2d:%.2d:%.2d", local.tm_hour, local.tm_min, local.tm_sec);
    time = text;
}

bool canSave(const SavedGame& game, std::string& why) {
    auto check = [&](const char* what, std::string_view name) {
        if (usableName(name)) return true;
        return fail(why,
                    std::string("the ") + what + " \"" + printable(name) + "\" cannot be saved");
    };
    if (!check("view file name", game.view) || !check("music name", game.music)) return false;
    for (const auto& hotspot : game.hotspots)
        if (!check("hotspot name", hotspot.first)) return false;
    for (const auto& variable : game.variables)
        if (!check("variable name", variable.first)) return false;
    return true;
}

std::string writeSaveText(const SavedGame& game) {
    std::string out = game.date + " " + game.time + "\n";
    out += game.view + "\n";
    out += game.music + (game.musicPlaying ? " 1\n" : " 0\n");
    for (const auto& [name, enabled] : game.hotspots) out += name + (enabled ? " 1\n" : " 0\n");
    out += std::to_string(game.variables.size()) + "\n";
    for (const auto& [name, value] : game.variables)
        out += name + " " + std::to_string(value) + "\n";
    out += std::to_string(game.inventory.size()) + "\n";
    for (int32_t item : game.inventory) out += std::to_string(item) + "\n";
    return out;
}

bool readSaveStamp(std::string_view text, std::string& date, std::string& time) {
    std::string_view first = text.substr(0, text.find('\n'));
    if (!first.empty() && first.back() == '\r') first.remove_suffix(1);
    std::vector<std::string_view> words = wordsOf(first);
    if (words.size() >= 1) date = std::string(words[0]);
    if (words.size() >= 2) time = std::string(words[1]);
    return words.size() >= 2;
}

bool readSaveText(std::string_view text, SavedGame& out, std::string& why) {
    if (text.size() > kMaxSaveFileBytes) return fail(why, "the file is too large");
    std::vector<std::vector<std::string_view>> lines = linesOf(text);
    if (lines.empty()) return fail(why, "the file is empty");
    SavedGame game;
    size_t n = 0;
    auto line = [&](const char* what, size_t words) -> const std::vector<std::string_view>* {
        if (n >= lines.size()) {
            fail(why, std::string("the file ends before ") + what);
            return nullptr;
        }
        if (lines[n].size() != words) {
            fail(why, "line " + std::to_string(n + 1) + " is not " + what);
            return nullptr;
        }
        return &lines[n++];
    };

    auto stamp = line("the time stamp", 2);
    if (!stamp) return false;
    if (!usableName((*stamp)[0]) || !usableName((*stamp)[1]))
        return fail(why, "the time stamp is not usable");
    game.date = std::string((*stamp)[0]);
    game.time = std::string((*stamp)[1]);
    auto view = line("the view file name", 1);
    if (!view) return false;
    if (!usableName((*view)[0])) return fail(why, "the view file name is not usable");
    game.view = std::string((*view)[0]);
    auto music = line("the music line", 2);
    if (!music) return false;
    if (!usableName((*music)[0]) || ((*music)[1] != "0" && (*music)[1] != "1"))
        return fail(why, "the music line is malformed");
    game.music = std::string((*music)[0]);
    game.musicPlaying = (*music)[1] == "1";

    // Hotspot records are the two-word lines before the variable count.
    while (n < lines.size() && lines[n].size() == 2) {
        const auto& record = lines[n];
        if (!usableName(record[0]) || (record[1] != "0" && record[1] != "1"))
            return fail(why, "line " + std::to_string(n + 1) + " is not a hotspot record");
        game.hotspots.emplace_back(std::string(record[0]), record[1] == "1");
        ++n;
    }

    auto count = [&](const char* what, size_t& value) {
        auto words = line(what, 1);
        int32_t parsed = 0;
        if (!words) return false;
        if (!parseInt32((*words)[0], parsed) || parsed < 0)
            return fail(why, std::string(what) + " is not a count");
        // Each entry takes a line of its own, so more than the lines left cannot be right.
        if (static_cast<size_t>(parsed) > lines.size() - n)
            return fail(why, std::string(what) + " is larger than the entries that follow");
        value = static_cast<size_t>(parsed);
        return true;
    };

    size_t variables = 0;
    if (!count("the variable count", variables)) return false;
    for (size_t i = 0; i < variables; ++i) {
        auto entry = line("a variable", 2);
        if (!entry) return false;
        int32_t value = 0;
        if (!usableName((*entry)[0]) || !parseInt32((*entry)[1], value))
            return fail(why, "line " + std::to_string(n) + " is not a variable and its value");
        game.variables.emplace_back(std::string((*entry)[0]), value);
    }
    size_t entries = 0;
    if (!count("the inventory count", entries)) return false;
    for (size_t i = 0; i < entries; ++i) {
        auto entry = line("an inventory entry", 1);
        if (!entry) return false;
        int32_t item = 0;
        if (!parseInt32((*entry)[0], item))
            return fail(why, "line " + std::to_string(n) + " is not an item number");
        game.inventory.push_back(item);
    }
    if (n != lines.size()) return fail(why, "line " + std::to_string(n + 1) + " is left over");
    out = std::move(game);
    return true;
}

std::string slotStateFile(int slot) {
    return "slot" + std::to_string(slot) + ".sav";
}

std::string slotPictureFile(int slot) {
    return "slot" + std::to_string(slot) + ".jpg";
}
