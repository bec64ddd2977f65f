#include "tools/play/player_folder.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <system_error>

#include "game/save_file.h"
#include "platform/file_bytes.h"

namespace fs = std::filesystem;

namespace player_folder {

namespace {

bool allDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "PREFIX<digits>SUFFIX", the digits returned in `digits`.
bool numbered(const std::string& name, const std::string& prefix, const std::string& suffix,
              std::string& digits) {
    if (name.size() <= prefix.size() + suffix.size()) return false;
    if (name.compare(0, prefix.size(), prefix) != 0) return false;
    if (name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) return false;
    digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    return allDigits(digits);
}

}  // namespace

fs::path gamesRoot() {
    const char* data = std::getenv("XDG_DATA_HOME");
    // The base directory rules say a relative value is to be ignored.
    if (data && data[0] == '/') return fs::path(data) / "vorlen" / "games";
    const char* home = std::getenv("HOME");
    if (home && home[0]) return fs::path(home) / ".local" / "share" / "vorlen" / "games";
    return {};
}

std::string gameId(const fs::path& gameFolder) {
    std::string name = gameFolder.lexically_normal().filename().string();
    if (name.empty() || name == "." || name == "..")
        name = gameFolder.lexically_normal().parent_path().filename().string();
    for (char& c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
        if (!plain) c = '_';
    }
    if (!name.empty() && name[0] == '.') name[0] = '_';
    if (name.empty() || name == "_" || name == "__") return "game";
    return name;
}

bool isPlayerFile(const std::string& name) {
    std::string digits;
    if (numbered(name, "slot", ".sav", digits) || numbered(name, "slot", ".jpg", digits) ||
        numbered(name, "shot", ".jpg", digits))
        return true;
    // A save being written: "slotN.sav.<pid>-<random>.tmp".
    const size_t tmp = name.find(".tmp");
    return name.compare(0, 4, "slot") == 0 && tmp != std::string::npos && tmp + 4 == name.size();
}

bool linkGame(const fs::path& gameDir, const fs::path& playerDir, std::string& error) {
    std::error_code ec;
    fs::create_directories(playerDir, ec);
    if (ec) {
        error = "cannot make " + playerDir.string() + ": " + ec.message();
        return false;
    }
    std::set<std::string> shown;
    for (fs::directory_iterator it(gameDir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (isPlayerFile(name)) continue;
        shown.insert(name);
        const fs::path link = playerDir / name, target = gameDir / name;
        std::error_code kind;
        const fs::file_status status = fs::symlink_status(link, kind);
        if (fs::is_symlink(status)) {
            if (fs::read_symlink(link, kind) == target) continue;
            fs::remove(link, kind);
        } else if (fs::exists(status)) {
            continue;  // the player's own file, which the game's must not replace
        }
        fs::create_symlink(target, link, kind);
        if (kind) {
            error = "cannot link " + link.string() + ": " + kind.message();
            return false;
        }
    }
    if (ec) {
        error = "cannot read the game folder " + gameDir.string() + ": " + ec.message();
        return false;
    }
    for (fs::directory_iterator it(playerDir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code kind;
        if (it->is_symlink(kind) && !shown.count(it->path().filename().string()))
            fs::remove(it->path(), kind);
    }
    return true;
}

std::vector<SavedSlot> savedSlots(const fs::path& playerDir) {
    std::vector<SavedSlot> slots;
    std::error_code ec;
    for (fs::directory_iterator it(playerDir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string digits;
        if (!numbered(it->path().filename().string(), "slot", ".sav", digits) || digits.size() > 9)
            continue;
        SavedSlot slot;
        slot.slot = std::atoi(digits.c_str());
        std::string text;
        if (readFileBytes(it->path().string(), kMaxSaveFileBytes, text) == FileRead::Ok &&
            !readSaveStamp(text, slot.date, slot.time)) {
            slot.date.clear();
            slot.time.clear();
        }
        if (slot.slot > 0) slots.push_back(slot);
    }
    std::sort(slots.begin(), slots.end(),
              [](const SavedSlot& a, const SavedSlot& b) { return a.slot < b.slot; });
    return slots;
}

}  // namespace player_folder
