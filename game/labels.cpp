#include "game/labels.h"

#include <cstdlib>

#include "platform/file_bytes.h"
#include "platform/game_folder.h"
#include "platform/setting_lines.h"
#include "platform/trim.h"

namespace {

std::string viewKey(const std::string& view) {
    return "v\n" + view;
}
std::string hotspotKey(const std::string& view, const std::string& name) {
    return "h\n" + view + "\n" + name;
}
std::string itemKey(int32_t number) {
    return "i\n" + std::to_string(number);
}

// Cuts at kMaxLabelBytes without splitting a UTF-8 sequence.
std::string capped(std::string_view text) {
    if (text.size() <= Labels::kMaxLabelBytes) return std::string(text);
    size_t end = Labels::kMaxLabelBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    // Not UTF-8 at all (nothing but continuation bytes): cut at the limit all the same.
    if (end == 0) end = Labels::kMaxLabelBytes;
    return std::string(text.substr(0, end));
}

}  // namespace

void Labels::parse(std::string_view text) {
    entries_.clear();
    byKey_.clear();
    problems_.clear();
    for (const SettingLine& line : settingLines(text)) {
        const int lineNumber = line.number;
        if (!line.hasEquals) {
            problems_.push_back({lineNumber, "no \"=\" between a name and its label"});
            continue;
        }
        const std::string_view key = line.name, label = line.value;
        if (label.empty()) {
            problems_.push_back({lineNumber, "an empty label"});
            continue;
        }
        Entry entry;
        entry.text = capped(label);
        entry.line = lineNumber;
        const size_t blank = key.find_first_of(" \t");
        const std::string_view first = key.substr(0, blank);
        const std::string_view rest = blank == std::string_view::npos
                                          ? std::string_view()
                                          : trimWhiteSpace(key.substr(blank));
        if (first.empty()) {
            problems_.push_back({lineNumber, "no name before \"=\""});
            continue;
        }
        std::string mapKey;
        if (first == "item") {
            // 1 to 9 digits: an item number, never an overflow.
            bool digits = !rest.empty() && rest.size() <= 9;
            for (char c : rest) digits = digits && c >= '0' && c <= '9';
            if (!digits) {
                problems_.push_back({lineNumber, "\"item\" needs an item number"});
                continue;
            }
            entry.item = static_cast<int32_t>(std::atol(std::string(rest).c_str()));
            mapKey = itemKey(entry.item);
        } else {
            if (rest.find_first_of(" \t") != std::string_view::npos) {
                problems_.push_back({lineNumber, "more than a view file and a hotspot name"});
                continue;
            }
            entry.view = std::string(first);
            entry.hotspot = std::string(rest);
            mapKey =
                entry.hotspot.empty() ? viewKey(entry.view) : hotspotKey(entry.view, entry.hotspot);
        }
        if (byKey_.count(mapKey)) {
            problems_.push_back(
                {lineNumber, "a second label for the same name (the first counts)"});
            continue;
        }
        byKey_[mapKey] = entries_.size();
        entries_.push_back(std::move(entry));
    }
}

std::vector<std::string> Labels::filesFor(const std::string& localeName) {
    std::vector<std::string> files;
    std::string name = localeName.substr(0, localeName.find_first_of(".@"));
    bool clean = !name.empty() && name.size() <= 32 && name != "C" && name != "POSIX";
    for (char c : name)
        clean = clean && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '_');
    if (clean) {
        files.push_back("labels." + name + ".txt");
        const size_t underscore = name.find('_');
        if (underscore != std::string::npos && underscore > 0)
            files.push_back("labels." + name.substr(0, underscore) + ".txt");
    }
    files.push_back("labels.txt");
    return files;
}

std::string Labels::localeFromEnvironment() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return value;
    }
    return "";
}

bool Labels::load(const GameFolder& folder, const std::string& localeName) {
    parse("");
    file_.clear();
    for (const std::string& name : filesFor(localeName)) {
        if (!folder.exists(name)) continue;
        std::string text;
        const FileRead result = readFileBytes(folder.path(name), kMaxFileBytes, text);
        if (result == FileRead::TooLarge) {
            problems_.push_back(
                {0, "longer than " + std::to_string(kMaxFileBytes) + " bytes: not read"});
        } else if (result != FileRead::Ok) {
            continue;
        } else {
            parse(text);
        }
        file_ = name;
        return true;
    }
    return false;
}

std::string Labels::readable(const std::string& name) {
    std::string out;
    for (char c : name) {
        const char r = (c == '_' || c == '-' || isWhiteSpace(c)) ? ' ' : c;
        if (r == ' ' && (out.empty() || out.back() == ' ')) continue;
        out += r;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return capped(out);
}

std::string Labels::view(const std::string& viewFile, const std::string& viewName) const {
    auto found = byKey_.find(viewKey(viewFile));
    return found != byKey_.end() ? entries_[found->second].text : readable(viewName);
}

std::string Labels::hotspot(const std::string& viewFile, const std::string& name) const {
    auto found = byKey_.find(hotspotKey(viewFile, name));
    return found != byKey_.end() ? entries_[found->second].text : readable(name);
}

std::string Labels::item(int32_t number, const std::string& name) const {
    auto found = byKey_.find(itemKey(number));
    return found != byKey_.end() ? entries_[found->second].text : readable(name);
}
