#include "tools/checker/saves_check.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "game/inventory.h"
#include "game/save_file.h"
#include "platform/file_bytes.h"
#include "platform/message_sink.h"
#include "script/variables.h"
#include "view/view.h"

namespace {

// Set by the engine itself every frame, so every save holds them.
const std::set<std::string> kEngineVariables = {"cursor", "cursorinv"};
// The engine's item table: the numbers an inventory entry can hold.
const std::map<int32_t, std::string> kItemTable = {
    {Inventory::kLateItemNumber, Inventory::kLateItem},
    {Inventory::kStartItemNumber, Inventory::kStartItem}};

// The line number (from 1) of each non-blank line, in the order the reader counts them.
std::vector<int> wordLineNumbers(const std::string& text) {
    std::vector<int> numbers;
    int line = 1;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (text.find_first_not_of(" \t\r", start) < end) numbers.push_back(line);
        ++line;
        start = end + 1;
    }
    return numbers;
}

std::string quote(const std::string& name) {
    return "'" + name + "'";
}

}  // namespace

int savedSlotNumber(const std::string& name) {
    const size_t digits = name.size() - 8;
    if (name.size() < 9 || digits > 9 || name.compare(0, 4, "slot") != 0 ||
        name.compare(name.size() - 4, 4, ".sav") != 0)
        return 0;
    int slot = 0;
    for (size_t i = 4; i < 4 + digits; ++i) {
        if (name[i] < '0' || name[i] > '9') return 0;
        slot = slot * 10 + (name[i] - '0');
    }
    return slot;
}

bool SavesCheck::checkFolder(const std::string& savesDir, std::string& error) {
    namespace fs = std::filesystem;
    std::vector<std::pair<int, std::string>> files;
    std::error_code ec;
    for (fs::directory_iterator it(savesDir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (const int slot = savedSlotNumber(name)) files.emplace_back(slot, name);
    }
    if (ec) {
        error = "cannot read the saves folder " + savesDir + ": " + ec.message();
        return false;
    }
    if (files.empty()) {
        error = "no saved game (slotN.sav) in " + savesDir;
        return false;
    }
    std::sort(files.begin(), files.end());
    for (const auto& [slot, name] : files) {
        std::string text;
        const std::string path = (fs::path(savesDir) / name).string();
        if (readFileBytes(path, kMaxSaveFileBytes, text) != FileRead::Ok) {
            sink_.error(Location{name}, "the file cannot be read: the player cannot load it");
            slots_.push_back({name, false, 0});
            continue;
        }
        checkText(name, text);
    }
    return true;
}

SlotSummary SavesCheck::checkText(const std::string& file, const std::string& text) {
    SlotSummary summary{file, false, 0};
    SavedGame saved;
    std::string why;
    if (!readSaveText(text, saved, why)) {
        sink_.error(Location{file}, "does not read (" + why + "): the player cannot load it");
        slots_.push_back(summary);
        return summary;
    }
    const std::vector<int> lines = wordLineNumbers(text);
    auto at = [&](size_t record) { return Location{file, lines.at(record)}; };

    // As the loader does: the view must exist and read without an error.
    Variables scratch;
    SilentSink silent;
    View view(scratch, silent);
    std::string viewError;
    if (!game_.exists(saved.view)) {
        sink_.error(at(1), "the view " + quote(saved.view) +
                               " no longer exists: the player cannot load this slot");
        slots_.push_back(summary);
        return summary;
    }
    if (!view.load(saved.view, game_, viewError)) {
        sink_.error(at(1), "the view " + quote(saved.view) + " no longer reads (" + viewError +
                               "): the player cannot load this slot");
        slots_.push_back(summary);
        return summary;
    }
    summary.loads = true;

    std::set<std::string> hotspots;
    for (size_t i = 0; i < view.hotspotCount(); ++i) hotspots.insert(view.hotspot(i).name());
    size_t record = 3;
    for (const auto& [name, enabled] : saved.hotspots) {
        if (!hotspots.count(name)) {
            sink_.warning(at(record), "hotspot " + quote(name) + " is no longer in " +
                                          quote(saved.view) + ": that it was " +
                                          (enabled ? "on" : "switched off") + " is lost");
            ++summary.losses;
        }
        ++record;
    }
    ++record;  // the variable count
    for (const auto& [name, value] : saved.variables) {
        const bool used =
            facts_.assigned.count(name) || facts_.read.count(name) || kEngineVariables.count(name);
        if (!used) {
            sink_.warning(at(record), "variable " + quote(name) + " (" + std::to_string(value) +
                                          ") is used nowhere in the game any more: its value "
                                          "is lost");
            ++summary.losses;
        }
        ++record;
    }
    ++record;  // the inventory count
    for (int32_t item : saved.inventory) {
        if (!kItemTable.count(item)) {
            sink_.warning(at(record), "item " + std::to_string(item) +
                                          " is not in the item table: the player loses it");
            ++summary.losses;
        }
        ++record;
    }
    slots_.push_back(summary);
    return summary;
}
